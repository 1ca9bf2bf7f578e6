// orvan32_screenshots <folder> [plan.mpl]: starts the desktop program's main
// window on a plan, the way the program starts, and saves pictures of it and
// of its windows as PNG files into the folder (for the README and the help).
#include "plan/Settings.h"
#include "services/PlanService.h"
#include "shell/AboutBox.h"
#include "shell/FormList.h"
#include "shell/HelpWindow.h"
#include "shell/MainForm.h"
#include "shell/QtPlanHost.h"
#include "shell/QuantilesForm.h"
#include "shell/WindowListHandler.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>
#include <QThread>
#include <QWidget>

#include <cstdio>

namespace {

void Settle() {
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
}

bool Save(QWidget& widget, const QDir& folder, const QString& name) {
    Settle();
    const QString path = folder.filePath(name);
    const bool saved = widget.grab().save(path, "PNG");
    std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "wrote" : "could not write",
                 path.toLocal8Bit().constData());
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: orvan32_screenshots <folder> [plan.mpl]\n");
        return 2;
    }
    QDir folder(args[0]);
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", args[0].toLocal8Bit().constData());
        return 1;
    }

    using namespace orvanta;
    TMainFormOptions options;
    options.Arguments = args.mid(1, 1);
    options.ReadSettingsFile = false;
    options.WriteSettingsAtExit = false;
    TMainForm main(options);
    main.CreateDialogs();
    main.show();
    main.move(0, 0);
    main.resize(1100, 760);
    main.ClockTimerTimer();
    main.resize(1100, 760);
    if (main.Service().Can(5)) {
        main.UpdateReportItemClick();
        main.ArrangePlanWindows(true);
    }
    bool ok = Save(main, folder, QStringLiteral("main-window.png"));

    TFormList& arrange = main.Host().WindowLists().Dialog(TListOperation::Arrange);
    arrange.SetWindows(ListedWindows(TListOperation::Arrange, main.Service()));
    arrange.show();
    ok = Save(arrange, folder, QStringLiteral("arrange-dialog.png")) && ok;
    arrange.hide();

    main.QuantilesForm().ShowField(TQuantileWindowLogic::TInput::StudentF);
    ok = Save(main.QuantilesForm(), folder, QStringLiteral("quantiles.png")) && ok;
    main.QuantilesForm().close();

    TAboutBox about(&main);
    about.show();
    ok = Save(about, folder, QStringLiteral("about.png")) && ok;
    about.close();

    if (CallHelp(THelpCommand::Context, 3104)) {
        if (THelpWindow* help = THelpWindow::Current()) {
            help->resize(820, 640);
            ok = Save(*help, folder, QStringLiteral("help.png")) && ok;
        }
        CallHelp(THelpCommand::Quit);
    } else {
        std::fprintf(stderr, "no help page 3104\n");
        ok = false;
    }
    main.Plan().Modified = false;
    return ok ? 0 : 1;
}
