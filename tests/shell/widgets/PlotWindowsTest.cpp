// The pictures of the model through the program's windows: the contour from
// the surface's wizard pages with its read-out, the residual panels with the
// batch tool's figures and the way from a point to its row of statistics,
// the effects, the interaction and the trace, the mixture's triangle, the
// window lists, the export through the real dialogs and the plan's close.
#include "shell/PlotWindows.h"
#include "dialogs/WizardSpinEdit.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "plotwindows/PlotDrawing.h"
#include "plotwindows/PlotForm.h"
#include "shell/FormList.h"
#include "shell/MainForm.h"
#include "shell/QtPlanHost.h"
#include "shell/StatisticsWindow.h"
#include "statswindow/StatisticsForm.h"
#include "surface3d/GLBitSize.h"

#include "GuiScript.h"
#include "MainWindowScript.h"
#include "TempFolder.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>
#include <qcustomplot.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

using namespace orvanta;

namespace {

QJsonObject BatchStatistics(const char* plan) {
    QProcess orvan;
    orvan.start(QStringLiteral(ORVAN_BIN_DIR "/orvan"),
                {QStringLiteral("statistics"),
                 QStringLiteral(ORVAN_EXAMPLES_DIR "/") + QString::fromLatin1(plan),
                 QStringLiteral("--json")});
    orvan.waitForFinished(60000);
    return QJsonDocument::fromJson(orvan.readAllStandardOutput()).object();
}

std::vector<double> Sorted(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values;
}

// The first scatter set of an axis rectangle, as (x, y) lists.
std::pair<std::vector<double>, std::vector<double>> Points(QCPAxisRect* rect) {
    for (QCPAbstractPlottable* plottable : rect->plottables())
        if (auto* curve = qobject_cast<QCPCurve*>(plottable);
            curve && curve->lineStyle() == QCPCurve::lsNone) {
            std::vector<double> x;
            std::vector<double> y;
            for (auto it = curve->data()->constBegin(); it != curve->data()->constEnd(); ++it) {
                x.push_back(it->key);
                y.push_back(it->value);
            }
            return {x, y};
        }
    return {};
}

bool Near(const std::vector<double>& a, const std::vector<double>& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::fabs(a[i] - b[i]) > 1e-12 * std::max(1.0, std::fabs(b[i])))
            return false;
    return true;
}

std::vector<double> Column(const QJsonArray& rows, const char* key) {
    std::vector<double> values;
    for (const QJsonValue& row : rows)
        values.push_back(row[QString::fromLatin1(key)].toDouble());
    return values;
}

} // namespace

class TPlotWindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> Main;
    std::unique_ptr<test::TWindowPerson> Person;
    std::vector<std::string> Boxes;

    void Trigger(const char* item) {
        Main->findChild<QAction*>(QString::fromLatin1(item))->trigger();
    }
    TPlotWindows& Plots() { return Main->Host().Plots(); }
    QCustomPlot& Plot(TPlotWindowKind kind) { return *Plots().Form(kind)->Plot; }

    void Start(const char* plan) {
        test::CatchMessageBoxes(Boxes, [] { return TAnswer::Yes; });
        Main = test::StartMainWindow(plan);
        Person = std::make_unique<test::TWindowPerson>();
        Person->AnswerTheRest = true;
        Settings().CBFisherActivateReport = false;
        // The surface's wizard pages taken forward as they stand.
        for (const char* page : {"SurfaceStep1", "SurfaceStep2", "DiagramStep3"})
            Person->Acts[QString::fromLatin1(page)] = [](QWidget* w) {
                w->findChild<QPushButton*>(QStringLiteral("ForwardButton"))->click();
            };
        Trigger("AnalysisItem");
        QVERIFY(Main->Plan().HasBVector);
    }

private slots:
    void cleanup() {
        Person.reset();
        test::EndSession(Main);
    }

    void ContourFromTheWizardWithItsReadOut() {
        Start("ccr2-strength.mpl");
        Trigger("ContourButton");
        QVERIFY(Person->Seen.contains(QStringLiteral("SurfaceStep1")));
        QCOMPARE(Plots().Window(TPlotWindowKind::Contour)->windowTitle(),
                 QStringLiteral("Контурный график"));
        QCustomPlot& plot = Plot(TPlotWindowKind::Contour);
        QVERIFY(qobject_cast<QCPColorMap*>(plot.plottable(0)));
        // The runs inside the wizard's range (the four factorial ones and the
        // centre; the star points lie beyond 1) and the stationary point.
        QCPAxisRect* rect = plot.axisRect();
        QCOMPARE(Points(rect).first.size(), std::size_t(5));
        int stationary = 0;
        for (int i = 0; i < plot.itemCount(); ++i)
            if (auto* text = qobject_cast<QCPItemText*>(plot.item(i)))
                stationary += text->text() == QStringLiteral("стационарная точка");
        QCOMPARE(stationary, 1);
        // Natural units: the temperature's axis runs about its base level.
        QVERIFY(rect->axis(QCPAxis::atBottom)->range().contains(120.0));

        // The read-out under the mouse: the point and the response there.
        TPlotForm* form = Plots().Form(TPlotWindowKind::Contour);
        const QPoint centre = rect->rect().center();
        QTest::mouseMove(form->Plot, centre);
        QMouseEvent move(QEvent::MouseMove, QPointF(centre),
                         form->Plot->mapToGlobal(QPointF(centre)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(form->Plot, &move);
        const double x = rect->axis(QCPAxis::atBottom)->pixelToCoord(centre.x());
        const double y = rect->axis(QCPAxis::atLeft)->pixelToCoord(centre.y());
        const TRaruRuro& p = Main->Plan();
        const double coded[2] = {(x - p.BaseLevels.Get(0)) / p.Intervals.Get(0),
                                 (y - p.BaseLevels.Get(1)) / p.Intervals.Get(1)};
        const QString text = form->ReadOutLine->text();
        QVERIFY2(text.endsWith(QStringLiteral("ŷ = ") + PlotNumber(p.Predict(coded))),
                 qPrintable(text));

        // Coded units at a switch.
        form->UnitsItem->trigger();
        QVERIFY(plot.axisRect()->axis(QCPAxis::atBottom)->range().upper < 2.0);
    }

    void ResidualsShowTheBatchToolsFiguresAndLeadToTheirRows() {
        Start("ccr2-strength.mpl");
        Trigger("ResidualsButton");
        QCustomPlot& plot = Plot(TPlotWindowKind::Residuals);
        QCOMPARE(plot.axisRectCount(), 4);
        const QJsonArray o =
            BatchStatistics("ccr2-strength.mpl")[QStringLiteral("observations")].toArray();
        const auto normal = Points(plot.axisRect(0));
        const auto predicted = Points(plot.axisRect(1));
        const auto order = Points(plot.axisRect(2));
        const auto actual = Points(plot.axisRect(3));
        QVERIFY(Near(normal.second, Sorted(Column(o, "externallyStudentized"))));
        QVERIFY(Near(predicted.first, Column(o, "predicted")));
        QVERIFY(Near(predicted.second, Column(o, "residual")));
        QVERIFY(Near(order.second, Column(o, "residual")));
        QVERIFY(Near(actual.first, Column(o, "actual")));
        QVERIFY(Near(actual.second, Column(o, "predicted")));
        // Blom's position of the smallest of the 18 (R: qnorm((1 - 3/8)/(18 + 1/4))).
        QVERIFY(std::fabs(normal.first.front() - -1.82174853) < 1e-8);

        // A click on the marked point (run 4, repeat 2: the eighth in order)
        // opens its row of the statistics.
        QCPAxisRect* rect = plot.axisRect(2);
        const QPointF at(rect->axis(QCPAxis::atBottom)->coordToPixel(order.first[7]),
                         rect->axis(QCPAxis::atLeft)->coordToPixel(order.second[7]));
        QTest::mouseClick(&plot, Qt::LeftButton, {}, at.toPoint());
        TStatisticsForm* statistics = Main->Host().Statistics().Form();
        QVERIFY(statistics);
        QTableWidget* rows = statistics->Table("diagnostics");
        QCOMPARE(statistics->Tabs->currentWidget()->objectName(), QStringLiteral("diagnostics"));
        const QList<QTableWidgetItem*> selected = rows->selectedItems();
        QVERIFY(!selected.isEmpty());
        QCOMPARE(rows->item(selected.front()->row(), 0)->text(), QStringLiteral("4"));
        QCOMPARE(rows->item(selected.front()->row(), 1)->text(), QStringLiteral("2"));
    }

    void EffectsInteractionAndTrace() {
        Start("ffe23-yield.mpl");
        Trigger("EffectsButton");
        QCustomPlot& effects = Plot(TPlotWindowKind::Effects);
        QCOMPARE(effects.axisRectCount(), 1); // replicated: no half-normal plot
        int bars = 0;
        for (int i = 0; i < effects.plottableCount(); ++i)
            if (auto* b = qobject_cast<QCPBars*>(effects.plottable(i)))
                bars += b->data()->size();
        QCOMPARE(bars, 3);

        Trigger("TraceButton");
        QCustomPlot& trace = Plot(TPlotWindowKind::Trace);
        QCOMPARE(trace.plottableCount(), 3); // a line per factor
        Trigger("InteractionButton");
        QCustomPlot& interaction = Plot(TPlotWindowKind::Interaction);
        QCOMPARE(interaction.plottableCount(), 2);
        QStringList labels;
        for (int i = 0; i < interaction.itemCount(); ++i)
            if (auto* text = qobject_cast<QCPItemText*>(interaction.item(i)))
                labels << text->text();
        const QString other = QString::fromStdString(Main->Plan().FactorNames[1]);
        QCOMPARE(labels.size(), 2);
        QVERIFY2(labels[0].startsWith(other + QStringLiteral(" = ")), qPrintable(labels[0]));
    }

    void MixtureDrawsOnTheTriangleWithoutTheWizard() {
        Start("simplex32-blend.mpl");
        Person->Seen.clear();
        Trigger("ContourItem");
        QVERIFY(!Person->Seen.contains(QStringLiteral("SurfaceStep1")));
        QCustomPlot& plot = Plot(TPlotWindowKind::Contour);
        QVERIFY(!plot.axisRect()->axis(QCPAxis::atBottom)->visible());
        QCOMPARE(Points(plot.axisRect()).first.size(), std::size_t(Main->Plan().RunCount));
    }

    void ListedExportedAndClosedWithThePlan() {
        Start("ccr2-strength.mpl");
        for (const char* button : {"ResidualsButton", "EffectsButton", "TraceButton"})
            Trigger(button);
        QStringList offered;
        Person->Acts[QStringLiteral("MinimizeDialog")] = [&offered](QWidget* w) {
            auto* list = static_cast<TFormList*>(w);
            for (int i = 0; i < list->LBWindows->count(); ++i)
                offered << list->LBWindows->item(i)->text();
            list->OKButton->click();
        };
        Settings().CBShowHideList = true;
        Main->OptionsAccepted();
        Trigger("MinimizeItem");
        for (const char* caption : {"Диагностика остатков", "Эффекты", "Трассировка"})
            QVERIFY2(offered.contains(QString::fromUtf8(caption)), caption);
        QVERIFY(Plots().IsMinimized(TPlotWindowKind::Trace));
        Plots().Restore(TPlotWindowKind::Trace);

        // Exported through the real dialogs: SVG at the window's size, PNG at
        // the size asked for.
        test::TTempFolder folder("orvan-plots");
        TPlotForm* form = Plots().Form(TPlotWindowKind::Trace);
        for (const auto& [name, filter] : {std::pair{"trace.svg", 0}, std::pair{"trace.png", 1}}) {
            Person->Acts[QStringLiteral("ExportDialog")] = [&, name = name,
                                                            filter = filter](QWidget* w) {
                auto* dialog = static_cast<QFileDialog*>(w);
                auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
                types->setCurrentIndex(filter);
                emit types->activated(filter);
                auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                edit->setText(QString::fromStdString(folder.File(name)));
                QTimer::singleShot(0, edit, [edit] { QTest::keyClick(edit, Qt::Key_Return); });
            };
            Person->Acts[QStringLiteral("GLBitSize")] = [](QWidget* w) {
                auto* size = static_cast<TGLBitSize*>(w);
                size->SEWidth->SetText(QStringLiteral("640"));
                size->SEHeight->SetText(QStringLiteral("400"));
                size->OkButton->click();
            };
            form->findChild<QAction*>(QStringLiteral("ExportItem"))->trigger();
        }
        std::ifstream svg(folder.File("trace.svg"));
        std::string head(5, '\0');
        svg.read(head.data(), 5);
        QCOMPARE(head, std::string("<?xml"));
        const QImage png(QString::fromStdString(folder.File("trace.png")));
        QCOMPARE(png.size(), QSize(640, 400));

        Main->Plan().Modified = false;
        Trigger("CloseItem");
        for (std::size_t i = 0; i < PlotWindowKinds; ++i)
            QVERIFY(!Plots().IsOpen(static_cast<TPlotWindowKind>(i)));
        QVERIFY(!Main->findChild<QAction*>(QStringLiteral("ResidualsButton"))->isEnabled());
    }
};

QTEST_MAIN(TPlotWindowsTest)
#include "PlotWindowsTest.moc"
