// A response surface through the program's windows, on a real OpenGL
// context: the surface wizard over an example plan, the surface window with
// the fitted response drawn, closed and shown again from the window list
// without the wizard, replaced by a diagram, and the surface export running
// the same wizard after its save dialog.
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "services/PlanService.h"
#include "shell/FormList.h"
#include "shell/GraphWindows.h"
#include "shell/MainForm.h"
#include "shell/QtPlanHost.h"
#include "surface3d/OpenGLWindow.h"

#include "GuiScript.h"
#include "MainWindowScript.h"
#include "SessionScript.h"
#include "TempFolder.h"

#include <QAction>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QtTest>

using namespace orvanta;

class TSurfaceSessionTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> Main;
    std::unique_ptr<test::TWindowPerson> Person;
    std::vector<std::string> Boxes;

    void Trigger(const char* item) {
        Main->findChild<QAction*>(QString::fromLatin1(item))->trigger();
    }
    void GoForwardThrough(std::initializer_list<const char*> pages) {
        for (const char* page : pages)
            Person->Acts[QString::fromLatin1(page)] = [](QWidget* w) {
                w->findChild<QPushButton*>(QStringLiteral("ForwardButton"))->click();
            };
    }
private slots:
    void init() {
        test::CatchMessageBoxes(Boxes, [] { return TAnswer::Yes; });
        Main = test::StartMainWindow("ccr2-strength.mpl");
        Main->activateWindow();
        Person = std::make_unique<test::TWindowPerson>();
        Person->AnswerTheRest = true;
        Settings().CBFisherActivateReport = false;
        Trigger("AnalysisItem");
        QVERIFY(Main->Plan().HasBVector);
        GoForwardThrough({"SurfaceStep1", "SurfaceStep2", "DiagramStep3"});
    }

    void cleanup() {
        Person.reset();
        test::EndSession(Main);
    }

    void SurfaceOfTheExampleIsDrawn() {
        Trigger("SurfaceItem");
        const TGraphHolder& graphs = Main->Service().Graphs;
        // The defaults: ten points on each factor.
        QCOMPARE(graphs.SurfaceVertices.Count(), 100);
        QMdiSubWindow* sub = Main->Host().Graphs().SurfaceWindow();
        QVERIFY(sub);
        QCOMPARE(sub->windowTitle(), QStringLiteral("Поверхность отклика"));
        TOpenGLWindow* view = Main->Host().Graphs().Surface();
        QVERIFY(view);
        QVERIFY(QTest::qWaitForWindowExposed(view));
        QTRY_COMPARE(view->RenderState() != 0, true);
        QVERIFY(test::ColouredPixels(view->CaptureWindow()) > 1000);
        // The size its menu has checked is the size of the drawing area.
        QVERIFY(view->SizeItems[2]->isChecked());
        QCOMPARE(view->SizeItems[2]->text(), QStringLiteral("480 Х 360"));
        QCOMPARE(view->size(), QSize(480, 360));
        QCOMPARE(view->CaptureWindow().size(), QSize(480, 360));
    }

    void ClosedSurfaceComesBackWithoutTheWizard() {
        Trigger("SurfaceItem");
        Main->Host().Graphs().SurfaceWindow()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!Main->Host().Graphs().SurfaceWindow());
        QVERIFY(Main->Service().Graphs.Query(8));
        Person->Acts[QStringLiteral("ShowDialog")] = [](QWidget* w) {
            static_cast<TFormList*>(w)->OKButton->click();
        };
        Person->Seen.clear();
        Trigger("ShowItem");
        QVERIFY(!Person->Seen.contains(QStringLiteral("SurfaceStep1")));
        TOpenGLWindow* view = Main->Host().Graphs().Surface();
        QVERIFY(view);
        QVERIFY(QTest::qWaitForWindowExposed(view));
        QVERIFY(test::ColouredPixels(view->CaptureWindow()) > 1000);
    }

    void ADiagramClosesTheSurfaceWindow() {
        Trigger("SurfaceItem");
        QVERIFY(Main->Host().Graphs().SurfaceWindow());
        GoForwardThrough({"DiagramStep1", "DiagramStep2"});
        Trigger("DiagramItem");
        QVERIFY(!Main->Host().Graphs().SurfaceWindow());
        QVERIFY(Main->Host().Graphs().DiagramWindow());
        QVERIFY(!Main->Service().Graphs.SurfaceOpen);
    }

    void ExportRunsTheWizardAfterTheSaveDialog() {
        test::TTempFolder folder("orvan-surface-export");
        const QString path = QString::fromStdString(folder.File("grid"));
        Person->Acts[QStringLiteral("SaveDialog")] = [path](QWidget* w) {
            auto* dialog = static_cast<QFileDialog*>(w);
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
            static_cast<QDialog*>(dialog)->accept();
        };
        Person->Seen.clear();
        Trigger("ExportSurfaceItem");
        QCOMPARE(Person->Seen.mid(0, 4),
                 QStringList({QStringLiteral("SaveDialog"), QStringLiteral("SurfaceStep1"),
                              QStringLiteral("SurfaceStep2"), QStringLiteral("DiagramStep3")}));
        // The Surfer grid: its header and ten rows of ten values.
        const std::string grid = test::ReadAll(folder.File("grid.grd"));
        QVERIFY(grid.rfind("DSAA\n10\t10\n", 0) == 0);
        QCOMPARE(std::count(grid.begin(), grid.end(), '\n'), 5 + 10);
    }
};

QTEST_MAIN(TSurfaceSessionTest)
#include "SurfaceSessionTest.moc"
