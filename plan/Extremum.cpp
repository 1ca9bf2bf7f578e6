#include "plan/RaruRuro.h"

#include "numeric/Messages.h"
#include "numeric/NumberText.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace orvanta {

namespace {

const char* const NotCompleted = "Операция не завершена.";
const char* const ExtremumFound = "Проведен поиск экстремума.";
const char* const TooManyFactors =
    "Число факторов слишком велико для выбранного метода.\nИспользовать метод Монте-Карло - ?";
const char* const StopHint = "Для остановки нажмите и удерживайте 'Enter' или 'Esc'";
const char* const ReleaseEsc = "Вы можете отпустить кнопку 'Esc'...";
const char* const ReleaseEnter = "Вы можете отпустить кнопку 'Enter'...";

// Coordinate descent and scanning grow as steps^k; past four factors only the
// random search finishes in reasonable time.
constexpr std::int32_t MaxGridFactors = 4;
// The random search draws in batches and looks at the keys between them.
constexpr std::int32_t MonteCarloBatch = 50;
constexpr double MonteCarloBatchesPerDraw = 0.02;
// Every coordinate is drawn from 1000 points of its range: lower + r * range * 0.001.
constexpr std::int32_t MonteCarloLastDivision = 999;
constexpr double MonteCarloDivision = 0.001;
// Coordinate descent looks at the keys after this many moves.
constexpr std::int64_t GaussSeidelMovesPerCheck = 50;
// The window answers only while the keys are looked at; a long search (a
// billion draws over ten factors takes seconds a percent) looks at least this
// often even when the percentage stands still.
constexpr auto LongestWithoutLook = std::chrono::milliseconds(100);
constexpr std::int64_t ChecksPerClockRead = 1024;

const char* MethodCaption(TExtremumMethod method) {
    switch (method) {
    case TExtremumMethod::MonteCarlo:
        return "Поиск экстремума: метод Монте-Карло.";
    case TExtremumMethod::GaussSeidel:
        return "Поиск экстремума: метод Гаусса - Зейделя.";
    case TExtremumMethod::Scanning:
        return "Поиск экстремума: метод сканирования.";
    }
    return "";
}

bool IsKnownMethod(TExtremumMethod method) {
    return method == TExtremumMethod::MonteCarlo || method == TExtremumMethod::GaussSeidel ||
           method == TExtremumMethod::Scanning;
}

// steps^(k-1): the number of runs of the innermost scanning loop over a grid
// of steps intervals per factor, saturated instead of overflowing.
std::int64_t ScanningTotal(std::int32_t steps, std::int32_t k) {
    std::int64_t total = 1;
    for (std::int32_t i = 1; i < k; ++i) {
        if (total > std::numeric_limits<std::int64_t>::max() / steps)
            return std::numeric_limits<std::int64_t>::max();
        total *= steps;
    }
    return total;
}

// A maximum is searched as the minimum of the negated equation. The
// coefficients are negated for the lifetime of the guard and restored however
// the search ends; negation only flips the sign bit, so they come back
// bit for bit.
class TNegatedCoefficients {
public:
    explicit TNegatedCoefficients(TVector& b) : B(b) { Negate(); }
    ~TNegatedCoefficients() { Negate(); }
    TNegatedCoefficients(const TNegatedCoefficients&) = delete;
    TNegatedCoefficients& operator=(const TNegatedCoefficients&) = delete;

private:
    void Negate() {
        double* b = B.Elements();
        for (std::int32_t j = 0; j < B.Size(); ++j)
            b[j] = -b[j];
    }
    TVector& B;
};

// One search for the minimum of the plan's equation in the box
// [lower, upper]: the progress window, the method, and the point it leaves in
// ExtremumPoint.
class TMinimumSearch {
public:
    // `shownSign` turns the searched value back into the response's own sign
    // for the progress window (-1 while a maximum is searched).
    TMinimumSearch(TRaruRuro& plan, const std::vector<double>& lower,
                   const std::vector<double>& upper, double shownSign)
        : Plan(plan), K(plan.FactorCount), Lower(lower), Upper(upper), ShownSign(shownSign) {
        for (std::int32_t i = 0; i < K; ++i)
            Range.push_back(Upper[At(i)] - Lower[At(i)]);
    }

    void Run(const std::vector<double>& start, TExtremumMethod method, std::int32_t count,
             std::mt19937& random) {
        Point = start;
        Best = Evaluate(Point.data());
        Progress =
            Plan.Host().ShowExtremumProgress(MethodCaption(method), ShownSign * Best, StopHint);
        // The Enter that closed the dialog must not stop the search at once.
        Progress->WaitForKeyRelease();
        LastLook = std::chrono::steady_clock::now();
        switch (method) {
        case TExtremumMethod::MonteCarlo:
            MonteCarlo(count, random);
            break;
        case TExtremumMethod::GaussSeidel:
            GaussSeidel(std::max(count, 1));
            break;
        case TExtremumMethod::Scanning:
            Scanning(std::max(count, 1));
            break;
        }
        Progress.reset();
        Plan.ExtremumPoint.SetSize(K);
        std::copy(Point.begin(), Point.end(), Plan.ExtremumPoint.Elements());
        Plan.HasExtremumPoint = Outcome != TOutcome::Cancelled;
    }

private:
    enum class TOutcome { Completed, Stopped, Cancelled };

    static std::size_t At(std::int32_t i) { return static_cast<std::size_t>(i); }

    double Evaluate(const double* x) {
        ++Plan.LastSearchEvaluations;
        return Plan.Predict(x);
    }

    void Consider(const std::vector<double>& x) {
        const double value = Evaluate(x.data());
        if (value < Best) {
            Best = value;
            Point = x;
        }
    }

    // Counts one check; only when the percentage moves (or a look is long
    // overdue) does the window show it and are the keys polled. False when
    // the person stopped the search.
    bool KeepGoing() {
        ++Counter;
        const std::int64_t percent = Total > 0 ? Counter * 100 / Total : 100;
        if (percent == LastPercent) {
            // The clock is read once in a while only: a check is cheap.
            if (Counter % ChecksPerClockRead != 0 ||
                std::chrono::steady_clock::now() - LastLook < LongestWithoutLook)
                return true;
        }
        LastPercent = percent;
        LastLook = std::chrono::steady_clock::now();
        // A walk may take longer than its estimate; the gauge stays full, but
        // the keys are still polled whenever the count moves on.
        Progress->Update(static_cast<std::int32_t>(std::min<std::int64_t>(percent, 100)),
                         ShownSign * Best);
        switch (Progress->Poll()) {
        case TProgressRequest::None:
            return true;
        case TProgressRequest::Stop:
            Outcome = TOutcome::Stopped;
            Progress->SetStatus(ReleaseEnter);
            break;
        case TProgressRequest::Cancel:
            Outcome = TOutcome::Cancelled;
            Progress->SetStatus(ReleaseEsc);
            break;
        }
        Progress->WaitForKeyRelease();
        return false;
    }

    void MonteCarlo(std::int32_t approximations, std::mt19937& random) {
        Total = static_cast<std::int64_t>(approximations * MonteCarloBatchesPerDraw);
        if (Total < 1)
            return;
        std::uniform_int_distribution<std::int32_t> division(0, MonteCarloLastDivision);
        std::vector<double> x(At(K));
        for (std::int64_t batch = 0; batch < Total; ++batch) {
            for (std::int32_t trial = 0; trial < MonteCarloBatch; ++trial) {
                for (std::int32_t i = 0; i < K; ++i)
                    x[At(i)] = Lower[At(i)] + division(random) * Range[At(i)] * MonteCarloDivision;
                Consider(x);
            }
            if (!KeepGoing())
                return;
        }
    }

    bool InBox(const std::vector<double>& x) const {
        for (std::int32_t i = 0; i < K; ++i)
            if (x[At(i)] < Lower[At(i)] || x[At(i)] > Upper[At(i)])
                return false;
        return true;
    }

    // Walks the grid of step range / steps from the start point to the best
    // of the 2k neighbours while one improves on the current point. Every move
    // lowers the value strictly and the box holds finitely many grid points,
    // so the walk ends; a NaN value never counts as lower, so it ends there too.
    void GaussSeidel(std::int32_t steps) {
        std::vector<double> h;
        for (double range : Range)
            h.push_back(range / steps);
        Total = std::int64_t{2} * steps;
        std::vector<double> neighbour(At(K));
        std::vector<double> next(At(K));
        std::int64_t moves = 0;
        for (;;) {
            double value = Evaluate(Point.data());
            Best = value;
            bool improved = false;
            // Rows 2j and 2j+1 step factor j up and down; on equal values the
            // earlier row keeps its place.
            for (std::int32_t row = 0; row < 2 * K; ++row) {
                neighbour = Point;
                const std::size_t j = At(row / 2);
                neighbour[j] += row % 2 == 0 ? h[j] : -h[j];
                if (!InBox(neighbour))
                    continue;
                const double candidate = Evaluate(neighbour.data());
                if (candidate < value) {
                    value = candidate;
                    next = neighbour;
                    improved = true;
                }
            }
            if (!improved)
                return;
            Point = next;
            Best = value;
            ++moves;
            if (moves % GaussSeidelMovesPerCheck == 0 && !KeepGoing())
                return;
        }
    }

    // Every point of the grid of steps + 1 values per factor. The indices turn
    // like an odometer with the last factor the fastest, which is the nested
    // loops x1 (outermost) .. xk (innermost); the keys are looked at after
    // every run of the innermost loop.
    void Scanning(std::int32_t steps) {
        std::vector<double> h;
        for (double range : Range)
            h.push_back(range / steps);
        Total = ScanningTotal(steps, K);
        std::vector<std::int32_t> index(At(K), 0);
        std::vector<double> x(Lower.begin(), Lower.begin() + K);
        for (;;) {
            Consider(x);
            std::int32_t turning = K - 1;
            while (turning >= 0 && index[At(turning)] == steps) {
                index[At(turning)] = 0;
                x[At(turning)] = Lower[At(turning)];
                --turning;
            }
            if (turning < K - 1 && !KeepGoing())
                return;
            if (turning < 0)
                return;
            const std::size_t t = At(turning);
            ++index[t];
            x[t] = Lower[t] + index[t] * h[t];
        }
    }

    TRaruRuro& Plan;
    const std::int32_t K;
    const std::vector<double>& Lower;
    const std::vector<double>& Upper;
    const double ShownSign;
    std::vector<double> Range;
    // The best point found so far (the current point of the descent) and
    // its value.
    std::vector<double> Point;
    double Best = 0.0;
    std::unique_ptr<TExtremumProgress> Progress;
    std::int64_t Counter = 0;
    std::int64_t Total = 0;
    std::int64_t LastPercent = 0;
    std::chrono::steady_clock::time_point LastLook;
    TOutcome Outcome = TOutcome::Completed;
};

// The search for the minimum of the plan's equation as it stands; the
// maximum search calls it on the negated coefficients.
void SearchMinimum(TRaruRuro& plan, std::mt19937& random, const std::vector<double>& lower,
                   const std::vector<double>& upper, TExtremumMethod method, bool useLast,
                   std::int32_t count, double shownSign) {
    plan.LastSearchEvaluations = 0;
    const bool hadExtremum = plan.HasExtremumPoint;
    plan.HasExtremumPoint = false;
    if (!plan.HasBVector)
        return;
    const std::int32_t k = plan.FactorCount;
    const auto size = static_cast<std::size_t>(std::max(k, 0));
    if (k < 1 || lower.size() != size || upper.size() != size) {
        ShowError("Внутренняя ошибка: FindMinimum: границы не соответствуют числу факторов");
        return;
    }
    if (!IsKnownMethod(method)) {
        ShowError("Внутренняя ошибка: FindMinimum: Method = " +
                  IntToStr(static_cast<std::int32_t>(method)));
        return;
    }
    if (k > MaxGridFactors && method != TExtremumMethod::MonteCarlo) {
        if (!AskYesNo(TooManyFactors))
            return;
        method = TExtremumMethod::MonteCarlo;
    }

    std::vector<double> start(size);
    if (useLast && hadExtremum && plan.ExtremumPoint.Size() == k)
        std::copy(plan.ExtremumPoint.Elements(), plan.ExtremumPoint.Elements() + k, start.begin());
    else
        for (std::size_t i = 0; i < size; ++i)
            start[i] = (lower[i] + upper[i]) * 0.5;

    TMinimumSearch(plan, lower, upper, shownSign).Run(start, method, count, random);
}

} // namespace

void TRaruRuro::FindMinimum(const std::vector<double>& lower, const std::vector<double>& upper,
                            TExtremumMethod method, bool useLast, std::int32_t count) {
    SearchMinimum(*this, Random, lower, upper, method, useLast, count, 1.0);
}

void TRaruRuro::FindMaximum(const std::vector<double>& lower, const std::vector<double>& upper,
                            TExtremumMethod method, bool useLast, std::int32_t count) {
    TNegatedCoefficients negated(BVector);
    SearchMinimum(*this, Random, lower, upper, method, useLast, count, -1.0);
}

bool TRaruRuro::FindExtremum() {
    StatusText = NotCompleted;
    TExtremumRequest request;
    if (HasFactorNames && static_cast<std::int32_t>(FactorNames.size()) == FactorCount)
        request.FactorNames = FactorNames;
    else
        for (std::int32_t i = 1; i <= FactorCount; ++i)
            request.FactorNames.push_back("Фактор № " + IntToStr(i));
    request.HasLastExtremum = HasExtremumPoint;

    const std::optional<TExtremumAnswer> answer = PlanHost.RunExtremumDialog(request);
    if (!answer)
        return false;
    const std::int32_t count =
        answer->Method == TExtremumMethod::MonteCarlo ? answer->Approximations : answer->Steps;
    if (answer->Maximum)
        FindMaximum(answer->Lower, answer->Upper, answer->Method, answer->UseLast, count);
    else
        FindMinimum(answer->Lower, answer->Upper, answer->Method, answer->UseLast, count);
    if (!HasExtremumPoint)
        return false;

    const std::vector<double> point(ExtremumPoint.Elements(),
                                    ExtremumPoint.Elements() + ExtremumPoint.Size());
    PlanHost.ShowExtremumResult(point, Predict(point.data()));
    StatusText = ExtremumFound;
    PlanHost.RefreshCommands();
    return true;
}

} // namespace orvanta
