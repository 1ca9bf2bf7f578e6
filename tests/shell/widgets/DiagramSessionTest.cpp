// A diagram through the program's windows: the fitted response of an
// example plan along its first factor, drawn in natural units with the
// runs' means, closed, and shown again from the window list without the
// wizard; the diagram data exported through the same wizard.
#include "diagrams/GraphForm.h"
#include "numeric/NumberText.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "services/PlanService.h"
#include "shell/FormList.h"
#include "shell/GraphWindows.h"
#include "shell/MainForm.h"
#include "shell/MessageBoxes.h"
#include "shell/QtPlanHost.h"
#include "surface3d/GLUnavailable.h"

#include "GuiScript.h"
#include "MainWindowScript.h"
#include "TempFolder.h"

#include <QAction>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScatterSeries>
#include <QValueAxis>
#include <QtTest>

#include <fstream>
#include <sstream>

using namespace orvanta;

class TDiagramSessionTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> Main;
    std::unique_ptr<test::TWindowPerson> Person;
    std::vector<std::string> Boxes;

    void Trigger(const char* item) {
        Main->findChild<QAction*>(QString::fromLatin1(item))->trigger();
    }
    // The three wizard pages taken forward as they stand.
    void GoThroughTheWizard() {
        for (const char* page : {"DiagramStep1", "DiagramStep2", "DiagramStep3"})
            Person->Acts[QString::fromLatin1(page)] = [](QWidget* w) {
                w->findChild<QPushButton*>(QStringLiteral("ForwardButton"))->click();
            };
    }

private slots:
    void init() {
        test::CatchMessageBoxes(Boxes, [] { return TAnswer::Yes; });
        Main = test::StartMainWindow("ccr2-strength.mpl");
        Person = std::make_unique<test::TWindowPerson>();
        Person->AnswerTheRest = true;
        Settings().CBFisherActivateReport = false;
        Trigger("AnalysisItem");
        QVERIFY(Main->Plan().HasBVector);
    }

    void cleanup() {
        Person.reset();
        test::EndSession(Main);
    }

    void CurveInNaturalUnitsWithTheRunMeans() {
        Settings().CBPoints2D = true;
        GoThroughTheWizard();
        Trigger("DiagramItem");
        TGraphForm* form = Main->Host().Graphs().Diagram();
        QVERIFY(form);
        const TRaruRuro& plan = Main->Plan();
        // Fifteen points from -1 in steps of 1/7, at the first factor's
        // natural levels (base level and interval of the example).
        QCOMPARE(form->Series->count(), 15);
        const double base = plan.BaseLevels.Get(0);
        const double interval = plan.Intervals.Get(0);
        double x = -1.0;
        for (int i = 0; i < 15; ++i, x += 2.0 / 14.0) {
            QCOMPARE(form->Series->at(i).x(), double(static_cast<float>(x * interval + base)));
            std::vector<double> p{x, 0.0};
            QCOMPARE(form->Series->at(i).y(), double(static_cast<float>(plan.Predict(p.data()))));
        }
        // The runs' means, projected after the question, in order of levels.
        QCOMPARE(Boxes.size(), std::size_t(1));
        QVERIFY(Boxes[0].rfind("Текущий план построен более чем для одного фактора.", 0) == 0);
        QCOMPARE(form->Points->count(), plan.YMean.Size());
        for (int i = 1; i < form->Points->count(); ++i)
            QVERIFY(form->Points->at(i - 1).x() <= form->Points->at(i).x());
        QCOMPARE(form->AxisX->titleText(), QString::fromStdString(plan.FactorNames[0]));
        QCOMPARE(form->AxisY->titleText(), QString::fromStdString(plan.ResponseName));
        QCOMPARE(Main->Host().Graphs().DiagramWindow()->windowTitle(), QStringLiteral("График"));
    }

    void ClosedDiagramComesBackFromTheWindowList() {
        GoThroughTheWizard();
        Trigger("DiagramItem");
        QMdiSubWindow* window = Main->Host().Graphs().DiagramWindow();
        QVERIFY(window);
        QVERIFY(!Main->Service().Can(48) ||
                !Main->Service().Graphs.Query(8)); // nothing to restore yet
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!Main->Host().Graphs().DiagramWindow());
        QVERIFY(Main->Service().Graphs.Query(8));

        // "Показать": only the diagram is offered; the wizard does not run.
        QStringList offered;
        Person->Acts[QStringLiteral("ShowDialog")] = [&offered](QWidget* w) {
            auto* list = static_cast<TFormList*>(w);
            for (int i = 0; i < list->LBWindows->count(); ++i)
                offered << list->LBWindows->item(i)->text();
            list->OKButton->click();
        };
        Person->Seen.clear();
        Trigger("ShowItem");
        QVERIFY(offered.contains(QStringLiteral("Диаграмма")));
        QVERIFY(!Person->Seen.contains(QStringLiteral("DiagramStep1")));
        TGraphForm* form = Main->Host().Graphs().Diagram();
        QVERIFY(form);
        QCOMPARE(form->Series->count(), 15);
    }

    // Where the platform has no OpenGL (offscreen) the surface window shows
    // its error picture instead of failing; on a real X server it draws.
    void SurfaceWithoutOpenGLShowsTheErrorPicture() {
        if (PlatformHasOpenGL())
            QSKIP("This platform has OpenGL: the surface tests draw on it.");
        for (const char* page : {"SurfaceStep1", "SurfaceStep2", "DiagramStep3"})
            Person->Acts[QString::fromLatin1(page)] = [](QWidget* w) {
                w->findChild<QPushButton*>(QStringLiteral("ForwardButton"))->click();
            };
        Trigger("SurfaceItem");
        QMdiSubWindow* window = Main->Host().Graphs().SurfaceWindow();
        QVERIFY(window);
        QCOMPARE(window->widget()->objectName(), QStringLiteral("GLUnavailable"));
        const QImage picture = window->widget()->grab().toImage();
        // Black, with the white cross through its corners.
        QCOMPARE(QColor(picture.pixel(picture.width() / 2, 3)), QColor(Qt::black));
        QCOMPARE(QColor(picture.pixel(picture.width() / 2, picture.height() / 2)),
                 QColor(Qt::white));
        QCOMPARE(Main->Service().Graphs.SurfaceVertices.Count(), 100);
    }

    void ExportRunsTheWizardAfterTheSaveDialog() {
        test::TTempFolder folder("orvan-diagram-export");
        const QString path = QString::fromStdString(folder.File("curve"));
        Person->Acts[QStringLiteral("SaveDialog")] = [path](QWidget* w) {
            auto* dialog = static_cast<QFileDialog*>(w);
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
            static_cast<QDialog*>(dialog)->accept();
        };
        GoThroughTheWizard();
        Person->Seen.clear();
        Trigger("ExportDiagramItem");
        QCOMPARE(Person->Seen.mid(0, 4),
                 QStringList({QStringLiteral("SaveDialog"), QStringLiteral("DiagramStep1"),
                              QStringLiteral("DiagramStep2"), QStringLiteral("DiagramStep3")}));
        std::ifstream in(folder.File("curve.txt"));
        std::stringstream stream;
        stream << in.rdbuf();
        const std::string text = stream.str();
        // One prediction a line, from -1 to 1 in fifteen points.
        std::vector<double> p{-1.0, 0.0};
        QVERIFY(text.rfind(FormatFull(Main->Plan().Predict(p.data())) + "\n", 0) == 0);
        QCOMPARE(std::count(text.begin(), text.end(), '\n'), 15);
    }
};

QTEST_MAIN(TDiagramSessionTest)
#include "DiagramSessionTest.moc"
