// The factor names dialog as the person renames factors in it.
#include "dialogs/KNamesForm.h"

#include "DialogScript.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace orvanta;

namespace {

using TNames = std::vector<std::string>;
using TNamesAnswer = std::optional<TNames>;

const TNames Plan = {"Температура", "Давление", "Время"};

QStringList ListTexts(const QListWidget& list) {
    QStringList texts;
    for (int row = 0; row < list.count(); ++row)
        texts << list.item(row)->text();
    return texts;
}

} // namespace

Q_DECLARE_METATYPE(TNames)

class KNamesFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TKNamesForm> Form;

    TNamesAnswer Run(const TNames& names, std::function<void()> script) {
        return RunScripted(*Form, std::move(script), [&] { return Form->Run(names); });
    }
    void Select(int row) {
        Form->LBFactors->setFocus();
        while (Form->LBFactors->currentRow() < row)
            QTest::keyClick(Form->LBFactors, Qt::Key_Down);
        while (Form->LBFactors->currentRow() > row)
            QTest::keyClick(Form->LBFactors, Qt::Key_Up);
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    void init() { Form = std::make_unique<TKNamesForm>(); }
    void cleanup() { Form.reset(); }
    void editedNamesOnOk_data();
    void editedNamesOnOk();
    void switchingKeepsTheTypedName();
    void undoBringsBackTheOpeningNames();
    void cancelGivesNothing_data();
    void cancelGivesNothing();
};

// Each row renames one factor (an empty name clears it), optionally moves to
// another factor, and closes with "Ок" or Enter.
void KNamesFormTest::editedNamesOnOk_data() {
    QTest::addColumn<int>("factor");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("thenSelect");
    QTest::addColumn<bool>("byEnter");
    QTest::addColumn<TNames>("names");
    QTest::newRow("cleared 2nd, Ок")
        << 1 << QString() << -1 << false << TNames{"Температура", "Фактор № 2", "Время"};
    QTest::newRow("cleared 2nd, Enter")
        << 1 << QString() << -1 << true << TNames{"Температура", "Фактор № 2", "Время"};
    QTest::newRow("cleared 1st, then 3rd")
        << 0 << QString() << 2 << false << TNames{"Фактор № 1", "Давление", "Время"};
    QTest::newRow("renamed 3rd, then 1st") << 2 << QStringLiteral("Выдержка") << 0 << true
                                           << TNames{"Температура", "Давление", "Выдержка"};
}

void KNamesFormTest::editedNamesOnOk() {
    QFETCH(int, factor);
    QFETCH(QString, typed);
    QFETCH(int, thenSelect);
    QFETCH(bool, byEnter);
    QFETCH(TNames, names);
    const TNamesAnswer answer = Run(Plan, [&] {
        Select(factor);
        TypeOver(Form->EName, typed);
        if (thenSelect >= 0)
            Select(thenSelect);
        if (byEnter)
            QTest::keyClick(Form->EName, Qt::Key_Return);
        else
            Form->OkButton->click();
    });
    QVERIFY(answer.has_value());
    QCOMPARE(*answer, names);
}

void KNamesFormTest::switchingKeepsTheTypedName() {
    const TNamesAnswer answer = Run(Plan, [&] {
        TypeOver(Form->EName, QStringLiteral("t"));
        Select(1);
        QCOMPARE(Form->LBFactors->item(0)->text(), QStringLiteral("t"));
        QCOMPARE(Form->EName->text(), QStringLiteral("Давление"));
        QCOMPARE(Form->LBFactors->currentRow(), 1);
        Select(0);
        QCOMPARE(Form->EName->text(), QStringLiteral("t"));
        Form->OkButton->click();
    });
    QCOMPARE(answer, TNamesAnswer(TNames{"t", "Давление", "Время"}));
}

void KNamesFormTest::undoBringsBackTheOpeningNames() {
    const TNamesAnswer answer = Run(Plan, [&] {
        TypeOver(Form->EName, QStringLiteral("a"));
        Select(2);
        TypeOver(Form->EName, QStringLiteral("b"));
        Form->UndoButton->click();
        QCOMPARE(Form->LBFactors->currentRow(), 0);
        QCOMPARE(Form->EName->text(), QStringLiteral("Температура"));
        QCOMPARE(Form->LBFactors->item(2)->text(), QStringLiteral("Время"));
        Form->OkButton->click();
    });
    QCOMPARE(answer, TNamesAnswer(Plan));
}

void KNamesFormTest::cancelGivesNothing_data() {
    QTest::addColumn<bool>("byEsc");
    QTest::newRow("Отмена") << false;
    QTest::newRow("Esc") << true;
}

void KNamesFormTest::cancelGivesNothing() {
    QFETCH(bool, byEsc);
    const TNamesAnswer answer = Run(Plan, [&] {
        TypeOver(Form->EName, QStringLiteral("x"));
        Select(1);
        if (byEsc)
            QTest::keyClick(Form->LBFactors, Qt::Key_Escape);
        else
            Form->CancelButton->click();
    });
    QCOMPARE(answer, TNamesAnswer());
    // The next time the dialog starts from the plan's names again, on the
    // first factor.
    Run(Plan, [&] {
        QCOMPARE(ListTexts(*Form->LBFactors),
                 QStringList({QStringLiteral("Температура"), QStringLiteral("Давление"),
                              QStringLiteral("Время")}));
        QCOMPARE(Form->LBFactors->currentRow(), 0);
        QCOMPARE(Form->EName->text(), QStringLiteral("Температура"));
        Form->reject();
    });
}

QTEST_MAIN(KNamesFormTest)
#include "KNamesFormTest.moc"
