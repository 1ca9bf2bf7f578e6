#include "dialogs/AverageDialog.h"

#include "numeric/NumberText.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace orvanta {

namespace {

constexpr int ColumnWidth = 80;
// How many runs are in view without scrolling.
constexpr int VisibleRuns = 8;

QTableWidgetItem* Cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

TAverageDialog::TAverageDialog(QWidget* parent) : TSmallDialog(parent) {
    setObjectName(QStringLiteral("AverageDialog"));
    setWindowTitle(QStringLiteral("Средние значения"));

    GBAverage = new QGroupBox(QStringLiteral(" Средние значения откликов "), this);
    GBAverage->setObjectName(QStringLiteral("GBAverage"));
    SGAverage = new QTableWidget(2, 0, GBAverage);
    SGAverage->setObjectName(QStringLiteral("SGAverage"));
    // The run numbers are the grid's own first row, not a header.
    SGAverage->horizontalHeader()->hide();
    SGAverage->verticalHeader()->hide();
    SGAverage->horizontalHeader()->setDefaultSectionSize(ColumnWidth);
    SGAverage->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SGAverage->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* group = new QVBoxLayout(GBAverage);
    group->addWidget(SGAverage);

    OkButton = new QPushButton(QStringLiteral("Ok"), this);
    OkButton->setObjectName(QStringLiteral("OkButton"));
    OkButton->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GBAverage);
    layout->addLayout(buttons);

    connect(OkButton, &QPushButton::clicked, this, &TAverageDialog::accept);
}

void TAverageDialog::Run(const std::vector<double>& means) {
    Fill(means);
    exec();
}

void TAverageDialog::Fill(const std::vector<double>& means) {
    const int runs = static_cast<int>(means.size());
    SGAverage->clearContents();
    SGAverage->setColumnCount(runs);
    for (int i = 0; i < runs; ++i) {
        SGAverage->setItem(0, i, Cell(QString::number(i + 1)));
        SGAverage->setItem(
            1, i, Cell(QString::fromStdString(FormatFull(means[static_cast<std::size_t>(i)]))));
    }
    // Both rows in view, with room for the scroll bar of a long plan.
    const int height = SGAverage->rowHeight(0) + SGAverage->rowHeight(1) +
                       SGAverage->horizontalScrollBar()->sizeHint().height() +
                       2 * SGAverage->frameWidth();
    SGAverage->setFixedHeight(height);
    SGAverage->setMinimumWidth(std::min(runs, VisibleRuns) * ColumnWidth +
                               2 * SGAverage->frameWidth());
}

} // namespace orvanta
