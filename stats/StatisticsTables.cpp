#include "stats/StatisticsTables.h"

#include "numeric/NumberText.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"

#include <cmath>

namespace orvanta {

namespace {

// The words the report writes after a coefficient that Student's test
// found insignificant.
const char* const InsignificantNote =
    "статистически не значим, слагаемое модели должно быть исключено";

TStatCell Figure(double value) {
    return {StatFigure(value), value};
}

TStatCell Figure(const std::optional<double>& value) {
    return value ? Figure(*value) : TStatCell{};
}

TStatCell PFigure(const std::optional<double>& p) {
    if (!p)
        return {};
    if (*p < 0.0001)
        return {"< " + FormatGeneral(0.0001, 6), *p};
    return Figure(*p);
}

TStatCell Name(const std::string& text) {
    return {text, std::nullopt};
}

TStatCell Count(std::int32_t value) {
    return {IntToStr(value), static_cast<double>(value)};
}

std::size_t FactorCount(const TModelStatistics& s) {
    if (s.Canonical)
        return s.Canonical->StationaryCoded.size();
    if (s.SteepestAscent && !s.SteepestAscent->empty())
        return s.SteepestAscent->front().Coded.size();
    return 0;
}

std::string Percent(double alpha) {
    return FormatGeneral(100.0 * (1.0 - alpha), 6) + " %";
}

TStatSection Anova(const TModelStatistics& s) {
    TStatSection section{"anova", "Дисперсионный анализ", {}, {}, {}};
    std::int32_t errorDf = 0;
    TStatTable table = StatTable(
        {"Источник", "Число степеней свободы", "Сумма квадратов", "Средний квадрат", "F", "p"});
    for (const TAnovaRow& r : s.Anova) {
        const bool error = r.Source == (s.ErrorTerm == TErrorTerm::Pure ? "pureError" : "residual");
        if (error)
            errorDf = r.Df;
        AddStatRow(table, {Name(AnovaSourceName(r.Source)), Count(r.Df), Figure(r.SS), Figure(r.MS),
                           Figure(r.F), PFigure(r.P)});
    }
    section.Above.push_back(std::string("Ошибка: ") +
                            (s.ErrorTerm == TErrorTerm::Pure
                                 ? "чистая ошибка (дисперсия воспроизводимости)"
                                 : "остаточная дисперсия") +
                            ", число степеней свободы " + IntToStr(errorDf) + ".");
    section.Above.push_back("Уровень значимости: " + FormatGeneral(s.Alpha, 6) + ".");
    section.Tables.push_back(std::move(table));
    return section;
}

TStatSection Fit(const TFitSummary& f) {
    TStatSection section{"fit", "Качество модели", {}, {}, {}};
    TStatTable table = StatTable({"Показатель", "Значение"});
    const std::pair<const char*, double> rows[] = {
        {"R²", f.RSquared},
        {"Скорректированный R²", f.AdjRSquared},
        {"Предсказанный R²", f.PredRSquared},
        {"PRESS", f.Press},
        {"Стандартное отклонение", f.RootMse},
        {"Среднее", f.Mean},
        {"Коэффициент вариации, %", f.CvPercent},
    };
    for (const auto& [name, value] : rows)
        AddStatRow(table, {Name(name), Figure(value)});
    section.Tables.push_back(std::move(table));
    return section;
}

// Every coefficient of the plan in term order: the model's with their
// figures, the ones the analysis zeroed or left out of the refit with their
// value only; an insignificant term carries the report's note.
TStatSection Coefficients(const TRaruRuro& plan, const TModelStatistics& s) {
    TStatSection section{"coefficients", "Коэффициенты", {}, {}, {}};
    const std::string level = Percent(s.Alpha);
    TStatTable table =
        StatTable({"Коэффициент", "Значение", "Стандартная ошибка", "t", "p",
                   "Нижняя граница " + level, "Верхняя граница " + level, "VIF", "Примечание"});
    const std::int32_t p = plan.HasBVector ? plan.BVector.Size() : 0;
    std::size_t next = 0;
    for (std::int32_t term = 0; term < p; ++term) {
        const auto index = static_cast<std::size_t>(term);
        const bool insignificant =
            plan.HasSignificance && index < plan.Significance.size() && !plan.Significance[index];
        const TStatCell note = Name(insignificant ? InsignificantNote : "");
        if (next < s.Coefficients.size() && s.Coefficients[next].Term == term) {
            const TCoefficientStatistics& c = s.Coefficients[next++];
            AddStatRow(table,
                       {Name(c.Name), Figure(c.Value), Figure(c.StdError), Figure(c.T),
                        PFigure(c.P), Figure(c.CiLow), Figure(c.CiHigh), Figure(c.Vif), note});
        } else {
            AddStatRow(table, {Name(CoefficientLabel(plan, term)),
                               Figure(plan.BVector.Get(term)),
                               {},
                               {},
                               {},
                               {},
                               {},
                               {},
                               note});
        }
    }
    section.Above.push_back("Доверительные интервалы с вероятностью " + level + ".");
    section.Tables.push_back(std::move(table));
    return section;
}

TStatSection Canonical(const TRaruRuro& plan, const TCanonicalAnalysis& c) {
    TStatSection section{"canonical", "Каноническое преобразование", {}, {}, {}};
    TStatTable point = StatTable({"Фактор", "Кодированное значение", "Натуральное значение"});
    TStatTable shape = StatTable({"Собственное значение"});
    for (std::size_t i = 0; i < c.StationaryCoded.size(); ++i) {
        AddStatRow(point, {Name(PlanFactorName(plan, i)), Figure(c.StationaryCoded[i]),
                           Figure(i < c.StationaryNatural.size() ? c.StationaryNatural[i] : NAN)});
        shape.Header.push_back(PlanFactorName(plan, i));
    }
    for (std::size_t j = 0; j < c.Eigenvalues.size(); ++j) {
        TStatRow row{Figure(c.Eigenvalues[j])};
        for (const double v : c.Eigenvectors[j])
            row.push_back(Figure(v));
        AddStatRow(shape, std::move(row));
    }
    section.Above.push_back("Стационарная точка:");
    section.Tables.push_back(std::move(point));
    section.Tables.push_back(std::move(shape));
    section.Below.push_back("Отклик в стационарной точке: " + StatFigure(c.Predicted));
    section.Below.push_back("Вид поверхности: " + CanonicalKindName(c.Kind));
    if (!c.Inside)
        section.Below.push_back("Стационарная точка лежит вне области плана.");
    return section;
}

TStatSection Steepest(const TRaruRuro& plan, const std::vector<TSteepestAscentPoint>& path,
                      std::size_t k) {
    TStatSection section{"steepest", "Крутое восхождение", {}, {}, {}};
    TStatTable table = StatTable({"Радиус"});
    for (std::size_t i = 0; i < k; ++i)
        table.Header.push_back(PlanFactorName(plan, i) + ", код.");
    for (std::size_t i = 0; i < k; ++i)
        table.Header.push_back(PlanFactorName(plan, i) + ", натур.");
    table.Header.push_back("Предсказание");
    for (const TSteepestAscentPoint& point : path) {
        TStatRow row{Figure(point.Radius)};
        for (const double v : point.Coded)
            row.push_back(Figure(v));
        for (const double v : point.Natural)
            row.push_back(Figure(v));
        row.push_back(Figure(point.Predicted));
        AddStatRow(table, std::move(row));
    }
    section.Above.push_back("Путь крутого восхождения из центра плана (радиус в кодированных "
                            "единицах):");
    section.Tables.push_back(std::move(table));
    return section;
}

TStatSection Lenth(const TLenthAnalysis& l) {
    TStatSection section{"lenth", "Метод Лента", {}, {}, {}};
    section.Above.push_back("Псевдостандартная ошибка PSE = " + StatFigure(l.Pse));
    section.Above.push_back("Предел ошибки ME = " + StatFigure(l.Me));
    section.Above.push_back("Одновременный предел ошибки SME = " + StatFigure(l.Sme));
    TStatTable table = StatTable({"Эффект", "Величина", "Активен"});
    for (const TLenthEffect& e : l.Effects)
        AddStatRow(table, {Name(e.Name), Figure(e.Effect), Name(e.Active ? "да" : "нет")},
                   e.Active);
    section.Tables.push_back(std::move(table));
    section.Below.push_back("Активен эффект, по модулю больший ME.");
    return section;
}

TStatSection Diagnostics(const TModelStatistics& s) {
    TStatSection section{"diagnostics", "Диагностика", {}, {}, {}};
    TStatTable table = StatTable({"Опыт", "Повтор", "Наблюдение", "Предсказание", "Остаток",
                                  "Рычаг", "Стьюдентизированный остаток",
                                  "Внешне стьюдентизированный остаток", "Расстояние Кука"});
    const auto n = static_cast<std::int32_t>(s.Observations.size());
    const double cook = n > 0 ? 4.0 / n : 0.0;
    for (const TObservationDiagnostics& o : s.Observations) {
        AddStatRow(table,
                   {Count(o.Run), Count(o.Repeat), Figure(o.Actual), Figure(o.Predicted),
                    Figure(o.Residual), Figure(o.Leverage), Figure(o.Studentized),
                    Figure(o.ExternallyStudentized), Figure(o.CooksDistance)},
                   WorthALook(o, s.Observations.size()));
    }
    section.Tables.push_back(std::move(table));
    section.Below.push_back("Выделены наблюдения, у которых внешне стьюдентизированный остаток по "
                            "модулю больше 3 или расстояние Кука больше 4/n = " +
                            StatFigure(cook) + " (n = " + IntToStr(n) + " — число наблюдений).");
    return section;
}

} // namespace

bool WorthALook(const TObservationDiagnostics& o, std::size_t observations) {
    return std::fabs(o.ExternallyStudentized) > 3.0 ||
           (observations > 0 && o.CooksDistance > 4.0 / static_cast<double>(observations));
}

TStatisticsOptions StatisticsOptionsFromSettings() {
    const TSettings& o = Settings();
    TStatisticsOptions options;
    options.Alpha = o.QuantileAlpha;
    if (!o.StatisticsPureError)
        options.ErrorTerm = TErrorTerm::Residual;
    return options;
}

TStatTable StatTable(std::vector<std::string> header) {
    TStatTable table;
    table.Header = std::move(header);
    return table;
}

void AddStatRow(TStatTable& table, TStatRow row, bool marked) {
    table.Rows.push_back(std::move(row));
    table.Marked.push_back(marked);
}

std::string PlanFactorName(const TRaruRuro& plan, std::size_t i) {
    if (plan.HasFactorNames && i < plan.FactorNames.size())
        return plan.FactorNames[i];
    return "x" + IntToStr(static_cast<std::int64_t>(i) + 1);
}

std::string StatFigure(double value) {
    return std::isfinite(value) ? FormatGeneral(value, 6) : "—";
}

std::vector<TStatSection> StatisticsSections(const TRaruRuro& plan, const TModelStatistics& s) {
    std::vector<TStatSection> sections{Anova(s), Fit(s.Fit), Coefficients(plan, s)};
    if (s.Canonical)
        sections.push_back(Canonical(plan, *s.Canonical));
    if (s.SteepestAscent)
        sections.push_back(Steepest(plan, *s.SteepestAscent, FactorCount(s)));
    if (s.Lenth)
        sections.push_back(Lenth(*s.Lenth));
    sections.push_back(Diagnostics(s));
    return sections;
}

std::string TableTsv(const TStatTable& table) {
    std::string text;
    const auto line = [&text](const auto& cells, const auto& cellText) {
        for (std::size_t j = 0; j < cells.size(); ++j)
            text += (j ? "\t" : "") + cellText(cells[j]);
        text += "\n";
    };
    line(table.Header, [](const std::string& h) { return h; });
    for (const TStatRow& row : table.Rows)
        line(row, [](const TStatCell& c) { return c.Text; });
    return text;
}

std::string SectionsText(const std::vector<TStatSection>& sections) {
    std::string text;
    for (const TStatSection& section : sections) {
        if (!text.empty())
            text += "\n";
        text += section.Title + "\n";
        for (const std::string& line : section.Above)
            text += line + "\n";
        for (const TStatTable& table : section.Tables)
            text += TableTsv(table);
        for (const std::string& line : section.Below)
            text += line + "\n";
    }
    return text;
}

} // namespace orvanta
