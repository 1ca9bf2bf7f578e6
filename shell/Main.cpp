// orvan32 [plan.mpl]: the desktop program.
#include "shell/ApplicationSetup.h"
#include "shell/IniForm.h"
#include "shell/MainForm.h"
#include "shell/MessageBoxes.h"

#include "orvanta/Version.h"
#include "plan/RaruRuro.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>

namespace {

// ORVAN32_STARTUP_TIMING set: once the first clock tick has finished the
// start-up (layout restored, the command-line plan open and arranged) and the
// window has been painted, the wall-clock time is printed in milliseconds
// since the epoch, for scripts that time the start-up from outside; with the
// value "quit" the program then ends.
void ReportStartup(orvanta::TMainForm& main) {
    const char* timing = std::getenv("ORVAN32_STARTUP_TIMING");
    if (!timing)
        return;
    const bool quit = std::strcmp(timing, "quit") == 0;
    auto reported = std::make_shared<bool>(false);
    QObject::connect(main.ClockTimer, &QTimer::timeout, &main, [&main, reported, quit] {
        if (*reported)
            return;
        *reported = true;
        main.repaint();
        QApplication::processEvents();
        std::printf("usable-window-at %lld\n",
                    static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
        std::fflush(stdout);
        if (quit) {
            main.Plan().Modified = false;
            QApplication::quit();
        }
    });
}

// The resident set and its peak, in kilobytes, as the kernel counts them.
std::string MemoryFigures() {
    std::ifstream status("/proc/self/status");
    std::string line, figures;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0 || line.rfind("VmHWM:", 0) == 0)
            figures += (figures.empty() ? "" : " ") + line;
    return figures;
}

// ORVAN32_MEMORY_PROBE set: once the start-up has opened the command-line
// plan, the analysis runs with every dialog taking its default answer, the
// report is shown, and the program prints the plan's runs, whether it was
// analysed and its resident memory ("memory runs 1045 analysed 1 VmHWM: ...
// kB VmRSS: ... kB") and ends, for scripts that measure it.
void ProbeMemory(orvanta::TMainForm& main) {
    if (!std::getenv("ORVAN32_MEMORY_PROBE"))
        return;
    auto* answerer = new QTimer(&main);
    QObject::connect(answerer, &QTimer::timeout, &main, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->accept();
    });
    answerer->start(10);
    auto probed = std::make_shared<bool>(false);
    QObject::connect(main.ClockTimer, &QTimer::timeout, &main, [&main, probed] {
        if (std::exchange(*probed, true))
            return;
        main.findChild<QAction*>(QStringLiteral("AnalysisItem"))->trigger();
        main.findChild<QAction*>(QStringLiteral("UpdateReportItem"))->trigger();
        main.repaint();
        QApplication::processEvents();
        std::printf("memory runs %d analysed %d %s\n", main.Plan().RunCount,
                    main.Plan().HasBVector ? 1 : 0, MemoryFigures().c_str());
        std::fflush(stdout);
        main.Plan().Modified = false;
        QApplication::quit();
    });
}

} // namespace

int main(int argc, char** argv) {
    // Answered before any window system is needed: package checks and
    // scripts ask it on machines without a display.
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::printf("orvan32 %s\n", orvanta::ProgramVersion);
        return 0;
    }
    QApplication app(argc, argv);
    orvanta::SetUpApplication(app);

    if (std::getenv("ORVAN32_STARTUP_TIMING") || std::getenv("ORVAN32_MEMORY_PROBE")) {
        // A timed run has nobody to answer a message box: messages go to the
        // standard error stream, questions get their first answer.
        orvanta::SetMessageBoxHook([](orvanta::TBoxKind, const std::string& text) {
            orvanta::WriteMessageToStandardError(orvanta::TMessageKind::Warning, text);
            return orvanta::TAnswer::Yes;
        });
    }

    orvanta::TMainFormOptions options;
    options.Arguments = QApplication::arguments().mid(1);
    orvanta::TMainForm main(options);

    auto* splash = new orvanta::TIniForm;
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->show();
    splash->repaint();
    QApplication::processEvents();
    main.SetSplash(splash);
    main.CreateDialogs();

    ReportStartup(main);
    ProbeMemory(main);
    main.show();
    return QApplication::exec();
}
