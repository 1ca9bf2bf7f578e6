#include "shell/FormList.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvanta {

namespace {

// Where an entry keeps its window, so that the captions stay only texts.
constexpr int WindowRole = Qt::UserRole;

} // namespace

TFormList::TFormList(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormList"));

    WindowsGroup = new QGroupBox(QStringLiteral(" Окна "), this);
    LBWindows = new QListWidget(WindowsGroup);
    LBWindows->setObjectName(QStringLiteral("LBWindows"));
    auto* groupLayout = new QVBoxLayout(WindowsGroup);
    groupLayout->addWidget(LBWindows);

    CBShowAlways = new QCheckBox(QStringLiteral("Всегда выводить этот список"), this);
    CBShowAlways->setObjectName(QStringLiteral("CBShowAlways"));
    CBShowAlways->setChecked(true);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Отмена"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(OKButton, QDialogButtonBox::AcceptRole);
    buttons->addButton(CancelButton, QDialogButtonBox::RejectRole);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(WindowsGroup);
    layout->addWidget(CBShowAlways);
    layout->addWidget(buttons);
    resize(340, 260);
}

void TFormList::SetWindows(const std::vector<TPlanWindow>& windows) {
    LBWindows->clear();
    for (TPlanWindow window : windows) {
        auto* item = new QListWidgetItem(QString::fromUtf8(PlanWindowCaption(window)), LBWindows);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
        item->setData(WindowRole, static_cast<int>(window));
    }
    if (LBWindows->count() > 0)
        LBWindows->setCurrentRow(0);
}

std::vector<TPlanWindow> TFormList::Windows(bool checkedOnly) const {
    std::vector<TPlanWindow> windows;
    for (int row = 0; row < LBWindows->count(); ++row) {
        const QListWidgetItem* item = LBWindows->item(row);
        if (!checkedOnly || item->checkState() == Qt::Checked)
            windows.push_back(static_cast<TPlanWindow>(item->data(WindowRole).toInt()));
    }
    return windows;
}

std::vector<TPlanWindow> TFormList::AllWindows() const {
    return Windows(false);
}

std::vector<TPlanWindow> TFormList::CheckedWindows() const {
    return Windows(true);
}

bool TFormList::ShowAlways() const {
    return CBShowAlways->isChecked();
}

void TFormList::SetShowAlways(bool on) {
    CBShowAlways->setChecked(on);
}

TMinimizeDialog::TMinimizeDialog(QWidget* parent) : TFormList(parent) {
    setObjectName(QStringLiteral("MinimizeDialog"));
    setWindowTitle(QStringLiteral("Свернуть"));
}

TShowDialog::TShowDialog(QWidget* parent) : TFormList(parent) {
    setObjectName(QStringLiteral("ShowDialog"));
    setWindowTitle(QStringLiteral("Показать"));
}

TArrangeDialog::TArrangeDialog(QWidget* parent) : TFormList(parent) {
    setObjectName(QStringLiteral("ArrangeDialog"));
    setWindowTitle(QStringLiteral("Расположить окна"));
}

} // namespace orvanta
