// The commands that make and change plan files: new and set.

#include "Arguments.h"
#include "Commands.h"
#include "DOptimalOptions.h"
#include "PlainTable.h"
#include "Session.h"

#include "numeric/FieldChecks.h"
#include "numeric/Messages.h"
#include "numeric/NumberText.h"
#include "plan/PlanFile.h"
#include "plan/Settings.h"
#include "runsheet/SheetFiles.h"

#include <cstdio>

namespace orvanta::cli {

namespace {

constexpr std::int32_t MaxRepeats = 64;

std::int32_t BuiltinKind(const std::string& name) {
    if (name == "ffe")
        return PlanFFE;
    if (name == "cco")
        return PlanCCO;
    if (name == "ccr")
        return PlanCCR;
    throw TUsageError("--builtin принимает ffe, cco или ccr");
}

std::vector<std::string> SplitText(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const auto end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

// A generator or model named on the command line is looked up before the
// wizard runs, with the words the plan file reader uses for a missing one.
bool Known(std::int32_t index, const char* what, const std::string& name) {
    if (index >= 0)
        return true;
    ShowWarning(std::string("Описание ") + what + " \"" + name +
                "\"\nне найдено во внешних модулях.");
    return false;
}

bool FindModel(const TBatchSession& session, const std::string& name) {
    return Known(session.Registry.ModelByName(name), "модели", name);
}

bool FindAddens(const TBatchSession& session, const std::string& names,
                std::vector<const TAdden*>& addens) {
    for (const std::string& name : SplitText(names, ',')) {
        const std::int32_t index = session.Registry.AddenByName(name);
        if (index < 0) {
            ShowWarning("Слагаемое \"" + name + "\" не найдено во внешних модулях.");
            return false;
        }
        addens.push_back(session.Registry.Adden(index));
    }
    return true;
}

// The wizard's answers for a plan of the modules: a generator's design, or
// a design of the person's own (its code matrix comes later with set --code).
bool GeneralPlanAnswers(const TArguments& arguments, TBatchSession& session,
                        TNewPlanAnswers& answers) {
    const auto model = arguments.Value("--model");
    if (model && !FindModel(session, *model))
        return false;
    answers.UseStandardModel = model.has_value();
    answers.ModelName = model.value_or("");
    if (arguments.Has("--generator")) {
        answers.Source = TPlanSource::Generator;
        answers.GeneratorName = arguments.Required("--generator");
        answers.UseGeneratorModel = !model;
        return Known(session.Registry.GenByName(answers.GeneratorName), "плана",
                     answers.GeneratorName);
    }
    answers.Source = TPlanSource::NonStandard;
    // The wizard's limits, checked before anything is sized from them.
    TSpinField factors{arguments.Required("--factors"), 1, 10};
    TSpinField runs{arguments.Required("--runs"), 1, 999};
    if (!CheckSpinInteger(factors, "Количество факторов") ||
        !CheckSpinInteger(runs, "Количество опытов"))
        return false;
    answers.FactorCount = SpinValueOrDefault(factors);
    answers.RunCount = SpinValueOrDefault(runs);
    return model || FindAddens(session, arguments.Required("--addens"), answers.Addens);
}

} // namespace

int RunNew(const TWords& words) {
    const TArguments arguments(
        words, {{"--builtin", "--factors", "--repeats", "-o", "--generator", "--model", "--runs",
                 "--addens", "--seed", "--candidates", "--lower", "--upper", "--constraint"},
                {"--custom", "--d-optimal"},
                0,
                0});
    const int sources =
        arguments.Has("--builtin") + arguments.Has("--generator") + arguments.Has("--custom");
    if (sources != 1)
        throw TUsageError("нужен ровно один из параметров --builtin, --generator, --custom");
    if (arguments.Has("--custom") && arguments.Has("--model") == arguments.Has("--addens"))
        throw TUsageError("для --custom нужен либо --model, либо --addens");
    const bool dOptimal = arguments.Has("--d-optimal");
    if (dOptimal && !arguments.Has("--custom"))
        throw TUsageError("--d-optimal задается только с --custom");
    for (const char* option : {"--seed", "--candidates", "--lower", "--upper", "--constraint"})
        if (!dOptimal && arguments.Has(option))
            throw TUsageError(std::string(option) + " задается только с --d-optimal");
    const TDOptimalOptions dOptimalOptions =
        dOptimal ? ReadDOptimalOptions(arguments) : TDOptimalOptions{};
    const std::string output = arguments.Required("-o");
    TSpinField repeats{arguments.Required("--repeats"), 1, MaxRepeats};

    TBatchSession session;
    TNewPlanAnswers answers;
    if (arguments.Has("--builtin")) {
        answers.Source = TPlanSource::Builtin;
        session.Host.BuiltinAnswer =
            TBuiltinPlanAnswer{BuiltinKind(arguments.Required("--builtin")),
                               ParseInteger(arguments.Required("--factors"), "--factors")};
    } else if (!GeneralPlanAnswers(arguments, session, answers)) {
        return ExitFailure;
    }
    if (!CheckSpinInteger(repeats, "Количество повторений"))
        return ExitFailure;
    session.Host.NewPlanAnswers = answers;
    // The observations are made with the plan: m zero columns to be filled.
    session.Host.RepeatsAnswer = TRepeatsAnswer{repeats.Text, DefaultResponseName};
    Settings().CBAlsoCreateY = true;
    if (!session.Service.NewPlan() ||
        (dOptimal && !FillDOptimalPlan(session.Plan, dOptimalOptions)) || !session.Save(output))
        return ExitFailure;
    const TRaruRuro& plan = session.Plan;
    std::printf("%s N = %d, k = %d, m = %d, p = %d.\n", plan.StatusText.c_str(), plan.RunCount,
                plan.FactorCount, plan.Repeats(), plan.TermCount());
    return ExitSuccess;
}

namespace {

// The plan's own name of a replaced item stays when the new one has none.
template <class TItem> void Replace(TItem& target, TItem&& item) {
    if (item.GetName().empty())
        item.SetName(target.GetName());
    target = std::move(item);
}

bool SetCode(TRaruRuro& plan, const std::string& file) {
    if (plan.PlanKind != PlanGeneral || plan.Generator) {
        ShowWarning("Кодовую матрицу можно заменить только у плана,\nзаданного вручную.");
        return false;
    }
    auto matrix = ReadMatrixTable(file);
    if (!matrix)
        return false;
    if (matrix->RowCount() != plan.RunCount || matrix->ColCount() != plan.FactorCount) {
        ShowWarning("Файл \"" + file + "\" должен содержать\nописание матрицы из " +
                    IntToStr(plan.RunCount) + " строк и " + IntToStr(plan.FactorCount) +
                    " столбцов.");
        return false;
    }
    Replace(plan.CodeMatrix, std::move(*matrix));
    plan.HasCodeMatrix = true;
    plan.RefreshNaturalMatrix();
    return true;
}

// --levels and --intervals: k numbers on the command line or a file.
bool SetVector(TRaruRuro& plan, const std::string& value, TNamedVector& target) {
    const std::int32_t k = plan.FactorCount;
    TNamedVector vector;
    if (IsNumberList(value)) {
        const std::vector<double> numbers = ParseNumberList(value, "");
        if (static_cast<std::int32_t>(numbers.size()) != k) {
            ShowWarning("Нужно " + IntToStr(k) + " чисел, задано " +
                        IntToStr(static_cast<std::int64_t>(numbers.size())) + ".");
            return false;
        }
        vector.Create(k);
        for (std::int32_t i = 0; i < k; ++i)
            vector.Set(i, numbers[static_cast<std::size_t>(i)]);
    } else {
        auto read = ReadVectorTable(value);
        if (!read)
            return false;
        if (read->Size() != k) {
            ShowWarning("Файл \"" + value + "\" должен содержать описание\nвектора из " +
                        IntToStr(k) + " элементов.");
            return false;
        }
        vector = std::move(*read);
    }
    Replace(target, std::move(vector));
    plan.RefreshNaturalMatrix();
    return true;
}

bool SetNames(TRaruRuro& plan, const std::string& value) {
    std::vector<std::string> names = SplitText(value, ';');
    if (static_cast<std::int32_t>(names.size()) != plan.FactorCount) {
        ShowWarning("Нужно " + IntToStr(plan.FactorCount) + " имен факторов, задано " +
                    IntToStr(static_cast<std::int64_t>(names.size())) + ".");
        return false;
    }
    // An empty name becomes "Фактор № " and its number, as in the names dialog.
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i].empty())
            names[i] = "Фактор № " + IntToStr(static_cast<std::int64_t>(i) + 1);
    if (!CheckStoredNames(names))
        return false;
    plan.FactorNames = std::move(names);
    plan.HasFactorNames = true;
    return true;
}

bool SetResponses(TRaruRuro& plan, const std::string& file) {
    auto matrix = ReadMatrixTable(file);
    if (!matrix)
        return false;
    if (matrix->RowCount() != plan.RunCount || matrix->ColCount() < 1 ||
        matrix->ColCount() > MaxRepeats) {
        ShowWarning("Файл \"" + file + "\" должен содержать\nописание матрицы из " +
                    IntToStr(plan.RunCount) + " строк и от 1 до " + IntToStr(MaxRepeats) +
                    " столбцов.");
        return false;
    }
    Replace(plan.YMatrix, std::move(*matrix));
    plan.RepeatCount = plan.YMatrix.ColCount();
    plan.HasRepeatCount = plan.HasYMatrix = true;
    return true;
}

bool SetCheckPoint(TRaruRuro& plan, const std::vector<double>& point,
                   const std::vector<double>& responses) {
    if (static_cast<std::int32_t>(point.size()) != plan.FactorCount) {
        ShowWarning("Контрольная точка должна иметь " + IntToStr(plan.FactorCount) +
                    " координат, задано " + IntToStr(static_cast<std::int64_t>(point.size())) +
                    ".");
        return false;
    }
    const auto fill = [](TNamedVector& vector, const std::vector<double>& values) {
        vector.SetSize(static_cast<std::int32_t>(values.size()));
        for (std::size_t i = 0; i < values.size(); ++i)
            vector.Set(static_cast<std::int32_t>(i), values[i]);
    };
    fill(plan.CheckPoint, point);
    fill(plan.CheckY, responses);
    plan.CheckRepeatCount = static_cast<std::int32_t>(responses.size());
    plan.HasCheckPoint = plan.HasCheckY = true;
    return true;
}

bool ApplyOptions(TRaruRuro& plan, const TArguments& arguments) {
    if (const auto code = arguments.Value("--code"); code && !SetCode(plan, *code))
        return false;
    if (const auto levels = arguments.Value("--levels");
        levels && !SetVector(plan, *levels, plan.BaseLevels))
        return false;
    if (const auto steps = arguments.Value("--intervals");
        steps && !SetVector(plan, *steps, plan.Intervals))
        return false;
    if (const auto names = arguments.Value("--names"); names && !SetNames(plan, *names))
        return false;
    if (const auto response = arguments.Value("--response-name")) {
        if (!CheckStoredText(*response, "Имя отклика"))
            return false;
        plan.ResponseName = response->empty() ? DefaultResponseName : *response;
    }
    if (const auto file = arguments.Value("--responses"); file && !SetResponses(plan, *file))
        return false;
    if (const auto sheet = arguments.Value("--from-runsheet");
        sheet && !ImportRunSheet(plan, *sheet))
        return false;
    if (arguments.Has("--check-point"))
        return SetCheckPoint(
            plan, ParseNumberList(arguments.Required("--check-point"), "--check-point"),
            ParseNumberList(arguments.Required("--check-responses"), "--check-responses"));
    return true;
}

} // namespace

int RunSet(const TWords& words) {
    const TArguments arguments(
        words, {{"--responses", "--code", "--levels", "--intervals", "--names", "--response-name",
                 "--check-point", "--check-responses", "--from-runsheet"},
                {},
                1,
                1});
    if (arguments.Has("--check-point") != arguments.Has("--check-responses"))
        throw TUsageError("--check-point и --check-responses задаются вместе");
    if (arguments.Has("--check-point")) {
        ParseNumberList(arguments.Required("--check-point"), "--check-point");
        ParseNumberList(arguments.Required("--check-responses"), "--check-responses");
    }
    const std::string path = arguments.Positional().front();
    TBatchSession session;
    // Everything is applied to the plan in memory first; the file is
    // rewritten only when all of it was accepted.
    if (!session.Open(path) || !ApplyOptions(session.Plan, arguments) || !session.Save(path))
        return ExitFailure;
    return ExitSuccess;
}

} // namespace orvanta::cli
