#include "shell/MainActions.h"

#include "services/PlanService.h"
#include "shell/MainForm.h"

namespace orvanta {

namespace {

using S = TPlanService;
using F = TMainForm;

TCommandInfo Op(TMenuId menu, const char* item, const char* caption, const char* key,
                std::int32_t action, bool (S::*operation)(), bool separator = false) {
    TCommandInfo c{menu, item, caption, key, action};
    c.Operation = operation;
    c.SeparatorBefore = separator;
    return c;
}

TCommandInfo Do(TMenuId menu, const char* item, const char* caption, const char* key,
                std::int32_t action, void (F::*handler)(), bool separator = false) {
    TCommandInfo c{menu, item, caption, key, action};
    c.Handler = handler;
    c.SeparatorBefore = separator;
    return c;
}

TCommandInfo Toggle(TMenuId menu, const char* item, const char* caption, void (F::*handler)()) {
    TCommandInfo c = Do(menu, item, caption, "", -1, handler);
    c.Checkable = true;
    return c;
}

TCommandInfo WithButton(TCommandInfo c, const char* button, const char* caption, const char* hint,
                        TBarId bar) {
    c.Button = button;
    c.ButtonCaption = caption;
    c.Hint = hint;
    c.Bar = bar;
    return c;
}

TCommandInfo ObservationsNeeded(TCommandInfo c) {
    c.NeedsObservations = true;
    return c;
}

TCommandInfo ModelNeeded(TCommandInfo c) {
    c.NeedsModel = true;
    return c;
}

std::vector<TCommandInfo> MakeFileCommands() {
    using M = TMenuId;
    return {
        WithButton(Do(M::File, "NewItem", "&Новый ...", "Ctrl+N", 0, &F::NewItemClick), "NewButton",
                   "Новый", "Создание нового плана эксперимента", TBarId::Start),
        WithButton(Do(M::File, "OpenItem", "&Открыть", "Ctrl+O", 1, &F::OpenItemClick),
                   "OpenButton", "Открыть", "Открытие существующего плана эксперимента",
                   TBarId::Start),
        Op(M::File, "SaveItem", "&Сохранить", "Ctrl+S", 2, &S::SavePlan),
        Op(M::File, "SaveAsItem", "Сохранить &как ...", "F12", 3, &S::SavePlanAs),
        Do(M::File, "RunSheetItem", "&Рабочий лист ...", "", 14, &F::RunSheetItemClick),
        Do(M::File, "CloseItem", "&Закрыть", "Ctrl+U", 4, &F::CloseItemClick),
        WithButton(Do(M::File, "UpdateReportItem", "О&бновить отчет", "Ctrl+R", 5,
                      &F::UpdateReportItemClick, true),
                   "ReportButton", "Отчет", "Составление отчета", TBarId::Analysis),
        Do(M::File, "ExitItem", "&Выход", "F10", -1, &F::ExitItemClick, true),
        Op(M::Export, "ExportAllItem", "&Все данные ...", "", 12, &S::ExportAll),
        Op(M::Export, "ExportCItem", "&Кодовая матрица ...", "", 13, &S::ExportCodeMatrix, true),
        Op(M::Export, "ExportNItem", "&Натуральная матрица ...", "", 14, &S::ExportNaturalMatrix),
        Op(M::Export, "ExportMLItem", "Основные &уровни ...", "", 15, &S::ExportBaseLevels),
        Op(M::Export, "ExportDFItem", "&Интервалы варьирования ...", "", 16, &S::ExportIntervals),
        Op(M::Export, "ExportDataItem", "&Отклики ...", "", 17, &S::ExportResponses),
        Op(M::Export, "ExportReportItem", "О&тчет ...", "", 18, &S::ExportReport, true),
    };
}

std::vector<TCommandInfo> MakeImportCommands() {
    using M = TMenuId;
    TCommandInfo importCode =
        Op(M::Import, "ImportCItem", "&Кодовая матрица ...", "", 7, &S::ImportCodeMatrix, true);
    importCode.Reevaluate = false;
    return {
        WithButton(Op(M::Import, "ImportAllItem", "&Встроенный план / All ...", "Ctrl+I", 6,
                      &S::ImportAll),
                   "ImportAllButton", "Импорт",
                   "Импорт данных для одного из встроенных планов эксперимента", TBarId::Start),
        importCode,
        Op(M::Import, "ImportMLItem", "Основные &уровни ...", "", 9, &S::ImportBaseLevels),
        Op(M::Import, "ImportDFItem", "&Интервалы варьирования ...", "", 10, &S::ImportIntervals),
        Op(M::Import, "ImportDataItem", "&Отклики ...", "", 11, &S::ImportResponses),
        Do(M::Import, "ImportRunSheetItem", "Из &рабочего листа ...", "", 11,
           &F::ImportRunSheetItemClick),
    };
}

std::vector<TCommandInfo> MakePlanCommands() {
    using M = TMenuId;
    return {
        Op(M::Experiment, "KNamesItem", "&Имена факторов ...", "Ctrl+K", 19, &S::EditFactorNames),
        Op(M::Experiment, "NewDataItem", "&Отклики ...", "Ctrl+Y", 20, &S::EditResponses),
        Op(M::Experiment, "CheckPointItem", "&Контрольная точка ...", "", 21, &S::ShowCheckPoint),
        Op(M::Experiment, "AverageItem", "&Средние ...", "", 22, &S::ComputeAverages),
        WithButton(
            Op(M::Experiment, "AnalysisItem", "&Анализ ...", "Ctrl+A", 23, &S::RunAnalysis, true),
            "AnalisysButton", "Анализ",
            "Анализ откликов на однородность, аппроксимация и проверка адекватности "
            "модели.",
            TBarId::Analysis),
        WithButton(Do(M::Experiment, "StatisticsItem", "С&татистика модели ...", "Ctrl+M", 25,
                      &F::StatisticsItemClick),
                   "StatisticsButton", "Статистика",
                   "Дисперсионный анализ, показатели качества, доверительные интервалы "
                   "коэффициентов и диагностика модели",
                   TBarId::Results),
        ModelNeeded(Do(M::Experiment, "EvaluationItem", "&Оценка плана ...", "", 20,
                       &F::EvaluationItemClick)),
        ModelNeeded(
            Do(M::Experiment, "AugmentItem", "&Дополнить план ...", "", 20, &F::AugmentItemClick)),
        Op(M::Experiment, "RegenerateCodeItem", "Сброс кодовой &матрицы", "", 24,
           &S::ResetCodeMatrix),
        Op(M::Experiment, "TranslateItem", "&Значение / переход ...", "Ctrl+T", 26,
           &S::TranslateValue, true),
        WithButton(
            Op(M::Experiment, "ExtremumItem", "&Экстремум ...", "Ctrl+F", 25, &S::FindExtremum),
            "ExtremumButton", "Экстремум", "Поиск экстремума аппроксимирующей функции",
            TBarId::Results),
        WithButton(Op(M::Graph, "DiagramItem", "Новый &график ...", "Ctrl+D", 27, &S::NewDiagram),
                   "DiagramButton", "График",
                   "Построение графика по значениям аппроксимирующей функции", TBarId::Results),
        WithButton(
            Op(M::Graph, "SurfaceItem", "Новая &поверхность ...", "Ctrl+L", 28, &S::NewSurface),
            "SurfaceButton", "Поверхность",
            "Построение пространственного графика по значениям аппроксимирующей функции",
            TBarId::Results),
        WithButton(Do(M::Graph, "ContourItem", "&Контурный график ...", "", 28,
                      &F::ContourItemClick, true),
                   "ContourButton", "Контур",
                   "Контурный график аппроксимирующей функции по двум факторам с точками плана",
                   TBarId::Results),
        ObservationsNeeded(WithButton(
            Do(M::Graph, "ResidualsItem", "Диагностика &остатков", "", 27, &F::ResidualsItemClick),
            "ResidualsButton", "Остатки",
            "Графики остатков: нормальный вероятностный, от предсказания, от порядка "
            "наблюдений; предсказание от наблюдения",
            TBarId::Results)),
        WithButton(Do(M::Graph, "EffectsItem", "&Эффекты", "", 27, &F::EffectsItemClick),
                   "EffectsButton", "Эффекты",
                   "Диаграмма Парето |t| коэффициентов; полунормальный график эффектов",
                   TBarId::Results),
        WithButton(Do(M::Graph, "InteractionItem", "&Взаимодействие ...", "", 28,
                      &F::InteractionItemClick),
                   "InteractionButton", "Взаимодействие",
                   "Отклик по одному фактору на нижнем и верхнем уровнях другого", TBarId::Results),
        WithButton(Do(M::Graph, "TraceItem", "&Трассировка", "", 27, &F::TraceItemClick),
                   "TraceButton", "Трассировка", "Отклик по каждому фактору через центр плана",
                   TBarId::Results),
        Op(M::Graph, "ExportDiagramItem", "&Экспорт графика ...", "Ctrl+E", 29, &S::ExportDiagram,
           true),
        Op(M::Graph, "ExportSurfaceItem", "Э&кспорт поверхности ...", "Ctrl+J", 30,
           &S::ExportSurface),
    };
}

std::vector<TCommandInfo> MakeShellCommands() {
    using M = TMenuId;
    return {
        Toggle(M::View, "FullScreenItem", "&Во весь экран", &F::FullScreenItemClick),
        Toggle(M::View, "ShowMenuItem", "&Меню", &F::ShowMenuItemClick),
        Toggle(M::View, "ShowToolBarItem", "&Панель инструментов", &F::ShowToolBarItemClick),
        Toggle(M::View, "ShowStatusBarItem", "&Строка состояния", &F::ShowStatusBarItemClick),
        Do(M::View, "UnbreakBands", "Со&брать панели", "", -1, &F::UnbreakBands, true),
        Do(M::Form, "CascadeItem", "&Каскад", "", -1, &F::CascadeItemClick),
        Do(M::Form, "TileItem", "&Мозаика", "", -1, &F::TileItemClick),
        Do(M::Form, "ArrangeIconsItem", "&Упорядочить значки", "", -1, &F::ArrangeIconsItemClick),
        Do(M::Form, "MinimizeItem", "&Свернуть ...", "Ctrl+H", 47, &F::MinimizeItemClick, true),
        Do(M::Form, "ShowItem", "&Показать ...", "Ctrl+W", 48, &F::ShowItemClick),
        Do(M::Form, "ArrangeItem", "&Расположить ...", "Ctrl+G", 49, &F::ArrangeItemClick),
        Do(M::Service, "ShowPirsonItem", "Распределение Пи&рсона...", "", -1,
           &F::ShowPirsonItemClick),
        Do(M::Service, "ShowCohrenItem", "Распределение &Кохрена...", "", -1,
           &F::ShowCohrenItemClick),
        Do(M::Service, "ShowStudentItem", "Распределение &Стьюдента...", "", -1,
           &F::ShowStudentItemClick),
        Do(M::Service, "ShowFisherItem", "Распределение &Фишера...", "", -1,
           &F::ShowFisherItemClick),
        Do(M::Service, "OptionsItem", "&Параметры ...", "", -1, &F::OptionsItemClick, true),
        Do(M::Help, "HelpWelcomeItem", "&Вызов справки", "F1", -1, &F::HelpWelcomeItemClick),
        Do(M::Help, "HelpQuickStartItem", "&Быстрый старт", "", -1, &F::HelpQuickStartItemClick),
        Do(M::Help, "HelpInterfaceItem", "&Интерфейс", "", -1, &F::HelpInterfaceItemClick),
        Do(M::Help, "HelpQuickPlanItem", "&Памятка исследователю", "", -1,
           &F::HelpQuickPlanItemClick),
        Do(M::Help, "HTMLHItem", "&Замечания о версии", "Shift+F1", -1, &F::HTMLHItemClick, true),
        Do(M::Help, "HelpAboutItem", "&О программе...", "", -1, &F::HelpAboutItemClick, true),
    };
}

} // namespace

const std::vector<TCommandInfo>& CommandTable() {
    static const std::vector<TCommandInfo> table = [] {
        std::vector<TCommandInfo> all;
        for (auto part :
             {MakeFileCommands(), MakeImportCommands(), MakePlanCommands(), MakeShellCommands()})
            all.insert(all.end(), part.begin(), part.end());
        return all;
    }();
    return table;
}

const std::vector<TMenuInfo>& MenuTable() {
    static const std::vector<TMenuInfo> menus = {
        {TMenuId::File, "FileMenu", "&Файл"},
        {TMenuId::Export, "ExportMenu", "Э&кспорт"},
        {TMenuId::Import, "ImportMenu", "&Импорт"},
        {TMenuId::Experiment, "ExperimentMenu", "&Эксперимент"},
        {TMenuId::Graph, "GraphMenu", "&Диаграммы"},
        {TMenuId::View, "ViewMenu", "&Вид"},
        {TMenuId::Form, "FormMenu", "&Окно"},
        {TMenuId::Service, "ServiceMenu", "&Сервис"},
        {TMenuId::PlugIns, "PlugInsMenu", "До&полнения"},
        {TMenuId::Help, "HelpMenu", "Сп&равка"},
    };
    return menus;
}

} // namespace orvanta
