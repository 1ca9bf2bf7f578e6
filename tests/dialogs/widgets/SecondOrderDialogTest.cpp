// "Вид плана второго порядка.": the person says which central composite
// plan a loaded matrix is, and whether the standard star arm is to be set.
#include "dialogs/SecondOrderDialog.h"

#include "DialogScript.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using namespace orvanta;

namespace {

using TKindAnswer = std::optional<TSecondOrderAnswer>;

// A click on the button's indicator: a button stretched by the layout is
// wider than its own click area.
void ClickIndicator(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(6, button->height() / 2));
}

} // namespace

class SecondOrderDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TSecondOrderDialog> Form;

    TKindAnswer Run(std::function<void()> script) {
        return RunScripted(*Form, std::move(script), [&] { return Form->Run(); });
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    void init() { Form = std::make_unique<TSecondOrderDialog>(); }
    void cleanup() { Form.reset(); }
    void answers_data();
    void answers();
    void choicesStayForTheNextLoading();
};

void SecondOrderDialogTest::answers_data() {
    QTest::addColumn<bool>("clickRotatable");
    QTest::addColumn<bool>("clickStarArm");
    QTest::addColumn<int>("closeKey"); // 0: a click on "Ok", -1: on "Отмена"
    QTest::addColumn<bool>("answered");
    QTest::addColumn<bool>("rotatable");
    QTest::addColumn<bool>("standardArm");
    QTest::newRow("as offered, Ok") << false << false << 0 << true << false << true;
    QTest::newRow("as offered, Enter")
        << false << false << int(Qt::Key_Return) << true << false << true;
    QTest::newRow("rotatable") << true << false << 0 << true << true << true;
    QTest::newRow("orthogonal, arm as loaded")
        << false << true << int(Qt::Key_Return) << true << false << false;
    QTest::newRow("rotatable, arm as loaded") << true << true << 0 << true << true << false;
    QTest::newRow("Отмена") << true << false << -1 << false << false << false;
    QTest::newRow("Esc") << true << true << int(Qt::Key_Escape) << false << false << false;
}

void SecondOrderDialogTest::answers() {
    QFETCH(bool, clickRotatable);
    QFETCH(bool, clickStarArm);
    QFETCH(int, closeKey);
    QFETCH(bool, answered);
    QFETCH(bool, rotatable);
    QFETCH(bool, standardArm);
    QCOMPARE(Form->objectName(), QStringLiteral("SecondOrderDialog"));
    const TKindAnswer answer = Run([&] {
        QCOMPARE(Form->windowTitle(), QStringLiteral("Вид плана второго порядка."));
        QCOMPARE(Form->LMessage->text(),
                 QStringLiteral("Выбранный источник данных содержит описание матрицы, которая, "
                                "вероятно, задает  композици- онный план второго порядка.  "
                                "Однако  величина звездного плеча плана не позволяет достоверно "
                                "определить его тип."));
        QVERIFY(Form->RBOrthogonal->isChecked());
        QVERIFY(Form->CBStandardStarArm->isChecked());
        if (clickRotatable)
            ClickIndicator(Form->RBRotatable);
        if (clickStarArm)
            ClickIndicator(Form->CBStandardStarArm);
        if (closeKey > 0)
            QTest::keyClick(Form.get(), Qt::Key(closeKey));
        else
            QTest::mouseClick(closeKey == 0 ? Form->OkButton : Form->CancelButton, Qt::LeftButton);
    });
    QCOMPARE(answer.has_value(), answered);
    if (answered) {
        QCOMPARE(answer->Rotatable, rotatable);
        QCOMPARE(answer->StandardStarArm, standardArm);
    }
}

void SecondOrderDialogTest::choicesStayForTheNextLoading() {
    TKindAnswer answer = Run([&] {
        Form->RBRotatable->click();
        Form->CBStandardStarArm->click();
        Form->OkButton->click();
    });
    QVERIFY(answer.has_value());
    answer = Run([&] {
        QVERIFY(Form->RBRotatable->isChecked());
        QVERIFY(!Form->CBStandardStarArm->isChecked());
        Form->OkButton->click();
    });
    QVERIFY(answer.has_value());
    QVERIFY(answer->Rotatable);
    QVERIFY(!answer->StandardStarArm);
}

QTEST_MAIN(SecondOrderDialogTest)
#include "SecondOrderDialogTest.moc"
