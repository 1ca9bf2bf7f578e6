// The diagram window as the person uses it: the data and the look it is
// given, the label steps, zoom, copying to the clipboard and exporting the
// chart as SVG, PNG or PDF.
#include "diagrams/GraphForm.h"

#include "dialogs/FontAndColor.h"
#include "numeric/NumberText.h"
#include "plan/Settings.h"

#include "ScriptedHost.h"
#include "TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QClipboard>
#include <QLineSeries>
#include <QMenu>
#include <QMimeData>
#include <QScatterSeries>
#include <QValueAxis>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace orvanta;
using test::ReadAll;
using namespace Qt::Literals::StringLiterals;

namespace {

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

QList<QPointF> PointsOf(const QXYSeries* series) {
    return series->points();
}

// The curve of the default wizard: 15 points from -1 at steps of 1/7.
std::vector<QPointF> Curve() {
    std::vector<QPointF> curve;
    for (int i = 0; i < 15; ++i) {
        const double x = -1.0 + i / 7.0;
        curve.emplace_back(x, 3.0 + 2.0 * x - x * x);
    }
    return curve;
}

// The chart's animations run on the event loop for their whole length.
void LetTheAnimationEnd(const TGraphForm& form) {
    QTest::qWait(form.Chart->animationDuration() + 300);
}

// Every label the window writes stands within its axis, and as many of
// them as the chart draws grid lines for.
void VerifyLabelsFitTheAxes(const TGraphForm& form) {
    for (const auto& [axis, orientation] :
         {std::pair{form.AxisX, Qt::Horizontal}, std::pair{form.AxisY, Qt::Vertical}}) {
        const QStringList texts = form.LabelTexts(orientation);
        QVERIFY(!texts.isEmpty());
        for (const QString& text : texts) {
            const double value = text.toDouble();
            QVERIFY2(value >= axis->min() - 1e-9 && value <= axis->max() + 1e-9, qPrintable(text));
        }
        QCOMPARE(texts.front().toDouble(), axis->tickAnchor());
    }
}

void Trigger(TGraphForm& form, const char* item) {
    auto* action = form.findChild<QAction*>(QString::fromUtf8(item));
    QVERIFY2(action, item);
    action->trigger();
}

} // namespace

class TGraphFormTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        Settings().SetDefaults();
        SetDecimalSeparator('.');
        QLocale::setDefault(QLocale::c());
    }

    void StartsWithTheLookOfTheChart() {
        TGraphForm form;
        QCOMPARE(form.objectName(), QStringLiteral("GraphForm"));
        QCOMPARE(form.windowTitle(), QStringLiteral("График"));
        QCOMPARE(form.size(), QSize(528, 358));
        QCOMPARE(form.Chart->title(),
                 QStringLiteral("Зависимость отклика от одного из нормализованных факторов"));
        QCOMPARE(form.Chart->titleFont().pixelSize(), 13);
        QVERIFY(!form.Chart->legend()->isVisible());
        QCOMPARE(form.Chart->backgroundBrush().color(), QColor(192, 192, 192));
        QCOMPARE(form.AxisX->titleText(), QStringLiteral("Фактор"));
        QCOMPARE(form.AxisY->titleText(), QStringLiteral("Отклик"));
        QCOMPARE(form.AxisX->titleFont().pixelSize(), 13);
        QCOMPARE(form.AxisY->gridLinePen().color(), QColor(Qt::black));
        QCOMPARE(form.Chart->axes(Qt::Horizontal), QList<QAbstractAxis*>{form.AxisX});
        QCOMPARE(form.Chart->axes(Qt::Vertical), QList<QAbstractAxis*>{form.AxisY});
        QCOMPARE(form.XIncrement(), 0.1);
        QCOMPARE(form.Series->name(), QStringLiteral("Series"));
        QCOMPARE(form.Series->color(), QColor(Qt::black));
        QVERIFY(!form.Series->pointsVisible());
        QCOMPARE(form.Points->name(), QStringLiteral("Points"));
        QCOMPARE(form.Points->markerShape(), QScatterSeries::MarkerShapeCircle);
        QCOMPARE(form.Points->color(), QColor(Qt::white));
        QCOMPARE(form.Points->borderColor(), QColor(Qt::red));
        QCOMPARE(form.View->rubberBand(), QChartView::RectangleRubberBand);
        QVERIFY(form.Chart->animationOptions() != QChart::NoAnimation);
    }

    void EditMenuHoldsTheCommands() {
        TGraphForm form;
        QCOMPARE(form.EditMenu->objectName(), QStringLiteral("EditMenu"));
        QCOMPARE(form.EditMenu->title(), QStringLiteral("Правка"));
        const struct {
            const char* Menu;
            const char* Name;
            QString Text;
            QString Shortcut;
        } items[] = {
            {"EditMenu", "Zoom11Item", QStringLiteral("Масштаб 1:1"), QString()},
            {"CopyChartMenu", "BitmapItem", QStringLiteral("Как растр"), QStringLiteral("Ctrl+X")},
            {"CopyChartMenu", "MetafileItem", QStringLiteral("Как метафайл"),
             QStringLiteral("Ctrl+C")},
            {"EditMenu", "TeeFormatItem", QStringLiteral("Формат ..."), QString()},
            {"EditMenu", "TeeExportItem", QStringLiteral("Экспорт ..."), QString()},
            {"IncMenu", "XIncItem", QStringLiteral("По оси OX"), QString()},
            {"IncMenu", "YIncItem", QStringLiteral("По оси OY"), QString()},
        };
        const QMenu* copy = form.EditMenu->findChild<QMenu*>(QStringLiteral("CopyChartMenu"));
        const QMenu* steps = form.EditMenu->findChild<QMenu*>(QStringLiteral("IncMenu"));
        QVERIFY(copy && steps);
        QCOMPARE(copy->title(), QStringLiteral("Копировать"));
        QCOMPARE(steps->title(), QStringLiteral("Шаг меток"));
        const QMenu* context = form.findChild<QMenu*>(QStringLiteral("ChartMenu"));
        QVERIFY(context);
        for (const auto& item : items) {
            auto* action = form.findChild<QAction*>(QString::fromUtf8(item.Name));
            QVERIFY2(action, item.Name);
            QCOMPARE(action->text(), item.Text);
            QCOMPARE(action->shortcut().toString(), item.Shortcut);
            const QMenu* menu = QByteArray(item.Menu) == "EditMenu"  ? form.EditMenu
                                : QByteArray(item.Menu) == "IncMenu" ? steps
                                                                     : copy;
            QVERIFY2(menu->actions().contains(action), item.Name);
            // The chart's own menu offers the same command.
            bool inContext = context->actions().contains(action);
            for (const QAction* sub : context->actions())
                if (sub->menu() && sub->menu()->actions().contains(action))
                    inContext = true;
            QVERIFY2(inContext, item.Name);
        }
    }

    void SetDataFillsTheSeriesInOrder() {
        TGraphForm form;
        form.SetData({{-1, 5}, {0, 2}, {2, 7}}, {{-1, 4}, {1, 1}}, QStringLiteral("Давление"),
                     QStringLiteral("Выход"));
        // Then a diagram of another factor replaces it; a point that cannot
        // be drawn (an overflowed response) is left out.
        const double inf = std::numeric_limits<double>::infinity();
        form.SetData({{8, 3}, {10, inf}, {12, 1}, {11, 6}}, {{9, 2.5}}, QStringLiteral("Время"),
                     QStringLiteral("Отклик системы"));
        QCOMPARE(PointsOf(form.Series), (QList<QPointF>{{8, 3}, {12, 1}, {11, 6}}));
        QCOMPARE(PointsOf(form.Points), (QList<QPointF>{{9, 2.5}}));
        QCOMPARE(form.AxisX->titleText(), QStringLiteral("Время"));
        QCOMPARE(form.AxisY->titleText(), QStringLiteral("Отклик системы"));
        // The axes span the data with a twentieth of it to spare at each
        // end: the points at the ends are drawn whole.
        QCOMPARE(form.AxisX->min(), 7.8);
        QCOMPARE(form.AxisX->max(), 12.2);
        QCOMPARE(form.AxisY->min(), 0.75);
        QCOMPARE(form.AxisY->max(), 6.25);
    }

    void ZoomIsUndone() {
        TGraphForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.SetData(Curve(), {}, QStringLiteral("x"), QStringLiteral("y"));
        const QRectF area = form.Chart->plotArea();
        form.Chart->zoomIn(QRectF(area.topLeft(), area.size() / 2));
        QVERIFY(form.Chart->isZoomed());
        QVERIFY(form.AxisX->max() < 0.5);
        Trigger(form, "Zoom11Item");
        QVERIFY(!form.Chart->isZoomed());
        QCOMPARE(form.AxisX->min(), -1.1);
        QCOMPARE(form.AxisX->max(), 1.1);
    }

    // The person drags a zoom rectangle over the chart with the mouse and
    // watches the axes move to it, then undoes the zoom and watches again.
    void DraggedZoomAnimatesToTheEnd() {
        TGraphForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.SetData(Curve(), {{-1, 2}, {1, 4}}, QStringLiteral("x"), QStringLiteral("y"));
        LetTheAnimationEnd(form);
        const QRectF area = form.Chart->plotArea();
        const auto at = [&](double fx, double fy) {
            const QPointF scene = form.Chart->mapToScene(
                area.topLeft() + QPointF(area.width() * fx, area.height() * fy));
            return form.View->mapFromScene(scene);
        };
        QWidget* viewport = form.View->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, at(0.1, 0.1));
        for (double f : {0.2, 0.3, 0.4})
            QTest::mouseMove(viewport, at(f, f));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at(0.4, 0.4));
        QVERIFY(form.Chart->isZoomed());
        LetTheAnimationEnd(form);
        QVERIFY(form.AxisX->max() < 0.0);
        VerifyLabelsFitTheAxes(form);
        Trigger(form, "Zoom11Item");
        LetTheAnimationEnd(form);
        QVERIFY(!form.Chart->isZoomed());
        VerifyLabelsFitTheAxes(form);
    }

    void ApplyOptionsSetsTheGridStyle_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<Qt::PenStyle>("pen");
        QTest::newRow("Сплошная линия") << 0 << Qt::SolidLine;
        QTest::newRow("Штриховая линия") << 1 << Qt::DashLine;
        QTest::newRow("Пунктирная линия") << 2 << Qt::DotLine;
        QTest::newRow("Штрихпунктирная линия") << 3 << Qt::DashDotLine;
        QTest::newRow("Двойная штрихпунктирная линия") << 4 << Qt::DashDotDotLine;
        QTest::newRow("a damaged value") << 9 << Qt::SolidLine;
    }

    void ApplyOptionsSetsTheGridStyle() {
        QFETCH(int, style);
        QFETCH(Qt::PenStyle, pen);
        TGraphForm form;
        TSettings settings;
        settings.CBGridStyle = static_cast<std::uint8_t>(style);
        form.ApplyOptions(settings);
        for (const QValueAxis* axis : {form.AxisX, form.AxisY}) {
            QCOMPARE(axis->gridLinePen().style(), pen);
            QCOMPARE(axis->gridLinePen().color(), QColor(0x80, 0x80, 0x80));
            QVERIFY(axis->isGridLineVisible());
        }
    }

    void ApplyOptionsSetsTitleAndColours() {
        TGraphForm form;
        TSettings settings;
        settings.ELegend = "Выход продукта";
        settings.SColor = Rgb(255, 255, 224);
        settings.SAxisColor = Rgb(0, 0, 128);
        settings.CBGridVisible = false;
        settings.SGridColor = Rgb(0, 128, 0);
        settings.SSeriesColor = 0x80000005; // the desktop's window colour
        form.ApplyOptions(settings);
        QCOMPARE(form.Chart->title(), QStringLiteral("Выход продукта"));
        QCOMPARE(form.Chart->backgroundBrush().color(), QColor(255, 255, 224));
        for (const QValueAxis* axis : {form.AxisX, form.AxisY}) {
            QCOMPARE(axis->linePenColor(), QColor(0, 0, 128));
            QVERIFY(!axis->isGridLineVisible());
            QCOMPARE(axis->gridLinePen().color(), QColor(0, 128, 0));
        }
        QCOMPARE(form.Series->color(),
                 QApplication::palette().color(QPalette::Active, QPalette::Base));
        // The defaults of the options page give the first look back.
        form.ApplyOptions(TSettings());
        QCOMPARE(form.Chart->title(),
                 QStringLiteral("Зависимость отклика от одного из нормализованных факторов"));
        QCOMPARE(form.Chart->backgroundBrush().color(), QColor(192, 192, 192));
        QCOMPARE(form.Series->color(), QColor(Qt::black));
        QVERIFY(form.AxisY->isGridLineVisible());
    }

    void LabelStepIsAsked_data() {
        QTest::addColumn<Qt::Orientation>("axis");
        QTest::addColumn<std::optional<double>>("answer");
        QTest::addColumn<double>("interval");
        QTest::addColumn<QString>("warning");
        QTest::newRow("OX 0.5") << Qt::Horizontal << std::optional<double>(0.5) << 0.5 << QString();
        QTest::newRow("OY 0.25") << Qt::Vertical << std::optional<double>(0.25) << 0.25
                                 << QString();
        QTest::newRow("OX cancelled")
            << Qt::Horizontal << std::optional<double>() << 0.1 << QString();
        QTest::newRow("OX negative") << Qt::Horizontal << std::optional<double>(-0.5) << 0.1
                                     << QStringLiteral("Шаг меток не может быть отрицательным.");
        QTest::newRow("OX 0: the axis chooses")
            << Qt::Horizontal << std::optional<double>(0.0) << 0.05 << QString();
    }

    void LabelStepIsAsked() {
        QFETCH(Qt::Orientation, axis);
        QFETCH(std::optional<double>, answer);
        QFETCH(double, interval);
        QFETCH(QString, warning);
        test::TScriptedHost host;
        TMessageHostScope scope(host);
        TGraphForm form;
        // The span 0 .. 2 holds 40 intervals of 0.05 before the chart is laid out.
        form.SetData({{0, 0}, {2, 2}}, {}, QStringLiteral("x"), QStringLiteral("y"));
        std::vector<std::pair<std::string, std::string>> asked;
        form.AskNumber = [&](const std::string& caption, const std::string& initial) {
            asked.emplace_back(caption, initial);
            return answer;
        };
        const bool bottom = axis == Qt::Horizontal;
        Trigger(form, bottom ? "XIncItem" : "YIncItem");
        const auto expectedAsk =
            bottom ? std::make_pair(std::string("Шаг по оси абсцисс"), std::string("0.1"))
                   : std::make_pair(std::string("Шаг по оси ординат"), std::string("0"));
        QCOMPARE(asked, (std::vector<std::pair<std::string, std::string>>{expectedAsk}));
        QCOMPARE((bottom ? form.AxisX : form.AxisY)->tickInterval(), interval);
        QCOMPARE(host.MessageTexts(), warning.isEmpty()
                                          ? std::vector<std::string>()
                                          : std::vector<std::string>{warning.toStdString()});
        if (answer && *answer >= 0)
            QCOMPARE(bottom ? form.XIncrement() : form.YIncrement(), *answer);
    }

    // The labels stand on multiples of the step, zero as a plain "0".
    void LabelsShowTheStep() {
        TGraphForm form;
        form.SetData({{-1, 0}, {1, 2}}, {}, QStringLiteral("x"), QStringLiteral("y"));
        form.AskNumber = [](const std::string&, const std::string&) {
            return std::optional<double>(0.5);
        };
        Trigger(form, "XIncItem");
        QCOMPARE(form.LabelTexts(Qt::Horizontal),
                 (QStringList{"-1"_L1, "-0.5"_L1, "0"_L1, "0.5"_L1, "1"_L1}));
        QCOMPARE(form.AxisX->tickAnchor(), -1.0);
    }

    // A step far too small for the span is taken as a wish: the labels are
    // spread out and the chart is still drawn.
    void TinyLabelStepStillDraws() {
        TGraphForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.SetData(Curve(), {}, QStringLiteral("x"), QStringLiteral("y"));
        form.AskNumber = [](const std::string&, const std::string&) {
            return std::optional<double>(1e-9);
        };
        Trigger(form, "XIncItem");
        QCOMPARE(form.XIncrement(), 1e-9);
        QVERIFY(form.AxisX->tickInterval() >= 2.0 / 50);
        QVERIFY(!form.View->grab().isNull());
    }

    void ExportWritesThePicture_data() {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("signature");
        QTest::newRow("SVG") << 0 << "chart"
                             << "chart.svg" << QByteArray("<svg");
        QTest::newRow("PNG") << 1 << "chart"
                             << "chart.png" << QByteArray("\x89PNG\r\n\x1a\n");
        QTest::newRow("PDF") << 2 << "chart"
                             << "chart.pdf" << QByteArray("%PDF");
        QTest::newRow("trimmed, own extension") << 0 << " chart.SVG "
                                                << "chart.SVG" << QByteArray("<svg");
    }

    void ExportWritesThePicture() {
        QFETCH(int, filter);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QFETCH(QByteArray, signature);
        test::TTempFolder folder("orvan-chart");
        test::TScriptedHost host;
        TMessageHostScope scope(host);
        TGraphForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.SetData(Curve(), {{-1, 2}, {1, 4}}, QStringLiteral("Температура"),
                     QStringLiteral("Отклик системы"));
        form.AskExportFile = [&] {
            return std::make_optional(std::make_pair(folder.File(typed.toStdString()), filter));
        };
        Trigger(form, "TeeExportItem");
        const std::string path = folder.File(written.toStdString());
        QCOMPARE(form.ExportFileName(), path);
        const std::string bytes = ReadAll(path);
        QVERIFY2(bytes.find(signature.toStdString()) != std::string::npos, path.c_str());
        if (filter == 0) {
            QVERIFY(bytes.find("Отклик системы") != std::string::npos);
            QVERIFY(bytes.find("Температура") != std::string::npos);
        }
        QVERIFY(host.Messages.empty());
        QCOMPARE(form.Chart->backgroundBrush().color(), QColor(192, 192, 192));
    }

    void FailedExportKeepsTheOldFile() {
        test::TTempFolder folder("orvan-chart");
        test::TScriptedHost host;
        TMessageHostScope scope(host);
        TGraphForm form;
        form.SetData(Curve(), {}, QStringLiteral("x"), QStringLiteral("y"));
        const std::string missing = folder.File("нет такой папки/chart.svg");
        QVERIFY(!form.ExportChart(missing, TChartFormat::Svg));
        QVERIFY(!std::filesystem::exists(missing));
        // A name so long that no temporary file fits beside it: the old
        // picture under that name stays as it was.
        const std::string old = folder.File(std::string(250, 'g') + ".png");
        WriteAll(old, "old picture");
        QVERIFY(!form.ExportChart(old, TChartFormat::Png));
        QCOMPARE(ReadAll(old), std::string("old picture"));
        QCOMPARE(host.MessageTexts(),
                 (std::vector<std::string>{"Ошибка создания файла \"" + missing + "\". Извините.",
                                           "Ошибка создания файла \"" + old + "\". Извините."}));
        QCOMPARE(host.Messages.front().Kind, TMessageKind::Error);
    }

    void CancelledExportWritesNothing() {
        TGraphForm form;
        form.AskExportFile = [] { return std::optional<std::pair<std::string, int>>(); };
        Trigger(form, "TeeExportItem");
        QVERIFY(form.ExportFileName().empty());
    }

    void CopiesUseTheCopyBackground_data() {
        QTest::addColumn<QString>("item");
        QTest::newRow("Как растр") << "BitmapItem";
        QTest::newRow("Как метафайл") << "MetafileItem";
    }

    void CopiesUseTheCopyBackground() {
        QFETCH(QString, item);
        Settings().SCopyColor = Rgb(255, 255, 0);
        TGraphForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.SetData(Curve(), {}, QStringLiteral("Фактор"), QStringLiteral("Отклик"));
        QGuiApplication::clipboard()->clear();
        Trigger(form, item.toUtf8().constData());
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data && data->hasImage());
        const QImage image = qvariant_cast<QImage>(data->imageData());
        QCOMPARE(image.size(), form.View->size());
        QCOMPARE(image.pixelColor(1, 1), QColor(255, 255, 0));
        QCOMPARE(image.pixelColor(image.width() - 2, image.height() - 2), QColor(255, 255, 0));
        if (item == QStringLiteral("MetafileItem")) {
            const QByteArray svg = data->data(QStringLiteral("image/svg+xml"));
            QVERIFY(svg.contains("<svg"));
            QVERIFY(svg.contains(QStringLiteral("Отклик").toUtf8()));
        }
        QCOMPARE(form.Chart->backgroundBrush().color(), QColor(192, 192, 192));
        QVERIFY(form.Chart->animationOptions() != QChart::NoAnimation);
        QCOMPARE(form.View->grab().toImage().pixelColor(1, 1), QColor(192, 192, 192));
    }

    void FormatOpensTheOptions() {
        TGraphForm form;
        int opened = 0;
        form.OnFormat = [&] { ++opened; };
        Trigger(form, "TeeFormatItem");
        QCOMPARE(opened, 1);
    }
};

QTEST_MAIN(TGraphFormTest)
#include "GraphFormTest.moc"
