#include "dialogs/DialogClosing.h"

#include <QHBoxLayout>
#include <QPushButton>

#include <QKeyEvent>

namespace orvanta {

namespace {

// Enter on the main keyboard and on the keypad alike; with Ctrl, Alt or
// Shift the key belongs to the focused field.
bool IsPlainKey(const QKeyEvent& event) {
    return (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

} // namespace

TSmallDialog::TSmallDialog(QWidget* parent) : QDialog(parent) {}

void TSmallDialog::CloseWith(TCloseResult result) {
    Result = result;
    switch (result) {
    case TCloseResult::OK:
        if (!Validate()) {
            Result = TCloseResult::None;
            return;
        }
        QDialog::done(Accepted);
        return;
    case TCloseResult::Cancel:
        Restore();
        QDialog::done(Rejected);
        return;
    case TCloseResult::None:
        break;
    }
    QDialog::done(Rejected);
}

void TSmallDialog::done(int code) {
    if (code == Accepted)
        CloseWith(TCloseResult::OK);
    else if (code == Rejected)
        CloseWith(TCloseResult::Cancel);
    else
        QDialog::done(code);
}

void TSmallDialog::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if ((enter || key == Qt::Key_Escape) && IsPlainKey(*event)) {
        event->accept();
        // A close already under way (a validation message on the screen)
        // keeps its result.
        if (Result == TCloseResult::None)
            CloseWith(enter ? TCloseResult::OK : TCloseResult::Cancel);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TSmallDialog::showEvent(QShowEvent* event) {
    Result = TCloseResult::None;
    QDialog::showEvent(event);
}

QHBoxLayout* TSmallDialog::OkRow(const QString& okText, QPushButton*& ok) {
    ok = new QPushButton(okText, this);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TSmallDialog::accept);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    return row;
}

QHBoxLayout* TSmallDialog::OkCancelRow(const QString& okText, QPushButton*& ok,
                                       QPushButton*& cancel) {
    QHBoxLayout* row = OkRow(okText, ok);
    cancel = new QPushButton(QStringLiteral("Отмена"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    connect(cancel, &QPushButton::clicked, this, &TSmallDialog::reject);
    row->addWidget(cancel);
    return row;
}

} // namespace orvanta
