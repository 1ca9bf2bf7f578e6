// The surface wizard as a person goes through it: the two factor lists that
// never offer the same factor, the answer for what was chosen and typed, the
// checks of the interval page, the levels page it shares with the diagram
// wizard, and what stays in the pages between runs.
#include "dialogs/SurfaceWizard.h"

#include "dialogs/DiagramStep3.h"
#include "dialogs/DiagramWizard.h"
#include "dialogs/SurfaceStep1.h"
#include "dialogs/SurfaceStep2.h"
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

const std::string FirstOrder = "Первая правая граница должна быть больше левой.";
const std::string SecondOrder = "Вторая правая граница должна быть больше левой.";
const std::string PointsRange = "Поле \"Точек разбиения\" должно содержать\nчисло от 3 до 1000.";
const std::string RightNotReal = "Поле \"Правая граница\" должно содержать действительное число.";

const std::vector<std::string> TwoFactors{"Температура", "Давление"};
const std::vector<std::string> ThreeFactors{"Температура", "Давление", "Время"};
const std::vector<std::string> FourFactors{"A", "B", "C", "D"};

void Forward(QWidget* w) {
    Click(static_cast<TWizardTemplateForm*>(w)->ForwardButton);
}

void Back(QWidget* w) {
    Click(static_cast<TWizardTemplateForm*>(w)->BackwardButton);
}

QStringList Fields(const TSurfaceStep2* page) {
    return {page->EFirstLeft->text(),  page->EFirstRight->text(),  page->SEFirstPoints->Text(),
            page->ESecondLeft->text(), page->ESecondRight->text(), page->SESecondPoints->Text()};
}

void SetFields(TSurfaceStep2* page, const QStringList& texts) {
    page->EFirstLeft->setText(texts[0]);
    page->EFirstRight->setText(texts[1]);
    page->SEFirstPoints->SetText(texts[2]);
    page->ESecondLeft->setText(texts[3]);
    page->ESecondRight->setText(texts[4]);
    page->SESecondPoints->SetText(texts[5]);
}

const QStringList Defaults{"-1"_q, "1"_q, "10"_q, "-1"_q, "1"_q, "10"_q};

} // namespace

// The person met the pages they expected, and no other.
#define CHECK_PERSON()                                                                             \
    do {                                                                                           \
        QVERIFY2(Person->Failure.isEmpty(), qPrintable(Person->Failure));                          \
        QVERIFY2(Person->Acts.empty(), "a page the person expected did not come");                 \
    } while (false)

class SurfaceWizardTest : public QObject {
    Q_OBJECT

    // The levels page belongs to the diagram wizard, as in the program.
    std::unique_ptr<TDiagramWizard> Diagram;
    std::unique_ptr<TSurfaceWizard> Wizard;
    std::unique_ptr<TSeenMessages> Seen;
    std::unique_ptr<TMessageHostScope> Scope;
    std::unique_ptr<TPerson> Person;

    std::vector<std::string> Warnings() const {
        std::vector<std::string> texts;
        for (const auto& [kind, text] : Seen->Messages)
            if (kind == TMessageKind::Warning)
                texts.push_back(text);
        return texts;
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    void init();
    void cleanup();
    void defaultsDrawTheFirstTwoFactors();
    void eachListLeavesOutTheOthersChoice();
    void intervalPageRefusesWhatItCannotUse_data();
    void intervalPageRefusesWhatItCannotUse();
    void leavingAFieldChecksIt();
    void threeFactorPlanHoldsOneFactor();
    void contentsAreKeptBetweenRuns();
    void cancelOnEveryPage_data();
    void cancelOnEveryPage();
};

void SurfaceWizardTest::init() {
    SetDecimalSeparator(',');
    Diagram = std::make_unique<TDiagramWizard>(nullptr);
    Wizard = std::make_unique<TSurfaceWizard>(nullptr, *Diagram->Step3);
    Seen = std::make_unique<TSeenMessages>();
    Scope = std::make_unique<TMessageHostScope>(*Seen);
    Person = std::make_unique<TPerson>();
}

void SurfaceWizardTest::cleanup() {
    Person.reset();
    Scope.reset();
    Wizard.reset();
    Diagram.reset();
    SetDecimalSeparator('.');
}

void SurfaceWizardTest::defaultsDrawTheFirstTwoFactors() {
    Person
        ->Then("SurfaceStep1"_q,
               [](QWidget* w) {
                   auto* page = static_cast<TSurfaceStep1*>(w);
                   QCOMPARE(page->windowTitle(),
                            "Подготовка данных для пространственного графика: шаг 1 из 3"_q);
                   QVERIFY(!page->BackwardButton->isVisible());
                   QCOMPARE(Texts(page->LBFirstFactor), QStringList{"Температура"_q});
                   QCOMPARE(Texts(page->LBSecondFactor), QStringList{"Давление"_q});
                   QVERIFY(page->LBFirstFactor->item(0)->isSelected());
                   QVERIFY(page->LBSecondFactor->item(0)->isSelected());
                   Forward(w);
               })
        .Then("SurfaceStep2"_q,
              [](QWidget* w) {
                  auto* page = static_cast<TSurfaceStep2*>(w);
                  QCOMPARE(page->windowTitle(),
                           "Подготовка данных для пространственного графика: шаг 2 из 3"_q);
                  QCOMPARE(Fields(page), Defaults);
                  Forward(w);
              })
        .Then("DiagramStep3"_q, [](QWidget* w) {
            auto* page = static_cast<TDiagramStep3*>(w);
            QCOMPARE(Texts(page->LBFactors), QStringList{"(фиксированных факторов нет)"_q});
            QVERIFY(!page->LBFactors->isEnabled());
            QVERIFY(!page->ELevel->isEnabled());
            Forward(w);
        });
    const std::optional<TSurfaceAnswer> answer = Wizard->Run(TwoFactors);
    CHECK_PERSON();
    QVERIFY(answer);
    QCOMPARE(answer->FactorX, 0);
    QCOMPARE(answer->FactorY, 1);
    QCOMPARE(answer->XStart, -1.0);
    QCOMPARE(answer->XEnd, 1.0);
    QCOMPARE(answer->XPoints, 10);
    QCOMPARE(answer->YStart, -1.0);
    QCOMPARE(answer->YEnd, 1.0);
    QCOMPARE(answer->YPoints, 10);
    QCOMPARE(answer->Point, (std::vector<double>{0.0, 0.0}));
    QVERIFY(Seen->Messages.empty());
}

void SurfaceWizardTest::eachListLeavesOutTheOthersChoice() {
    Person->Then("SurfaceStep1"_q, [](QWidget* w) {
        auto* page = static_cast<TSurfaceStep1*>(w);
        QListWidget* first = page->LBFirstFactor;
        QListWidget* second = page->LBSecondFactor;
        QCOMPARE(Texts(first), (QStringList{"A"_q, "C"_q, "D"_q}));
        QCOMPARE(Texts(second), (QStringList{"B"_q, "C"_q, "D"_q}));
        // Factor 2 chosen in list 1 is gone from list 2, which keeps B.
        ClickItem(first, "C"_q);
        QCOMPARE(Texts(second), (QStringList{"A"_q, "B"_q, "D"_q}));
        QCOMPARE(second->currentItem()->text(), "B"_q);
        QCOMPARE(page->FirstFactor, 2);
        QCOMPARE(page->SecondFactor, 1);
        // A, free again, is taken in list 2; list 1 then cannot offer it.
        ClickItem(second, "A"_q);
        QCOMPARE(Texts(first), (QStringList{"B"_q, "C"_q, "D"_q}));
        QCOMPARE(first->currentItem()->text(), "C"_q);
        // Back to A in list 1 is impossible; D instead, and list 2 has no D.
        QVERIFY(first->findItems("A"_q, Qt::MatchExactly).isEmpty());
        ClickItem(first, "D"_q);
        QCOMPARE(Texts(second), (QStringList{"A"_q, "B"_q, "C"_q}));
        QCOMPARE(second->currentItem()->text(), "A"_q);
        Forward(w);
    });
    Person->Then("SurfaceStep2"_q, Forward).Then("DiagramStep3"_q, [](QWidget* w) {
        auto* page = static_cast<TDiagramStep3*>(w);
        QCOMPARE(page->FirstExcluded, 3);
        QCOMPARE(page->SecondExcluded, 0);
        QCOMPARE(Texts(page->LBFactors), (QStringList{"B"_q, "C"_q}));
        Forward(w);
    });
    const std::optional<TSurfaceAnswer> answer = Wizard->Run(FourFactors);
    CHECK_PERSON();
    QVERIFY(answer);
    QCOMPARE(answer->FactorX, 3);
    QCOMPARE(answer->FactorY, 0);

    // The next showing starts from the first two factors again.
    Person->Then("SurfaceStep1"_q, [](QWidget* w) {
        auto* page = static_cast<TSurfaceStep1*>(w);
        QCOMPARE(page->FirstFactor, 0);
        QCOMPARE(page->SecondFactor, 1);
        QCOMPARE(Texts(page->LBSecondFactor), (QStringList{"B"_q, "C"_q, "D"_q}));
        QCOMPARE(page->LBSecondFactor->currentRow(), 0);
        Click(page->CancelButton);
    });
    QVERIFY(!Wizard->Run(FourFactors));
    CHECK_PERSON();
}

void SurfaceWizardTest::intervalPageRefusesWhatItCannotUse_data() {
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QStringList>("after");
    const auto row = [](const char* name, const QStringList& typed, const std::string& warning,
                        const char* focus, const QStringList& after) {
        QTest::newRow(name) << typed << Q(warning) << QString::fromLatin1(focus) << after;
    };
    const QStringList firstEmpty{"1"_q, "1"_q, "10"_q, "-1"_q, "1"_q, "10"_q};
    row("first 1 and 1", firstEmpty, FirstOrder, "EFirstRight", firstEmpty);
    const QStringList secondEmpty{"0"_q, "1"_q, "10"_q, "0,5"_q, "0,5"_q, "10"_q};
    row("second empty width", secondEmpty, SecondOrder, "ESecondRight", secondEmpty);
    row("2 points", {"-1"_q, "1"_q, "2"_q, "-1"_q, "1"_q, "10"_q}, PointsRange, "SEFirstPoints",
        {"-1"_q, "1"_q, "3"_q, "-1"_q, "1"_q, "10"_q});
}

void SurfaceWizardTest::intervalPageRefusesWhatItCannotUse() {
    QFETCH(QStringList, typed);
    QFETCH(QString, warning);
    QFETCH(QString, focus);
    QFETCH(QStringList, after);
    Person->Then("SurfaceStep1"_q, Forward)
        .Then("SurfaceStep2"_q,
              [&](QWidget* w) {
                  auto* page = static_cast<TSurfaceStep2*>(w);
                  SetFields(page, typed);
                  Forward(w);
                  QVERIFY(page->isVisible());
                  QCOMPARE(Warnings(), std::vector<std::string>{warning.toStdString()});
                  QCOMPARE(page->focusWidget(), page->findChild<QWidget*>(focus));
                  QCOMPARE(Fields(page), after);
                  // Put right, the page lets the person on.
                  SetFields(page, {"-2"_q, "3"_q, "1000"_q, "0,5"_q, "0,75"_q, "3"_q});
                  QTest::keyClick(page->focusWidget(), Qt::Key_Return);
              })
        .Then("DiagramStep3"_q, Forward);
    const std::optional<TSurfaceAnswer> answer = Wizard->Run(ThreeFactors);
    CHECK_PERSON();
    QVERIFY(answer);
    QCOMPARE(answer->XStart, -2.0);
    QCOMPARE(answer->XEnd, 3.0);
    QCOMPARE(answer->XPoints, 1000);
    QCOMPARE(answer->YStart, 0.5);
    QCOMPARE(answer->YEnd, 0.75);
    QCOMPARE(answer->YPoints, 3);
    QCOMPARE(Warnings().size(), std::size_t{1});
}

void SurfaceWizardTest::leavingAFieldChecksIt() {
    Person->Then("SurfaceStep1"_q, Forward).Then("SurfaceStep2"_q, [&](QWidget* w) {
        auto* page = static_cast<TSurfaceStep2*>(w);
        QVERIFY(QTest::qWaitForWindowActive(page));
        TypeOver(page->EFirstRight, "x"_q);
        QTest::keyClick(page->EFirstRight, Qt::Key_Tab);
        QCOMPARE(Warnings(), std::vector<std::string>{RightNotReal});
        QCOMPARE(QApplication::focusWidget(), page->EFirstRight);
        TypeOver(page->EFirstRight, "2"_q);
        TypeOver(page->SESecondPoints, "2"_q);
        QTest::mouseClick(page->ESecondLeft, Qt::LeftButton);
        QCOMPARE(Warnings(), (std::vector<std::string>{RightNotReal, PointsRange}));
        QCOMPARE(page->SESecondPoints->Text(), "3"_q);
        QCOMPARE(page->focusWidget(), page->SESecondPoints);
        // Nor is a field checked on the way to a button; Back leaves it.
        TypeOver(page->ESecondLeft, "?"_q);
        Back(w);
    });
    Person->Then("SurfaceStep1"_q, Forward).Then("SurfaceStep2"_q, [](QWidget* w) {
        QCOMPARE(Fields(static_cast<TSurfaceStep2*>(w)),
                 (QStringList{"-1"_q, "2"_q, "10"_q, "?"_q, "1"_q, "3"_q}));
        Click(static_cast<TSurfaceStep2*>(w)->CancelButton);
    });
    QVERIFY(!Wizard->Run(ThreeFactors));
    CHECK_PERSON();
    QCOMPARE(Warnings().size(), std::size_t{2});
    // Cancelling left numbers in the fields.
    QCOMPARE(Fields(Wizard->Step2), (QStringList{"-1"_q, "2"_q, "10"_q, "0"_q, "1"_q, "3"_q}));
}

void SurfaceWizardTest::threeFactorPlanHoldsOneFactor() {
    Person
        ->Then("SurfaceStep1"_q,
               [](QWidget* w) {
                   ClickItem(static_cast<TSurfaceStep1*>(w)->LBSecondFactor, "Время"_q);
                   Forward(w);
               })
        .Then("SurfaceStep2"_q, Forward)
        .Then("DiagramStep3"_q, [](QWidget* w) {
            auto* page = static_cast<TDiagramStep3*>(w);
            QCOMPARE(Texts(page->LBFactors), QStringList{"Давление"_q});
            QVERIFY(page->ELevel->isEnabled());
            TypeOver(page->ELevel, "-0,5"_q);
            Forward(w);
        });
    const std::optional<TSurfaceAnswer> answer = Wizard->Run(ThreeFactors);
    CHECK_PERSON();
    QVERIFY(answer);
    QCOMPARE(answer->FactorX, 0);
    QCOMPARE(answer->FactorY, 2);
    QCOMPARE(answer->Point, (std::vector<double>{0.0, -0.5, 0.0}));
}

void SurfaceWizardTest::contentsAreKeptBetweenRuns() {
    const QStringList typed{"0,5"_q, "2"_q, "40"_q, "-3"_q, "-1"_q, "7"_q};
    Person->Then("SurfaceStep1"_q, Forward)
        .Then("SurfaceStep2"_q,
              [&](QWidget* w) {
                  SetFields(static_cast<TSurfaceStep2*>(w), typed);
                  Forward(w);
              })
        .Then("DiagramStep3"_q, Back)
        .Then("SurfaceStep2"_q,
              [&](QWidget* w) {
                  QCOMPARE(Fields(static_cast<TSurfaceStep2*>(w)), typed);
                  Forward(w);
              })
        .Then("DiagramStep3"_q, Forward);
    QVERIFY(Wizard->Run(ThreeFactors));
    CHECK_PERSON();

    // The diagram wizard in between uses the shared levels page.
    Person->Then("DiagramStep1"_q, Forward)
        .Then("DiagramStep2"_q, Forward)
        .Then("DiagramStep3"_q, Forward);
    QVERIFY(Diagram->Run(TwoFactors));
    CHECK_PERSON();

    Person->Then("SurfaceStep1"_q, Forward)
        .Then("SurfaceStep2"_q,
              [&](QWidget* w) {
                  QCOMPARE(Fields(static_cast<TSurfaceStep2*>(w)), typed);
                  Forward(w);
              })
        .Then("DiagramStep3"_q, [](QWidget* w) {
            QCOMPARE(Texts(static_cast<TDiagramStep3*>(w)->LBFactors), QStringList{"Время"_q});
            Forward(w);
        });
    const std::optional<TSurfaceAnswer> answer = Wizard->Run(ThreeFactors);
    CHECK_PERSON();
    QVERIFY(answer);
    QCOMPARE(answer->XStart, 0.5);
    QCOMPARE(answer->XEnd, 2.0);
    QCOMPARE(answer->XPoints, 40);
    QCOMPARE(answer->YStart, -3.0);
    QCOMPARE(answer->YEnd, -1.0);
    QCOMPARE(answer->YPoints, 7);
    QVERIFY(Seen->Messages.empty());
}

void SurfaceWizardTest::cancelOnEveryPage_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("factor page") << 1 << false;
    QTest::newRow("interval page") << 2 << false;
    QTest::newRow("interval page, Esc") << 2 << true;
    QTest::newRow("levels page") << 3 << false;
}

void SurfaceWizardTest::cancelOnEveryPage() {
    QFETCH(int, page);
    QFETCH(bool, byEscape);
    const std::function<void(QWidget*)> cancel = [byEscape](QWidget* w) {
        auto* form = static_cast<TWizardTemplateForm*>(w);
        if (byEscape)
            QTest::keyClick(form->focusWidget(), Qt::Key_Escape);
        else
            Click(form->CancelButton);
    };
    Person->Then("SurfaceStep1"_q, page == 1 ? cancel : std::function<void(QWidget*)>(Forward));
    if (page >= 2)
        Person->Then("SurfaceStep2"_q, [&](QWidget* w) {
            if (page > 2)
                return Forward(w);
            // Typed without leaving a field: that would check it.
            SetFields(static_cast<TSurfaceStep2*>(w), {"x"_q, "1"_q, "2"_q, "-1"_q, ""_q, "abc"_q});
            cancel(w);
        });
    if (page == 3)
        Person->Then("DiagramStep3"_q, cancel);
    QVERIFY(!Wizard->Run(ThreeFactors));
    CHECK_PERSON();
    QCOMPARE(Person->Seen.size(), qsizetype(page));
    QVERIFY(Seen->Messages.empty());
    if (page == 2)
        QCOMPARE(Fields(Wizard->Step2), (QStringList{"0"_q, "1"_q, "3"_q, "-1"_q, "0"_q, "3"_q}));
}

QTEST_MAIN(SurfaceWizardTest)
#include "SurfaceWizardTest.moc"
