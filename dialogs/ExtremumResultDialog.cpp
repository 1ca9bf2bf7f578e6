#include "dialogs/ExtremumResultDialog.h"

#include "dialogs/NamedWidget.h"
#include "numeric/NumberText.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orvanta {

namespace {

QTableWidgetItem* Cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QGroupBox* Group(QWidget* parent, const QString& title, const QString& name, QWidget* content) {
    auto* group = Named(new QGroupBox(title, parent), name);
    content->setParent(group);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(content);
    return group;
}

} // namespace

TExtremumResultDialog::TExtremumResultDialog(QWidget* parent) : TSmallDialog(parent) {
    setObjectName(QStringLiteral("ExtremumResultDialog"));
    setWindowTitle(QStringLiteral("Экстремум"));

    SGPoint = Named(new QTableWidget(0, 2, this), QStringLiteral("SGPoint"));
    // The factor numbers are the grid's own first column, not a header.
    SGPoint->horizontalHeader()->hide();
    SGPoint->verticalHeader()->hide();
    SGPoint->horizontalHeader()->setStretchLastSection(true);
    SGPoint->setEditTriggers(QAbstractItemView::NoEditTriggers);
    EValue = Named(new QLineEdit(this), QStringLiteral("EValue"));
    EValue->setReadOnly(true);
    GBPoint = Group(this, QStringLiteral(" Координаты точки экстремума в кодовом пространстве "),
                    QStringLiteral("GBPoint"), SGPoint);
    GBValue = Group(this, QStringLiteral(" Значение модели в точке экстремума "),
                    QStringLiteral("GBValue"), EValue);

    QHBoxLayout* buttons = OkRow(QStringLiteral("Ok"), OkButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GBPoint);
    layout->addWidget(GBValue);
    layout->addLayout(buttons);
}

void TExtremumResultDialog::Run(const std::vector<double>& point, double value) {
    Fill(point, value);
    OkButton->setFocus();
    exec();
}

void TExtremumResultDialog::Fill(const std::vector<double>& point, double value) {
    const int factors = static_cast<int>(point.size());
    SGPoint->clearContents();
    SGPoint->setRowCount(factors);
    for (int i = 0; i < factors; ++i) {
        SGPoint->setItem(i, 0, Cell(QString::number(i + 1)));
        SGPoint->setItem(
            i, 1, Cell(QString::fromStdString(FormatFull(point[static_cast<std::size_t>(i)]))));
    }
    SGPoint->resizeColumnToContents(0);
    EValue->setText(QString::fromStdString(FormatFull(value)));
}

} // namespace orvanta
