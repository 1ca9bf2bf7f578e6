#include "formkit/FormWindow.h"

#include "formkit/DialogUnits.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

TFormWindow::TFormWindow(QWidget* owner, const TDialogTemplate& dialogTemplate) : QDialog(owner) {
    setWindowTitle(QString::fromStdString(dialogTemplate.Caption));
    setFont(QFont(QString::fromStdString(dialogTemplate.FontName), dialogTemplate.FontSize));
    const TDialogUnits units = TDialogUnits::OfWidget(this);
    setFixedSize(units.X(dialogTemplate.Cx), units.Y(dialogTemplate.Cy));
    for (const TControlTemplate& control : dialogTemplate.Controls) {
        QWidget* widget = CreateControl(control);
        if (control.Id != IDC_STATIC)
            widget->setObjectName(QStringLiteral("Control%1").arg(control.Id));
        Place(widget, control);
        Created.push_back(widget);
    }
    GroupRadioButtons(dialogTemplate);
    // A frame is drawn first so that the controls placed on it stay visible.
    for (QGroupBox* group : findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly))
        group->lower();
}

QWidget* TFormWindow::CreateControl(const TControlTemplate& control) {
    const QString text = QString::fromStdString(control.Text);
    switch (control.Kind) {
    case TControlKind::Static: {
        auto* label = new QLabel(text, this);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(control.Cx > 0);
        return label;
    }
    case TControlKind::Edit:
        return new QLineEdit(text, this);
    case TControlKind::MultiLineEdit: {
        auto* memo = new QPlainTextEdit(this);
        memo->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        return memo;
    }
    case TControlKind::GroupBox:
        return new QGroupBox(text, this);
    case TControlKind::Button:
    case TControlKind::DefButton:
    case TControlKind::RadioButton:
    case TControlKind::CheckBox:
        break;
    }
    QAbstractButton* button = nullptr;
    if (control.Kind == TControlKind::RadioButton) {
        button = new QRadioButton(text, this);
    } else if (control.Kind == TControlKind::CheckBox) {
        button = new QCheckBox(text, this);
    } else {
        auto* push = new QPushButton(text, this);
        push->setDefault(control.Kind == TControlKind::DefButton);
        button = push;
    }
    if (control.Id != IDC_STATIC)
        connect(button, &QAbstractButton::clicked, this, [this, id = control.Id] {
            if (Commanded)
                Commanded(id);
        });
    return button;
}

void TFormWindow::Place(QWidget* widget, const TControlTemplate& control) const {
    const TDialogUnits units = TDialogUnits::OfWidget(this);
    const QSize hint = widget->sizeHint();
    const int width = control.Cx > 0 ? units.X(control.Cx) : hint.width();
    int height = control.Cy > 0 ? units.Y(control.Cy) : hint.height();
    if (control.Cy <= 0 && widget->hasHeightForWidth())
        height = widget->heightForWidth(width);
    widget->setGeometry(units.X(control.X), units.Y(control.Y), width, height);
}

// Radio buttons in a row of the template are one choice; a control of
// another kind between them starts a new one.
void TFormWindow::GroupRadioButtons(const TDialogTemplate& dialogTemplate) {
    QButtonGroup* group = nullptr;
    for (std::size_t i = 0; i < Created.size(); ++i) {
        if (dialogTemplate.Controls[i].Kind != TControlKind::RadioButton) {
            group = nullptr;
            continue;
        }
        if (!group)
            group = new QButtonGroup(this);
        group->addButton(static_cast<QAbstractButton*>(Created[i]));
    }
}

void TFormWindow::reject() {
    if (CancelRequested)
        CancelRequested();
    else
        QDialog::reject();
}
