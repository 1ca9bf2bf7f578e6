#include "dialogs/TranslateDialog.h"

#include "dialogs/NamedWidget.h"
#include "numeric/Messages.h"
#include "numeric/NumberText.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace orvanta {

namespace {

constexpr int ColumnWidth = 96;
// How many factors are in view without scrolling.
constexpr int VisibleFactors = 6;

// A factor without variation has no scale: its coded value is the plain
// offset from the base level, as everywhere else in the plan, rather than
// an infinity or a NaN.
double ToCoded(double natural, double base, double interval) {
    return interval == 0.0 ? natural - base : (natural - base) / interval;
}

double ToNatural(double coded, double base, double interval) {
    return coded * interval + base;
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

TTranslateDialog::TTranslateDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TranslateDialog"));
    setWindowTitle(QStringLiteral("Перевод / значение"));

    GBCodePoint = Named(
        new QGroupBox(QStringLiteral(" Точка нормализованного факторного (кодового) пространства "),
                      this),
        QStringLiteral("GBCodePoint"));
    GCodePoint = CreateGrid(GBCodePoint, QStringLiteral("GCodePoint"));
    GBNaturalPoint = Named(new QGroupBox(QStringLiteral(" Точка факторного пространства: "), this),
                           QStringLiteral("GBNaturalPoint"));
    GNaturalPoint = CreateGrid(GBNaturalPoint, QStringLiteral("GNaturalPoint"));

    auto* choices = new QHBoxLayout;
    choices->addWidget(CreateOrderGroup());
    choices->addWidget(CreateProceedGroup());

    CBValueInPoint = Named(new QCheckBox(QStringLiteral("Расчет значения"), this),
                           QStringLiteral("CBValueInPoint"));
    EValue = Named(new QLineEdit(this), QStringLiteral("EValue"));
    EValue->setReadOnly(true);
    LValue = Named(new QLabel(QStringLiteral("Значение:"), this), QStringLiteral("LValue"));
    LValue->setBuddy(EValue);
    OKBtn = Named(new QPushButton(QStringLiteral("Возврат"), this), QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(CBValueInPoint);
    bottom->addWidget(LValue);
    bottom->addWidget(EValue, 1);
    bottom->addWidget(OKBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GBCodePoint);
    layout->addWidget(GBNaturalPoint);
    layout->addLayout(choices);
    layout->addLayout(bottom);

    // "Возврат" is both the default and the cancel button: Esc closes too.
    connect(OKBtn, &QPushButton::clicked, this, &TTranslateDialog::accept);
    connect(ProcessButton, &QPushButton::clicked, this, &TTranslateDialog::Update);
    SetValueFunction({});
    ApplyOrder();
    ApplyProceed();
}

QTableWidget* TTranslateDialog::CreateGrid(QGroupBox* group, const QString& name) {
    auto* grid = Named(new QTableWidget(1, 0, group), name);
    // The factor numbers are the fixed header row; the one value row below
    // them needs no row header.
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setDefaultSectionSize(ColumnWidth);
    grid->horizontalHeader()->setSectionsClickable(false);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setMinimumWidth(VisibleFactors * ColumnWidth + 2 * grid->frameWidth());
    grid->installEventFilter(this);
    connect(grid, &QTableWidget::itemChanged, this, [this, grid] { GridItemChanged(grid); });
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(grid);
    return grid;
}

QGroupBox* TTranslateDialog::CreateOrderGroup() {
    RGOrder =
        Named(new QGroupBox(QStringLiteral(" Порядок расчета "), this), QStringLiteral("RGOrder"));
    RBAutoOrder = Named(new QRadioButton(QStringLiteral("Автоопределение"), RGOrder),
                        QStringLiteral("RBAutoOrder"));
    RBCodedByNatural =
        Named(new QRadioButton(QStringLiteral("Точка кодового по точке факторного"), RGOrder),
              QStringLiteral("RBCodedByNatural"));
    RBNaturalByCoded =
        Named(new QRadioButton(QStringLiteral("Точка факторного по точке кодового"), RGOrder),
              QStringLiteral("RBNaturalByCoded"));
    RBAutoOrder->setChecked(true);
    auto* layout = new QVBoxLayout(RGOrder);
    for (QRadioButton* button : {RBAutoOrder, RBCodedByNatural, RBNaturalByCoded}) {
        layout->addWidget(button);
        connect(button, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                ApplyOrder();
        });
    }
    return RGOrder;
}

QGroupBox* TTranslateDialog::CreateProceedGroup() {
    RGProceed =
        Named(new QGroupBox(QStringLiteral(" Пересчет "), this), QStringLiteral("RGProceed"));
    RBAutomatic = Named(new QRadioButton(QStringLiteral("Автоматически"), RGProceed),
                        QStringLiteral("RBAutomatic"));
    RBOnCommand = Named(new QRadioButton(QStringLiteral("При выборе команды"), RGProceed),
                        QStringLiteral("RBOnCommand"));
    RBAutomatic->setChecked(true);
    ProcessButton = Named(new QPushButton(QStringLiteral("Пересчитать"), RGProceed),
                          QStringLiteral("ProcessButton"));
    auto* layout = new QVBoxLayout(RGProceed);
    layout->addWidget(RBAutomatic);
    layout->addWidget(RBOnCommand);
    layout->addWidget(ProcessButton);
    connect(RBOnCommand, &QRadioButton::toggled, this, &TTranslateDialog::ApplyProceed);
    return RGProceed;
}

void TTranslateDialog::SetBaseLevels(const TNamedVector& levels) {
    BaseLevels = &levels;
    if (Intervals) {
        AdjustGrids();
        update();
    }
}

void TTranslateDialog::SetIntervals(const TNamedVector& intervals) {
    Intervals = &intervals;
    if (BaseLevels) {
        AdjustGrids();
        Update();
    }
}

void TTranslateDialog::SetValueFunction(TValueFunction value) {
    ValueFunction = std::move(value);
    const bool given = static_cast<bool>(ValueFunction);
    CBValueInPoint->setEnabled(given);
    CBValueInPoint->setChecked(given);
    EValue->setEnabled(given);
    if (!given)
        EValue->clear();
}

void TTranslateDialog::StartAt(const std::vector<double>& coded) {
    if (!BaseLevels || !Intervals)
        return;
    for (std::int32_t i = 0; i < Coded.Size(); ++i) {
        const auto at = static_cast<std::size_t>(i);
        Coded.Set(i, at < coded.size() ? coded[at] : 0.0);
        Natural.Set(i, ToNatural(Coded.Get(i), BaseLevels->Get(i), Intervals->Get(i)));
    }
    WriteTarget(GCodePoint, Coded);
    WriteTarget(GNaturalPoint, Natural);
    // The opening recomputes from the coded grid, unless only the natural
    // one may be typed into: then from the natural values just written.
    CurrentDirection =
        RBCodedByNatural->isChecked() ? TDirection::NaturalToCoded : TDirection::CodedToNatural;
}

void TTranslateDialog::AdjustGrids() {
    // One vector may be handed over anew before the other, with another
    // length; the shorter one bounds every read.
    const std::int32_t k = std::min(BaseLevels->Size(), Intervals->Size());
    Coded.Resize(k);
    Coded.Clear();
    Natural.Resize(k);
    Natural.Clear();
    QStringList numbers;
    for (std::int32_t i = 1; i <= k; ++i)
        numbers << QString::number(i);
    Writing = true;
    for (QTableWidget* grid : {GCodePoint, GNaturalPoint}) {
        grid->setColumnCount(k);
        grid->setHorizontalHeaderLabels(numbers);
        for (int column = 0; column < k; ++column)
            grid->setItem(0, column, new QTableWidgetItem(QStringLiteral("0")));
        FitHeight(grid);
    }
    Writing = false;
    if (RBAutoOrder->isChecked())
        CurrentDirection = TDirection::NaturalToCoded;
}

void TTranslateDialog::FitHeight(QTableWidget* grid) {
    // The header row and the value row in view, with room for the scroll bar
    // of a plan with many factors.
    grid->setFixedHeight(grid->horizontalHeader()->sizeHint().height() + grid->rowHeight(0) +
                         grid->horizontalScrollBar()->sizeHint().height() + 2 * grid->frameWidth());
}

void TTranslateDialog::Update() {
    if (!BaseLevels || !Intervals)
        return;
    const bool toCoded = CurrentDirection == TDirection::NaturalToCoded;
    if (!ReadSource(SourceGrid(), toCoded ? Natural : Coded)) {
        EValue->clear();
        return;
    }
    const std::int32_t k = Coded.Size();
    for (std::int32_t i = 0; i < k; ++i) {
        const double base = BaseLevels->Get(i);
        const double interval = Intervals->Get(i);
        if (toCoded)
            Coded.Set(i, ToCoded(Natural.Get(i), base, interval));
        else
            Natural.Set(i, ToNatural(Coded.Get(i), base, interval));
    }
    WriteTarget(toCoded ? GCodePoint : GNaturalPoint, toCoded ? Coded : Natural);
    ShowValue();
}

bool TTranslateDialog::ReadSource(QTableWidget* grid, TNamedVector& point) {
    for (std::int32_t i = 0; i < point.Size(); ++i) {
        const QTableWidgetItem* item = grid->item(0, i);
        double value = 0.0;
        if (item && TextToFloat(item->text().toStdString(), value)) {
            point.Set(i, value);
            continue;
        }
        if (!Automatic()) {
            ShowWarning(grid == GNaturalPoint ? "В поле \"Точка факторного пространства\" должны\n"
                                                "находиться числовые значения"
                                              : "В поле \"Точка кодового пространства\" должны\n"
                                                "находиться числовые значения");
            grid->setFocus();
            grid->setCurrentCell(0, i);
        }
        return false;
    }
    return true;
}

void TTranslateDialog::WriteTarget(QTableWidget* grid, const TNamedVector& point) {
    Writing = true;
    for (std::int32_t i = 0; i < point.Size(); ++i) {
        if (QTableWidgetItem* item = grid->item(0, i))
            item->setText(Text(FormatFull(point.Get(i))));
    }
    Writing = false;
}

void TTranslateDialog::ShowValue() {
    if (ValueFunction)
        EValue->setText(Text(FormatFull(ValueFunction(Coded.Elements()))));
}

void TTranslateDialog::ApplyOrder() {
    PaintGrid(GNaturalPoint, !RBNaturalByCoded->isChecked());
    PaintGrid(GCodePoint, !RBCodedByNatural->isChecked());
    if (RBCodedByNatural->isChecked())
        CurrentDirection = TDirection::NaturalToCoded;
    else if (RBNaturalByCoded->isChecked())
        CurrentDirection = TDirection::CodedToNatural;
}

void TTranslateDialog::ApplyProceed() {
    ProcessButton->setEnabled(RBOnCommand->isChecked());
}

void TTranslateDialog::PaintGrid(QTableWidget* grid, bool enabled) {
    grid->setEnabled(enabled);
    // A grid that cannot be the source looks like the dialog's face, in every
    // colour group, so that it reads as "not for typing" at a glance.
    QPalette colours = grid->palette();
    colours.setColor(QPalette::Base, palette().color(enabled ? QPalette::Base : QPalette::Button));
    grid->setPalette(colours);
}

void TTranslateDialog::GridItemChanged(QTableWidget* grid) {
    if (Writing)
        return;
    // The grid being typed into is the one the person entered.
    if (RBAutoOrder->isChecked())
        CurrentDirection =
            grid == GNaturalPoint ? TDirection::NaturalToCoded : TDirection::CodedToNatural;
    if (Automatic())
        Update();
}

bool TTranslateDialog::Automatic() const {
    return RBAutomatic->isChecked();
}

QTableWidget* TTranslateDialog::SourceGrid() const {
    return CurrentDirection == TDirection::NaturalToCoded ? GNaturalPoint : GCodePoint;
}

void TTranslateDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Opening, not the program coming back from the task bar.
    if (event->spontaneous())
        return;
    Update();
    SourceGrid()->setFocus();
}

void TTranslateDialog::hideEvent(QHideEvent* event) {
    // The vectors and the prediction belong to the plan as it was while the
    // dialog was open (the caller may even have lent temporaries); the next
    // opening hands them over again. A minimised program hides the dialog
    // too, and then it is still open.
    if (!event->spontaneous()) {
        SetValueFunction({});
        BaseLevels = nullptr;
        Intervals = nullptr;
    }
    QDialog::hideEvent(event);
}

bool TTranslateDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && RBAutoOrder->isChecked()) {
        if (watched == GNaturalPoint)
            CurrentDirection = TDirection::NaturalToCoded;
        else if (watched == GCodePoint)
            CurrentDirection = TDirection::CodedToNatural;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace orvanta
