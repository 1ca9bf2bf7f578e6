// The diagram window inside the main window, as the person handles it:
// maximised, restored and resized while its axes animate, zoomed with the
// mouse and back to 1:1, the event loop running every animation to its end.
#include "diagrams/GraphForm.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "services/PlanService.h"
#include "shell/GraphWindows.h"
#include "shell/MainForm.h"
#include "shell/QtPlanHost.h"

#include "GuiScript.h"
#include "MainWindowScript.h"

#include <QAction>
#include <QChartView>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QValueAxis>
#include <QtTest>

using namespace orvanta;

class TDiagramWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> Main;
    std::unique_ptr<test::TWindowPerson> Person;
    std::vector<std::string> Boxes;

    void Trigger(QObject& owner, const char* item) {
        auto* action = owner.findChild<QAction*>(QString::fromLatin1(item));
        QVERIFY2(action, item);
        action->trigger();
    }

    void LetTheAnimationEnd(const TGraphForm& form) {
        QTest::qWait(form.Chart->animationDuration() + 300);
    }

    // The labels the window writes stand within the axes they label.
    void VerifyLabels(const TGraphForm& form) {
        for (const auto& [axis, orientation] :
             {std::pair{form.AxisX, Qt::Horizontal}, std::pair{form.AxisY, Qt::Vertical}}) {
            const QStringList texts = form.LabelTexts(orientation);
            QVERIFY(!texts.isEmpty());
            for (const QString& text : texts)
                QVERIFY2(text.toDouble() >= axis->min() - 1e-9 &&
                             text.toDouble() <= axis->max() + 1e-9,
                         qPrintable(text));
        }
    }

    void DragZoom(TGraphForm& form) {
        const QRectF area = form.Chart->plotArea();
        const auto at = [&](double f) {
            return form.View->mapFromScene(form.Chart->mapToScene(
                area.topLeft() + QPointF(area.width() * f, area.height() * f)));
        };
        QWidget* viewport = form.View->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, at(0.2));
        QTest::mouseMove(viewport, at(0.4));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at(0.6));
    }

private slots:
    void init() {
        test::CatchMessageBoxes(Boxes, [] { return TAnswer::Yes; });
        Main = test::StartMainWindow("ccr2-strength.mpl");
        Person = std::make_unique<test::TWindowPerson>();
        Person->AnswerTheRest = true;
        Settings().CBFisherActivateReport = false;
        Settings().CBPoints2D = true;
        Trigger(*Main, "AnalysisItem");
        QVERIFY(Main->Plan().HasBVector);
        for (const char* page : {"DiagramStep1", "DiagramStep2", "DiagramStep3"})
            Person->Acts[QString::fromLatin1(page)] = [](QWidget* w) {
                w->findChild<QPushButton*>(QStringLiteral("ForwardButton"))->click();
            };
        Trigger(*Main, "DiagramItem");
    }

    void cleanup() {
        Person.reset();
        test::EndSession(Main);
    }

    void MaximisedRestoredAndZoomedWhileItAnimates() {
        QMdiSubWindow* sub = Main->Host().Graphs().DiagramWindow();
        TGraphForm* form = Main->Host().Graphs().Diagram();
        QVERIFY(sub && form);
        QVERIFY(QTest::qWaitForWindowExposed(form));
        const QSize normal = sub->size();
        const std::pair<const char*, std::function<void()>> steps[] = {
            {"maximise", [&] { sub->showMaximized(); }},
            {"zoom", [&] { DragZoom(*form); }},
            {"restore", [&] { sub->showNormal(); }},
            {"1:1", [&] { Trigger(*form, "Zoom11Item"); }},
            {"maximise again", [&] { sub->showMaximized(); }},
            {"restore at once", [&] { sub->showNormal(); }},
            {"resize", [&] { sub->resize(normal + QSize(150, 90)); }},
        };
        for (const auto& [name, step] : steps) {
            step();
            LetTheAnimationEnd(*form);
            QVERIFY2(Main->Host().Graphs().Diagram() == form, name);
            VerifyLabels(*form);
        }
        QVERIFY(!form->Chart->isZoomed());
        QVERIFY(!sub->isMaximized());
    }
};

QTEST_MAIN(TDiagramWindowTest)
#include "DiagramWindowTest.moc"
