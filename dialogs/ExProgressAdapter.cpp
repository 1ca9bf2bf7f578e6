#include "dialogs/ExProgressAdapter.h"

#include "dialogs/ExProgress.h"
#include "numeric/NumberText.h"

#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <thread>

namespace orvanta {

namespace {

using namespace std::chrono_literals;

// A short rest before the gauge moves lets the window system catch up with
// the search, which keeps the processor busy otherwise.
constexpr auto GaugePause = 5ms;
// The status line "you can release the key" is on the screen for a moment
// before the wait, even for a key let go at once.
constexpr auto ReleaseHintPause = 30ms;
constexpr int FlashMilliseconds = 200;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

class TExProgressSession final : public TExtremumProgress {
public:
    TExProgressSession(TExProgress& window, const std::string& caption, double value,
                       const std::string& status)
        : Window(window) {
        Window.setWindowTitle(Text(caption));
        Window.Gauge->setValue(0);
        ShowValue(value);
        Window.ShowStatus(Text(status));
        Window.show();
        Window.activateWindow();
    }

    ~TExProgressSession() override { Window.hide(); }

    TExProgressSession(const TExProgressSession&) = delete;
    TExProgressSession& operator=(const TExProgressSession&) = delete;

    void Update(std::int32_t percent, double value) override {
        std::this_thread::sleep_for(GaugePause);
        Window.Gauge->setValue(std::clamp(percent, 0, 100));
        ShowValue(value);
        Window.repaint();
    }

    TProgressRequest Poll() override {
        QApplication::processEvents();
        const TStopKeys& keys = Window.StopKeys();
        if (keys.EscHeld() || Window.CancelRequested())
            return TProgressRequest::Cancel;
        if (keys.EnterHeld() || Window.StopRequested())
            return TProgressRequest::Stop;
        return TProgressRequest::None;
    }

    void SetStatus(const std::string& text) override {
        Window.ShowStatus(Text(text));
        Window.repaint();
    }

    void WaitForKeyRelease() override {
        QApplication::processEvents();
        const TStopKeys& keys = Window.StopKeys();
        if (!keys.AnyHeld())
            return;
        std::this_thread::sleep_for(ReleaseHintPause);
        QEventLoop wait;
        QTimer flash;
        flash.setInterval(FlashMilliseconds);
        QObject::connect(&flash, &QTimer::timeout, &Window,
                         [this] { QApplication::alert(&Window, FlashMilliseconds); });
        QObject::connect(&keys, &TStopKeys::Released, &wait, [&wait, &keys] {
            if (!keys.AnyHeld())
                wait.quit();
        });
        flash.start();
        // The key may have gone up during the pause.
        QApplication::processEvents();
        if (keys.AnyHeld())
            wait.exec();
    }

private:
    void ShowValue(double value) { Window.Edit->setText(Text(FormatFull(value))); }

    TExProgress& Window;
};

} // namespace

std::unique_ptr<TExtremumProgress> MakeExtremumProgress(TExProgress& window,
                                                        const std::string& caption, double value,
                                                        const std::string& status) {
    return std::make_unique<TExProgressSession>(window, caption, value, status);
}

} // namespace orvanta
