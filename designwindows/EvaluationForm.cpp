#include "designwindows/EvaluationForm.h"

#include "design/EvaluationTables.h"
#include "dialogs/NamedWidget.h"
#include "plan/Settings.h"
#include "plotwindows/PlotDrawing.h"
#include "plotwindows/PlotLook.h"
#include "statswindow/StatisticsForm.h"

#include <qcustomplot.h>

#include <QAction>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orvanta {

namespace {

QDoubleSpinBox* Field(double low, double high, double value, double step, int decimals,
                      const QString& name, QWidget* parent) {
    auto* field = Named(new QDoubleSpinBox(parent), name);
    field->setRange(low, high);
    field->setDecimals(decimals);
    field->setSingleStep(step);
    field->setValue(value);
    // A value typed digit by digit is evaluated once, when it is complete.
    field->setKeyboardTracking(false);
    return field;
}

} // namespace

TEvaluationForm::TEvaluationForm(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("EvaluationForm"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 4, 0, 0);
    auto* options = new QHBoxLayout;
    options->setContentsMargins(8, 0, 8, 0);
    DeltaEdit = Field(0.1, 100.0, 2.0, 0.5, 2, QStringLiteral("DeltaEdit"), this);
    DeltaEdit->setSuffix(QStringLiteral(" σ"));
    AlphaEdit = Field(0.001, 0.5, StatisticsOptionsFromSettings().Alpha, 0.01, 3,
                      QStringLiteral("AlphaEdit"), this);
    auto* deltaLabel = new QLabel(QStringLiteral("&Обнаруживаемый коэффициент:"), this);
    deltaLabel->setBuddy(DeltaEdit);
    auto* alphaLabel = new QLabel(QStringLiteral("&Уровень значимости:"), this);
    alphaLabel->setBuddy(AlphaEdit);
    options->addWidget(deltaLabel);
    options->addWidget(DeltaEdit);
    options->addSpacing(16);
    options->addWidget(alphaLabel);
    options->addWidget(AlphaEdit);
    options->addStretch();
    layout->addLayout(options);
    Tables = new TStatisticsForm(this);
    Tables->setObjectName(QStringLiteral("EvaluationTables"));
    layout->addWidget(Tables, 1);
    // The main window takes the active window's own "Правка" menu; the
    // stationary point belongs to a fitted model, not to a plan.
    Tables->StationaryItem->setVisible(false);
    Tables->EditMenu->setParent(this, Tables->EditMenu->windowFlags());
    Tables->SaveCaption = QStringLiteral("Сохранение оценки плана");
    Tables->SaveName = "Оценка плана";
    const auto changed = [this] {
        if (OnOptionsChanged)
            OnOptionsChanged();
    };
    connect(DeltaEdit, &QDoubleSpinBox::valueChanged, this, changed);
    connect(AlphaEdit, &QDoubleSpinBox::valueChanged, this, changed);
}

double TEvaluationForm::Delta() const {
    return DeltaEdit->value();
}

double TEvaluationForm::Alpha() const {
    return AlphaEdit->value();
}

void TEvaluationForm::SetEvaluation(std::vector<TStatSection> sections,
                                    const std::vector<TSpvFraction>& fds) {
    Tables->SetSections(std::move(sections));
    FdsPlot = nullptr;
    auto* scroll = Tables->Tabs->findChild<QScrollArea*>(QStringLiteral("fds"));
    if (!scroll || !scroll->widget())
        return;
    auto* page = scroll->widget();
    auto* layout = qobject_cast<QVBoxLayout*>(page->layout());
    QTableWidget* table = Tables->Table("fds");
    if (!layout || !table)
        return;
    // The curve beside its table: both in view at once.
    const int at = layout->indexOf(table);
    layout->removeWidget(table);
    table->setFixedHeight(QWIDGETSIZE_MAX);
    table->setMinimumHeight(0);
    table->setMaximumWidth(table->horizontalHeader()->length() + 2 * table->frameWidth() +
                           table->verticalScrollBar()->sizeHint().width());
    auto* row = new QHBoxLayout;
    row->addWidget(table);
    FdsPlot = Named(new QCustomPlot(page), QStringLiteral("FdsPlot"));
    FdsPlot->setMinimumSize(320, 240);
    DrawCurves(*FdsPlot, FdsPicture(fds), PlotLookOf(Settings()));
    row->addWidget(FdsPlot, 1);
    layout->insertLayout(at, row, 1);
    FdsPlot->replot();
}

void TEvaluationForm::ShowMessage(const QString& text) {
    FdsPlot = nullptr;
    Tables->ShowMessage(text);
}

} // namespace orvanta
