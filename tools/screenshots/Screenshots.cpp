// orvan32_screenshots <folder> [plan.mpl]: starts the desktop program's main
// window on a plan, the way the program starts, and saves pictures of it and
// of its windows as PNG files into the folder (for the README and the help).
#include "plan/Settings.h"
#include "services/PlanService.h"
#include "shell/AboutBox.h"
#include "shell/FormList.h"
#include "shell/GraphWindows.h"
#include "shell/HelpWindow.h"
#include "shell/MainForm.h"
#include "shell/MessageBoxes.h"
#include "shell/QtPlanHost.h"
#include "shell/QuantilesForm.h"
#include "shell/WindowListHandler.h"

#include <QApplication>
#include <QDir>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTextStream>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <QPainter>
#include <QPixmap>

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

// Goes forward through every modal window that comes up: the pages of a
// wizard with "Далее >>" or "Готово", the result forms with "Ok".
class TForwardPerson : public QObject {
public:
    TForwardPerson() {
        connect(&Timer, &QTimer::timeout, this, [] {
            QWidget* window = QApplication::activeModalWidget();
            if (!window)
                return;
            for (const char* name : {"ForwardButton", "OkButton"})
                if (auto* button = window->findChild<QPushButton*>(QString::fromLatin1(name));
                    button && button->isVisible()) {
                    button->click();
                    return;
                }
        });
        Timer.start(20);
    }

private:
    QTimer Timer;
};

// The fitted response of the plan along its first factor, with the runs'
// means, in the diagram window.
bool SaveDiagram(orvanta::TMainForm& main, const QDir& folder) {
    using namespace orvanta;
    if (!main.Service().Can(23))
        return true;
    Settings().CBPoints2D = true;
    SetMessageBoxHook([](TBoxKind, const std::string&) { return TAnswer::Yes; });
    TForwardPerson person;
    const bool built = main.Service().RunAnalysis() && main.Service().NewDiagram();
    SetMessageBoxHook({});
    QMdiSubWindow* window = main.Host().Graphs().DiagramWindow();
    if (!built || !window) {
        std::fprintf(stderr, "no diagram of the plan\n");
        return false;
    }
    window->resize(720, 480);
    // The chart's grid moves to its place in an animation.
    for (int i = 0; i < 8; ++i)
        Settle();
    return Save(*window, folder, QStringLiteral("diagram.png"));
}

// The fitted response over the plan's first two factors in the surface
// window.
bool SaveSurface(orvanta::TMainForm& main, const QDir& folder) {
    using namespace orvanta;
    if (!main.Service().Can(28))
        return true;
    TForwardPerson person;
    const bool built = main.Service().NewSurface();
    QMdiSubWindow* window = main.Host().Graphs().SurfaceWindow();
    if (!built || !window) {
        std::fprintf(stderr, "no surface of the plan\n");
        return false;
    }
    window->resize(640, 520);
    for (int i = 0; i < 8; ++i)
        Settle();
    return Save(*window, folder, QStringLiteral("surface.png"));
}

// The about box over the upper part of the main window, whose tool panel
// shows the turning torus while the box is open.
bool SaveAbout(orvanta::TMainForm& main, const QDir& folder) {
    orvanta::TAboutBox about(&main);
    main.SetAnimation(true);
    about.show();
    about.move(main.geometry().center().x() - about.width() / 2, main.y() + 150);
    for (int i = 0; i < 9; ++i)
        Settle();
    QPixmap picture = main.grab();
    {
        QPainter painter(&picture);
        painter.drawPixmap(about.geometry().topLeft() - main.geometry().topLeft(), about.grab());
    }
    const QRect area(0, 0, picture.width() / picture.devicePixelRatio(),
                     about.geometry().bottom() - main.y() + 40);
    const QString path = folder.filePath(QStringLiteral("about.png"));
    const bool saved = picture.copy(area).save(path, "PNG");
    std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "wrote" : "could not write",
                 path.toLocal8Bit().constData());
    about.close();
    main.SetAnimation(false);
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

    ok = SaveAbout(main, folder) && ok;

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
    ok = SaveDiagram(main, folder) && ok;
    ok = SaveSurface(main, folder) && ok;
    main.Plan().Modified = false;
    return ok ? 0 : 1;
}
