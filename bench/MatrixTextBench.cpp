// Writing and reading the text form of a 1000 x 1000 named matrix, the size of
// the largest tables the matrix editor is expected to open. Target: a read
// under 0.5 s.

#include "numeric/FileStream.h"
#include "numeric/MemoryStream.h"
#include "numeric/NamedMatrix.h"
#include "numeric/SafeFileStream.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <random>
#include <string>
#include <unistd.h>

using namespace orvanta;

namespace {

constexpr std::int32_t Size = 1000;

const TNamedMatrix& SampleMatrix() {
    static const TNamedMatrix matrix = [] {
        TNamedMatrix m;
        m.Create(Size, Size);
        m.SetName("Матрица X");
        std::mt19937 random(1);
        // Magnitudes over several decades, so that both plain and exponent
        // forms are written.
        std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
        std::uniform_int_distribution<int> exponent(-6, 6);
        for (std::int32_t r = 0; r < Size; ++r) {
            for (std::int32_t c = 0; c < Size; ++c) {
                m.Set(r, c, mantissa(random) * std::pow(10.0, exponent(random)));
            }
        }
        return m;
    }();
    return matrix;
}

const std::string& SampleText() {
    static const std::string text = [] {
        TMemoryStream stream;
        SampleMatrix().WriteTextForm(stream);
        return stream.Bytes();
    }();
    return text;
}

std::string TempPath(const char* what) {
    return (std::filesystem::temp_directory_path() /
            ("orvan_bench_" + std::string(what) + "_" + std::to_string(getpid()) + ".txt"))
        .string();
}

void WriteTextToMemory(benchmark::State& state) {
    const TNamedMatrix& m = SampleMatrix();
    std::int64_t bytes = 0;
    for (auto _ : state) {
        TMemoryStream stream;
        m.WriteTextForm(stream);
        bytes = stream.Size();
        benchmark::DoNotOptimize(stream.Bytes().data());
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}

void WriteTextToFile(benchmark::State& state) {
    const TNamedMatrix& m = SampleMatrix();
    const std::string path = TempPath("write");
    std::int64_t bytes = 0;
    for (auto _ : state) {
        TSafeFileStream stream(path);
        m.WriteTextForm(stream);
        stream.Commit();
        bytes = stream.Size();
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    std::filesystem::remove(path);
}

void ReadTextFromMemory(benchmark::State& state) {
    TMemoryStream stream(SampleText());
    for (auto _ : state) {
        stream.SetPosition(0);
        TNamedMatrix m;
        if (!m.ReadTextForm(stream) || m.RowCount() != Size || m.ColCount() != Size) {
            state.SkipWithError("the text form was not read back");
            break;
        }
        benchmark::DoNotOptimize(m.Contents());
    }
    state.SetBytesProcessed(state.iterations() * stream.Size());
}

void ReadTextFromFile(benchmark::State& state) {
    const std::string path = TempPath("read");
    {
        TSafeFileStream out(path);
        SampleMatrix().WriteTextForm(out);
        out.Commit();
    }
    std::int64_t bytes = 0;
    for (auto _ : state) {
        TFileStream stream(path);
        TNamedMatrix m;
        if (!m.ReadTextForm(stream) || m.RowCount() != Size || m.ColCount() != Size) {
            state.SkipWithError("the text file was not read back");
            break;
        }
        bytes = stream.Size();
        benchmark::DoNotOptimize(m.Contents());
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    std::filesystem::remove(path);
}

} // namespace

BENCHMARK(WriteTextToMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteTextToFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ReadTextFromMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadTextFromFile)->Unit(benchmark::kMillisecond)->UseRealTime();
