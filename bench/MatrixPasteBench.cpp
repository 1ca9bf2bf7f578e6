// Pasting a 1000 x 10 block of numbers over a 1000 x 10 matrix in the matrix
// editor's grid: tokens, the number test of every token and the commit into
// the matrix. Target: well under 0.5 s.

#include "mteditor/MatrixGridLogic.h"
#include "numeric/NamedMatrix.h"
#include "numeric/NumberText.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

using namespace orvanta;

namespace {

constexpr std::int32_t Rows = 1000;
constexpr std::int32_t Cols = 10;

// Rows of TAB-separated numbers ending with CR LF, as a spreadsheet copies them.
const std::string& ClipboardText() {
    static const std::string text = [] {
        std::mt19937 random(7);
        std::uniform_real_distribution<double> value(-1000.0, 1000.0);
        std::string t;
        for (std::int32_t r = 0; r < Rows; ++r) {
            for (std::int32_t c = 0; c < Cols; ++c) {
                t += FormatFull(value(random));
                t += c + 1 < Cols ? "\t" : "\r\n";
            }
        }
        return t;
    }();
    return text;
}

void PasteBlock(benchmark::State& state) {
    TNamedMatrix matrix;
    matrix.Create(Rows, Cols);
    TMatrixGridLogic grid;
    grid.AttachMatrix(matrix);
    std::int64_t notifications = 0;
    grid.OnChanged = [&notifications] { ++notifications; };
    const std::string& text = ClipboardText();
    for (auto _ : state) {
        if (!grid.Paste(text, grid.DataCells())) {
            state.SkipWithError("the block was not pasted");
            break;
        }
        benchmark::DoNotOptimize(matrix.Contents());
    }
    // One notification per paste, however large the block.
    if (state.iterations() > 0)
        state.counters["notifications"] =
            static_cast<double>(notifications) / static_cast<double>(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

} // namespace

BENCHMARK(PasteBlock)->Unit(benchmark::kMillisecond);
