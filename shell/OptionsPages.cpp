#include "shell/OptionsPages.h"

#include "numeric/FieldChecks.h"
#include "numeric/Messages.h"
#include "numeric/NumberText.h"
#include "shell/ColorSwatch.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace orvanta {

namespace {

using S = TSettings;

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The stored texts are single-byte: one character is one byte there, so a
// text is cut by characters, not by UTF-16 units.
std::string CutText(const QString& text, int length) {
    QList<uint> characters = text.toUcs4();
    if (characters.size() > length)
        characters.resize(length);
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.constData()),
                             characters.size())
        .toStdString();
}

QGroupBox* Group(QWidget* page, const char* title, QLayout* content) {
    auto* box = new QGroupBox(Text(title), page);
    box->setLayout(content);
    return box;
}

QLabel* Label(QWidget* page, const char* text, QWidget* buddy) {
    auto* label = new QLabel(Text(text), page);
    label->setBuddy(buddy);
    return label;
}

const TOptionsPages::TFlagInfo WindowListFlags[] = {
    {"CBShowHideList", "Список развернутых окон при сворачивании", &S::CBShowHideList},
    {"CBShowShowList", "Список свернутых окон при разворачивании", &S::CBShowShowList},
    {"CBShowArrangeList", "Список развернутых окон при расположении", &S::CBShowArrangeList},
};

const TOptionsPages::TFlagInfo ResultFlags[3][2] = {
    {{"CBCohrenResultsShow", "Результаты анализа однородности", &S::CBCohrenResultsShow},
     {"CBCohrenActivateReport", "Сразу показать отчет", &S::CBCohrenActivateReport}},
    {{"CBStudentResultsShow", "Результаты регрессионного анализа", &S::CBStudentResultsShow},
     {"CBStudentActivateReport", "Сразу показать отчет", &S::CBStudentActivateReport}},
    {{"CBFisherResultsShow", "Результаты анализа адекватности", &S::CBFisherResultsShow},
     {"CBFisherActivateReport", "Сразу показать отчет", &S::CBFisherActivateReport}},
};

const TOptionsPages::TFlagInfo GeneralFlags[] = {
    {"CBShowHints", "Всплывающие подсказки к кнопкам", &S::CBShowHints},
    {"CBExportAllCoords", "Записывать все координаты при экспорте данных для графиков",
     &S::CBExportAllCoords},
    {"CBAlsoCreateY", "Показывать диалог создания матрицы откликов при создании или открытии плана",
     &S::CBAlsoCreateY},
    {"CBCPForSaturated",
     "Показывать диалог определения контрольной точки при создании насыщенных планов",
     &S::CBCPForSaturated},
    {"CBAskIfReportChanged", "Уведомлять об изменении отчета при закрытии",
     &S::CBAskIfReportChanged},
};

const TOptionsPages::TFlagInfo ReportFlags[] = {
    {"CBTimeDate", "Дату и время", &S::CBTimeDate},
    {"CBDegree", "Число факторов", &S::CBDegree},
    {"CBpType", "Тип плана", &S::CBpType},
    {"CBN", "Число опытов", &S::CBN},
    {"CBModelType", "Тип модели", &S::CBModelType},
    {"CBMainMatrix", "Спектр плана", &S::CBMainMatrix},
    {"CBMLVector", "Основные уровни", &S::CBMLVector},
    {"CBDFVector", "Интервалы варьирования", &S::CBDFVector},
    {"CBNaturalMatrix", "Матрицу плана", &S::CBNaturalMatrix},
    {"CBExpandedMatrix", "Расширенную матрицу", &S::CBExpandedMatrix},
    {"CBMMatrix", "Матрицу моментов", &S::CBMMatrix},
    {"CBCMatrix", "Ковариационную матрицу", &S::CBCMatrix},
    {"CBR", "Число повторений", &S::CBR},
    {"CBYMatrix", "Наблюдения", &S::CBYMatrix},
    {"CBAVector", "Средние наблюдения", &S::CBAVector},
    {"CBDVector", "Дисперсии наблюдений", &S::CBDVector},
    {"CBSVector", "Ошибки наблюдений", &S::CBSVector},
    {"CBDV", "Дисперсию воспроизводимости", &S::CBDV},
    {"CBDmax", "Максимальную из дисперсий", &S::CBDmax},
    {"CBActualBSize", "Число значимых среди них", &S::CBActualBSize},
    {"CBBVector", "Коэффициенты модели", &S::CBBVector},
    {"CBDad", "Дисперсию адекватности", &S::CBDad},
    {"CBCohrenAnalysis", "Результаты анализа однородности дисперсий", &S::CBCohrenAnalysis},
    {"CBFisherAnalysis", "Результаты анализа адекватности модели", &S::CBFisherAnalysis},
    {"CBMainPoint", "Последний найденный экстремум", &S::CBMainPoint},
    {"CBAnovaSection", "Дисперсионный анализ", &S::CBAnovaSection},
    {"CBFitSection", "Показатели качества модели", &S::CBFitSection},
    {"CBIntervalsSection", "Доверительные интервалы коэффициентов", &S::CBIntervalsSection},
    {"CBCanonicalSection", "Каноническое преобразование", &S::CBCanonicalSection},
    {"CBDiagnosticsSection", "Диагностика наблюдений", &S::CBDiagnosticsSection},
    {"CBMarkEndOfReport", "Отмечать конец отчета", &S::CBMarkEndOfReport},
};

const TOptionsPages::TColorInfo DiagramColors[] = {
    {"SColor", "Фон", &S::SColor},
    {"SCopyColor", "Фон при копировании", &S::SCopyColor},
    {"SSeriesColor", "Цвет линии", &S::SSeriesColor},
    {"SAxisColor", "Цвет осей", &S::SAxisColor},
    {"SGridColor", "Цвет сетки", &S::SGridColor},
};

const TOptionsPages::TFlagInfo DiagramFlags[] = {
    {"CBPoints2D", "Экспериментальные точки", &S::CBPoints2D},
    {"CBNaturalX", "Метки на осях в натуральных координатах", &S::CBNaturalX},
    {"CBGridVisible", "Сетка", &S::CBGridVisible},
};

const TOptionsPages::TFlagInfo SurfaceFlags[] = {
    {"CBShowLog", "Окно состояния", &S::CBShowLog},
    {"CBDescribePFDs", "Форматы пиксела", &S::CBDescribePFDs},
    {"CBDrawLines", "Сетка", &S::CBDrawLines},
    {"CBBlendSurface", "Прозрачность", &S::CBBlendSurface},
    {"CBDrawBBox", "Обрамление", &S::CBDrawBBox},
    {"CBShowFPS", "Частота обновления", &S::CBShowFPS},
    {"CBDrawBasis", "Орты", &S::CBDrawBasis},
    {"CBNaturalXY", "Метки на осях в натуральных координатах", &S::CBNaturalXY},
    {"CBUseVR", "Перемещать камеру", &S::CBUseVR},
    {"CBPoints3D", "Экспериментальные точки", &S::CBPoints3D},
};

const TOptionsPages::TColorInfo SurfaceColors[] = {
    {"SBackColor", "Фон", &S::SBackColor},
    {"SXWallColor", "Первая ось", &S::SXWallColor},
    {"SYWallColor", "Вторая ось (верх)", &S::SYWallColor},
    {"SZWallColor", "Третья ось", &S::SZWallColor},
    {"SBBoxColor", "Обрамление", &S::SBBoxColor},
    {"SSurfColor1", "Поверхность", &S::SSurfColor1},
    {"SSurfColor2", "Поверхность (второй)", &S::SSurfColor2},
    {"SLineColor", "Сетка", &S::SLineColor},
};

} // namespace

TOptionsPages::TOptionsPages(QWidget* parent) : QTabWidget(parent) {
    setObjectName(QStringLiteral("PageControl"));
    addTab(GeneralPage(), QStringLiteral("Общие"));
    addTab(ReportPage(), QStringLiteral("Отчет"));
    addTab(DiagramPage(), QStringLiteral("График"));
    addTab(SurfacePage(), QStringLiteral("Диаграмма"));
    addTab(StatisticsPage(), QStringLiteral("Статистика"));
}

QCheckBox* TOptionsPages::AddFlag(QWidget* page, const TFlagInfo& info) {
    auto* box = new QCheckBox(Text(info.Caption), page);
    box->setObjectName(Text(info.Name));
    Flags.emplace_back(box, info.Field);
    return box;
}

TColorSwatch* TOptionsPages::AddColor(QWidget* page, const TColorInfo& info) {
    auto* swatch = new TColorSwatch(Text(info.Caption), page);
    swatch->setObjectName(Text(info.Name));
    Colors.emplace_back(swatch, info.Field);
    return swatch;
}

QGridLayout* TOptionsPages::ColorGrid(QWidget* page, const TColorInfo* colors, std::size_t count,
                                      int columns) {
    auto* grid = new QGridLayout;
    for (std::size_t i = 0; i < count; ++i)
        grid->addWidget(AddColor(page, colors[i]), static_cast<int>(i) / columns,
                        static_cast<int>(i) % columns);
    return grid;
}

QWidget* TOptionsPages::GeneralPage() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("GeneralPage"));
    auto* listBoxes = new QVBoxLayout;
    for (const TFlagInfo& info : WindowListFlags)
        listBoxes->addWidget(AddFlag(page, info));
    auto* resultBoxes = new QGridLayout;
    for (int row = 0; row < 3; ++row) {
        QCheckBox* shown = AddFlag(page, ResultFlags[row][0]);
        QCheckBox* report = AddFlag(page, ResultFlags[row][1]);
        resultBoxes->addWidget(shown, row, 0);
        resultBoxes->addWidget(report, row, 1);
        ResultPairs[static_cast<std::size_t>(row)] = {shown, report};
        // The report can follow a results form only while the form is shown.
        connect(shown, &QCheckBox::toggled, report, &QCheckBox::setEnabled);
    }
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Group(page, "Списки окон", listBoxes));
    layout->addWidget(Group(page, "Формы результатов анализа", resultBoxes));
    for (const TFlagInfo& info : GeneralFlags)
        layout->addWidget(AddFlag(page, info));
    layout->addStretch();
    return page;
}

QWidget* TOptionsPages::ReportPage() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("ReportPage"));
    CBUseDivider = AddFlag(page, {"CBUseDivider", "Разделитель", &S::CBUseDivider});
    EDividerString = new QLineEdit(page);
    EDividerString->setObjectName(QStringLiteral("EDividerString"));
    connect(CBUseDivider, &QCheckBox::toggled, this, &TOptionsPages::UpdateDivider);
    ReportItems.push_back(CBUseDivider);
    auto* dividerRow = new QHBoxLayout;
    dividerRow->addWidget(CBUseDivider);
    dividerRow->addWidget(EDividerString, 1);

    // Two columns, read down the first and then the second, in report order.
    constexpr int rows = static_cast<int>(std::size(ReportFlags) + 1) / 2;
    auto* grid = new QGridLayout;
    for (std::size_t i = 0; i < std::size(ReportFlags); ++i) {
        QCheckBox* box = AddFlag(page, ReportFlags[i]);
        ReportItems.push_back(box);
        grid->addWidget(box, static_cast<int>(i) % rows, static_cast<int>(i) / rows);
    }

    SelectAllButton = new QPushButton(QStringLiteral("Выделить все"), page);
    SelectAllButton->setObjectName(QStringLiteral("SelectAllButton"));
    InvertButton = new QPushButton(QStringLiteral("Обратить"), page);
    InvertButton->setObjectName(QStringLiteral("InvertButton"));
    connect(SelectAllButton, &QPushButton::clicked, this, &TOptionsPages::SelectAllReportItems);
    connect(InvertButton, &QPushButton::clicked, this, &TOptionsPages::InvertReportItems);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SelectAllButton);
    buttons->addWidget(InvertButton);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(dividerRow);
    layout->addWidget(Group(page, "Включать в отчет", grid));
    layout->addLayout(buttons);
    layout->addStretch();
    return page;
}

QWidget* TOptionsPages::DiagramPage() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("DiagramPage"));
    ELegend = new QLineEdit(page);
    ELegend->setObjectName(QStringLiteral("ELegend"));
    auto* title = new QHBoxLayout;
    title->addWidget(Label(page, "Название", ELegend));
    title->addWidget(ELegend, 1);

    CBGridStyle = new QComboBox(page);
    CBGridStyle->setObjectName(QStringLiteral("CBGridStyle"));
    for (const char* style : {"Сплошная линия", "Штриховая линия", "Пунктирная линия",
                              "Штрихпунктирная линия", "Двойная штрихпунктирная линия"})
        CBGridStyle->addItem(Text(style));

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(title);
    layout->addWidget(
        Group(page, "Цвета", ColorGrid(page, DiagramColors, std::size(DiagramColors), 2)));
    for (const TFlagInfo& info : DiagramFlags)
        layout->addWidget(AddFlag(page, info));
    auto* grid = new QHBoxLayout;
    grid->addWidget(Label(page, "Линии сетки:", CBGridStyle));
    grid->addWidget(CBGridStyle, 1);
    layout->addLayout(grid);
    layout->addStretch();
    return page;
}

QWidget* TOptionsPages::SurfacePage() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("SurfacePage"));
    auto* boxes = new QGridLayout;
    for (std::size_t i = 0; i < std::size(SurfaceFlags); ++i)
        boxes->addWidget(AddFlag(page, SurfaceFlags[i]), static_cast<int>(i) / 2,
                         static_cast<int>(i) % 2);

    TBMass = new QSlider(Qt::Horizontal, page);
    TBMass->setObjectName(QStringLiteral("TBMass"));
    TBMass->setRange(1, 100);
    TBMass->setPageStep(10);
    auto* mass = new QHBoxLayout;
    mass->addWidget(Label(page, "\"Масса\" камеры:", TBMass));
    mass->addWidget(TBMass, 1);

    LBSurfScheme = new QListWidget(page);
    LBSurfScheme->setObjectName(QStringLiteral("LBSurfScheme"));
    LBSurfScheme->addItems({QStringLiteral("Один цвет"),
                            QStringLiteral("Два цвета (первый - минимальное значение)"),
                            QStringLiteral("Случайная закраска")});
    LBSurfScheme->setMaximumHeight(LBSurfScheme->sizeHintForRow(0) * 3 +
                                   2 * LBSurfScheme->frameWidth() + 4);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(boxes);
    layout->addLayout(mass);
    layout->addWidget(
        Group(page, "Цвета", ColorGrid(page, SurfaceColors, std::size(SurfaceColors), 2)));
    layout->addWidget(Label(page, "Закраска поверхности:", LBSurfScheme));
    layout->addWidget(LBSurfScheme);
    layout->addStretch();
    return page;
}

QWidget* TOptionsPages::StatisticsPage() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("StatisticsPage"));
    RBPureError =
        new QRadioButton(QStringLiteral("Чистая ошибка (дисперсия воспроизводимости)"), page);
    RBPureError->setObjectName(QStringLiteral("RBPureError"));
    RBResidual = new QRadioButton(QStringLiteral("Остаточная дисперсия"), page);
    RBResidual->setObjectName(QStringLiteral("RBResidual"));
    auto* errorBoxes = new QVBoxLayout;
    errorBoxes->addWidget(RBPureError);
    errorBoxes->addWidget(RBResidual);

    EAlpha = new QComboBox(page);
    EAlpha->setObjectName(QStringLiteral("EAlpha"));
    EAlpha->setEditable(true);
    for (const double alpha : {0.1, 0.05, 0.01})
        EAlpha->addItem(QString::fromStdString(FormatGeneral(alpha, 15)));
    auto* alphaRow = new QHBoxLayout;
    alphaRow->addWidget(Label(page, "Уровень значимости:", EAlpha));
    alphaRow->addWidget(EAlpha);
    alphaRow->addStretch();

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(
        Group(page, "Ошибка в критериях Фишера и доверительных интервалах", errorBoxes));
    layout->addLayout(alphaRow);
    layout->addWidget(
        AddFlag(page, {"CBExactQuantiles", "Точные квантили вместо таблиц", &S::ExactQuantiles}));
    layout->addWidget(AddFlag(page, {"CBOpenStatistics", "Открывать окно статистики после анализа",
                                     &S::CBOpenStatistics}));
    layout->addStretch();
    return page;
}

bool TOptionsPages::CheckFields() {
    double alpha = 0.0;
    const std::string text = EAlpha->currentText().trimmed().toStdString();
    bool valid = CheckReal(text, alpha, "Уровень значимости");
    if (valid && !(alpha > 0.0 && alpha < 1.0)) {
        ShowWarning("Уровень значимости должен быть больше 0 и меньше 1.");
        valid = false;
    }
    if (!valid) {
        setCurrentWidget(EAlpha->parentWidget());
        EAlpha->setFocus();
    }
    return valid;
}

QCheckBox* TOptionsPages::Flag(const QString& name) const {
    for (const auto& [box, field] : Flags)
        if (box->objectName() == name)
            return box;
    return nullptr;
}

void TOptionsPages::Load(const TSettings& settings) {
    StoredDivider = settings.EDividerString;
    for (const auto& [box, field] : Flags)
        box->setChecked(settings.*field);
    for (const auto& [swatch, field] : Colors)
        swatch->SetColorValue(settings.*field);
    ELegend->setText(QString::fromStdString(settings.ELegend));
    ELegend->setCursorPosition(0);
    // A value the lists do not know (a settings file from elsewhere) shows
    // no choice rather than a wrong one.
    CBGridStyle->setCurrentIndex(settings.CBGridStyle < CBGridStyle->count() ? settings.CBGridStyle
                                                                             : -1);
    TBMass->setValue(settings.TBMass);
    const auto row =
        std::find(SurfSchemeValues.begin(), SurfSchemeValues.end(), settings.LBSurfScheme);
    LBSurfScheme->setCurrentRow(
        row == SurfSchemeValues.end() ? -1 : static_cast<int>(row - SurfSchemeValues.begin()));
    for (const auto& [shown, report] : ResultPairs)
        report->setEnabled(shown->isChecked());
    UpdateDivider();
    RBPureError->setChecked(settings.StatisticsPureError);
    RBResidual->setChecked(!settings.StatisticsPureError);
    EAlpha->setEditText(QString::fromStdString(FormatGeneral(settings.QuantileAlpha, 15)));
}

void TOptionsPages::Store(TSettings& settings) const {
    for (const auto& [box, field] : Flags)
        settings.*field = box->isChecked();
    for (const auto& [swatch, field] : Colors)
        settings.*field = swatch->ColorValue();
    if (CBUseDivider->isChecked())
        settings.EDividerString = CutText(EDividerString->text(), MaxTextLength);
    settings.ELegend = CutText(ELegend->text(), MaxTextLength);
    if (CBGridStyle->currentIndex() >= 0)
        settings.CBGridStyle = static_cast<std::uint8_t>(CBGridStyle->currentIndex());
    settings.TBMass = TBMass->value();
    const int row = LBSurfScheme->currentRow();
    if (row >= 0 && row < static_cast<int>(SurfSchemeValues.size()))
        settings.LBSurfScheme = SurfSchemeValues[static_cast<std::size_t>(row)];
    settings.StatisticsPureError = RBPureError->isChecked();
    // A level that CheckFields would refuse leaves the stored one.
    double alpha = 0.0;
    if (TextToFloat(EAlpha->currentText().trimmed().toStdString(), alpha) && alpha > 0.0 &&
        alpha < 1.0)
        settings.QuantileAlpha = alpha;
}

void TOptionsPages::SelectAllReportItems() {
    for (QCheckBox* box : ReportItems)
        box->setChecked(true);
}

void TOptionsPages::InvertReportItems() {
    for (QCheckBox* box : ReportItems)
        box->setChecked(!box->isChecked());
}

void TOptionsPages::UpdateDivider() {
    const bool on = CBUseDivider->isChecked();
    EDividerString->setReadOnly(!on);
    QPalette palette = EDividerString->palette();
    palette.setColor(QPalette::Base,
                     QApplication::palette().color(on ? QPalette::Base : QPalette::Button));
    EDividerString->setPalette(palette);
    EDividerString->setText(on ? QString::fromStdString(StoredDivider) : QString());
    EDividerString->setCursorPosition(0);
}

} // namespace orvanta
