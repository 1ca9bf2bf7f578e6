// The closing convention of the small dialogs: which ways of closing check
// the fields, which put them back, and which keep the dialog open.
#include "dialogs/DialogClosing.h"

#include "DialogScript.h"

#include <QLineEdit>
#include <QVBoxLayout>

using namespace orvanta;

namespace {

using TResult = TSmallDialog::TCloseResult;

class TProbeDialog : public TSmallDialog {
public:
    TProbeDialog() {
        Field = new QLineEdit(this);
        (new QVBoxLayout(this))->addWidget(Field);
    }
    QLineEdit* Field;
    bool Valid = true;
    int Validations = 0;
    int Restores = 0;
    std::function<void()> DuringValidation;

protected:
    bool Validate() override {
        ++Validations;
        if (DuringValidation)
            DuringValidation();
        return Valid;
    }
    void Restore() override { ++Restores; }
};

enum class TWay { OkButton, Enter, KeypadEnter, ShiftEnter, Esc, CancelButton, TitleBar, Other };

void CloseBy(TProbeDialog& dialog, TWay way) {
    switch (way) {
    case TWay::OkButton:
        return dialog.accept();
    case TWay::Enter:
        return QTest::keyClick(dialog.Field, Qt::Key_Return);
    case TWay::KeypadEnter:
        return QTest::keyClick(dialog.Field, Qt::Key_Enter, Qt::KeypadModifier);
    case TWay::ShiftEnter:
        return QTest::keyClick(dialog.Field, Qt::Key_Return, Qt::ShiftModifier);
    case TWay::Esc:
        return QTest::keyClick(dialog.Field, Qt::Key_Escape);
    case TWay::CancelButton:
        return dialog.reject();
    case TWay::TitleBar:
        dialog.close();
        return;
    case TWay::Other:
        return dialog.done(7);
    }
}

constexpr int LeftOpen = 42;

} // namespace

Q_DECLARE_METATYPE(TWay)
Q_DECLARE_METATYPE(TResult)

class DialogClosingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    void closing_data();
    void closing();
    void aKeyDuringAValidationKeepsItsResult();
};

void DialogClosingTest::closing_data() {
    QTest::addColumn<TWay>("way");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<bool>("staysOpen");
    QTest::addColumn<int>("validations");
    QTest::addColumn<int>("restores");
    QTest::addColumn<TResult>("result");
    QTest::addColumn<int>("code");
    const int ok = QDialog::Accepted;
    const int no = QDialog::Rejected;
    QTest::newRow("Ok, valid") << TWay::OkButton << true << false << 1 << 0 << TResult::OK << ok;
    QTest::newRow("Ok, invalid") << TWay::OkButton << false << true << 1 << 0 << TResult::None
                                 << LeftOpen;
    QTest::newRow("Enter, valid") << TWay::Enter << true << false << 1 << 0 << TResult::OK << ok;
    QTest::newRow("Enter, invalid")
        << TWay::Enter << false << true << 1 << 0 << TResult::None << LeftOpen;
    QTest::newRow("keypad Enter") << TWay::KeypadEnter << true << false << 1 << 0 << TResult::OK
                                  << ok;
    QTest::newRow("Shift+Enter belongs to the field")
        << TWay::ShiftEnter << true << true << 0 << 0 << TResult::None << LeftOpen;
    QTest::newRow("Esc skips validation")
        << TWay::Esc << false << false << 0 << 1 << TResult::Cancel << no;
    QTest::newRow("Отмена") << TWay::CancelButton << false << false << 0 << 1 << TResult::Cancel
                            << no;
    QTest::newRow("title bar is cancel")
        << TWay::TitleBar << false << false << 0 << 1 << TResult::Cancel << no;
    QTest::newRow("other close, no steps")
        << TWay::Other << false << false << 0 << 0 << TResult::None << 7;
}

void DialogClosingTest::closing() {
    QFETCH(TWay, way);
    QFETCH(bool, valid);
    QFETCH(bool, staysOpen);
    QFETCH(int, validations);
    QFETCH(int, restores);
    QFETCH(TResult, result);
    QFETCH(int, code);

    TProbeDialog dialog;
    dialog.Valid = valid;
    bool openAfterwards = false;
    TResult resultAfterwards = TResult::None;
    const int exitCode = RunScripted(
        dialog,
        [&] {
            dialog.Field->setFocus();
            CloseBy(dialog, way);
            openAfterwards = dialog.isVisible();
            resultAfterwards = dialog.CloseResult();
            if (openAfterwards)
                dialog.done(LeftOpen);
        },
        [&] { return dialog.exec(); });

    QCOMPARE(openAfterwards, staysOpen);
    QCOMPARE(dialog.Validations, validations);
    QCOMPARE(dialog.Restores, restores);
    QCOMPARE(resultAfterwards, result);
    QCOMPARE(exitCode, code);
}

void DialogClosingTest::aKeyDuringAValidationKeepsItsResult() {
    TProbeDialog dialog;
    dialog.Valid = false;
    // Esc arrives while the check of an OK close is still running.
    dialog.DuringValidation = [&] { QTest::keyClick(dialog.Field, Qt::Key_Escape); };
    int restoresAfterOk = -1;
    const int exitCode = RunScripted(
        dialog,
        [&] {
            dialog.Field->setFocus();
            QTest::keyClick(dialog.Field, Qt::Key_Return);
            restoresAfterOk = dialog.Restores;
            QVERIFY(dialog.isVisible());
            // The failed check leaves no result behind: Esc now cancels.
            QTest::keyClick(dialog.Field, Qt::Key_Escape);
        },
        [&] { return dialog.exec(); });
    QCOMPARE(restoresAfterOk, 0);
    QCOMPARE(exitCode, int(QDialog::Rejected));
    QCOMPARE(dialog.Restores, 1);

    // Shown again, the dialog starts without a result.
    dialog.show();
    QCOMPARE(dialog.CloseResult(), TResult::None);
}

QTEST_MAIN(DialogClosingTest)
#include "DialogClosingTest.moc"
