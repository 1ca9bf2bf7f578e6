// The new-plan wizard as a person goes through it: every kind of plan made
// with its windows comes out as the batch tool makes it from the same
// answers, and the steps lead, refuse and warn as they should.
#include "dialogs/NewPlanWizard.h"

#include "dialogs/BadAddensForm.h"
#include "dialogs/NewDialog.h"
#include "dialogs/StepFourForm.h"
#include "dialogs/StepOneForm.h"
#include "dialogs/StepThreeForm.h"
#include "dialogs/StepTwoForm.h"
#include "dialogs/StepTwoForm_A.h"
#include "dialogs/WizardSpinEdit.h"
#include "numeric/FileStream.h"
#include "numeric/NumberText.h"
#include "plan/PlanFile.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "services/MathDefinition.h"
#include "services/PlanService.h"

#include "DialogScript.h"
#include "FakeMath.h"
#include "ModalPerson.h"
#include "ScriptedHost.h"
#include "TempFolder.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

#include <cmath>
#include <deque>
#include <sstream>

using namespace orvanta;
using namespace orvanta::test;

namespace {

// ---- Plans compared ----

// What makes two new plans the same plan.
struct TPlanShape {
    int Kind = -1;
    int K = 0;
    int N = 0;
    std::vector<double> Code;
    std::string Generator;
    std::string Model;
    std::vector<std::string> Terms;
    int TermCount = 0;
};

TPlanShape ShapeOf(const TRaruRuro& plan) {
    TPlanShape shape;
    shape.Kind = plan.PlanKind;
    shape.K = plan.FactorCount;
    shape.N = plan.RunCount;
    for (std::int32_t i = 0; i < plan.CodeMatrix.RowCount(); ++i)
        for (std::int32_t j = 0; j < plan.CodeMatrix.ColCount(); ++j)
            shape.Code.push_back(plan.CodeMatrix.Get(i, j));
    shape.Generator = plan.Generator ? plan.Generator->GetName() : "";
    shape.Model = plan.Model ? plan.Model->GetName() : "";
    if (plan.Model)
        for (std::int32_t j = 0; j < plan.Model->AddenCount(); ++j)
            shape.Terms.push_back(plan.Model->GetAdden(j)->GetName());
    for (const TAdden* adden : plan.Addens)
        shape.Terms.push_back(adden->GetName());
    shape.TermCount = plan.TermCount();
    return shape;
}

std::string Describe(const TPlanShape& s) {
    std::ostringstream out;
    out << "kind " << s.Kind << ", k " << s.K << ", N " << s.N << ", generator \"" << s.Generator
        << "\", model \"" << s.Model << "\", p " << s.TermCount << ", terms";
    for (const std::string& term : s.Terms)
        out << ' ' << term;
    out << ", code";
    for (double v : s.Code)
        out << ' ' << v;
    return out.str();
}

bool SamePlan(const TPlanShape& a, const TPlanShape& b) {
    if (a.Kind != b.Kind || a.K != b.K || a.N != b.N || a.Generator != b.Generator ||
        a.Model != b.Model || a.Terms != b.Terms || a.TermCount != b.TermCount ||
        a.Code.size() != b.Code.size())
        return false;
    for (std::size_t i = 0; i < a.Code.size(); ++i)
        if (std::abs(a.Code[i] - b.Code[i]) > 1e-12)
            return false;
    return true;
}

// The plan host of the tests: the wizard's windows answer for the person.
class TWizardHost : public test::TScriptedHost {
public:
    TNewPlanWizard* Wizard = nullptr;
    const TMathCatalog* Catalog = nullptr;

    std::optional<TNewPlanAnswers> RunNewPlanWizard() override { return Wizard->Run(*Catalog); }
    std::optional<TBuiltinPlanAnswer> RunBuiltinPlanDialog() override {
        return Wizard->RunBuiltin();
    }
};

TMathDefinition& StandardModule() {
    static TMathDefinition registry;
    if (registry.ModuleCount() == 0)
        registry.LoadFolder(std::string(ORVAN_BIN_DIR) + "/Models");
    return registry;
}

const std::string FFE23 = "Полный факторный эксперимент 2^3";
const std::string ThreeLevel32 = "Трехуровневый факторный план 3^2";
const std::string Quadratic2 = "Полная квадратичная модель, k = 2";

} // namespace

class NewPlanWizardTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TNewPlanWizard> Wizard;
    std::unique_ptr<TWizardHost> Host;
    std::unique_ptr<TRaruRuro> Plan;
    std::unique_ptr<TPlanService> Service;
    std::unique_ptr<TPerson> Person;

    // Runs the new-plan command while the person acts; true when a plan
    // was made.
    bool NewPlan() { return Service->NewPlan(); }
    // The plan the batch tool writes for these options, as read back.
    TPlanShape BatchPlan(const QStringList& options);
    std::vector<std::string> Warnings() const { return Host->MessageTexts(); }

    // Step acts used by several tests.
    static void ChooseType(QWidget* w, const char* radio) {
        auto* step = static_cast<TStepOneForm*>(w);
        Click(step->findChild<QRadioButton*>(QString::fromLatin1(radio)));
        Click(step->ForwardButton);
    }
    static void CustomSize(QWidget* w, const QString& k, const QString& n) {
        auto* step = static_cast<TStepTwoForm_A*>(w);
        TypeOver(step->KEdit, k);
        TypeOver(step->NEdit, n);
        Click(step->ForwardButton);
    }
    static void NoReadyModel(QWidget* w) {
        auto* step = static_cast<TStepThreeForm*>(w);
        if (step->CBUseDefaultModel->isChecked())
            Click(step->CBUseDefaultModel);
        QCOMPARE(step->ForwardButton->text(), QStringLiteral("Далее >>"));
        QVERIFY(!step->LBModels->isEnabled());
        Click(step->ForwardButton);
    }

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void builtinPlansMatchTheBatchTool_data();
    void builtinPlansMatchTheBatchTool();
    void generatorWithItsDefaultModel();
    void generatorWithAChosenModel();
    void customPlanWithTermsPickedOneByOne();
    void dOptimalButtonFillsTheCodeMatrix();
    void generatorWithoutDefaultModelLeadsToStepThree();
    void backFromStepThree_data();
    void backFromStepThree();
    void escapeInStepFourCancelsTheWizard();
    void stepThreeWantsAModelChosen();
    void unassignedTermsShowTheBadAddensDialog();
    void stepFourOffersNoMoreTermsThanRuns_data();
    void stepFourOffersNoMoreTermsThanRuns();
    void stepTwoAChecksItsFields();
    void builtinDialogChecksTheFactorCount();
    void restrictLeavesOnlyTheAllowedChoices();
    void answersStayForTheNextRun();
};

void NewPlanWizardTest::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QVERIFY2(StandardModule().GenCount() > 0, "the standard module did not load");
    QVERIFY2(QFileInfo::exists(QStringLiteral(ORVAN_BIN_DIR "/orvan")),
             "the batch tool build/bin/orvan is needed to compare plans");
}

void NewPlanWizardTest::init() {
    SetDecimalSeparator('.');
    Settings().CBAlsoCreateY = false;
    Wizard = std::make_unique<TNewPlanWizard>(nullptr);
    Host = std::make_unique<TWizardHost>();
    Host->Wizard = Wizard.get();
    Host->Catalog = &StandardModule();
    Plan = std::make_unique<TRaruRuro>(*Host);
    Plan->SetMathCatalog(&StandardModule());
    Service = std::make_unique<TPlanService>(*Plan);
    Person = std::make_unique<TPerson>();
}

void NewPlanWizardTest::cleanup() {
    Person.reset();
    Service.reset();
    Plan.reset();
    Host.reset();
    Wizard.reset();
    Settings().SetDefaults();
}

TPlanShape NewPlanWizardTest::BatchPlan(const QStringList& options) {
    test::TTempFolder folder("orvan-wizard");
    const std::string path = folder.File("plan.mpl");
    QProcess batch;
    batch.start(QStringLiteral(ORVAN_BIN_DIR "/orvan"),
                QStringList{QStringLiteral("new")} + options +
                    QStringList{QStringLiteral("--repeats"), QStringLiteral("2"),
                                QStringLiteral("-o"), Q(path)});
    [&] {
        QVERIFY(batch.waitForFinished(30000));
        QVERIFY2(batch.exitCode() == 0, batch.readAllStandardError().constData());
    }();
    // Read back through the plan file reader, with the same modules.
    test::TScriptedHost readerHost;
    TRaruRuro written(readerHost);
    written.SetMathCatalog(&StandardModule());
    TFileStream stream(path);
    [&] { QVERIFY2(ReadPlan(stream, written), "the batch tool's plan does not read"); }();
    return ShapeOf(written);
}

// The person met the windows they expected, and no other.
#define CHECK_PERSON()                                                                             \
    do {                                                                                           \
        QVERIFY2(Person->Failure.isEmpty(), qPrintable(Person->Failure));                          \
        QVERIFY2(Person->Acts.empty(), "a window the person expected did not come");               \
    } while (false)

// Nothing went wrong on the way: no message box came up.
#define NO_MESSAGES()                                                                              \
    QVERIFY2(Warnings().empty(), Warnings().empty() ? "" : Warnings().front().c_str())

#define COMPARE_PLANS(made, batch)                                                                 \
    QVERIFY2(SamePlan(made, batch),                                                                \
             qPrintable(Q("wizard: " + Describe(made) + "\nbatch:  " + Describe(batch))))

void NewPlanWizardTest::builtinPlansMatchTheBatchTool_data() {
    QTest::addColumn<QString>("kindButton");
    QTest::addColumn<QString>("kindOption");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("runs");
    QTest::newRow("FFE, k = 2") << "FFEButton"
                                << "ffe" << 2 << 4;
    QTest::newRow("CCO, k = 3") << "CCOButton"
                                << "cco" << 3 << 15;
    QTest::newRow("CCR, k = 4") << "CCRButton"
                                << "ccr" << 4 << 25;
}

void NewPlanWizardTest::builtinPlansMatchTheBatchTool() {
    QFETCH(QString, kindButton);
    QFETCH(QString, kindOption);
    QFETCH(int, k);
    QFETCH(int, runs);
    Person->Then("StepOneForm"_q, [](QWidget* w) { ChooseType(w, "RBOld"); })
        .Then("NewDialog"_q, [&](QWidget* w) {
            auto* dialog = static_cast<TNewDialog*>(w);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Создать план"));
            Click(dialog->findChild<QRadioButton*>(kindButton));
            TypeOver(dialog->EDegree, QString::number(k));
            Click(dialog->OKButton);
        });
    QVERIFY(NewPlan());
    CHECK_PERSON();
    QCOMPARE(Plan->RunCount, runs);
    const TPlanShape made = ShapeOf(*Plan);
    const TPlanShape batch = BatchPlan(
        {QStringLiteral("--builtin"), kindOption, QStringLiteral("--factors"), QString::number(k)});
    COMPARE_PLANS(made, batch);
    NO_MESSAGES();
    QCOMPARE(Person->Seen, (QStringList{"StepOneForm"_q, "NewDialog"_q}));
}

void NewPlanWizardTest::generatorWithItsDefaultModel() {
    Person->Then("StepOneForm"_q, [](QWidget* w) { ChooseType(w, "RBFromGen"); })
        .Then("StepTwoForm"_q, [](QWidget* w) {
            auto* step = static_cast<TStepTwoForm*>(w);
            // The first plan is selected on show, with its model.
            QCOMPARE(step->LBPlans->currentRow(), 0);
            QCOMPARE(step->EModel->text(),
                     QStringLiteral("Линейная модель с парными взаимодействиями, k = 2"));
            ClickItem(step->LBPlans, Q(FFE23));
            QCOMPARE(step->EModel->text(),
                     QStringLiteral("Линейная модель с парными взаимодействиями, k = 3"));
            QVERIFY(step->CBUseDefaultModel->isChecked());
            QCOMPARE(step->ForwardButton->text(), QStringLiteral("Готово"));
            // Ctrl + "." goes forward, as the button does.
            QTest::keyClick(step->LBPlans, Qt::Key_Period, Qt::ControlModifier);
        });
    QVERIFY(NewPlan());
    CHECK_PERSON();
    const TPlanShape made = ShapeOf(*Plan);
    QCOMPARE(made.N, 8);
    COMPARE_PLANS(made, BatchPlan({QStringLiteral("--generator"), Q(FFE23)}));
    NO_MESSAGES();
}

void NewPlanWizardTest::generatorWithAChosenModel() {
    Person->Then("StepOneForm"_q, [](QWidget* w) { ChooseType(w, "RBFromGen"); })
        .Then("StepTwoForm"_q,
              [](QWidget* w) {
                  auto* step = static_cast<TStepTwoForm*>(w);
                  ClickItem(step->LBPlans, Q(ThreeLevel32));
                  Click(step->CBUseDefaultModel);
                  QCOMPARE(step->ForwardButton->text(), QStringLiteral("Далее >>"));
                  Click(step->ForwardButton);
              })
        .Then("StepThreeForm"_q, [](QWidget* w) {
            auto* step = static_cast<TStepThreeForm*>(w);
            // k = 2 and N = 9: the models for two factors with at most 9 terms.
            QCOMPARE(Texts(step->LBModels),
                     (QStringList{"Линейная модель, k = 2"_q,
                                  "Линейная модель с парными взаимодействиями, k = 2"_q,
                                  "Полная квадратичная модель, k = 2"_q}));
            QVERIFY(step->LBModels->selectedItems().isEmpty());
            QVERIFY(step->CBUseDefaultModel->isChecked());
            QCOMPARE(step->ForwardButton->text(), QStringLiteral("Готово"));
            ClickItem(step->LBModels, Q(Quadratic2));
            Click(step->ForwardButton);
        });
    QVERIFY(NewPlan());
    CHECK_PERSON();
    const TPlanShape made = ShapeOf(*Plan);
    QCOMPARE(made.Model, Quadratic2);
    COMPARE_PLANS(made, BatchPlan({QStringLiteral("--generator"), Q(ThreeLevel32),
                                   QStringLiteral("--model"), Q(Quadratic2)}));
    NO_MESSAGES();
}

void NewPlanWizardTest::customPlanWithTermsPickedOneByOne() {
    // Terms by their shown texts, and where they go.
    const std::vector<std::pair<QString, QString>> picks{
        {"4"_q, "x1·x2"_q}, {"1"_q, "1"_q}, {"3"_q, "x2"_q}, {"2"_q, "x1"_q}, {"5"_q, "x1^2"_q}};
    Person->Then("StepOneForm"_q, [](QWidget* w) { ChooseType(w, "RBCustom"); })
        .Then("StepTwoForm_A"_q, [](QWidget* w) { CustomSize(w, "2"_q, "6"_q); })
        .Then("StepThreeForm"_q, [](QWidget* w) { NoReadyModel(w); })
        .Then("StepFourForm"_q, [&](QWidget* w) {
            auto* step = static_cast<TStepFourForm*>(w);
            QCOMPARE(step->SEnAddens->Maximum(), 6);
            TypeOver(step->SEnAddens, QStringLiteral("5"));
            QCOMPARE(step->SEIndex->Maximum(), 5);
            // Only addens of at most two factors are offered.
            QVERIFY(step->LBFunctions->findItems(QStringLiteral("x3"), Qt::MatchExactly).isEmpty());
            for (const auto& [position, text] : picks) {
                TypeOver(step->SEIndex, position);
                ClickItem(step->LBFunctions, text);
            }
            QCOMPARE(step->EAdden->text(), QStringLiteral("x1^2"));
            // Back at a position, its function is selected again.
            TypeOver(step->SEIndex, QStringLiteral("4"));
            QCOMPARE(step->LBFunctions->currentItem()->text(), QStringLiteral("x1·x2"));
            Click(step->ForwardButton);
        });
    QVERIFY(NewPlan());
    CHECK_PERSON();
    const TPlanShape made = ShapeOf(*Plan);
    QCOMPARE(made.Terms, (std::vector<std::string>{"1", "x1", "x2", "x1*x2", "x1^2"}));
    COMPARE_PLANS(made,
                  BatchPlan({QStringLiteral("--custom"), QStringLiteral("--factors"),
                             QStringLiteral("2"), QStringLiteral("--runs"), QStringLiteral("6"),
                             QStringLiteral("--addens"), QStringLiteral("1,x1,x2,x1*x2,x1^2")}));
    NO_MESSAGES();
}

void NewPlanWizardTest::dOptimalButtonFillsTheCodeMatrix() {
    const QStringList terms{"1"_q, "x1"_q, "x2"_q, "x1·x2"_q, "x1^2"_q, "x2^2"_q};
    Person->Then("StepOneForm"_q, [](QWidget* w) { ChooseType(w, "RBCustom"); })
        .Then("StepTwoForm_A"_q, [](QWidget* w) { CustomSize(w, "2"_q, "9"_q); })
        .Then("StepThreeForm"_q, [](QWidget* w) { NoReadyModel(w); })
        .Then("StepFourForm"_q, [&](QWidget* w) {
            auto* step = static_cast<TStepFourForm*>(w);
            TypeOver(step->SEnAddens, QStringLiteral("6"));
            const auto pick = [&](int position, const QString& text) {
                TypeOver(step->SEIndex, QString::number(position));
                ClickItem(step->LBFunctions, text);
            };
            for (int i = 0; i < terms.size(); ++i)
                pick(i + 1, terms[i]);
            Click(step->DOptimalButton);
            // The 3^2 factorial's efficiency: it is the D-optimal plan here.
            QVERIFY2(step->DOptimalInfo->text().contains(
                         QRegularExpression(QStringLiteral("D-эффективность 46[.,]22 %"))),
                     qPrintable(step->DOptimalInfo->text()));
            // A plan built for other terms is not kept.
            pick(6, "x1"_q);
            QVERIFY(step->DOptimalRuns().empty());
            QVERIFY(step->DOptimalInfo->text().isEmpty());
            pick(6, "x2^2"_q);
            Click(step->DOptimalButton);
            Click(step->ForwardButton);
        });
    QVERIFY(NewPlan());
    CHECK_PERSON();
    COMPARE_PLANS(ShapeOf(*Plan),
                  BatchPlan({"--custom"_q, "--factors"_q, "2"_q, "--runs"_q, "9"_q, "--addens"_q,
                             "1,x1,x2,x1*x2,x1^2,x2^2"_q, "--d-optimal"_q}));
    NO_MESSAGES();
}

void NewPlanWizardTest::generatorWithoutDefaultModelLeadsToStepThree() {
    test::TFakeAdden one{"1", 0, [](const double*) { return 1.0; }};
    test::TFakeAdden x1{"x1", 1, [](const double* x) { return x[0]; }};
    test::TFakeModel line{"Прямая", 1, {&one, &x1}};
    test::TFakeGenerator withModel{"С моделью", {{-1}, {1}}, &line};
    test::TFakeGenerator bare{"Без модели", {{-1}, {0}, {1}}};
    test::TFakeCatalog catalog;
    catalog.AddenList = {&one, &x1};
    catalog.ModelList = {&line};
    catalog.GeneratorList = {&withModel, &bare};

    Person->Then("StepOneForm"_q, [](QWidget* w) { ChooseType(w, "RBFromGen"); })
        .Then("StepTwoForm"_q,
              [](QWidget* w) {
                  auto* step = static_cast<TStepTwoForm*>(w);
                  QCOMPARE(step->EModel->text(), QStringLiteral("Прямая"));
                  ClickItem(step->LBPlans, QStringLiteral("Без модели"));
                  QCOMPARE(step->EModel->text(),
                           QStringLiteral("(модель по умолчанию отсутствует)"));
                  QVERIFY(!step->CBUseDefaultModel->isChecked());
                  QVERIFY(!step->CBUseDefaultModel->isEnabled());
                  QCOMPARE(step->ForwardButton->text(), QStringLiteral("Далее >>"));
                  // Another plan with a model enables the box but leaves it unchecked.
                  ClickItem(step->LBPlans, QStringLiteral("С моделью"));
                  QVERIFY(step->CBUseDefaultModel->isEnabled());
                  QVERIFY(!step->CBUseDefaultModel->isChecked());
                  ClickItem(step->LBPlans, QStringLiteral("Без модели"));
                  Click(step->ForwardButton);
              })
        .Then("StepThreeForm"_q, [](QWidget* w) {
            auto* step = static_cast<TStepThreeForm*>(w);
            // The generator's size: k = 1, N = 3.
            QCOMPARE(Texts(step->LBModels), QStringList{"Прямая"_q});
            ClickItem(step->LBModels, QStringLiteral("Прямая"));
            Click(step->ForwardButton);
        });
    const std::optional<TNewPlanAnswers> answers = Wizard->Run(catalog);
    CHECK_PERSON();
    QVERIFY(answers);
    QCOMPARE(answers->Source, TPlanSource::Generator);
    QCOMPARE(answers->GeneratorName, std::string("Без модели"));
    QVERIFY(!answers->UseGeneratorModel);
    QVERIFY(answers->UseStandardModel);
    QCOMPARE(answers->ModelName, std::string("Прямая"));
    QVERIFY(answers->Addens.empty());
    NO_MESSAGES();
}

void NewPlanWizardTest::backFromStepThree_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("secondStep");
    QTest::newRow("non-standard") << "RBCustom"
                                  << "StepTwoForm_A";
    QTest::newRow("standard") << "RBFromGen"
                              << "StepTwoForm";
}

void NewPlanWizardTest::backFromStepThree() {
    QFETCH(QString, type);
    QFETCH(QString, secondStep);
    auto forward = [](QWidget* w) {
        auto* step = static_cast<TWizardStepForm*>(w);
        if (auto* box = step->findChild<QCheckBox*>(QStringLiteral("CBUseDefaultModel"));
            box && box->isChecked())
            Click(box);
        QTest::keyClick(step->ForwardButton, Qt::Key_Period, Qt::ControlModifier);
    };
    Person
        ->Then("StepOneForm"_q,
               [type](QWidget* w) {
                   auto* step = static_cast<TStepOneForm*>(w);
                   Click(step->findChild<QRadioButton*>(type));
                   // Step 1 goes forward with Alt + "."; Ctrl + "," is nothing there.
                   QTest::keyClick(step->RBOld, Qt::Key_Comma, Qt::ControlModifier);
                   QVERIFY(step->isVisible());
                   QTest::keyClick(step->RBOld, Qt::Key_Period, Qt::AltModifier);
               })
        .Then(secondStep, forward)
        .Then("StepThreeForm"_q,
              [](QWidget* w) {
                  QTest::keyClick(static_cast<TStepThreeForm*>(w)->LBModels, Qt::Key_Comma,
                                  Qt::ControlModifier);
              })
        .Then(secondStep,
              [](QWidget* w) { Click(static_cast<TWizardStepForm*>(w)->CancelButton); });
    const std::optional<TNewPlanAnswers> answers = Wizard->Run(StandardModule());
    CHECK_PERSON();
    QVERIFY(!answers);
    QCOMPARE(Person->Seen,
             (QStringList{"StepOneForm"_q, secondStep, "StepThreeForm"_q, secondStep}));
}

void NewPlanWizardTest::escapeInStepFourCancelsTheWizard() {
    Person->Then("StepOneForm"_q, [](QWidget* w) { ChooseType(w, "RBCustom"); })
        .Then("StepTwoForm_A"_q, [](QWidget* w) { CustomSize(w, "1"_q, "5"_q); })
        .Then("StepThreeForm"_q, [](QWidget* w) { NoReadyModel(w); })
        .Then("StepFourForm"_q, [](QWidget* w) {
            auto* step = static_cast<TStepFourForm*>(w);
            TypeOver(step->SEIndex, QStringLiteral("abc"));
            // The press alone does nothing: the step acts when Esc goes up.
            QTest::keyPress(step->SEIndex, Qt::Key_Escape);
            QVERIFY(step->isVisible());
            QTest::keyRelease(step->SEIndex, Qt::Key_Escape);
        });
    QVERIFY(!NewPlan());
    CHECK_PERSON();
    QVERIFY(!Plan->HasFactorCount);
    // Esc went through back's clamping first.
    QCOMPARE(Wizard->StepFour().SEIndex->Text(), QStringLiteral("1"));
    QCOMPARE(Person->Seen, (QStringList{"StepOneForm"_q, "StepTwoForm_A"_q, "StepThreeForm"_q,
                                        "StepFourForm"_q}));
}

void NewPlanWizardTest::stepThreeWantsAModelChosen() {
    Person->Then("StepOneForm"_q, [](QWidget* w) { ChooseType(w, "RBCustom"); })
        .Then("StepTwoForm_A"_q, [](QWidget* w) { CustomSize(w, "2"_q, "4"_q); })
        .Then("StepThreeForm"_q, [this](QWidget* w) {
            auto* step = static_cast<TStepThreeForm*>(w);
            // k = 2, N = 4: the linear models only.
            QCOMPARE(Texts(step->LBModels),
                     (QStringList{"Линейная модель, k = 2"_q,
                                  "Линейная модель с парными взаимодействиями, k = 2"_q}));
            Click(step->ForwardButton);
            QVERIFY(step->isVisible());
            QCOMPARE(Warnings(), std::vector<std::string>{"Пожалуйста, выберите нужную модель."});
            QCOMPARE(step->LBModels->currentRow(), 0);
            QVERIFY(step->LBModels->currentItem()->isSelected());
            QCOMPARE(step->focusWidget(), step->LBModels);
            Click(step->ForwardButton);
        });
    QVERIFY(NewPlan());
    CHECK_PERSON();
    QCOMPARE(ShapeOf(*Plan).Model, std::string("Линейная модель, k = 2"));
    QCOMPARE(Warnings().size(), std::size_t{1});
}

void NewPlanWizardTest::unassignedTermsShowTheBadAddensDialog() {
    Person->Then("StepOneForm"_q, [](QWidget* w) { ChooseType(w, "RBCustom"); })
        .Then("StepTwoForm_A"_q, [](QWidget* w) { CustomSize(w, "2"_q, "8"_q); })
        .Then("StepThreeForm"_q, [](QWidget* w) { NoReadyModel(w); })
        .Then("StepFourForm"_q,
              [](QWidget* w) {
                  auto* step = static_cast<TStepFourForm*>(w);
                  TypeOver(step->SEnAddens, QStringLiteral("3"));
                  TypeOver(step->SEIndex, QStringLiteral("2"));
                  ClickItem(step->LBFunctions, QStringLiteral("x1"));
                  Click(step->ForwardButton);
              })
        .Then("BadAddensForm"_q,
              [](QWidget* w) {
                  auto* dialog = static_cast<TBadAddensForm*>(w);
                  QCOMPARE(dialog->windowTitle(), QStringLiteral("Модель определена не полностью"));
                  QCOMPARE(Texts(dialog->LBBadAddens),
                           (QStringList{"Слагаемое № 1"_q, "Слагаемое № 3"_q}));
                  QVERIFY(dialog->findChild<QLabel*>() != nullptr);
                  QTest::keyClick(dialog->LBBadAddens, Qt::Key_Escape);
              })
        // The step stays open after the dialog, with the list to pick from.
        .Then("StepFourForm"_q, [](QWidget* w) {
            auto* step = static_cast<TStepFourForm*>(w);
            QCOMPARE(step->focusWidget(), step->LBFunctions);
            Click(step->CancelButton);
        });
    QVERIFY(!NewPlan());
    CHECK_PERSON();
    QCOMPARE(Person->Seen, (QStringList{"StepOneForm"_q, "StepTwoForm_A"_q, "StepThreeForm"_q,
                                        "StepFourForm"_q, "BadAddensForm"_q, "StepFourForm"_q}));
}

void NewPlanWizardTest::stepFourOffersNoMoreTermsThanRuns_data() {
    QTest::addColumn<QString>("runs");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("count");
    QTest::newRow("N = 3") << "3" << 3 << "3";
    QTest::newRow("N = 999") << "999" << 256 << "4";
}

void NewPlanWizardTest::stepFourOffersNoMoreTermsThanRuns() {
    QFETCH(QString, runs);
    QFETCH(int, maximum);
    QFETCH(QString, count);
    Person->Then("StepOneForm"_q, [](QWidget* w) { ChooseType(w, "RBCustom"); })
        .Then("StepTwoForm_A"_q, [runs](QWidget* w) { CustomSize(w, "1"_q, runs); })
        .Then("StepThreeForm"_q, [](QWidget* w) { NoReadyModel(w); })
        .Then("StepFourForm"_q, [=](QWidget* w) {
            auto* step = static_cast<TStepFourForm*>(w);
            QCOMPARE(step->SEnAddens->Maximum(), maximum);
            QCOMPARE(step->SEnAddens->Text(), count);
            QCOMPARE(step->SEIndex->Maximum(), count.toInt());
            // Typing more gives the most there can be; the arrows stop there too.
            TypeOver(step->SEnAddens, QStringLiteral("1000"));
            step->SEnAddens->stepBy(5);
            QCOMPARE(step->SEnAddens->Text(), QString::number(maximum));
            QCOMPARE(step->SEIndex->Maximum(), maximum);
            // Lowering the count below the position moves the position.
            TypeOver(step->SEIndex, QString::number(maximum));
            TypeOver(step->SEnAddens, QStringLiteral("2"));
            QCOMPARE(step->SEIndex->Text(), QStringLiteral("2"));
            QCOMPARE(step->Terms().size(), std::size_t{2});
            Click(step->CancelButton);
        });
    QVERIFY(!NewPlan());
    CHECK_PERSON();
}

void NewPlanWizardTest::stepTwoAChecksItsFields() {
    const std::string kWarning = "Поле \"Количество факторов\" должно содержать\nчисло от 1 до 10.";
    const std::string nWarning = "Поле \"Количество опытов\" должно содержать\nчисло от 1 до 999.";
    Person->Then("StepOneForm"_q, [](QWidget* w) { ChooseType(w, "RBCustom"); })
        .Then("StepTwoForm_A"_q,
              [&](QWidget* w) {
                  auto* step = static_cast<TStepTwoForm_A*>(w);
                  QVERIFY(QTest::qWaitForWindowActive(step));
                  // Leaving a field checks it and keeps the focus there.
                  TypeOver(step->KEdit, QStringLiteral("11"));
                  TypeOver(step->NEdit, QStringLiteral("5"));
                  QCOMPARE(Warnings(), std::vector<std::string>{kWarning});
                  QCOMPARE(step->KEdit->Text(), QStringLiteral("1"));
                  QCOMPARE(step->focusWidget(), step->KEdit);
                  // Forward checks k first and stops there.
                  step->KEdit->SetText(QStringLiteral("0"));
                  step->NEdit->SetText(QStringLiteral("1000"));
                  Click(step->ForwardButton);
                  QVERIFY(step->isVisible());
                  QCOMPARE(Warnings(), (std::vector<std::string>{kWarning, kWarning}));
                  QCOMPARE(step->NEdit->Text(), QStringLiteral("1000"));
                  Click(step->ForwardButton);
                  QVERIFY(step->isVisible());
                  QCOMPARE(Warnings(), (std::vector<std::string>{kWarning, kWarning, nWarning}));
                  QCOMPARE(step->NEdit->Text(), QStringLiteral("1"));
                  // Going back brings the fields into range instead of warning.
                  step->KEdit->SetText(QStringLiteral("77"));
                  step->NEdit->SetText(QStringLiteral("abc"));
                  Click(step->BackButton);
              })
        .Then("StepOneForm"_q,
              [](QWidget* w) { Click(static_cast<TStepOneForm*>(w)->CancelButton); });
    const std::optional<TNewPlanAnswers> answers = Wizard->Run(StandardModule());
    CHECK_PERSON();
    QVERIFY(!answers);
    QCOMPARE(Wizard->StepTwoA().KEdit->Text(), QStringLiteral("10"));
    QCOMPARE(Wizard->StepTwoA().NEdit->Text(), QStringLiteral("1"));
    QCOMPARE(Warnings().size(), std::size_t{3});
}

void NewPlanWizardTest::builtinDialogChecksTheFactorCount() {
    const std::string warning = "Поле \"Число факторов\" должно содержать\nчисло от 2 до 10.";
    TNewDialog& dialog = Wizard->BuiltinDialog();
    auto answer = RunScripted(
        dialog,
        [&] {
            QCOMPARE(dialog.Kind(), 0);
            QVERIFY(dialog.FFEButton->isChecked());
            TypeOver(dialog.EDegree, QStringLiteral("11"));
            QTest::keyClick(dialog.EDegree, Qt::Key_Return);
            QVERIFY(dialog.isVisible());
            QCOMPARE(Warnings(), std::vector<std::string>{warning});
            QCOMPARE(dialog.EDegree->Text(), QStringLiteral("2"));
            QCOMPARE(dialog.focusWidget(), dialog.EDegree);
            Click(dialog.CCRButton);
            TypeOver(dialog.EDegree, QStringLiteral("x"));
            QTest::keyClick(dialog.EDegree, Qt::Key_Escape);
        },
        [&] { return Wizard->RunBuiltin(); });
    QVERIFY(!answer);
    // Cancelling brought the field back to a valid count; the kind stays.
    QCOMPARE(dialog.EDegree->Text(), QStringLiteral("2"));
    answer = RunScripted(
        dialog, [&] { Click(dialog.OKButton); }, [&] { return Wizard->RunBuiltin(); });
    QVERIFY(answer);
    QCOMPARE(answer->Kind, 2);
    QCOMPARE(answer->FactorCount, 2);
    QCOMPARE(Warnings().size(), std::size_t{1});
}

void NewPlanWizardTest::restrictLeavesOnlyTheAllowedChoices() {
    TStepOneForm& step = Wizard->StepOne();
    QVERIFY(step.RBFromGen->isChecked());
    Wizard->Restrict(TWizardChoices{false, true, false});
    QVERIFY(!step.RBFromGen->isEnabled());
    QVERIFY(!step.RBFromGen->isChecked());
    QVERIFY(step.RBCustom->isEnabled());
    QVERIFY(step.RBCustom->isChecked());

    TNewPlanWizard bare(nullptr);
    bare.Restrict(TWizardChoices{false, false, true});
    TStepOneForm& only = bare.StepOne();
    QVERIFY(!only.RBFromGen->isEnabled() && !only.RBFromGen->isChecked());
    QVERIFY(!only.RBCustom->isEnabled() && !only.RBCustom->isChecked());
    QVERIFY(only.RBOld->isEnabled() && only.RBOld->isChecked());
    QCOMPARE(only.Source(), TPlanSource::Builtin);
}

void NewPlanWizardTest::answersStayForTheNextRun() {
    // The first run picks a generator and a model; the second only goes
    // forward and gets the same answers.
    Person->Then("StepOneForm"_q, [](QWidget* w) { ChooseType(w, "RBFromGen"); })
        .Then("StepTwoForm"_q,
              [](QWidget* w) {
                  auto* step = static_cast<TStepTwoForm*>(w);
                  QCOMPARE(step->windowTitle(),
                           QStringLiteral(
                               "Новый план: шаг 2 из 4 (выбор стандартного плана эксперимента)"));
                  Click(step->CBUseDefaultModel);
                  Click(step->ForwardButton);
              })
        .Then("StepThreeForm"_q, [](QWidget* w) {
            ClickItem(static_cast<TStepThreeForm*>(w)->LBModels,
                      QStringLiteral("Линейная модель, k = 2"));
            Click(static_cast<TStepThreeForm*>(w)->ForwardButton);
        });
    const std::optional<TNewPlanAnswers> first = Wizard->Run(StandardModule());
    CHECK_PERSON();
    QVERIFY(first);
    Person
        ->Then("StepOneForm"_q,
               [](QWidget* w) {
                   auto* step = static_cast<TStepOneForm*>(w);
                   QVERIFY(step->Welcome->text().startsWith(QLatin1Char(' ')));
                   QVERIFY(step->RBFromGen->isChecked());
                   Click(step->ForwardButton);
               })
        .Then("StepTwoForm"_q,
              [](QWidget* w) {
                  auto* step = static_cast<TStepTwoForm*>(w);
                  QVERIFY(!step->CBUseDefaultModel->isChecked());
                  Click(step->ForwardButton);
              })
        .Then("StepThreeForm"_q, [](QWidget* w) {
            // Refilled on show: nothing is selected and the box is checked again.
            auto* step = static_cast<TStepThreeForm*>(w);
            QVERIFY(step->LBModels->selectedItems().isEmpty());
            ClickItem(step->LBModels, QStringLiteral("Линейная модель, k = 2"));
            Click(step->ForwardButton);
        });
    const std::optional<TNewPlanAnswers> second = Wizard->Run(StandardModule());
    CHECK_PERSON();
    QVERIFY(second);
    QCOMPARE(second->GeneratorName, first->GeneratorName);
    QCOMPARE(second->GeneratorName, GeneratorNames(StandardModule()).front());
    QCOMPARE(second->ModelName, std::string("Линейная модель, k = 2"));
    QVERIFY(!second->UseGeneratorModel && second->UseStandardModel);
}

QTEST_MAIN(NewPlanWizardTest)
#include "NewPlanWizardTest.moc"
