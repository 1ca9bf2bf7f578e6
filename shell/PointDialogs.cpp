// The plan host's two windows about single points: the translation between
// natural and coded units, and the check point.
#include "dialogs/CheckPointDlg.h"
#include "dialogs/TranslateDialog.h"
#include "plan/RaruRuro.h"
#include "services/PlanService.h"
#include "shell/MainForm.h"
#include "shell/QtPlanHost.h"

namespace orvanta {

namespace {

// The plan's natural units when they are whole; otherwise none, and natural
// values equal coded ones (zero base levels, unit intervals), as for a plan
// that has not got its levels yet.
bool HasNaturalUnits(const TRaruRuro& plan) {
    const std::int32_t k = plan.GetFactorCount();
    return plan.HasBaseLevels && plan.HasIntervals && plan.BaseLevels.Size() >= k &&
           plan.Intervals.Size() >= k;
}

TNamedVector Filled(std::int32_t size, double value) {
    TNamedVector vector;
    vector.SetSize(size);
    for (std::int32_t i = 0; i < size; ++i)
        vector.Set(i, value);
    return vector;
}

} // namespace

void TQtPlanHost::CreatePointDialogs() {
    Translate = std::make_unique<TTranslateDialog>(&Main);
    CheckPoint = std::make_unique<TCheckPointDlg>(&Main, Main.MdiArea());
    CheckPoint->SetFrontRequest = [this](bool on) { Main.CheckPointToFrontRequest = on; };
    CheckPoint->OnClose = [this] { CheckPointClosed(); };
}

void TQtPlanHost::RunTranslateDialog() {
    OpenTranslateDialog(nullptr);
}

void TQtPlanHost::RunTranslateDialogAt(const std::vector<double>& coded) {
    OpenTranslateDialog(&coded);
}

void TQtPlanHost::OpenTranslateDialog(const std::vector<double>* start) {
    CreatePlanDialogs();
    TRaruRuro& plan = Main.Plan();
    const std::int32_t k = std::max(plan.GetFactorCount(), 0);
    const bool natural = HasNaturalUnits(plan);
    // Kept alive while the dialog refers to them.
    const TNamedVector unitLevels = Filled(k, 0.0);
    const TNamedVector unitIntervals = Filled(k, 1.0);
    Translate->SetBaseLevels(natural ? plan.BaseLevels : unitLevels);
    Translate->SetIntervals(natural ? plan.Intervals : unitIntervals);
    TTranslateDialog::TValueFunction value;
    if (plan.HasBVector)
        value = [&plan](const double* coded) { return plan.Predict(coded); };
    Translate->SetValueFunction(value);
    if (start)
        Translate->StartAt(*start);
    Translate->exec();
    // The dialog must not outlive what it refers to in a usable state.
    Translate->SetValueFunction({});
}

void TQtPlanHost::ShowCheckPointWindow() {
    CreatePlanDialogs();
    if (CheckPoint->BringForward())
        return;
    TRaruRuro& plan = Main.Plan();
    const std::int32_t k = std::max(plan.GetFactorCount(), 0);
    CheckPoint->SetCodedPoint(plan.HasCheckPoint && plan.CheckPoint.Size() == k ? plan.CheckPoint
                                                                                : Filled(k, 0.0));
    CheckPoint->SetObservations(
        plan.HasCheckY && plan.CheckY.Size() > 0
            ? plan.CheckY
            : Filled(plan.HasRepeatCount && plan.RepeatCount > 0 ? plan.RepeatCount : 4, 0.0));
    CheckPoint->CodedToNatural = [&plan](const double* coded, double* natural) {
        if (HasNaturalUnits(plan))
            plan.CodedToNatural(coded, natural);
        else
            std::copy(coded, coded + plan.GetFactorCount(), natural);
    };
    CheckPoint->NaturalToCoded = [&plan](const double* natural, double* coded) {
        if (HasNaturalUnits(plan))
            plan.NaturalToCoded(natural, coded);
        else
            std::copy(natural, natural + plan.GetFactorCount(), coded);
    };
    CheckPoint->ShowBesideMain();
}

void TQtPlanHost::CheckPointClosed() {
    TRaruRuro& plan = Main.Plan();
    if (CheckPoint->Accepted())
        plan.AcceptCheckPoint(CheckPoint->CodedPoint(), CheckPoint->Observations());
    plan.StatusText = CompletionMessage(21);
    Main.RefreshCommands();
}

void TQtPlanHost::CloseCheckPointWindow() {
    if (CheckPoint && CheckPoint->isVisible())
        CheckPoint->close();
}

void TQtPlanHost::BringCheckPointForward() {
    if (CheckPoint)
        CheckPoint->BringForward();
}

} // namespace orvanta
