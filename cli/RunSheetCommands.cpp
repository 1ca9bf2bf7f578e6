// The run sheet of a plan: runsheet.

#include "Arguments.h"
#include "Commands.h"
#include "Session.h"

#include "numeric/Messages.h"
#include "runsheet/RunSheet.h"
#include "runsheet/SheetFiles.h"

#include <charconv>
#include <cstdio>

namespace orvanta::cli {

namespace {

std::uint32_t SeedOption(const std::string& text) {
    std::uint32_t seed = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, seed);
    if (text.empty() || error != std::errc() || stop != end)
        throw TUsageError("--seed принимает целое число от 0 до 4294967295");
    return seed;
}

TSheetFormat FormatOption(const TArguments& arguments, const std::string& output) {
    if (arguments.Has("--csv") && arguments.Has("--html"))
        throw TUsageError("нужен только один из параметров --csv, --html");
    if (arguments.Has("--csv"))
        return TSheetFormat::Csv;
    if (arguments.Has("--html"))
        return TSheetFormat::Html;
    const TSheetFormat format = SheetFormatOf(output);
    if (format == TSheetFormat::Pdf)
        throw TUsageError(
            "рабочий лист в PDF записывает программа orvan32; здесь --csv или --html");
    return format;
}

} // namespace

int RunRunSheet(const TWords& words) {
    const TArguments arguments(words, {{"--seed", "-o"}, {"--randomize", "--csv", "--html"}, 1, 1});
    if (arguments.Has("--seed") && !arguments.Has("--randomize"))
        throw TUsageError("--seed задается только с --randomize");
    const std::string output = arguments.Required("-o");
    const TSheetFormat format = FormatOption(arguments, output);
    std::optional<std::uint32_t> seed;
    if (arguments.Has("--randomize"))
        seed = arguments.Has("--seed") ? SeedOption(arguments.Required("--seed")) : ClockSeed();

    TBatchSession session;
    if (!session.Open(arguments.Positional().front()))
        return ExitFailure;
    const TRaruRuro& plan = session.Plan;
    if (!plan.HasNaturalMatrix) {
        ShowWarning("У плана нет матрицы в натуральном выражении:\nрабочий лист составить нельзя.");
        return ExitFailure;
    }
    const TRunSheet sheet = MakeRunSheet(plan, seed);
    if (!WriteRunSheet(output, sheet, format, SheetDate(plan.Clock())))
        return ExitFailure;
    std::printf("%s. Строк: %zu.\n", OrderCaption(sheet).c_str(), sheet.Lines.size());
    return ExitSuccess;
}

} // namespace orvanta::cli
