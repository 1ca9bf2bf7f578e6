// orvan32 [plan.mpl]: the desktop program.
#include "shell/IniForm.h"
#include "shell/MainForm.h"
#include "shell/MessageBoxes.h"

#include "plan/RaruRuro.h"

#include <QApplication>
#include <QDateTime>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <cstring>

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

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Орванта"));
    QApplication::setApplicationDisplayName(QStringLiteral("Орванта"));
    QApplication::setOrganizationName(QStringLiteral("orvanta"));

    // The toolkit's own dialogs (files, colours, fonts) speak Russian too.
    QTranslator translator;
    if (translator.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&translator);

    if (std::getenv("ORVAN32_STARTUP_TIMING")) {
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
    main.show();
    return QApplication::exec();
}
