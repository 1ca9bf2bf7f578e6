#include "StatisticsOutput.h"

#include "AnalysisOutput.h"

#include "numeric/NumberText.h"

#include <algorithm>
#include <cmath>

namespace orvanta::cli {

namespace {

using TJson = nlohmann::ordered_json;
using TRow = std::vector<std::string>;

// Characters, not bytes: the headings are Cyrillic.
std::size_t Width(const std::string& text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

// The first column left-aligned, the others right-aligned, two blanks apart.
std::string Table(const std::vector<TRow>& rows) {
    std::vector<std::size_t> widths;
    for (const TRow& row : rows)
        for (std::size_t j = 0; j < row.size(); ++j) {
            widths.resize(std::max(widths.size(), row.size()));
            widths[j] = std::max(widths[j], Width(row[j]));
        }
    std::string text;
    for (const TRow& row : rows) {
        std::string line;
        for (std::size_t j = 0; j < row.size(); ++j) {
            const std::string pad(widths[j] - Width(row[j]), ' ');
            line += j == 0 ? row[j] + pad : "  " + pad + row[j];
        }
        line.erase(line.find_last_not_of(' ') + 1);
        text += line + "\n";
    }
    return text;
}

std::string Figure(double value) {
    return std::isfinite(value) ? Number(value) : "—";
}

std::string Figure(const std::optional<double>& value) {
    return value ? Figure(*value) : "";
}

std::string PValue(const std::optional<double>& p) {
    if (!p)
        return "";
    return *p < 0.0001 ? "< 0.0001" : Figure(*p);
}

std::string Coordinates(const std::vector<double>& x) {
    std::string text;
    for (std::size_t i = 0; i < x.size(); ++i)
        text += (i ? "; " : "") + Figure(x[i]);
    return text;
}

std::string AnovaText(const TModelStatistics& s) {
    std::vector<TRow> rows{
        {"Источник", "Число степеней свободы", "Сумма квадратов", "Средний квадрат", "F", "p"}};
    for (const TAnovaRow& r : s.Anova)
        rows.push_back({AnovaSourceName(r.Source), IntToStr(r.Df), Figure(r.SS), Figure(r.MS),
                        Figure(r.F), PValue(r.P)});
    return std::string("Дисперсионный анализ (ошибка: ") +
           (s.ErrorTerm == TErrorTerm::Pure ? "чистая ошибка" : "остаток") + "):\n" + Table(rows);
}

std::string FitText(const TFitSummary& f) {
    return "Качество модели:\n" + Table({{"R²", Figure(f.RSquared)},
                                         {"Скорректированный R²", Figure(f.AdjRSquared)},
                                         {"Предсказанный R²", Figure(f.PredRSquared)},
                                         {"PRESS", Figure(f.Press)},
                                         {"Среднеквадратичная ошибка", Figure(f.RootMse)},
                                         {"Среднее отклика", Figure(f.Mean)},
                                         {"Коэффициент вариации, %", Figure(f.CvPercent)}});
}

std::string CoefficientText(const TModelStatistics& s) {
    const std::string level = FormatGeneralPoint(100.0 * (1.0 - s.Alpha), 6);
    std::vector<TRow> rows{{"Коэффициент", "Значение", "Ошибка", "t", "p",
                            "Нижняя граница " + level + " %", "Верхняя граница " + level + " %",
                            "VIF"}};
    for (const TCoefficientStatistics& c : s.Coefficients)
        rows.push_back({c.Name, Figure(c.Value), Figure(c.StdError), Figure(c.T), PValue(c.P),
                        Figure(c.CiLow), Figure(c.CiHigh), Figure(c.Vif)});
    return "Коэффициенты модели:\n" + Table(rows);
}

std::string ObservationText(const TModelStatistics& s) {
    std::vector<TRow> rows{{"Опыт", "Повтор", "Наблюдение", "Предсказание", "Остаток", "Рычаг",
                            "Стьюдентизированный", "Внешне стьюдентизированный",
                            "Расстояние Кука"}};
    for (const TObservationDiagnostics& o : s.Observations)
        rows.push_back({IntToStr(o.Run), IntToStr(o.Repeat), Figure(o.Actual), Figure(o.Predicted),
                        Figure(o.Residual), Figure(o.Leverage), Figure(o.Studentized),
                        Figure(o.ExternallyStudentized), Figure(o.CooksDistance)});
    return "Остатки:\n" + Table(rows);
}

std::string CanonicalText(const TCanonicalAnalysis& c) {
    std::string text =
        "Канонический анализ:\n" +
        Table({{"Стационарная точка (кодированные)", Coordinates(c.StationaryCoded)},
               {"Стационарная точка (натуральные)", Coordinates(c.StationaryNatural)},
               {"Отклик в стационарной точке", Figure(c.Predicted)},
               {"Вид", CanonicalKindName(c.Kind)},
               {"Внутри области плана", c.Inside ? "да" : "нет"}});
    std::vector<TRow> rows{{"Собственное значение", "Собственный вектор"}};
    for (std::size_t j = 0; j < c.Eigenvalues.size(); ++j)
        rows.push_back({Figure(c.Eigenvalues[j]), Coordinates(c.Eigenvectors[j])});
    return text + Table(rows);
}

std::string SteepestText(const std::vector<TSteepestAscentPoint>& path) {
    std::vector<TRow> rows{{"Радиус", "Кодированные", "Натуральные", "Отклик"}};
    for (const TSteepestAscentPoint& point : path)
        rows.push_back({Figure(point.Radius), Coordinates(point.Coded), Coordinates(point.Natural),
                        Figure(point.Predicted)});
    return "Путь крутого восхождения:\n" + Table(rows);
}

std::string LenthText(const TLenthAnalysis& l) {
    std::vector<TRow> rows{{"Эффект", "Величина", "Активен"}};
    for (const TLenthEffect& e : l.Effects)
        rows.push_back({e.Name, Figure(e.Effect), e.Active ? "да" : "нет"});
    return "Метод Лента: PSE = " + Figure(l.Pse) + ", ME = " + Figure(l.Me) +
           ", SME = " + Figure(l.Sme) + "\n" + Table(rows);
}

TJson Value(double value) {
    return std::isfinite(value) ? TJson(value) : TJson(nullptr);
}

TJson Value(const std::optional<double>& value) {
    return value ? Value(*value) : TJson(nullptr);
}

TJson Values(const std::vector<double>& values) {
    TJson list = TJson::array();
    for (const double v : values)
        list.push_back(Value(v));
    return list;
}

TJson CanonicalJson(const TCanonicalAnalysis& c) {
    TJson vectors = TJson::array();
    for (const auto& v : c.Eigenvectors)
        vectors.push_back(Values(v));
    return {{"stationaryCoded", Values(c.StationaryCoded)},
            {"stationaryNatural", Values(c.StationaryNatural)},
            {"predicted", Value(c.Predicted)},
            {"eigenvalues", Values(c.Eigenvalues)},
            {"eigenvectors", vectors},
            {"kind", c.Kind},
            {"inside", c.Inside}};
}

TJson SteepestJson(const std::vector<TSteepestAscentPoint>& path) {
    TJson list = TJson::array();
    for (const TSteepestAscentPoint& point : path)
        list.push_back({{"radius", point.Radius},
                        {"coded", Values(point.Coded)},
                        {"natural", Values(point.Natural)},
                        {"predicted", Value(point.Predicted)}});
    return list;
}

TJson LenthJson(const TLenthAnalysis& l) {
    TJson effects = TJson::array();
    for (const TLenthEffect& e : l.Effects)
        effects.push_back({{"name", e.Name}, {"effect", Value(e.Effect)}, {"active", e.Active}});
    return {
        {"pse", Value(l.Pse)}, {"me", Value(l.Me)}, {"sme", Value(l.Sme)}, {"effects", effects}};
}

} // namespace

std::string StatisticsText(const TModelStatistics& s) {
    std::string text = AnovaText(s) + "\n" + FitText(s.Fit) + "\n" + CoefficientText(s) + "\n" +
                       ObservationText(s);
    if (s.Canonical)
        text += "\n" + CanonicalText(*s.Canonical);
    if (s.SteepestAscent)
        text += "\n" + SteepestText(*s.SteepestAscent);
    if (s.Lenth)
        text += "\n" + LenthText(*s.Lenth);
    return text;
}

std::string AlignedTable(const std::vector<std::vector<std::string>>& rows) {
    return Table(rows);
}

TJson StatisticsJson(const TModelStatistics& s) {
    TJson anova = TJson::array();
    for (const TAnovaRow& r : s.Anova)
        anova.push_back({{"source", r.Source},
                         {"df", r.Df},
                         {"ss", Value(r.SS)},
                         {"ms", Value(r.MS)},
                         {"f", Value(r.F)},
                         {"p", Value(r.P)}});
    const TFitSummary& f = s.Fit;
    TJson coefficients = TJson::array();
    for (const TCoefficientStatistics& c : s.Coefficients)
        coefficients.push_back({{"name", c.Name},
                                {"value", Value(c.Value)},
                                {"stdError", Value(c.StdError)},
                                {"t", Value(c.T)},
                                {"p", Value(c.P)},
                                {"ciLow", Value(c.CiLow)},
                                {"ciHigh", Value(c.CiHigh)},
                                {"vif", Value(c.Vif)}});
    TJson observations = TJson::array();
    for (const TObservationDiagnostics& o : s.Observations)
        observations.push_back({{"run", o.Run},
                                {"repeat", o.Repeat},
                                {"actual", Value(o.Actual)},
                                {"predicted", Value(o.Predicted)},
                                {"residual", Value(o.Residual)},
                                {"leverage", Value(o.Leverage)},
                                {"studentized", Value(o.Studentized)},
                                {"externallyStudentized", Value(o.ExternallyStudentized)},
                                {"cooksDistance", Value(o.CooksDistance)}});
    return {{"errorTerm", s.ErrorTerm == TErrorTerm::Pure ? "pure" : "residual"},
            {"alpha", s.Alpha},
            {"anova", anova},
            {"fit",
             {{"rSquared", Value(f.RSquared)},
              {"adjRSquared", Value(f.AdjRSquared)},
              {"predRSquared", Value(f.PredRSquared)},
              {"press", Value(f.Press)},
              {"rootMse", Value(f.RootMse)},
              {"mean", Value(f.Mean)},
              {"cvPercent", Value(f.CvPercent)}}},
            {"coefficients", coefficients},
            {"observations", observations},
            {"canonical", s.Canonical ? CanonicalJson(*s.Canonical) : TJson(nullptr)},
            {"steepestAscent", s.SteepestAscent ? SteepestJson(*s.SteepestAscent) : TJson(nullptr)},
            {"lenth", s.Lenth ? LenthJson(*s.Lenth) : TJson(nullptr)}};
}

} // namespace orvanta::cli
