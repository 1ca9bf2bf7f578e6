// The diagram wizard as a person goes through it: the answer it gives for
// what was chosen and typed, the checks of the interval page, the levels of
// the factors held fixed, and what stays in the pages between runs.
#include "dialogs/DiagramWizard.h"

#include "dialogs/DiagramStep1.h"
#include "dialogs/DiagramStep2.h"
#include "dialogs/DiagramStep3.h"
#include "dialogs/WizardSpinEdit.h"
#include "numeric/NumberText.h"

#include "DialogScript.h"
#include "ModalPerson.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace orvanta;
using namespace orvanta::test;

namespace {

const std::string LeftNotReal = "Поле \"Левая граница\" должно содержать действительное число.";
const std::string PointsRange = "Поле \" Число точек \" должно содержать\nчисло от 5 до 1000.";
const std::string BoundsOrder = "Правая граница должна быть больше левой.";
const std::string LevelNotReal = "Поле \"Уровень\" должно содержать действительное число.";

const std::vector<std::string> ThreeFactors{"Температура", "Давление", "Время"};

void Forward(QWidget* w) {
    Click(static_cast<TWizardTemplateForm*>(w)->ForwardButton);
}

void Back(QWidget* w) {
    Click(static_cast<TWizardTemplateForm*>(w)->BackwardButton);
}

void ChooseFactor(QWidget* w, const QString& name) {
    ClickItem(static_cast<TDiagramStep1*>(w)->LBFactors, name);
    Forward(w);
}

QStringList Fields(const TDiagramStep2* page) {
    return {page->ELeftBound->text(), page->ERightBound->text(), page->SEPoints->Text()};
}

// A click on a list entry that the page may refuse to make current.
void ClickRow(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

} // namespace

// The person met the pages they expected, and no other.
#define CHECK_PERSON()                                                                             \
    do {                                                                                           \
        QVERIFY2(Person->Failure.isEmpty(), qPrintable(Person->Failure));                          \
        QVERIFY2(Person->Acts.empty(), "a page the person expected did not come");                 \
    } while (false)

class DiagramWizardTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TDiagramWizard> Wizard;
    std::unique_ptr<TSeenMessages> Seen;
    std::unique_ptr<TMessageHostScope> Scope;
    std::unique_ptr<TPerson> Person;

    std::vector<std::string> MessageTexts(TMessageKind kind) const {
        std::vector<std::string> texts;
        for (const auto& [seenKind, text] : Seen->Messages)
            if (seenKind == kind)
                texts.push_back(text);
        return texts;
    }
    std::vector<std::string> Warnings() const { return MessageTexts(TMessageKind::Warning); }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    void init();
    void cleanup();
    void defaultsSweepTheChosenFactor();
    void intervalPageRefusesWhatItCannotUse_data();
    void intervalPageRefusesWhatItCannotUse();
    void leavingAnIntervalFieldChecksIt();
    void intervalPageKeepsItsContents();
    void oneFactorPlanHoldsNothingFixed();
    void levelsComeBackAtTheirFactors();
    void cancelOnEveryPage_data();
    void cancelOnEveryPage();
};

void DiagramWizardTest::init() {
    SetDecimalSeparator(',');
    Wizard = std::make_unique<TDiagramWizard>(nullptr);
    Seen = std::make_unique<TSeenMessages>();
    Scope = std::make_unique<TMessageHostScope>(*Seen);
    Person = std::make_unique<TPerson>();
}

void DiagramWizardTest::cleanup() {
    Person.reset();
    Scope.reset();
    Wizard.reset();
    SetDecimalSeparator('.');
}

void DiagramWizardTest::defaultsSweepTheChosenFactor() {
    Person
        ->Then("DiagramStep1"_q,
               [](QWidget* w) {
                   auto* page = static_cast<TDiagramStep1*>(w);
                   QCOMPARE(page->windowTitle(), "Подготовка данных для графика: шаг 1 из 3"_q);
                   QVERIFY(!page->BackwardButton->isVisible());
                   QCOMPARE(Texts(page->LBFactors), (QStringList{"Температура"_q, "Давление"_q}));
                   QCOMPARE(page->LBFactors->currentRow(), 0);
                   QVERIFY(page->LBFactors->item(0)->isSelected());
                   ChooseFactor(w, "Давление"_q);
               })
        .Then("DiagramStep2"_q,
              [](QWidget* w) {
                  auto* page = static_cast<TDiagramStep2*>(w);
                  QCOMPARE(page->windowTitle(), "Подготовка данных для графика: шаг 2 из 3"_q);
                  QCOMPARE(page->ForwardButton->text(), "Далее >>"_q);
                  QCOMPARE(Fields(page), (QStringList{"-1"_q, "1"_q, "15"_q}));
                  Forward(w);
              })
        .Then("DiagramStep3"_q, [](QWidget* w) {
            auto* page = static_cast<TDiagramStep3*>(w);
            QCOMPARE(page->windowTitle(), "Подготовка данных: шаг 3 из 3"_q);
            QCOMPARE(page->ForwardButton->text(), "Готово"_q);
            QCOMPARE(Texts(page->LBFactors), QStringList{"Температура"_q});
            QCOMPARE(page->LBFactors->currentRow(), 0);
            QCOMPARE(page->ELevel->text(), "0"_q);
            QVERIFY(page->ELevel->isEnabled());
            Forward(w);
        });
    const std::optional<TDiagramAnswer> answer = Wizard->Run({"Температура", "Давление"});
    CHECK_PERSON();
    QVERIFY(answer);
    QCOMPARE(answer->Factor, 1);
    QCOMPARE(answer->Start, -1.0);
    QCOMPARE(answer->End, 1.0);
    QCOMPARE(answer->Points, 15);
    QCOMPARE(answer->Point, (std::vector<double>{0.0, 0.0}));
    QVERIFY(Seen->Messages.empty());
}

void DiagramWizardTest::intervalPageRefusesWhatItCannotUse_data() {
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::addColumn<QString>("points");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("pointsAfter");
    const auto row = [](const char* name, const char* left, const char* right, const char* points,
                        const std::string& warning, const char* focus, const char* pointsAfter) {
        QTest::newRow(name) << QString::fromUtf8(left) << QString::fromUtf8(right)
                            << QString::fromUtf8(points) << Q(warning) << QString::fromUtf8(focus)
                            << QString::fromUtf8(pointsAfter);
    };
    row("equal bounds", "1", "1", "15", BoundsOrder, "ERightBound", "15");
    row("4 points", "-1", "1", "4", PointsRange, "SEPoints", "5");
    row("1001 points", "-1", "1", "1001", PointsRange, "SEPoints", "5");
    row("left a word", "ноль", "1", "15", LeftNotReal, "ELeftBound", "15");
}

void DiagramWizardTest::intervalPageRefusesWhatItCannotUse() {
    QFETCH(QString, left);
    QFETCH(QString, right);
    QFETCH(QString, points);
    QFETCH(QString, warning);
    QFETCH(QString, focus);
    QFETCH(QString, pointsAfter);
    Person->Then("DiagramStep1"_q, Forward)
        .Then("DiagramStep2"_q,
              [&](QWidget* w) {
                  auto* page = static_cast<TDiagramStep2*>(w);
                  page->ELeftBound->setText(left);
                  page->ERightBound->setText(right);
                  page->SEPoints->SetText(points);
                  Forward(w);
                  QVERIFY(page->isVisible());
                  QCOMPARE(Warnings(), std::vector<std::string>{warning.toStdString()});
                  QCOMPARE(page->focusWidget(), page->findChild<QWidget*>(focus));
                  QCOMPARE(Fields(page), (QStringList{left, right, pointsAfter}));
                  // Put right, the page lets the person on.
                  page->ELeftBound->setText("-2"_q);
                  page->ERightBound->setText("3"_q);
                  page->SEPoints->SetText("1000"_q);
                  Forward(w);
              })
        .Then("DiagramStep3"_q, Forward);
    const std::optional<TDiagramAnswer> answer = Wizard->Run(ThreeFactors);
    CHECK_PERSON();
    QVERIFY(answer);
    QCOMPARE(answer->Start, -2.0);
    QCOMPARE(answer->End, 3.0);
    QCOMPARE(answer->Points, 1000);
    QCOMPARE(Warnings().size(), std::size_t{1});
}

void DiagramWizardTest::leavingAnIntervalFieldChecksIt() {
    Person->Then("DiagramStep1"_q, Forward).Then("DiagramStep2"_q, [&](QWidget* w) {
        auto* page = static_cast<TDiagramStep2*>(w);
        QVERIFY(QTest::qWaitForWindowActive(page));
        TypeOver(page->ELeftBound, "x"_q);
        QTest::keyClick(page->ELeftBound, Qt::Key_Tab);
        QCOMPARE(Warnings(), std::vector<std::string>{LeftNotReal});
        QCOMPARE(QApplication::focusWidget(), page->ELeftBound);
        TypeOver(page->ELeftBound, "-0,5"_q);
        QTest::keyClick(page->ELeftBound, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), page->ERightBound);
        TypeOver(page->SEPoints, "1001"_q);
        QTest::mouseClick(page->ERightBound, Qt::LeftButton);
        QCOMPARE(Warnings(), (std::vector<std::string>{LeftNotReal, PointsRange}));
        QCOMPARE(page->SEPoints->Text(), "5"_q);
        QCOMPARE(page->focusWidget(), page->SEPoints);
        // Nor is a field checked on the way to a button.
        TypeOver(page->ERightBound, "?"_q);
        Click(page->CancelButton);
    });
    QVERIFY(!Wizard->Run(ThreeFactors));
    CHECK_PERSON();
    QCOMPARE(Warnings().size(), std::size_t{2});
    // Cancelling left numbers in the fields.
    QCOMPARE(Fields(Wizard->Step2), (QStringList{"-0,5"_q, "0"_q, "5"_q}));
}

void DiagramWizardTest::intervalPageKeepsItsContents() {
    const auto typed = QStringList{"0,5"_q, "2"_q, "40"_q};
    Person->Then("DiagramStep1"_q, [](QWidget* w) { ChooseFactor(w, "Давление"_q); })
        .Then("DiagramStep2"_q,
              [](QWidget* w) {
                  auto* page = static_cast<TDiagramStep2*>(w);
                  TypeOver(page->ELeftBound, "0,5"_q);
                  TypeOver(page->ERightBound, "2"_q);
                  TypeOver(page->SEPoints, "40"_q);
                  Forward(w);
              })
        .Then("DiagramStep3"_q,
              [](QWidget* w) {
                  QCOMPARE(Texts(static_cast<TDiagramStep3*>(w)->LBFactors),
                           (QStringList{"Температура"_q, "Время"_q}));
                  Back(w);
              })
        .Then("DiagramStep2"_q,
              [&](QWidget* w) {
                  QCOMPARE(Fields(static_cast<TDiagramStep2*>(w)), typed);
                  Back(w);
              })
        .Then("DiagramStep1"_q,
              [](QWidget* w) {
                  // The list is filled anew, the first factor chosen.
                  auto* page = static_cast<TDiagramStep1*>(w);
                  QCOMPARE(page->LBFactors->count(), 3);
                  QCOMPARE(page->LBFactors->currentRow(), 0);
                  ChooseFactor(w, "Время"_q);
              })
        .Then("DiagramStep2"_q,
              [&](QWidget* w) {
                  QCOMPARE(Fields(static_cast<TDiagramStep2*>(w)), typed);
                  Forward(w);
              })
        .Then("DiagramStep3"_q, [](QWidget* w) {
            QCOMPARE(Texts(static_cast<TDiagramStep3*>(w)->LBFactors),
                     (QStringList{"Температура"_q, "Давление"_q}));
            Forward(w);
        });
    std::optional<TDiagramAnswer> answer = Wizard->Run(ThreeFactors);
    CHECK_PERSON();
    QCOMPARE(Person->Seen,
             (QStringList{"DiagramStep1"_q, "DiagramStep2"_q, "DiagramStep3"_q, "DiagramStep2"_q,
                          "DiagramStep1"_q, "DiagramStep2"_q, "DiagramStep3"_q}));
    QVERIFY(answer);
    QCOMPARE(answer->Factor, 2);
    QCOMPARE(answer->Start, 0.5);
    QCOMPARE(answer->End, 2.0);
    QCOMPARE(answer->Points, 40);

    // The next run finds the interval as it was left.
    Person->Then("DiagramStep1"_q, Forward)
        .Then("DiagramStep2"_q,
              [&](QWidget* w) {
                  QCOMPARE(Fields(static_cast<TDiagramStep2*>(w)), typed);
                  Forward(w);
              })
        .Then("DiagramStep3"_q, Forward);
    answer = Wizard->Run(ThreeFactors);
    CHECK_PERSON();
    QVERIFY(answer);
    QCOMPARE(answer->Factor, 0);
    QCOMPARE(answer->Start, 0.5);
    QCOMPARE(answer->End, 2.0);
    QCOMPARE(answer->Points, 40);
    QVERIFY(Seen->Messages.empty());
}

void DiagramWizardTest::oneFactorPlanHoldsNothingFixed() {
    // A level typed in an earlier run does not linger in the field.
    Person->Then("DiagramStep1"_q, Forward)
        .Then("DiagramStep2"_q, Forward)
        .Then("DiagramStep3"_q, [](QWidget* w) {
            auto* page = static_cast<TDiagramStep3*>(w);
            TypeOver(page->ELevel, "3"_q);
            Click(page->CancelButton);
        });
    QVERIFY(!Wizard->Run({"A", "B"}));
    Person->Then("DiagramStep1"_q, Forward)
        .Then("DiagramStep2"_q, Forward)
        .Then("DiagramStep3"_q, [](QWidget* w) {
            auto* page = static_cast<TDiagramStep3*>(w);
            QCOMPARE(Texts(page->LBFactors), QStringList{"(фиксированных факторов нет)"_q});
            QVERIFY(!page->LBFactors->isEnabled());
            QVERIFY(!page->ELevel->isEnabled());
            QVERIFY(page->ELevel->text().isEmpty());
            QCOMPARE(page->CurrentEntry(), -1);
            Forward(w);
        });
    const std::optional<TDiagramAnswer> answer = Wizard->Run({"Концентрация"});
    CHECK_PERSON();
    QVERIFY(answer);
    QCOMPARE(answer->Factor, 0);
    QCOMPARE(answer->Point, std::vector<double>{0.0});
    QVERIFY(Seen->Messages.empty());
}

void DiagramWizardTest::levelsComeBackAtTheirFactors() {
    Person->Then("DiagramStep1"_q, [](QWidget* w) { ChooseFactor(w, "Давление"_q); })
        .Then("DiagramStep2"_q, Forward)
        .Then("DiagramStep3"_q, [&](QWidget* w) {
            auto* page = static_cast<TDiagramStep3*>(w);
            QListWidget* list = page->LBFactors;
            QCOMPARE(page->CurrentEntry(), 0);
            TypeOver(page->ELevel, "0,25"_q);
            ClickItem(list, "Время"_q);
            QCOMPARE(page->ELevel->text(), "0"_q);
            TypeOver(page->ELevel, "0,333333333333333333"_q);
            ClickItem(list, "Температура"_q);
            QCOMPARE(page->ELevel->text(), "0,25"_q);
            ClickItem(list, "Время"_q);
            QCOMPARE(page->ELevel->text(), "0,333333333333333"_q);
            // A level that is not a number keeps its entry current.
            TypeOver(page->ELevel, "1.5"_q);
            ClickRow(list, 0);
            QCOMPARE(MessageTexts(TMessageKind::Error),
                     std::vector<std::string>{"\"1.5\" не является действительным числом."});
            QCOMPARE(page->CurrentEntry(), 1);
            QTRY_COMPARE(list->currentRow(), 1);
            QVERIFY(list->item(1)->isSelected());
            QVERIFY(!list->item(0)->isSelected());
            QCOMPARE(page->ELevel->text(), "1.5"_q);
            // Clicking into the field checks it; so does Forward.
            QTest::mouseClick(page->ELevel, Qt::LeftButton);
            QCOMPARE(Warnings(), std::vector<std::string>{LevelNotReal});
            QCOMPARE(page->focusWidget(), page->ELevel);
            Forward(w);
            QVERIFY(page->isVisible());
            QCOMPARE(Warnings(), (std::vector<std::string>{LevelNotReal, LevelNotReal}));
            TypeOver(page->ELevel, "-1,5"_q);
            Forward(w);
        });
    const std::optional<TDiagramAnswer> answer = Wizard->Run(ThreeFactors);
    CHECK_PERSON();
    QVERIFY(answer);
    QCOMPARE(answer->Factor, 1);
    QCOMPARE(answer->Point.size(), std::size_t{3});
    QCOMPARE(answer->Point[0], 0.25);
    QCOMPARE(answer->Point[1], 0.0);
    QCOMPARE(answer->Point[2], -1.5);
    QCOMPARE(Wizard->Step3->Levels, answer->Point);
}

void DiagramWizardTest::cancelOnEveryPage_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("factor page") << 1 << false;
    QTest::newRow("interval page") << 2 << false;
    QTest::newRow("levels page") << 3 << false;
    QTest::newRow("levels page, Esc") << 3 << true;
}

void DiagramWizardTest::cancelOnEveryPage() {
    QFETCH(int, page);
    QFETCH(bool, byEscape);
    const std::function<void(QWidget*)> cancel = [byEscape](QWidget* w) {
        auto* form = static_cast<TWizardTemplateForm*>(w);
        if (byEscape)
            QTest::keyClick(form->focusWidget(), Qt::Key_Escape);
        else
            Click(form->CancelButton);
    };
    Person->Then("DiagramStep1"_q, page == 1 ? cancel : std::function<void(QWidget*)>(Forward));
    if (page >= 2)
        Person->Then("DiagramStep2"_q, [&](QWidget* w) {
            auto* step = static_cast<TDiagramStep2*>(w);
            if (page > 2)
                return Forward(w);
            // Typed without leaving a field: that would check it.
            step->SEPoints->SetText("2000"_q);
            TypeOver(step->ELeftBound, "x"_q);
            cancel(w);
        });
    if (page == 3)
        Person->Then("DiagramStep3"_q, [&](QWidget* w) {
            TypeOver(static_cast<TDiagramStep3*>(w)->ELevel, "x"_q);
            cancel(w);
        });
    QVERIFY(!Wizard->Run(ThreeFactors));
    CHECK_PERSON();
    QCOMPARE(Person->Seen.size(), qsizetype(page));
    QVERIFY(Seen->Messages.empty());
    if (page == 2)
        QCOMPARE(Fields(Wizard->Step2), (QStringList{"0"_q, "1"_q, "5"_q}));
    if (page == 3)
        QCOMPARE(Wizard->Step3->ELevel->text(), "0"_q);
}

QTEST_MAIN(DiagramWizardTest)
#include "DiagramWizardTest.moc"
