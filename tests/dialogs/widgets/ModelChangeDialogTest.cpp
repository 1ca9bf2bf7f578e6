// The model-change dialog of Student's test: what it offers when some or
// all coefficients are insignificant, and what the person chooses.
#include "dialogs/ModelChangeDialog.h"

#include "DialogScript.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

using namespace orvanta;

namespace {

using TChoice = std::optional<TModelChange>;

const std::string Some = "Некоторые параметры модели статистически незначимы";
const std::string All = "Все параметры модели статистически незначимы !";
const auto StartUpCaption = QStringLiteral("Некоторые коэффициенты статистически незначимы");

enum class TClose { OkButton, Enter, CancelButton, Escape };

// A click on the button's indicator: a button stretched by the layout is
// wider than its own click area.
void ClickIndicator(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(6, button->height() / 2));
}

} // namespace

Q_DECLARE_METATYPE(TModelChange)
Q_DECLARE_METATYPE(TChoice)
Q_DECLARE_METATYPE(TClose)

class ModelChangeDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TModelChangeDialog> Form;

    TChoice Run(const TModelChangeRequest& request, std::function<void()> script) {
        return RunScripted(*Form, std::move(script), [&] { return Form->Run(request); });
    }
    QRadioButton* Button(TModelChange change) const {
        switch (change) {
        case TModelChange::Ignore:
            return Form->RBIgnore;
        case TModelChange::ZeroInsignificant:
            return Form->RBZero;
        case TModelChange::RecomputeSignificant:
            break;
        }
        return Form->RBRecompute;
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    void init() { Form = std::make_unique<TModelChangeDialog>(); }
    void cleanup() { Form.reset(); }
    void preparedFromTheRequest_data();
    void preparedFromTheRequest();
    void closing_data();
    void closing();
    void groupUnlocksAfterAllInsignificant();
};

void ModelChangeDialogTest::preparedFromTheRequest_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("allInsignificant");
    QTest::addColumn<TModelChange>("preselected");
    QTest::addColumn<QString>("title");
    QTest::addColumn<TModelChange>("checked");
    const QString some = QString::fromStdString(Some);
    const QString all = QString::fromStdString(All);
    QTest::newRow("some insignificant") << some << false << TModelChange::ZeroInsignificant << some
                                        << TModelChange::ZeroInsignificant;
    QTest::newRow("some, refit preselected") << some << false << TModelChange::RecomputeSignificant
                                             << some << TModelChange::RecomputeSignificant;
    QTest::newRow("all insignificant")
        << all << true << TModelChange::Ignore << all << TModelChange::Ignore;
    // Whatever is asked for, nothing can be zeroed or refitted.
    QTest::newRow("all insignificant, zero asked for")
        << all << true << TModelChange::ZeroInsignificant << all << TModelChange::Ignore;
    QTest::newRow("no caption given") << QString() << false << TModelChange::ZeroInsignificant
                                      << StartUpCaption << TModelChange::ZeroInsignificant;
}

void ModelChangeDialogTest::preparedFromTheRequest() {
    QFETCH(QString, caption);
    QFETCH(bool, allInsignificant);
    QFETCH(TModelChange, preselected);
    QFETCH(QString, title);
    QFETCH(TModelChange, checked);
    QCOMPARE(Form->objectName(), QStringLiteral("ModelChangeDialog"));
    QCOMPARE(Form->windowTitle(), StartUpCaption);
    const TModelChangeRequest request{caption.toStdString(), allInsignificant, preselected};
    const TChoice choice = Run(request, [&] {
        QCOMPARE(Form->windowTitle(), title);
        QVERIFY(Button(checked)->isChecked());
        QCOMPARE(Form->RGModelChange->isEnabled(), !allInsignificant);
        QTest::keyClick(Form.get(), Qt::Key_Return);
    });
    QCOMPARE(choice, TChoice(checked));
}

void ModelChangeDialogTest::closing_data() {
    QTest::addColumn<TModelChange>("clicked");
    QTest::addColumn<TClose>("close");
    QTest::addColumn<TChoice>("choice");
    QTest::newRow("ignore, Ok") << TModelChange::Ignore << TClose::OkButton
                                << TChoice(TModelChange::Ignore);
    QTest::newRow("zero, Enter") << TModelChange::ZeroInsignificant << TClose::Enter
                                 << TChoice(TModelChange::ZeroInsignificant);
    QTest::newRow("recompute, Enter") << TModelChange::RecomputeSignificant << TClose::Enter
                                      << TChoice(TModelChange::RecomputeSignificant);
    QTest::newRow("ignore, Отмена") << TModelChange::Ignore << TClose::CancelButton << TChoice();
    QTest::newRow("recompute, Esc")
        << TModelChange::RecomputeSignificant << TClose::Escape << TChoice();
}

void ModelChangeDialogTest::closing() {
    QFETCH(TModelChange, clicked);
    QFETCH(TClose, close);
    QFETCH(TChoice, choice);
    const TChoice chosen = Run({Some, false, TModelChange::ZeroInsignificant}, [&] {
        ClickIndicator(Button(clicked));
        QVERIFY(Button(clicked)->isChecked());
        switch (close) {
        case TClose::OkButton:
            QTest::mouseClick(Form->OkButton, Qt::LeftButton);
            break;
        case TClose::Enter:
            QTest::keyClick(Button(clicked), Qt::Key_Return);
            break;
        case TClose::CancelButton:
            QTest::mouseClick(Form->CancelButton, Qt::LeftButton);
            break;
        case TClose::Escape:
            QTest::keyClick(Button(clicked), Qt::Key_Escape);
            break;
        }
    });
    QCOMPARE(chosen, choice);
}

void ModelChangeDialogTest::groupUnlocksAfterAllInsignificant() {
    TChoice choice = Run({All, true, TModelChange::Ignore}, [&] { Form->OkButton->click(); });
    QCOMPARE(choice, TChoice(TModelChange::Ignore));
    choice = Run({Some, false, TModelChange::ZeroInsignificant}, [&] {
        QVERIFY(Form->RGModelChange->isEnabled());
        QVERIFY(Form->RBZero->isChecked());
        Form->OkButton->click();
    });
    QCOMPARE(choice, TChoice(TModelChange::ZeroInsignificant));
}

QTEST_MAIN(ModelChangeDialogTest)
#include "ModelChangeDialogTest.moc"
