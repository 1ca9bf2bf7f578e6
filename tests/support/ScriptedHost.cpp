#include "ScriptedHost.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orvanta::test {

namespace {

// Takes the next scripted answer; an empty queue fails the test and cancels.
template <class T> std::optional<T> Next(std::deque<std::optional<T>>& queue, const char* what) {
    if (queue.empty()) {
        ADD_FAILURE() << "unexpected " << what;
        return std::nullopt;
    }
    std::optional<T> answer;
    if (queue.front().has_value())
        answer.emplace(*queue.front());
    queue.pop_front();
    return answer;
}

} // namespace

const char* DataWindowName(TDataWindow window) {
    switch (window) {
    case TDataWindow::CodeMatrix:
        return "CodeMatrix";
    case TDataWindow::NaturalMatrix:
        return "NaturalMatrix";
    case TDataWindow::BaseLevels:
        return "BaseLevels";
    case TDataWindow::Intervals:
        return "Intervals";
    case TDataWindow::Responses:
        return "Responses";
    }
    return "?";
}

void TScriptedHost::QueueBuiltinPlan(std::int32_t kind, std::int32_t k) {
    TNewPlanAnswers wizard;
    wizard.Source = TPlanSource::Builtin;
    WizardAnswers.push_back(wizard);
    BuiltinPlanAnswers.push_back(TBuiltinPlanAnswer{kind, k});
}

void TScriptedHost::QueueRepeats(std::int32_t m, const std::string& responseName) {
    RepeatsAnswers.push_back(TRepeatsAnswer{std::to_string(m), responseName});
}

std::vector<std::string> TScriptedHost::MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& message : Messages)
        texts.push_back(message.Text);
    return texts;
}

std::size_t TScriptedHost::CountRequests(const std::string& request) const {
    return static_cast<std::size_t>(std::count(Requests.begin(), Requests.end(), request));
}

void TScriptedHost::ClearRecords() {
    Messages.clear();
    Questions.clear();
    Requests.clear();
    RepeatsRequests.clear();
    FactorNamesRequests.clear();
    ResultForms.clear();
    ModelChangeRequests.clear();
    AveragesShown.clear();
    ExtremumRequests.clear();
    ProgressLog.clear();
    ProgressPolls = 0;
    ExtremumResults.clear();
    FileDialogs.clear();
}

void TScriptedHost::ShowMessage(TMessageKind kind, const std::string& text) {
    Messages.push_back({kind, text});
}

TAnswer TScriptedHost::NextAnswer(const std::string& text, TAnswer fallback) {
    Questions.push_back(text);
    if (Answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << text;
        return fallback;
    }
    const TAnswer answer = Answers.front();
    Answers.pop_front();
    return answer;
}

TAnswer TScriptedHost::AskYesNo(const std::string& text) {
    return NextAnswer(text, TAnswer::No);
}

TAnswer TScriptedHost::AskYesNoCancel(const std::string& text) {
    return NextAnswer(text, TAnswer::Cancel);
}

std::optional<std::string> TScriptedHost::InputString(const std::string&, const std::string&) {
    return Next(StringInputs, "text input");
}

std::optional<double> TScriptedHost::InputReal(const std::string&, const std::string&) {
    return Next(RealInputs, "number input");
}

std::optional<TNewPlanAnswers> TScriptedHost::RunNewPlanWizard() {
    return Next(WizardAnswers, "new-plan wizard");
}

std::optional<TBuiltinPlanAnswer> TScriptedHost::RunBuiltinPlanDialog() {
    return Next(BuiltinPlanAnswers, "built-in plan dialog");
}

std::optional<TRepeatsAnswer> TScriptedHost::RunRepeatsDialog(const TRepeatsRequest& request) {
    RepeatsRequests.push_back(request);
    return Next(RepeatsAnswers, "repeats dialog");
}

std::optional<std::vector<std::string>>
TScriptedHost::RunFactorNamesDialog(const std::vector<std::string>& names) {
    FactorNamesRequests.push_back(names);
    return Next(FactorNamesAnswers, "factor names dialog");
}

TResultFormChoices TScriptedHost::ShowResultForm(const TResultForm& form) {
    ResultForms.push_back(form);
    if (ResultFormChoices.empty())
        return {form.ShowAlways, form.ActivateReport};
    const TResultFormChoices choices = ResultFormChoices.front();
    ResultFormChoices.pop_front();
    return choices;
}

std::optional<TModelChange>
TScriptedHost::RunModelChangeDialog(const TModelChangeRequest& request) {
    ModelChangeRequests.push_back(request);
    return Next(ModelChangeAnswers, "model-change dialog");
}

void TScriptedHost::ShowAveragesDialog(const std::vector<double>& means) {
    AveragesShown.push_back(means);
}

std::optional<TExtremumAnswer> TScriptedHost::RunExtremumDialog(const TExtremumRequest& request) {
    ExtremumRequests.push_back(request);
    return Next(ExtremumAnswers, "extremum dialog");
}

namespace {

// Logs into the host what the search shows and answers its polls.
class TScriptedProgress : public TExtremumProgress {
public:
    explicit TScriptedProgress(TScriptedHost& host) : Host(host) {}
    ~TScriptedProgress() override { Host.ProgressLog.push_back("close"); }
    void Update(std::int32_t percent, double) override {
        Host.ProgressLog.push_back("update " + std::to_string(percent));
    }
    TProgressRequest Poll() override {
        ++Host.ProgressPolls;
        if (Host.ProgressRequests.empty())
            return TProgressRequest::None;
        const TProgressRequest request = Host.ProgressRequests.front();
        Host.ProgressRequests.pop_front();
        return request;
    }
    void SetStatus(const std::string& text) override {
        Host.ProgressLog.push_back("status " + text);
    }
    void WaitForKeyRelease() override { Host.ProgressLog.push_back("wait"); }

private:
    TScriptedHost& Host;
};

} // namespace

std::unique_ptr<TExtremumProgress>
TScriptedHost::ShowExtremumProgress(const std::string& caption, double, const std::string& status) {
    ProgressLog.push_back("show " + caption);
    ProgressLog.push_back("status " + status);
    return std::make_unique<TScriptedProgress>(*this);
}

void TScriptedHost::ShowExtremumResult(const std::vector<double>& point, double value) {
    ExtremumResults.emplace_back(point, value);
}

std::optional<TSecondOrderAnswer> TScriptedHost::RunSecondOrderKindDialog() {
    return Next(SecondOrderAnswers, "second-order plan dialog");
}

std::optional<TDiagramAnswer> TScriptedHost::RunDiagramWizard() {
    return Next(DiagramAnswers, "diagram wizard");
}

std::optional<TSurfaceAnswer> TScriptedHost::RunSurfaceWizard() {
    return Next(SurfaceAnswers, "surface wizard");
}

std::optional<TFileChoice> TScriptedHost::RunOpenDialog(const TFileDialogRequest& request) {
    FileDialogs.push_back(request);
    return Next(OpenDialogAnswers, "open dialog");
}

std::optional<TFileChoice> TScriptedHost::RunSaveDialog(const TFileDialogRequest& request) {
    FileDialogs.push_back(request);
    return Next(SaveDialogAnswers, "save dialog");
}

bool TScriptedHost::SaveReport() {
    Requests.push_back("save report");
    if (SaveReportResult)
        ReportEdited = false;
    return SaveReportResult;
}

bool TScriptedHost::RunWindowList(TWindowList list) {
    Requests.push_back(list == TWindowList::Minimize ? "minimize list" : "show list");
    return true;
}

bool TScriptedHost::ArrangeWindows(std::int32_t, std::int32_t, std::int32_t, std::int32_t) {
    Requests.push_back("arrange");
    return true;
}

void TScriptedHost::ShowDataWindow(TDataWindow window) {
    Requests.push_back(std::string("show ") + DataWindowName(window));
    OpenWindows.insert(window);
    MinimizedWindows.erase(window);
}

void TScriptedHost::MinimizeDataWindow(TDataWindow window) {
    Requests.push_back(std::string("minimize ") + DataWindowName(window));
    if (OpenWindows.count(window))
        MinimizedWindows.insert(window);
}

void TScriptedHost::RefreshDataWindow(TDataWindow window) {
    Requests.push_back(std::string("refresh ") + DataWindowName(window));
}

void TScriptedHost::CloseDataWindow(TDataWindow window) {
    Requests.push_back(std::string("close ") + DataWindowName(window));
    OpenWindows.erase(window);
    MinimizedWindows.erase(window);
}

bool TScriptedHost::IsDataWindowOpen(TDataWindow window) const {
    return OpenWindows.count(window) != 0;
}

bool TScriptedHost::IsDataWindowMinimized(TDataWindow window) const {
    return MinimizedWindows.count(window) != 0;
}

void TScriptedHost::ShowReportWindow() {
    Requests.push_back("show report");
    ReportOpen = true;
    ReportMinimized = false;
}

void TScriptedHost::MinimizeReportWindow() {
    Requests.push_back("minimize report");
    ReportMinimized = ReportOpen;
}

void TScriptedHost::CloseReportWindow() {
    Requests.push_back("close report");
    ReportOpen = false;
    ReportMinimized = false;
}

void TScriptedHost::ShowCheckPointWindow() {
    Requests.push_back("check point");
}

namespace {
const char* GraphWindowName(TGraphWindow window) {
    return window == TGraphWindow::Diagram ? "diagram" : "surface";
}
} // namespace

void TScriptedHost::ShowGraphWindow(TGraphWindow window) {
    Requests.push_back(std::string("show ") + GraphWindowName(window));
}

void TScriptedHost::CloseGraphWindow(TGraphWindow window) {
    Requests.push_back(std::string("close ") + GraphWindowName(window));
}

void TScriptedHost::ApplyGraphOptions(TGraphWindow window) {
    Requests.push_back(std::string("restyle ") + GraphWindowName(window));
}

void TScriptedHost::RefreshCommands() {
    Requests.push_back("refresh commands");
}

} // namespace orvanta::test
