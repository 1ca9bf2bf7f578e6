#include "dialogs/DiagramStep2.h"

#include "dialogs/NamedWidget.h"
#include "dialogs/WizardSpinEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvanta {

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

TDiagramStep2::TDiagramStep2(QWidget* parent) : TWizardTemplateForm(parent) {
    setObjectName(QStringLiteral("DiagramStep2"));
    setWindowTitle(QStringLiteral("Подготовка данных для графика: шаг 2 из 3"));
    ShowCurvePicture();

    auto* text = WrappedText(QStringLiteral("Фактор принимает значения из некоторого интервала. "
                                            "Пожалуйста, укажите границы этого интервала и число "
                                            "точек, в которых будет производится вычисление "
                                            "значений."),
                             TextPanel);

    auto* bounds =
        new QGroupBox(QStringLiteral(" Границы интервала изменения фактора: "), TextPanel);
    ELeftBound = Named(new QLineEdit(QStringLiteral("-1"), bounds), QStringLiteral("ELeftBound"));
    ERightBound = Named(new QLineEdit(QStringLiteral("1"), bounds), QStringLiteral("ERightBound"));
    auto* boundsLayout = new QGridLayout(bounds);
    boundsLayout->addWidget(new QLabel(QStringLiteral("Левая граница"), bounds), 0, 0);
    boundsLayout->addWidget(new QLabel(QStringLiteral("Правая граница"), bounds), 0, 1);
    boundsLayout->addWidget(ELeftBound, 1, 0);
    boundsLayout->addWidget(ERightBound, 1, 1);

    auto* points = new QGroupBox(QStringLiteral(" Число точек "), TextPanel);
    SEPoints = new TWizardSpinEdit(MinDiagramPoints, MaxDiagramPoints, FirstDiagramPoints, points);
    SEPoints->setObjectName(QStringLiteral("SEPoints"));
    auto* note = WrappedText(QStringLiteral("Вместе с увеличением числа точек ломаная на графике "
                                            "будет все более приближаться к плавной кривой."),
                             points);
    auto* pointsLayout = new QHBoxLayout(points);
    pointsLayout->addWidget(SEPoints, 0, Qt::AlignTop);
    pointsLayout->addWidget(note, 1);

    auto* layout = new QVBoxLayout(TextPanel);
    layout->setContentsMargins(4, 0, 0, 0);
    layout->addWidget(text);
    layout->addWidget(bounds);
    layout->addWidget(points);
    layout->addStretch();

    // The buttons check (Forward) or put right (Back, Cancel) by themselves.
    const std::vector<const QWidget*> buttons{BackwardButton, ForwardButton, CancelButton};
    SEPoints->CheckOnLeave(DiagramFieldName(TDiagramRangeField::Points), buttons);
    ELeftBound->installEventFilter(this);
    ERightBound->installEventFilter(this);
    // Tab goes through the fields first, then to the buttons.
    setTabOrder(ELeftBound, ERightBound);
    setTabOrder(ERightBound, SEPoints);
    setTabOrder(SEPoints, BackwardButton);
    setTabOrder(BackwardButton, ForwardButton);
    setTabOrder(ForwardButton, CancelButton);
}

bool TDiagramStep2::PageBack() {
    Normalise();
    return true;
}

bool TDiagramStep2::PageForward() {
    TDiagramRangeTexts texts = FieldTexts();
    Checking = true;
    const TDiagramRangeField refused = ValidateDiagramRange(texts, Answer);
    Checking = false;
    SetFieldTexts(texts);
    FocusField(refused);
    ForwardAllowed = refused == TDiagramRangeField::None;
    return ForwardAllowed;
}

bool TDiagramStep2::CloseQuery(int result) {
    if (result == PageForwardResult)
        return ForwardAllowed;
    if (result == PageCancelResult)
        Normalise();
    return true;
}

void TDiagramStep2::showEvent(QShowEvent* event) {
    ForwardAllowed = false;
    Answer.Left = BoundValue(ELeftBound->text().toStdString());
    Answer.Right = BoundValue(ERightBound->text().toStdString());
    ELeftBound->setFocus();
    ELeftBound->selectAll();
    TWizardTemplateForm::showEvent(event);
}

bool TDiagramStep2::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == ELeftBound || watched == ERightBound) && event->type() == QEvent::FocusOut)
        BoundLeft(static_cast<QLineEdit*>(watched), *static_cast<QFocusEvent*>(event));
    return TWizardTemplateForm::eventFilter(watched, event);
}

TDiagramRangeTexts TDiagramStep2::FieldTexts() const {
    return {ELeftBound->text().toStdString(), ERightBound->text().toStdString(),
            SEPoints->Text().toStdString()};
}

void TDiagramStep2::SetFieldTexts(const TDiagramRangeTexts& texts) {
    ELeftBound->setText(Text(texts.Left));
    ERightBound->setText(Text(texts.Right));
    SEPoints->SetText(Text(texts.Points));
}

void TDiagramStep2::FocusField(TDiagramRangeField field) {
    switch (field) {
    case TDiagramRangeField::Left:
        ELeftBound->setFocus();
        ELeftBound->selectAll();
        break;
    case TDiagramRangeField::Right:
        ERightBound->setFocus();
        ERightBound->selectAll();
        break;
    case TDiagramRangeField::Points:
        SEPoints->setFocus();
        SEPoints->selectAll();
        break;
    case TDiagramRangeField::None:
        break;
    }
}

void TDiagramStep2::Normalise() {
    TDiagramRangeTexts texts = FieldTexts();
    NormaliseDiagramRange(texts);
    SetFieldTexts(texts);
}

void TDiagramStep2::BoundLeft(QLineEdit* edit, const QFocusEvent& event) {
    // Only a move to another control of the page counts: not the page
    // losing the keyboard (a warning box on top), not the page closing, not
    // a button that checks or puts right the fields by itself.
    const auto reason = event.reason();
    const QWidget* next = QApplication::focusWidget();
    if (Checking || !isVisible() || reason == Qt::ActiveWindowFocusReason ||
        reason == Qt::PopupFocusReason || !next || next->window() != this ||
        next == BackwardButton || next == ForwardButton || next == CancelButton)
        return;
    const TDiagramRangeField field =
        edit == ELeftBound ? TDiagramRangeField::Left : TDiagramRangeField::Right;
    std::string text = edit->text().toStdString();
    Checking = true;
    const bool ok = CheckDiagramField(field, text);
    Checking = false;
    if (!ok)
        FocusField(field);
}

} // namespace orvanta
