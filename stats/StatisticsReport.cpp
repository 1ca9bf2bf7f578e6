#include "stats/StatisticsReport.h"

#include "numeric/NumberText.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "stats/ModelStatistics.h"
#include "stats/StatisticsTables.h"

#include <cmath>

namespace orvanta {

namespace {

// The report's own number form: five significant digits, the person's
// decimal separator; a figure without a value is left empty.
std::string Scalar(double value) {
    return std::isfinite(value) ? FormatGeneral(value, 5) : "";
}

std::string Scalar(const std::optional<double>& value) {
    return value ? Scalar(*value) : "";
}

std::string PValue(const std::optional<double>& p) {
    if (!p)
        return "";
    return *p < 0.0001 ? "< " + FormatGeneral(0.0001, 5) : Scalar(*p);
}

std::string Row(const std::vector<std::string>& cells) {
    std::string line;
    for (const std::string& cell : cells)
        line += cell + "\t";
    return line + "\n";
}

std::string AnovaSection(const TModelStatistics& s) {
    std::string text =
        std::string("Дисперсионный анализ (ошибка: ") +
        (s.ErrorTerm == TErrorTerm::Pure ? "чистая ошибка" : "остаточная дисперсия") + "): \n" +
        Row({"Источник", "Число степеней свободы", "Сумма квадратов", "Средний квадрат", "F", "p"});
    for (const TAnovaRow& r : s.Anova)
        text += Row({AnovaSourceName(r.Source), IntToStr(r.Df), Scalar(r.SS), Scalar(r.MS),
                     Scalar(r.F), PValue(r.P)});
    return text;
}

std::string FitSection(const TFitSummary& f) {
    return "Показатели качества модели: \n" + Row({"R-квадрат", Scalar(f.RSquared)}) +
           Row({"Скорректированный R-квадрат", Scalar(f.AdjRSquared)}) +
           Row({"Предсказанный R-квадрат", Scalar(f.PredRSquared)}) +
           Row({"PRESS", Scalar(f.Press)}) + Row({"Стандартное отклонение", Scalar(f.RootMse)}) +
           Row({"Среднее", Scalar(f.Mean)}) + Row({"Коэффициент вариации, %", Scalar(f.CvPercent)});
}

std::string IntervalSection(const TModelStatistics& s) {
    std::string text = "Доверительные интервалы коэффициентов (" +
                       FormatGeneral(100.0 * (1.0 - s.Alpha), 5) + " %): \n" +
                       Row({"Коэффициент", "Значение", "Ошибка", "t", "p", "Нижняя граница",
                            "Верхняя граница", "VIF"});
    for (const TCoefficientStatistics& c : s.Coefficients)
        text += Row({c.Name, Scalar(c.Value), Scalar(c.StdError), Scalar(c.T), PValue(c.P),
                     Scalar(c.CiLow), Scalar(c.CiHigh), Scalar(c.Vif)});
    return text;
}

std::string Point(const std::vector<double>& x) {
    std::string text;
    for (const double v : x)
        text += Scalar(v) + "\t";
    return text + "\n";
}

std::string CanonicalSection(const TModelStatistics& s) {
    std::string text = "Каноническое преобразование: \n";
    if (!s.Canonical)
        return text + "Уравнение регрессии не является полиномом второго порядка.\n";
    const TCanonicalAnalysis& c = *s.Canonical;
    text += "Стационарная точка в кодированном выражении: \n" + Point(c.StationaryCoded) +
            "Стационарная точка в натуральном выражении: \n" + Point(c.StationaryNatural) +
            "Отклик в стационарной точке: " + Scalar(c.Predicted) + "\n" +
            "Собственные значения: \n" + Point(c.Eigenvalues) +
            "Вид поверхности: " + CanonicalKindName(c.Kind) + "\n";
    if (!c.Inside)
        text += "Стационарная точка лежит вне области плана.\n";
    return text;
}

std::string DiagnosticsSection(const TModelStatistics& s) {
    std::string text = "Диагностика наблюдений: \n" +
                       Row({"Опыт", "Повтор", "Наблюдение", "Предсказание", "Остаток", "Рычаг",
                            "Стьюдентизированный остаток", "Внешне стьюдентизированный остаток",
                            "Расстояние Кука"});
    for (const TObservationDiagnostics& o : s.Observations)
        text += Row({IntToStr(o.Run), IntToStr(o.Repeat), Scalar(o.Actual), Scalar(o.Predicted),
                     Scalar(o.Residual), Scalar(o.Leverage), Scalar(o.Studentized),
                     Scalar(o.ExternallyStudentized), Scalar(o.CooksDistance)});
    return text;
}

std::vector<std::string> Sections(const TRaruRuro& plan) {
    const TSettings& o = Settings();
    if (!o.CBAnovaSection && !o.CBFitSection && !o.CBIntervalsSection && !o.CBCanonicalSection &&
        !o.CBDiagnosticsSection)
        return {};
    std::string error;
    const auto s = ComputeStatistics(plan, StatisticsOptionsFromSettings(), error);
    if (!s)
        return {"Статистика модели не вычислена: " + error + "\n"};
    std::vector<std::string> sections;
    if (o.CBAnovaSection)
        sections.push_back(AnovaSection(*s));
    if (o.CBFitSection)
        sections.push_back(FitSection(s->Fit));
    if (o.CBIntervalsSection)
        sections.push_back(IntervalSection(*s));
    if (o.CBCanonicalSection)
        sections.push_back(CanonicalSection(*s));
    if (o.CBDiagnosticsSection)
        sections.push_back(DiagnosticsSection(*s));
    return sections;
}

} // namespace

void InstallStatisticsReport() {
    SetReportSections(Sections);
}

} // namespace orvanta
