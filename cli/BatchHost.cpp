#include "BatchHost.h"

#include <cstdio>
#include <unistd.h>

namespace orvanta::cli {

namespace {

constexpr int BarWidth = 40;

// The search's progress as a bar on standard error. Drawn only for a
// terminal: a log file should not fill with carriage returns. Nothing stops
// the search but the end of the process.
class TTerminalProgress : public TExtremumProgress {
public:
    explicit TTerminalProgress(const std::string& caption) : Shown(::isatty(2) != 0) {
        if (Shown)
            std::fprintf(stderr, "%s\n", caption.c_str());
    }
    ~TTerminalProgress() override {
        if (Shown && Drawn)
            std::fputc('\n', stderr);
    }
    TTerminalProgress(const TTerminalProgress&) = delete;
    TTerminalProgress& operator=(const TTerminalProgress&) = delete;

    void Update(std::int32_t percent, double value) override {
        if (!Shown)
            return;
        const int filled = static_cast<int>(percent) * BarWidth / 100;
        std::string bar(static_cast<std::size_t>(filled), '#');
        bar.resize(BarWidth, '.');
        std::fprintf(stderr, "\r[%s] %3d %%  %.6g", bar.c_str(), static_cast<int>(percent), value);
        std::fflush(stderr);
        Drawn = true;
    }
    TProgressRequest Poll() override { return TProgressRequest::None; }
    void SetStatus(const std::string&) override {}
    void WaitForKeyRelease() override {}

private:
    bool Shown;
    bool Drawn = false;
};

} // namespace

// A question is shown with the answer it got, so that a script's log says
// why a computation stopped.
TAnswer TBatchHost::AskYesNo(const std::string& text) {
    std::fprintf(stderr, "Орванта: вопрос: %s\nОрванта: ответ: %s\n", text.c_str(),
                 AnswerYes ? "да (--yes)" : "нет (без --yes)");
    return AnswerYes ? TAnswer::Yes : TAnswer::No;
}

TAnswer TBatchHost::AskYesNoCancel(const std::string& text) {
    return AskYesNo(text);
}

std::unique_ptr<TExtremumProgress> TBatchHost::ShowExtremumProgress(const std::string& caption,
                                                                    double, const std::string&) {
    return std::make_unique<TTerminalProgress>(caption);
}

} // namespace orvanta::cli
