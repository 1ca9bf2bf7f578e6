#include "shell/EvaluationWindow.h"

#include "design/EvaluationTables.h"
#include "designwindows/EvaluationForm.h"
#include "plan/RaruRuro.h"
#include "shell/MainForm.h"

#include <QMdiSubWindow>

#include <functional>

namespace orvanta {

namespace {

// The help page of the window, opened by F1 while it is active.
constexpr int EvaluationHelpContext = 3400;

void Mix(std::size_t& seed, std::size_t value) {
    seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
}

} // namespace

TEvaluationWindow::TEvaluationWindow(QMdiArea& area, TMainForm& main)
    : TSingleWindow(area), Main(main) {}

TEvaluationForm* TEvaluationWindow::Form() const {
    return qobject_cast<TEvaluationForm*>(TSingleWindow::Form());
}

std::size_t TEvaluationWindow::Fingerprint() const {
    const TRaruRuro& plan = Main.Plan();
    std::size_t seed = std::hash<std::int32_t>{}(plan.TermCount());
    Mix(seed, std::size_t(plan.Repeats()));
    Mix(seed, std::size_t(plan.PlanKind));
    Mix(seed, plan.HasCodeMatrix);
    Mix(seed, plan.HasFactorNames ? plan.FactorNames.size() : 0);
    for (const std::string& name : plan.FactorNames)
        Mix(seed, std::hash<std::string>{}(name));
    const TMatrix& code = plan.CodeMatrix;
    Mix(seed, std::size_t(code.RowCount()) * 1024 + std::size_t(code.ColCount()));
    for (std::int32_t i = 0; i < code.RowCount(); ++i)
        for (std::int32_t j = 0; j < code.ColCount(); ++j)
            Mix(seed, std::hash<double>{}(code.Get(i, j)));
    return seed;
}

void TEvaluationWindow::Refresh() {
    TEvaluationForm* form = Form();
    if (!form)
        return;
    const TRaruRuro& plan = Main.Plan();
    Seen = Fingerprint();
    if (const std::string problem = EvaluationProblem(plan); !problem.empty()) {
        form->ShowMessage(QString::fromStdString(problem));
        return;
    }
    TEvaluationOptions options;
    options.Repeats = plan.Repeats();
    options.Alpha = form->Alpha();
    options.Delta = form->Delta();
    const auto evaluation = EvaluateDesign(plan.CodeMatrix, PlanBasis(plan), options);
    if (!evaluation) {
        form->ShowMessage(QString::fromStdString(SingularDesignText()));
        return;
    }
    TAliasRefusal refusal = TAliasRefusal::None;
    const auto aliases = AliasStructure(plan.CodeMatrix, &refusal);
    form->SetEvaluation(EvaluationSections(plan, *evaluation, aliases, refusal), evaluation->Fds);
}

void TEvaluationWindow::Show() {
    const bool made = Open(
        [this] {
            auto* form = new TEvaluationForm;
            form->setProperty("helpContext", EvaluationHelpContext);
            form->OnOptionsChanged = [this] { Refresh(); };
            return form;
        },
        QStringLiteral("EvaluationWindow"), QStringLiteral("Оценка плана"), QSize(720, 520),
        [this] { Main.RefreshCommands(); });
    Refresh();
    Restore();
    if (made)
        KeepInView();
}

void TEvaluationWindow::Follow() {
    if (!Main.Plan().HasFactorCount) {
        Close();
        return;
    }
    if (IsOpen() && Fingerprint() != Seen)
        Refresh();
}

} // namespace orvanta
