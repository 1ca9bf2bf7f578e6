// The command that adds runs to a plan: augment.

#include "AnalysisOutput.h"
#include "Arguments.h"
#include "Commands.h"
#include "Session.h"
#include "StatisticsOutput.h"

#include "design/Augment.h"
#include "numeric/Messages.h"
#include "numeric/NumberText.h"

#include <iostream>

namespace orvanta::cli {

namespace {

TAugmentRequest ReadRequest(const TArguments& arguments) {
    const int kinds = int(arguments.Has("--foldover")) + int(arguments.Has("--axial")) +
                      int(arguments.Has("--d-optimal"));
    if (kinds != 1)
        throw TUsageError("нужен ровно один из способов: --foldover, --axial или --d-optimal");
    TAugmentRequest request;
    const auto only = [&](const char* option, const char* kind) {
        if (arguments.Has(option) && !arguments.Has(kind))
            throw TUsageError(std::string(option) + " задается только с " + kind);
    };
    only("--factor", "--foldover");
    only("--alpha", "--axial");
    only("--centre", "--axial");
    only("--runs", "--d-optimal");
    only("--seed", "--d-optimal");
    if (arguments.Has("--foldover")) {
        request.Kind = TAugmentKind::FoldOver;
        if (const auto factor = arguments.Value("--factor"))
            request.Factor = ParseInteger(*factor, "--factor");
        if (arguments.Has("--factor") && request.Factor < 1)
            throw TUsageError("--factor принимает номер фактора от 1");
    } else if (arguments.Has("--axial")) {
        request.Kind = TAugmentKind::Axial;
        if (const auto alpha = arguments.Value("--alpha"))
            request.Alpha = ParseNumber(*alpha, "--alpha");
        if (const auto centre = arguments.Value("--centre"))
            request.Centre = ParseInteger(*centre, "--centre");
    } else {
        request.Kind = TAugmentKind::DOptimal;
        request.Runs = ParseInteger(arguments.Required("--runs"), "--runs");
        if (const auto seed = arguments.Value("--seed"))
            request.Seed = static_cast<std::uint32_t>(ParseInteger(*seed, "--seed"));
    }
    return request;
}

std::string WhatWasAdded(const TAugmentRequest& request, const TAugmentResult& result) {
    switch (request.Kind) {
    case TAugmentKind::FoldOver:
        return request.Factor == 0
                   ? "опыты плана с противоположными знаками всех факторов"
                   : "опыты плана с противоположным знаком фактора " + IntToStr(request.Factor);
    case TAugmentKind::Axial:
        return "звездные точки ±" + Number(result.Alpha) +
               " и центральных опытов: " + IntToStr(request.Centre);
    case TAugmentKind::DOptimal:
        break;
    }
    return "D-оптимальные опыты, начальное число " + IntToStr(request.Seed);
}

std::string AddedRuns(const TAugmentResult& result) {
    const TMatrix& runs = result.Added;
    std::vector<std::vector<std::string>> rows{{"Опыт"}};
    for (std::int32_t j = 1; j <= runs.ColCount(); ++j)
        rows[0].push_back("x" + IntToStr(j));
    for (std::int32_t i = 0; i < runs.RowCount(); ++i) {
        rows.push_back({IntToStr(result.OldRuns + i + 1)});
        for (std::int32_t j = 0; j < runs.ColCount(); ++j)
            rows.back().push_back(Number(runs.Get(i, j)));
    }
    return AlignedTable(rows);
}

} // namespace

int RunAugment(const TWords& words) {
    const TArguments arguments(words,
                               {{"--factor", "--alpha", "--centre", "--runs", "--seed", "-o"},
                                {"--foldover", "--axial", "--d-optimal"},
                                1,
                                1});
    const TAugmentRequest request = ReadRequest(arguments);
    const std::string path = arguments.Positional().front();
    TBatchSession session;
    if (!session.Open(path))
        return ExitFailure;
    std::string message;
    const auto result = AugmentPlan(session.Plan, request, message);
    if (!result) {
        ShowWarning("Дополнение плана невозможно: " + message);
        return ExitFailure;
    }
    if (!session.Save(arguments.Value("-o").value_or(path)))
        return ExitFailure;
    const std::int32_t n = session.Plan.RunCount;
    std::cout << "Добавлено опытов: " << result->Added.RowCount() << " ("
              << WhatWasAdded(request, *result) << "); N = " << result->OldRuns << " -> " << n
              << ".\n"
              << AddedRuns(*result);
    if (result->Terms != result->OldTerms)
        std::cout << "Модель дополнена до полной квадратичной: слагаемых " << result->OldTerms
                  << " -> " << result->Terms << ".\n";
    std::cout << "D-эффективность плана: "
              << (result->DEfficiency ? Number(*result->DEfficiency) + " %"
                                      : std::string("— (информационная матрица вырождена)"))
              << "\nОтклики новых опытов равны 0: введите их после опытов.\n";
    return ExitSuccess;
}

} // namespace orvanta::cli
