#include "services/PlanService.h"

#include "numeric/Cp1251.h"
#include "numeric/FileNames.h"
#include "numeric/Messages.h"
#include "numeric/NumberText.h"
#include "plan/PlanFile.h"
#include "plan/Settings.h"

#include <cstddef>

namespace orvanta {

namespace {

const char* const NotCompleted = "Операция не завершена.";

constexpr TDataWindow WindowOfAction[5] = {TDataWindow::CodeMatrix, TDataWindow::NaturalMatrix,
                                           TDataWindow::BaseLevels, TDataWindow::Intervals,
                                           TDataWindow::Responses};

} // namespace

const char* CompletionMessage(std::int32_t action) {
    switch (action) {
    case 0:
        return "Создание плана завершено.";
    case 1:
        return "Открытие плана завершено.";
    case 2:
    case 3:
        return "Сохранение плана завершено.";
    case 4:
        return "Данные удалены из памяти.";
    case 5:
        return "Отчет создан.";
    case 6:
        return "Данные встроенного плана загружены.";
    case 7:
        return "Кодовая матрица загружена.";
    case 8:
        return "Матрица плана загружена.";
    case 9:
        return "Вектор основных уровней загружен.";
    case 10:
        return "Вектор интервалов варьирования загружен.";
    case 11:
        return "Матрица наблюдений загружена.";
    case 12:
        return "Данные сохранены.";
    case 13:
        return "Кодовая матрица сохранена.";
    case 14:
        return "Матрица плана сохранена.";
    case 15:
        return "Вектор основных уровней сохранен.";
    case 16:
        return "Вектор интервалов варьирования сохранен.";
    case 17:
        return "Матрица наблюдений сохранена.";
    case 18:
        return "Отчет сохранен.";
    case 19:
        return "Определены новые имена факторов.";
    case 20:
        return "Создана матрица наблюдений.";
    case 23:
        return "Проведен полный анализ.";
    case 24:
        return "Установлена исходная кодовая матрица.";
    case 25:
        return "Проведен поиск экстремума.";
    case 29:
        return "Сохранены данные для графика.";
    case 30:
        return "Сохранены данные для поверхности.";
    default:
        return "";
    }
}

TPlanService::TPlanService(TRaruRuro& plan)
    : Plan(plan), Graphs(plan.Host()), ServerObject{{nullptr}, this} {
    ServerObject.Base.Table = ServiceTable();
}

TPlanService* TPlanService::FromServer(OrvPlanService* server) {
    // The C object is the first member of a struct that also holds its owner.
    return reinterpret_cast<TServerObject*>(server)->Owner;
}

std::int32_t TPlanService::CanDo(std::int32_t action) {
    TRaruRuro& p = Plan;
    TPlanHost& host = p.Host();
    const std::int32_t a = action & 0xFF;
    const auto window = [&](std::int32_t first) { return WindowOfAction[a - first]; };
    bool yes = false;
    switch (a) {
    case 0:
    case 1:
    case 6:
        yes = !p.HasFactorCount;
        break;
    case 2:
    case 3:
    case 12:
        yes = Can(13) && Can(14) && Can(15) && Can(16) && Can(17);
        break;
    case 4:
    case 21:
        yes = p.HasFactorCount;
        break;
    case 5:
        yes = p.HasFactorCount && p.HasPlanKind;
        break;
    case 7:
        yes = true;
        break;
    case 8:
    case 14:
        yes = p.HasNaturalMatrix;
        break;
    case 9:
    case 15:
        yes = p.HasBaseLevels;
        break;
    case 10:
    case 16:
        yes = p.HasIntervals;
        break;
    case 11:
    case 13:
    case 20:
        yes = p.HasCodeMatrix;
        break;
    case 17:
    case 22:
        yes = p.HasYMatrix;
        break;
    case 18:
        yes = host.IsReportWindowOpen();
        break;
    case 19:
        yes = p.HasRepeatCount;
        break;
    case 23:
        yes = p.HasCodeMatrix && p.HasYMatrix;
        break;
    case 24:
        yes = p.HasPlanKind && p.HasFactorCount && p.HasRunCount &&
              (p.PlanKind == PlanGeneral ? p.Generator != nullptr : p.PlanKind < 4);
        break;
    case 25:
    case 27:
    case 29:
        yes = p.HasBVector;
        break;
    case 26:
        yes = (p.HasBaseLevels && p.HasIntervals) || p.HasBVector;
        break;
    case 28:
    case 30:
        yes = p.HasBVector && p.FactorCount >= 2;
        break;
    case 31:
    case 32:
        yes = Graphs.Query(6);
        break;
    case 33:
    case 34:
    case 35:
    case 36:
    case 37:
        yes = host.IsDataWindowOpen(window(33)) && host.IsDataWindowMinimized(window(33));
        break;
    case 38:
        yes = host.IsReportWindowOpen() && host.IsReportWindowMinimized();
        break;
    case 39:
        yes = Graphs.Query(8);
        break;
    case 40:
    case 41:
    case 42:
    case 43:
    case 44:
        yes = host.IsDataWindowOpen(window(40)) && !host.IsDataWindowMinimized(window(40));
        break;
    case 45:
        yes = host.IsReportWindowOpen() && !host.IsReportWindowMinimized();
        break;
    case 46:
        yes = Graphs.Query(9);
        break;
    case 47:
    case 49:
        for (std::int32_t i = 40; i <= 46 && !yes; ++i)
            yes = Can(i);
        break;
    case 48:
        for (std::int32_t i = 33; i <= 39 && !yes; ++i)
            yes = Can(i);
        break;
    default:
        ShowWarning("RaruRuro.CanDo(): Запрос на неизвестное действие (\"" + IntToStr(a) + "\").");
        return 0;
    }
    return yes ? -1 : 0;
}

bool TPlanService::Command(std::int32_t action, const std::function<bool()>& body) {
    Plan.StatusText = NotCompleted;
    if (!Can(action))
        return false;
    if (!body())
        return false;
    Plan.StatusText = CompletionMessage(action);
    Plan.Host().RefreshCommands();
    return true;
}

bool TPlanService::NewPlan() {
    return Command(0, [&] { return Plan.NewPlan(); });
}

bool TPlanService::UpdateReport() {
    return Command(5, [&] {
        Plan.UpdateAndShowReport();
        return true;
    });
}

bool TPlanService::EditFactorNames() {
    return Command(19, [&] {
        auto names = Plan.Host().RunFactorNamesDialog(Plan.FactorNames);
        if (!names)
            return false;
        // An empty name becomes "Фактор № " and its number.
        for (std::size_t i = 0; i < names->size(); ++i)
            if ((*names)[i].empty())
                (*names)[i] = "Фактор № " + IntToStr(static_cast<std::int64_t>(i) + 1);
        if (!CheckStoredNames(*names))
            return false;
        Plan.FactorNames = std::move(*names);
        Plan.HasFactorNames = true;
        Plan.Modified = true;
        return true;
    });
}

bool TPlanService::EditResponses() {
    return Command(20, [&] { return Plan.EditResponses(); });
}

bool TPlanService::ShowCheckPoint() {
    return Command(21, [&] {
        Plan.Host().ShowCheckPointWindow();
        return true;
    });
}

bool TPlanService::ComputeAverages() {
    return Command(22, [&] { return Plan.ComputeAverages(); });
}

bool TPlanService::ResetCodeMatrix() {
    return Command(24, [&] { return Plan.ResetCodeMatrix(); });
}

bool TPlanService::RunAnalysis() {
    return Command(23, [&] { return Plan.RunAnalysis(); });
}

bool TPlanService::FindExtremum() {
    return Command(25, [&] { return Plan.FindExtremum(); });
}

bool TPlanService::TranslateValue() {
    return Command(26, [&] {
        Plan.Host().RunTranslateDialog();
        return true;
    });
}

bool TPlanService::NewDiagram() {
    return Command(27, [&] { return Graphs.NewDiagram(Plan); });
}

bool TPlanService::NewSurface() {
    return Command(28, [&] { return Graphs.NewSurface(Plan); });
}

bool TPlanService::RestoreWindow(std::int32_t action) {
    const bool yes = Can(action);
    if (yes) {
        if (action == 38)
            Plan.Host().ShowReportWindow();
        else
            Plan.Host().ShowDataWindow(WindowOfAction[action - 33]);
    }
    return yes;
}

bool TPlanService::MinimizeWindow(std::int32_t action) {
    const bool yes = Can(action);
    if (yes) {
        if (action == 45)
            Plan.Host().MinimizeReportWindow();
        else
            Plan.Host().MinimizeDataWindow(WindowOfAction[action - 40]);
    }
    return yes;
}

bool TPlanService::MinimizeWindows() {
    return Command(47, [&] { return Plan.Host().RunWindowList(TWindowList::Minimize); });
}

bool TPlanService::ShowWindows() {
    return Command(48, [&] { return Plan.Host().RunWindowList(TWindowList::Show); });
}

bool TPlanService::ArrangeWindows(std::int32_t left, std::int32_t top, std::int32_t right,
                                  std::int32_t bottom) {
    return Command(49, [&] { return Plan.Host().ArrangeWindows(left, top, right, bottom); });
}

bool TPlanService::IsModified() {
    if (Plan.Modified)
        return true;
    for (TDataWindow window : WindowOfAction)
        if (Plan.Host().IsDataWindowOpen(window) && Plan.Host().IsDataWindowEdited(window))
            return true;
    return false;
}

void TPlanService::SaveWindowStates(bool states[7]) {
    TPlanHost& host = Plan.Host();
    for (int i = 0; i < 5; ++i)
        states[i] = host.IsDataWindowOpen(WindowOfAction[i]);
    states[5] = host.IsReportWindowOpen();
    states[6] = Graphs.Query(9);
    if (states[6])
        Graphs.Show(false);
}

void TPlanService::RestoreWindowStates(const bool states[7]) {
    TPlanHost& host = Plan.Host();
    for (int i = 0; i < 5; ++i)
        if (states[i])
            host.ShowDataWindow(WindowOfAction[i]);
    if (states[5])
        host.ShowReportWindow();
    if (states[6] && Graphs.Query(8))
        Graphs.Show(true);
}

std::string TPlanService::DisplayName() const {
    if (Plan.FileName.empty())
        return "[без имени]";
    return SplitFileName(Plan.FileName).Name;
}

std::string ApplyDefaultExtension(const std::string& path, TFileFilter filter,
                                  bool firstFilterEntry) {
    TFileNameParts parts = SplitFileName(path);
    const std::string folder = TrimText(parts.Folder);
    const std::string name = TrimText(parts.Name);
    std::string extension = TrimText(parts.Extension);
    if (extension.empty() && firstFilterEntry)
        extension = filter == TFileFilter::Plan         ? "mpl"
                    : filter == TFileFilter::SurferGrid ? "grd"
                                                        : "txt";
    return JoinFileName(folder, name, extension);
}

std::optional<std::string> TPlanService::AskFile(bool save, const std::string& title,
                                                 TFileFilter filter, const std::string& initial) {
    TFileDialogRequest request{title, filter, initial};
    const auto choice =
        save ? Plan.Host().RunSaveDialog(request) : Plan.Host().RunOpenDialog(request);
    LastDialogCancelled = !choice;
    if (!choice)
        return std::nullopt;
    return ApplyDefaultExtension(choice->Path, filter, choice->FirstFilterEntry);
}

} // namespace orvanta
