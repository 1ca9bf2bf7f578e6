#include "plan/RaruRuro.h"

#include "numeric/NumberText.h"
#include "numeric/Stream.h"
#include "numeric/StreamText.h"
#include "plan/Settings.h"

#include <cstdio>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace orvanta {

namespace {

std::string Scalar(double value) {
    return FormatGeneral(value, 5);
}

// "HH:MM:SS, DD.MM.YYYY": the default time and short date formats of the
// Russian locale, from the local time of `moment`.
std::string TimeAndDate(std::time_t moment) {
    std::tm local{};
    localtime_r(&moment, &local);
    char text[64];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d, %02d.%02d.%04d", local.tm_hour, local.tm_min,
                  local.tm_sec, local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
    return text;
}

// Writes the report section by section. Every section is switched by its
// option; a section that is off writes nothing, its divider included.
class TReportComposer {
public:
    TReportComposer(TRaruRuro& plan, TStream& stream)
        : Plan(plan), Stream(stream), Options(Settings()) {
        // m exists only with the observations. Without them m is neither 1
        // nor more than 1: the "no repeats" note and the sections of the
        // run statistics and of the tests are left out, while the
        // coefficients (which need no repeats) are still reported.
        if (plan.HasYMatrix || plan.HasRepeatCount)
            M = plan.Repeats();
    }

    void Compose() {
        // The divider is the separator line of the text layer; an empty
        // line (divider off or no divider text) writes nothing.
        SetSeparatorLine(Options.CBUseDivider ? Options.EDividerString : std::string());
        ComposeHeading();
        ComposePlan();
        ComposeObservations();
        ComposeStatistics();
        ComposeEnding();
    }

private:
    void Write(std::string_view text) { WriteText(Stream, text); }
    void Divider() { WriteSeparatorLine(Stream); }

    // A title and the rows of a vector or matrix, or the text for a missing one.
    template <class TRows>
    void Rows(bool on, bool valid, const char* title, const TRows& rows, const char* missing,
              bool divider = true) {
        if (!on)
            return;
        if (valid) {
            Write(title);
            rows.WriteRow(Stream);
        } else {
            Write(missing);
        }
        if (divider)
            Divider();
    }

    void Value(bool on, bool valid, const char* title, double value, const char* missing) {
        if (!on)
            return;
        Write(valid ? title + Scalar(value) + "\n" : std::string(missing));
        Divider();
    }

    void ComposeHeading();
    void ComposePlan();
    void ComposeObservations();
    void ComposeStatistics();
    void ComposeEnding();
    void FactorCountLine();
    void PlanKindLine();
    void RunCountLine();
    void ModelLine();
    void NaturalMatrixSection();
    void RepeatsLine();
    void SignificantCountSection();
    void CoefficientSection();
    void CochranSection();
    void AdequacySection();
    void Verdict(bool valid, const char* criterion, const char* title, double computed,
                 double table, const char* missing);

    TRaruRuro& Plan;
    TStream& Stream;
    const TSettings& Options;
    std::optional<std::int32_t> M;
};

void TReportComposer::ComposeHeading() {
    if (Options.CBTimeDate) {
        Write("Отчет составлен: " + TimeAndDate(Plan.Clock()) + ".\n");
        Divider();
    }
    if (Options.CBDegree)
        FactorCountLine();
    if (Options.CBpType)
        PlanKindLine();
    if (Options.CBN)
        RunCountLine();
    // The plan kind and the run count share one divider.
    if (Options.CBpType || Options.CBN)
        Divider();
    if (Options.CBModelType) {
        ModelLine();
        Divider();
    }
}

void TReportComposer::ComposePlan() {
    const TRaruRuro& p = Plan;
    Rows(Options.CBMainMatrix, p.HasCodeMatrix, "Матрица плана в кодовом выражении:\n",
         p.CodeMatrix, "Матрица плана в кодовом выражении не определена.\n");
    Rows(Options.CBMLVector, p.HasBaseLevels, "Вектор основных уровней факторов:\n", p.BaseLevels,
         "Вектор основных уровней факторов не определен.\n");
    Rows(Options.CBDFVector, p.HasIntervals, "Вектор интервалов варьирования:\n", p.Intervals,
         "Вектор интервалов варьирования не определен.\n");
    if (Options.CBNaturalMatrix)
        NaturalMatrixSection();
    Rows(Options.CBExpandedMatrix, p.HasBasisMatrix, "Матрица базисных функций:\n", p.BasisMatrix,
         "Матрица базисных функций не создана.\n");
    Rows(Options.CBMMatrix, p.HasInfoMatrix, "Информационная матрица: \n", p.InfoMatrix,
         "Информационная матрица не создана.\n");
    Rows(Options.CBCMatrix, p.HasInvInfoMatrix, "Ковариационная матрица: \n", p.InvInfoMatrix,
         "Ковариационная матрица не создана.\n");
}

void TReportComposer::ComposeObservations() {
    const TRaruRuro& p = Plan;
    if (Options.CBR)
        RepeatsLine();
    Rows(Options.CBYMatrix, p.HasYMatrix, "Матрица откликов: \n", p.YMatrix,
         "Матрица откликов не определена.\n");
    Rows(Options.CBAVector, p.HasYMean, "Вектор средних значений наблюдений: \n", p.YMean,
         "Вектор средних значений наблюдений не найден.\n");
    // Not an option: without repeats the rest of the report would be
    // silently short, so the reason is always given.
    if (M == 1) {
        Write("Статистический анализ данных невозможен: опыты не повторялись.\n");
        Divider();
    }
}

void TReportComposer::ComposeStatistics() {
    const TRaruRuro& p = Plan;
    const bool repeated = M && *M > 1;
    if (repeated) {
        Rows(Options.CBDVector, p.HasYVariance, "Вектор дисперсий наблюдений: \n", p.YVariance,
             "Вектор дисперсий наблюдений не найден.\n", false);
        Rows(Options.CBSVector, p.HasYDeviation, "Вектор ошибок наблюдений: \n", p.YDeviation,
             "Вектор ошибок наблюдений не найден.\n", false);
        // These two missing texts end without a line break.
        Value(Options.CBDV, p.HasReproVariance, "Дисперсия воспроизводимости: ", p.ReproVariance,
              "Дисперсия воспроизводимости не определена.");
        Value(Options.CBDmax, p.HasMaxRunVariance,
              "Максимальная из дисперсий опытов: ", p.MaxRunVariance,
              "Максимальная из дисперсий опытов не найдена.");
        if (Options.CBActualBSize)
            SignificantCountSection();
    }
    if (Options.CBBVector)
        CoefficientSection();
    if (repeated) {
        Value(Options.CBDad, p.HasAdequacyVariance, "Дисперсия адекватности: ", p.AdequacyVariance,
              "Дисперсия адекватности не найдена.\n");
        if (Options.CBCohrenAnalysis)
            CochranSection();
        if (Options.CBFisherAnalysis)
            AdequacySection();
    }
}

void TReportComposer::ComposeEnding() {
    Rows(Options.CBMainPoint, Plan.HasExtremumPoint, "Последний найденный экстремум: \n",
         Plan.ExtremumPoint, "Поиск экстремума не производился.\n");
    if (const TReportSections& sections = ReportSections()) {
        for (const std::string& section : sections(Plan)) {
            Write(section);
            Divider();
        }
    }
    if (Options.CBMarkEndOfReport)
        Write("<конец отчета>\n");
}

void TReportComposer::FactorCountLine() {
    if (Plan.HasFactorCount)
        Write("Количество факторов: " + IntToStr(Plan.FactorCount) + "\n");
    else
        Write("Количество факторов плана не определено.\n");
}

void TReportComposer::PlanKindLine() {
    if (!Plan.HasPlanKind) {
        Write("Тип плана не определен.\n");
        return;
    }
    std::string text = "Тип плана: ";
    switch (Plan.PlanKind) {
    case PlanFFE:
        text += "встроенный план полного факторного эксперимента.\n";
        break;
    case PlanCCO:
        text += "встроенный центральный композиционный ортогональный.\n";
        break;
    case PlanCCR:
        text += "встроенный центральный композиционный ротатабельный.\n";
        break;
    case PlanGeneral:
        text += Plan.Generator ? Plan.Generator->GetName() + "\n"
                               : std::string("План общего вида (определен пользователем).\n");
        break;
    default:
        text += "План общего вида (" + IntToStr(Plan.PlanKind) + ")\n";
        break;
    }
    Write(text);
}

void TReportComposer::RunCountLine() {
    Write(std::string("Полное количество экспериментов: ") +
          (Plan.HasRunCount ? IntToStr(Plan.RunCount) + "\n" : "не определено.\n"));
}

void TReportComposer::ModelLine() {
    // A plan of no known kind has no model to name; it is said so in the
    // words of the plan kind's own line.
    if (!Plan.HasPlanKind || Plan.PlanKind > PlanGeneral) {
        Write("Тип модели не определен.\n");
        return;
    }
    const std::string k = IntToStr(Plan.FactorCount);
    std::string text = "Тип модели: ";
    if (Plan.PlanKind == PlanFFE) {
        text += Plan.HasRunCount ? "Полином первого порядка от " + k + " переменных.\n"
                                 : std::string("Полином первого порядка.\n");
    } else if (Plan.PlanKind != PlanGeneral) {
        text += Plan.HasRunCount ? "Полином второго порядка от " + k + " переменных.\n"
                                 : std::string("Полином второго порядка.\n");
    } else if (Plan.Model) {
        text += Plan.Model->GetName() + "\n";
    } else {
        text += "Модель общего вида (определена пользователем).\n";
        if (!Plan.Addens.empty()) {
            text += "Слагаемые: ";
            for (std::size_t i = 0; i < Plan.Addens.size(); ++i)
                text += (i > 0 ? ";" : "") + Plan.Addens[i]->GetName();
            text += ".\n";
        }
    }
    Write(text);
}

void TReportComposer::NaturalMatrixSection() {
    // The base levels or intervals may have been edited since the natural
    // matrix was last built.
    if (Plan.HasNaturalMatrix)
        Plan.RefreshNaturalMatrix();
    Rows(true, Plan.HasNaturalMatrix, "Матрица плана в натуральном выражении:\n",
         Plan.NaturalMatrix, "Матрица плана в натуральном выражении не определена.\n");
}

void TReportComposer::RepeatsLine() {
    if (M)
        Write("Число повторений каждого эксперимента: " + IntToStr(*M) + "\n");
    else
        Write("Число повторений экспериментов не определено.\n");
    Divider();
}

void TReportComposer::SignificantCountSection() {
    if (Plan.HasSignificance)
        Write("Число значимых параметров: " + IntToStr(Plan.SignificantCount) + "\n");
    else
        Write("Число значимых параметров не найдено.\n");
    Divider();
}

void TReportComposer::CoefficientSection() {
    if (!Plan.HasBVector) {
        Write("Вектор параметров модели не найден.\n");
        Divider();
        return;
    }
    Plan.FillNames();
    std::string text = "Вектор параметров модели: \n";
    for (const std::string& line : Plan.EquationLines) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        text += line.substr(0, equals) + "\t" + line.substr(equals + 1) + "\n";
    }
    Write(text);
    Divider();
}

void TReportComposer::CochranSection() {
    if (!Plan.HasCochran) {
        Write("Анализ однородности не произведен.\n");
        Divider();
        return;
    }
    Write("Результаты анализа однородности дисперсий: \n"
          "Расчетное значение критерия Кохрена: " +
          Scalar(Plan.CochranG) +
          "\nТабличное значение критерия Кохрена: " + Scalar(Plan.CochranGCrit) + "\n");
    Write(Plan.CochranG > Plan.CochranGCrit ? "Дисперсии параллельных опытов неоднородны.\n"
                                            : "Дисперсии параллельных опытов однородны.\n");
    Divider();
}

void TReportComposer::AdequacySection() {
    Verdict(Plan.HasFisher, "Фишера", "Результаты анализа адекватности по критерию Фишера: \n",
            Plan.FisherF, Plan.FisherFCrit,
            "Анализ адекватности по критерию Фишера не производился.\n");
    Verdict(Plan.HasCheckT, "Стьюдента", "Результаты анализа адекватности по контрольной точке: \n",
            Plan.CheckT, Plan.CheckTCrit,
            "Анализ адекватности по контрольной точке не производился.\n");
    Divider();
}

void TReportComposer::Verdict(bool valid, const char* criterion, const char* title, double computed,
                              double table, const char* missing) {
    if (!valid) {
        Write(missing);
        return;
    }
    const std::string name = criterion;
    Write(title + ("Расчетное значение критерия " + name + ": ") + Scalar(computed) +
          "\nТабличное значение критерия " + name + ": " + Scalar(table) + "\n");
    Write(computed > table ? "Выбранная модель неадекватна исследуемой системе.\n"
                           : "Выбранная модель адекватно описывает исследуемую систему.\n");
}

TReportSections& SectionsOfLayersAbove() {
    static TReportSections sections;
    return sections;
}

} // namespace

void SetReportSections(TReportSections sections) {
    SectionsOfLayersAbove() = std::move(sections);
}

const TReportSections& ReportSections() {
    return SectionsOfLayersAbove();
}

void TRaruRuro::ComposeReport(TStream& stream) {
    TReportComposer(*this, stream).Compose();
}

} // namespace orvanta
