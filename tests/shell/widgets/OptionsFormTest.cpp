// The options dialog against the stored settings record: every control
// shows its option, "Ok" stores exactly what the controls say, "Отмена"
// nothing, and the rules that tie controls together.
#include "shell/OptionsForm.h"
#include "numeric/Cp1251.h"
#include "numeric/MessageHost.h"
#include "numeric/NumberText.h"
#include "plan/Settings.h"
#include "services/SettingsFile.h"
#include "shell/ColorSwatch.h"
#include "shell/OptionsPages.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QtTest>

#include <cstring>
#include <memory>

using namespace orvanta;

namespace {

// The options of the record that are check boxes of the dialog: object name,
// offset in the stored record, caption.
struct TFlagRow {
    const char* Name;
    std::size_t Offset;
    const char* Caption;
};

const TFlagRow FlagRows[] = {
    {"CBAskIfReportChanged", 25, "Уведомлять об изменении отчета при закрытии"},
    {"CBShowHideList", 26, "Список развернутых окон при сворачивании"},
    {"CBShowShowList", 27, "Список свернутых окон при разворачивании"},
    {"CBShowArrangeList", 28, "Список развернутых окон при расположении"},
    {"CBShowHints", 29, "Всплывающие подсказки к кнопкам"},
    {"CBCohrenResultsShow", 30, "Результаты анализа однородности"},
    {"CBCohrenActivateReport", 31, "Сразу показать отчет"},
    {"CBStudentResultsShow", 32, "Результаты регрессионного анализа"},
    {"CBStudentActivateReport", 33, "Сразу показать отчет"},
    {"CBFisherResultsShow", 34, "Результаты анализа адекватности"},
    {"CBFisherActivateReport", 35, "Сразу показать отчет"},
    {"CBExportAllCoords", 36, "Записывать все координаты при экспорте данных для графиков"},
    {"CBAlsoCreateY", 37,
     "Показывать диалог создания матрицы откликов при создании или открытии плана"},
    {"CBCPForSaturated", 38,
     "Показывать диалог определения контрольной точки при создании насыщенных планов"},
    {"CBUseDivider", 40, "Разделитель"},
    {"CBTimeDate", 297, "Дату и время"},
    {"CBDegree", 298, "Число факторов"},
    {"CBpType", 299, "Тип плана"},
    {"CBN", 300, "Число опытов"},
    {"CBModelType", 301, "Тип модели"},
    {"CBMainMatrix", 302, "Спектр плана"},
    {"CBNaturalMatrix", 303, "Матрицу плана"},
    {"CBMLVector", 304, "Основные уровни"},
    {"CBDFVector", 305, "Интервалы варьирования"},
    {"CBExpandedMatrix", 306, "Расширенную матрицу"},
    {"CBMMatrix", 307, "Матрицу моментов"},
    {"CBCMatrix", 308, "Ковариационную матрицу"},
    {"CBR", 309, "Число повторений"},
    {"CBYMatrix", 310, "Наблюдения"},
    {"CBAVector", 311, "Средние наблюдения"},
    {"CBDVector", 312, "Дисперсии наблюдений"},
    {"CBSVector", 313, "Ошибки наблюдений"},
    {"CBDV", 314, "Дисперсию воспроизводимости"},
    {"CBDmax", 315, "Максимальную из дисперсий"},
    {"CBActualBSize", 316, "Число значимых среди них"},
    {"CBBVector", 317, "Коэффициенты модели"},
    {"CBDad", 318, "Дисперсию адекватности"},
    {"CBCohrenAnalysis", 319, "Результаты анализа однородности дисперсий"},
    {"CBFisherAnalysis", 320, "Результаты анализа адекватности модели"},
    {"CBMainPoint", 321, "Последний найденный экстремум"},
    {"CBMarkEndOfReport", 322, "Отмечать конец отчета"},
    {"CBPoints2D", 660, "Экспериментальные точки"},
    {"CBNaturalX", 668, "Метки на осях в натуральных координатах"},
    {"CBGridVisible", 669, "Сетка"},
    {"CBShowLog", 680, "Окно состояния"},
    {"CBDescribePFDs", 681, "Форматы пиксела"},
    {"CBDrawLines", 682, "Сетка"},
    {"CBBlendSurface", 683, "Прозрачность"},
    {"CBDrawBBox", 684, "Обрамление"},
    {"CBShowFPS", 685, "Частота обновления"},
    {"CBDrawBasis", 686, "Орты"},
    {"CBNaturalXY", 692, "Метки на осях в натуральных координатах"},
    {"CBUseVR", 693, "Перемещать камеру"},
    {"CBPoints3D", 716, "Экспериментальные точки"},
};

const TFlagRow ColorRows[] = {
    {"SColor", 648, "Фон"},
    {"SCopyColor", 652, "Фон при копировании"},
    {"SSeriesColor", 656, "Цвет линии"},
    {"SAxisColor", 664, "Цвет осей"},
    {"SGridColor", 672, "Цвет сетки"},
    {"SBackColor", 696, "Фон"},
    {"SXWallColor", 700, "Первая ось"},
    {"SYWallColor", 704, "Вторая ось (верх)"},
    {"SZWallColor", 708, "Третья ось"},
    {"SBBoxColor", 712, "Обрамление"},
    {"SSurfColor1", 720, "Поверхность"},
    {"SSurfColor2", 724, "Поверхность (второй)"},
    {"SLineColor", 728, "Сетка"},
};

constexpr std::size_t DividerAt = 41, TitleAt = 392, GridStyleAt = 676, MassAt = 688,
                      SchemeAt = 717;

bool IsReportItem(const TFlagRow& row) {
    return row.Offset == 40 || (row.Offset >= 297 && row.Offset <= 322);
}

std::uint32_t Read32(const TSettingsRecord& record, std::size_t at) {
    return record[at] | record[at + 1] << 8 | record[at + 2] << 16 |
           static_cast<std::uint32_t>(record[at + 3]) << 24;
}

void Write32(TSettingsRecord& record, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        record[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
}

void WriteText(TSettingsRecord& record, std::size_t at, const std::string& utf8) {
    std::memset(&record[at], 0, 256);
    const std::string bytes = Utf8ToCp1251(utf8);
    std::memcpy(&record[at], bytes.data(), bytes.size());
}

QString ReadText(const TSettingsRecord& record, std::size_t at) {
    return QString::fromStdString(Cp1251ToUtf8(reinterpret_cast<const char*>(&record[at])));
}

// Every option of the dialog away from its default, a system colour among
// the colours.
TSettingsRecord EveryOptionChanged() {
    TSettingsRecord record = EncodeSettings(TSettings());
    for (const TFlagRow& row : FlagRows)
        record[row.Offset] ^= 1;
    std::uint32_t colour = 0x00102030;
    for (const TFlagRow& row : ColorRows)
        Write32(record, row.Offset, colour += 0x00010101);
    Write32(record, 696, 0x8000000F);
    WriteText(record, DividerAt, "-- раздел --");
    WriteText(record, TitleAt, "Выход продукта по температуре");
    record[GridStyleAt] = 4;
    Write32(record, MassAt, 73);
    record[SchemeAt] = 1;
    return record;
}

class TRecordingHost : public TMessageHost {
public:
    QStringList Infos;
    QStringList Warnings;
    // Whether the record still held its old options when each message came.
    std::vector<bool> RecordUnchanged;
    TSettingsRecord Before{};

    void ShowMessage(TMessageKind kind, const std::string& text) override {
        if (kind == TMessageKind::Info)
            Infos << QString::fromStdString(text);
        if (kind == TMessageKind::Warning)
            Warnings << QString::fromStdString(text);
        RecordUnchanged.push_back(EncodeSettings(Settings()) == Before);
    }
    TAnswer AskYesNo(const std::string&) override { return TAnswer::No; }
    TAnswer AskYesNoCancel(const std::string&) override { return TAnswer::Cancel; }
    std::optional<std::string> InputString(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<double> InputReal(const std::string&, const std::string&) override {
        return std::nullopt;
    }
};

const QString DiagramMessage =
    QStringLiteral("Изменения формата вступят в силу при следующем построении графика.");
const QString SurfaceMessage =
    QStringLiteral("Изменения формата меток вступят в силу при следующем построении поверхности.");

} // namespace

class TOptionsFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TOptionsForm> Form;
    TRecordingHost Host;
    std::unique_ptr<TMessageHostScope> Scope;
    int AcceptedCount = 0;

    QCheckBox* Box(const char* name) const {
        auto* box = Form->findChild<QCheckBox*>(QString::fromLatin1(name));
        if (!box)
            qFatal("no check box %s", name);
        return box;
    }
    TColorSwatch* Swatch(const char* name) const {
        return Form->findChild<TColorSwatch*>(QString::fromLatin1(name));
    }
    void UseRecord(const TSettingsRecord& record) {
        DecodeSettings(record.data(), Settings());
        Host.Before = EncodeSettings(Settings());
    }

private slots:
    void init() {
        Settings().SetDefaults();
        Host = TRecordingHost();
        Host.Before = EncodeSettings(Settings());
        Scope = std::make_unique<TMessageHostScope>(Host);
        AcceptedCount = 0;
        Form = std::make_unique<TOptionsForm>();
        Form->OnAccepted = [this] { ++AcceptedCount; };
    }

    void cleanup() {
        Form.reset();
        Scope.reset();
    }

    void ControlsCarryTheirNamesAndCaptions() {
        QCOMPARE(Form->objectName(), QStringLiteral("OptionsForm"));
        QCOMPARE(Form->windowTitle(), QStringLiteral("Параметры"));
        const QStringList tabs{QStringLiteral("Общие"), QStringLiteral("Отчет"),
                               QStringLiteral("График"), QStringLiteral("Диаграмма"),
                               QStringLiteral("Статистика")};
        QCOMPARE(Form->Pages->count(), tabs.size());
        for (int i = 0; i < tabs.size(); ++i)
            QCOMPARE(Form->Pages->tabText(i), tabs[i]);
        QCOMPARE(Form->OkButton->text(), QStringLiteral("Ok"));
        QCOMPARE(Form->CancelButton->text(), QStringLiteral("Отмена"));
        for (const TFlagRow& row : FlagRows)
            QCOMPARE(Box(row.Name)->text(), QString::fromUtf8(row.Caption));
        for (const TFlagRow& row : ColorRows)
            QCOMPARE(Swatch(row.Name)->text(), QString::fromUtf8(row.Caption));
        QCOMPARE(Form->Pages->CBGridStyle->count(), 5);
        QCOMPARE(Form->Pages->CBGridStyle->itemText(3), QStringLiteral("Штрихпунктирная линия"));
        QCOMPARE(Form->Pages->TBMass->minimum(), 1);
        QCOMPARE(Form->Pages->TBMass->maximum(), 100);
    }

    void ShowSetsEveryControlAndOkKeepsTheRecord_data() {
        QTest::addColumn<bool>("changed");
        QTest::newRow("defaults") << false;
        QTest::newRow("every option changed") << true;
    }

    void ShowSetsEveryControlAndOkKeepsTheRecord() {
        QFETCH(bool, changed);
        const TSettingsRecord record = changed ? EveryOptionChanged() : EncodeSettings(TSettings());
        UseRecord(record);
        Form->show();
        for (const TFlagRow& row : FlagRows)
            QVERIFY2(Box(row.Name)->isChecked() == (record[row.Offset] != 0), row.Name);
        for (const TFlagRow& row : ColorRows)
            QVERIFY2(Swatch(row.Name)->ColorValue() == Read32(record, row.Offset), row.Name);
        QCOMPARE(Form->Pages->ELegend->text(), ReadText(record, TitleAt));
        QCOMPARE(Form->Pages->EDividerString->text(),
                 record[40] ? ReadText(record, DividerAt) : QString());
        QCOMPARE(Form->Pages->CBGridStyle->currentIndex(), int(record[GridStyleAt]));
        QCOMPARE(Form->Pages->TBMass->value(), int(Read32(record, MassAt)));
        QCOMPARE(Form->Pages->LBSurfScheme->currentRow(), changed ? 2 : 1);

        Form->OkButton->click();
        QVERIFY(!Form->isVisible());
        QCOMPARE(AcceptedCount, 1);
        QVERIFY(EncodeSettings(Settings()) == record);
        QCOMPARE(Host.Infos, QStringList());
    }

    void CancelStoresNothingAndTheNextShowReloads() {
        Form->show();
        Box("CBShowHints")->click();
        Box("CBNaturalX")->click();
        Form->Pages->ELegend->setText(QStringLiteral("Другое название"));
        Form->Pages->TBMass->setValue(90);
        Form->Pages->LBSurfScheme->setCurrentRow(0);
        Swatch("SColor")->ColorDialog = [](const QColor&, QWidget*) { return QColor(1, 2, 3); };
        Swatch("SColor")->click();
        QCOMPARE(Swatch("SColor")->ColorValue(), TColorValue(0x030201));
        Form->CancelButton->click();
        QVERIFY(!Form->isVisible());
        QCOMPARE(AcceptedCount, 0);
        QVERIFY(EncodeSettings(Settings()) == Host.Before);
        QCOMPARE(Host.Infos, QStringList());

        Form->show();
        QVERIFY(Box("CBShowHints")->isChecked());
        QVERIFY(Box("CBNaturalX")->isChecked());
        QCOMPARE(Form->Pages->ELegend->text(), QString::fromStdString(TSettings().ELegend));
        QCOMPARE(Form->Pages->TBMass->value(), 25);
        QCOMPARE(Form->Pages->LBSurfScheme->currentRow(), 1);
        QCOMPARE(Swatch("SColor")->ColorValue(), TColorValue(0x00C0C0C0));
    }

    void ReportBoxFollowsItsResultsBoxAtOnce_data() {
        QTest::addColumn<QString>("results");
        QTest::addColumn<QString>("report");
        QTest::newRow("Cochran") << "CBCohrenResultsShow"
                                 << "CBCohrenActivateReport";
        QTest::newRow("Student") << "CBStudentResultsShow"
                                 << "CBStudentActivateReport";
        QTest::newRow("Fisher") << "CBFisherResultsShow"
                                << "CBFisherActivateReport";
    }

    void ReportBoxFollowsItsResultsBoxAtOnce() {
        QFETCH(QString, results);
        QFETCH(QString, report);
        Settings().CBCohrenResultsShow = false;
        Settings().CBStudentResultsShow = false;
        Settings().CBFisherResultsShow = false;
        Form->show();
        auto* shown = Form->findChild<QCheckBox*>(results);
        auto* partner = Form->findChild<QCheckBox*>(report);
        QVERIFY(!partner->isEnabled());
        shown->click();
        QVERIFY(partner->isEnabled());
        shown->click();
        QVERIFY(!partner->isEnabled());
        // The partner keeps its tick while it is disabled.
        QCOMPARE(partner->isChecked(), report == QStringLiteral("CBFisherActivateReport"));
    }

    void DividerFieldFollowsItsBox_data() {
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("on");
        QTest::newRow("shown on") << true << "" << true;
        QTest::newRow("shown off") << false << "" << false;
        QTest::newRow("unchecked") << true << "click" << false;
        QTest::newRow("checked") << false << "click" << true;
        QTest::newRow("select all") << false << "select all" << true;
        QTest::newRow("invert on") << true << "invert" << false;
        QTest::newRow("invert off") << false << "invert" << true;
    }

    void DividerFieldFollowsItsBox() {
        QFETCH(bool, stored);
        QFETCH(QString, action);
        QFETCH(bool, on);
        Settings().CBUseDivider = stored;
        Settings().EDividerString = "~~~ раздел ~~~";
        Form->show();
        if (action == QStringLiteral("click"))
            Box("CBUseDivider")->click();
        else if (action == QStringLiteral("select all"))
            Form->Pages->SelectAllButton->click();
        else if (action == QStringLiteral("invert"))
            Form->Pages->InvertButton->click();
        QLineEdit* field = Form->Pages->EDividerString;
        QCOMPARE(field->isReadOnly(), !on);
        const QPalette app = QApplication::palette();
        QVERIFY(app.color(QPalette::Base) != app.color(QPalette::Button));
        QCOMPARE(field->palette().color(QPalette::Base),
                 app.color(on ? QPalette::Base : QPalette::Button));
        QCOMPARE(field->text(), on ? QStringLiteral("~~~ раздел ~~~") : QString());
        Form->OkButton->click();
        QCOMPARE(Settings().CBUseDivider, on);
        QCOMPARE(Settings().EDividerString, std::string("~~~ раздел ~~~"));
    }

    void SelectAllAndInvertCoverTheReportItemsOnly() {
        Form->show();
        QCOMPARE(Form->Pages->ReportItems.size(), std::size_t(32));
        const TSettingsRecord defaults = EncodeSettings(TSettings());
        Form->Pages->InvertButton->click();
        for (const TFlagRow& row : FlagRows)
            QVERIFY2(Box(row.Name)->isChecked() ==
                         ((defaults[row.Offset] != 0) != IsReportItem(row)),
                     row.Name);
        Form->Pages->SelectAllButton->click();
        for (const TFlagRow& row : FlagRows)
            if (IsReportItem(row))
                QVERIFY2(Box(row.Name)->isChecked(), row.Name);
        Form->Pages->InvertButton->click();
        for (const TFlagRow& row : FlagRows)
            QVERIFY2(Box(row.Name)->isChecked() == (!IsReportItem(row) && defaults[row.Offset]),
                     row.Name);
    }

    void ChangesForTheNextDrawingAreToldOnce_data() {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("nothing") << QStringList() << QStringList();
        QTest::newRow("diagram points")
            << QStringList{QStringLiteral("CBPoints2D")} << QStringList{DiagramMessage};
        QTest::newRow("diagram labels")
            << QStringList{QStringLiteral("CBNaturalX")} << QStringList{DiagramMessage};
        QTest::newRow("both diagram boxes")
            << QStringList{QStringLiteral("CBNaturalX"), QStringLiteral("CBPoints2D")}
            << QStringList{DiagramMessage};
        QTest::newRow("surface labels")
            << QStringList{QStringLiteral("CBNaturalXY")} << QStringList{SurfaceMessage};
        QTest::newRow("diagram and surface")
            << QStringList{QStringLiteral("CBPoints2D"), QStringLiteral("CBNaturalXY")}
            << QStringList{DiagramMessage, SurfaceMessage};
        QTest::newRow("surface points")
            << QStringList{QStringLiteral("CBPoints3D")} << QStringList();
        QTest::newRow("changed back")
            << QStringList{QStringLiteral("CBPoints2D"), QStringLiteral("CBPoints2D")}
            << QStringList();
    }

    void ChangesForTheNextDrawingAreToldOnce() {
        QFETCH(QStringList, clicks);
        QFETCH(QStringList, messages);
        Form->show();
        for (const QString& name : clicks)
            Form->findChild<QCheckBox*>(name)->click();
        Form->OkButton->click();
        QCOMPARE(Host.Infos, messages);
        // Told before the new options are stored.
        for (bool unchanged : Host.RecordUnchanged)
            QVERIFY(unchanged);
        QCOMPARE(Settings().CBPoints2D, clicks.count(QStringLiteral("CBPoints2D")) % 2 == 1);
        QCOMPARE(AcceptedCount, 1);
    }

    void TextsAreCutTo255Characters_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("stored");
        QTest::newRow("254") << 254 << 254;
        QTest::newRow("255") << 255 << 255;
        QTest::newRow("256") << 256 << 255;
        QTest::newRow("400") << 400 << 255;
    }

    void TextsAreCutTo255Characters() {
        QFETCH(int, length);
        QFETCH(int, stored);
        Form->show();
        QString text;
        for (int i = 0; i < length; ++i)
            text += i % 2 ? QStringLiteral("ж") : QStringLiteral("1");
        Form->Pages->ELegend->setText(text);
        Form->Pages->EDividerString->setText(text);
        Form->OkButton->click();
        QCOMPARE(QString::fromStdString(Settings().ELegend), text.left(stored));
        QCOMPARE(QString::fromStdString(Settings().EDividerString), text.left(stored));
        // The stored file holds all of it.
        const TSettingsRecord record = EncodeSettings(Settings());
        QCOMPARE(ReadText(record, TitleAt), text.left(stored));
        QCOMPARE(ReadText(record, DividerAt), text.left(stored));
    }

    void SurfaceColouringListMatchesStoredValues_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("item");
        QTest::newRow("one colour") << 0 << 0 << "Один цвет";
        QTest::newRow("random") << 1 << 2 << "Случайная закраска";
        QTest::newRow("two colours") << 2 << 1 << "Два цвета (первый - минимальное значение)";
    }

    void SurfaceColouringListMatchesStoredValues() {
        QFETCH(int, value);
        QFETCH(int, row);
        QFETCH(QString, item);
        Settings().LBSurfScheme = static_cast<std::uint8_t>(value);
        Form->show();
        QListWidget* list = Form->Pages->LBSurfScheme;
        QCOMPARE(list->currentRow(), row);
        QCOMPARE(list->currentItem()->text(), item);
        Form->CancelButton->click();

        Settings().LBSurfScheme = value == 0 ? 2 : 0;
        Form->show();
        list->setCurrentRow(row);
        Form->OkButton->click();
        QCOMPARE(int(Settings().LBSurfScheme), value);
    }

    void SwatchShowsStoredColours_data() {
        QTest::addColumn<uint>("value");
        QTest::addColumn<QColor>("color");
        const QPalette app = QApplication::palette();
        QTest::newRow("yellow") << 0x0000FFFFu << QColor(255, 255, 0);
        QTest::newRow("RGB 255, 115, 0") << 0x000073FFu << QColor(255, 115, 0);
        QTest::newRow("window") << 0x80000005u << app.color(QPalette::Base);
        QTest::newRow("window text") << 0x80000008u << app.color(QPalette::Text);
        QTest::newRow("button face") << 0x8000000Fu << app.color(QPalette::Button);
        QTest::newRow("highlight") << 0x8000000Du << app.color(QPalette::Highlight);
    }

    void SwatchShowsStoredColours() {
        QFETCH(uint, value);
        QFETCH(QColor, color);
        TColorSwatch swatch(QStringLiteral("Фон"));
        swatch.SetColorValue(value);
        QCOMPARE(swatch.Color(), color);

        // The colour dialog starts from the colour shown; cancelling it
        // keeps the stored value, confirming stores plain RGB.
        QList<QColor> offered;
        std::optional<QColor> answer;
        swatch.ColorDialog = [&](const QColor& initial, QWidget*) {
            offered << initial;
            return answer;
        };
        swatch.click();
        QCOMPARE(swatch.ColorValue(), TColorValue(value));
        answer = QColor(0x12, 0x34, 0x56);
        swatch.click();
        QCOMPARE(offered, (QList<QColor>{color, color}));
        QCOMPARE(swatch.ColorValue(), TColorValue(0x563412));
    }

    // "Статистика": the page shows the stored options; "Ok" refuses a level
    // that is not a number between 0 and 1 and keeps the dialog open, then
    // stores the page.
    void StatisticsPageStoresItsOptionsAndChecksTheLevel() {
        Settings().StatisticsPureError = false;
        Settings().QuantileAlpha = 0.01;
        Form->show();
        QVERIFY(Form->Pages->RBResidual->isChecked());
        QCOMPARE(Form->Pages->EAlpha->currentText(),
                 QString::fromStdString(FormatGeneral(0.01, 15)));
        QVERIFY(!Box("CBExactQuantiles")->isChecked());
        const struct {
            std::string Text;
            const char* Warning;
        } refused[] = {
            {"abc", "Поле \"Уровень значимости\" должно содержать действительное число."},
            {FormatGeneral(1.5, 15), "Уровень значимости должен быть больше 0 и меньше 1."},
            {"0", "Уровень значимости должен быть больше 0 и меньше 1."},
        };
        Form->Pages->RBPureError->click();
        Box("CBExactQuantiles")->click();
        for (const auto& r : refused) {
            Host.Warnings.clear();
            Form->Pages->EAlpha->setEditText(QString::fromStdString(r.Text));
            Form->OkButton->click();
            QCOMPARE(Host.Warnings, QStringList{QString::fromUtf8(r.Warning)});
            QVERIFY(Form->isVisible());
            QCOMPARE(Form->Pages->currentWidget()->objectName(), QStringLiteral("StatisticsPage"));
            QVERIFY(!Settings().StatisticsPureError);
        }
        Form->Pages->EAlpha->setEditText(QString::fromStdString(FormatGeneral(0.1, 15)));
        Form->OkButton->click();
        QVERIFY(!Form->isVisible());
        QVERIFY(Settings().StatisticsPureError);
        QCOMPARE(Settings().QuantileAlpha, 0.1);
        QVERIFY(Settings().ExactQuantiles);
    }

    void ChosenColourReachesTheRecord() {
        Form->show();
        for (const char* name : {"SGridColor", "SSurfColor2"}) {
            Swatch(name)->ColorDialog = [](const QColor&, QWidget*) { return QColor(10, 20, 30); };
            Swatch(name)->click();
        }
        Form->OkButton->click();
        QCOMPARE(Settings().SGridColor, Rgb(10, 20, 30));
        QCOMPARE(Settings().SSurfColor2, Rgb(10, 20, 30));
        QCOMPARE(Settings().SColor, TColorValue(0x00C0C0C0));
    }
};

QTEST_MAIN(TOptionsFormTest)
#include "OptionsFormTest.moc"
