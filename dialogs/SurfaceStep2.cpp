#include "dialogs/SurfaceStep2.h"

#include "dialogs/NamedWidget.h"
#include "dialogs/WizardSpinEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
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

TSurfaceStep2::TSurfaceStep2(QWidget* parent) : TWizardTemplateForm(parent) {
    setObjectName(QStringLiteral("SurfaceStep2"));
    setWindowTitle(QStringLiteral("Подготовка данных для пространственного графика: шаг 2 из 3"));
    ShowCurvePicture();

    auto* text = WrappedText(QStringLiteral("Расчет значений для построения производится на сетке "
                                            "с прямоугольным ячейками. Размеры и число ячеек для "
                                            "направления изменения каждого из факторов:"),
                             TextPanel);
    QWidget* first = IntervalGroup(QStringLiteral(" Первый фактор: "), "First", Intervals[0]);
    QWidget* second = IntervalGroup(QStringLiteral(" Второй фактор: "), "Second", Intervals[1]);
    EFirstLeft = Intervals[0].Left;
    EFirstRight = Intervals[0].Right;
    SEFirstPoints = Intervals[0].Points;
    ESecondLeft = Intervals[1].Left;
    ESecondRight = Intervals[1].Right;
    SESecondPoints = Intervals[1].Points;

    auto* layout = new QVBoxLayout(TextPanel);
    layout->setContentsMargins(4, 0, 0, 0);
    layout->addWidget(text);
    layout->addWidget(first);
    layout->addWidget(second);
    layout->addStretch();

    // Tab goes through the fields first, then to the buttons.
    QWidget* const order[] = {EFirstLeft,     EFirstRight,   SEFirstPoints,
                              ESecondLeft,    ESecondRight,  SESecondPoints,
                              BackwardButton, ForwardButton, CancelButton};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

QWidget* TSurfaceStep2::IntervalGroup(const QString& title, const char* prefix,
                                      TIntervalFields& fields) {
    const QString name = QString::fromLatin1(prefix);
    auto* group = new QGroupBox(title, TextPanel);
    fields.Left = Named(new QLineEdit(QStringLiteral("-1"), group),
                        QStringLiteral("E") + name + QStringLiteral("Left"));
    fields.Right = Named(new QLineEdit(QStringLiteral("1"), group),
                         QStringLiteral("E") + name + QStringLiteral("Right"));
    fields.Points =
        new TWizardSpinEdit(MinSurfacePoints, MaxSurfacePoints, FirstSurfacePoints, group);
    fields.Points->setObjectName(QStringLiteral("SE") + name + QStringLiteral("Points"));

    // Three labels side by side are wider than the page on some fonts: they
    // wrap under each other rather than being cut off.
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(6, 2, 6, 6);
    grid->setVerticalSpacing(2);
    grid->addWidget(WrappedText(QStringLiteral("Левая граница"), group), 0, 0);
    grid->addWidget(WrappedText(QStringLiteral("Правая граница"), group), 0, 1);
    grid->addWidget(WrappedText(QStringLiteral("Точек разбиения"), group), 0, 2);
    grid->addWidget(fields.Left, 1, 0);
    grid->addWidget(fields.Right, 1, 1);
    grid->addWidget(fields.Points, 1, 2);

    // The buttons check (Forward) or leave alone (Back, Cancel) by themselves.
    fields.Points->CheckOnLeave(SurfaceFieldName(TDiagramRangeField::Points),
                                {BackwardButton, ForwardButton, CancelButton});
    fields.Left->installEventFilter(this);
    fields.Right->installEventFilter(this);
    return group;
}

bool TSurfaceStep2::PageBack() {
    return true;
}

bool TSurfaceStep2::PageForward() {
    TSurfaceTexts texts = FieldTexts();
    Checking = true;
    const TSurfaceField refused = ValidateSurfaceRanges(texts, Answer);
    Checking = false;
    SetFieldTexts(texts);
    FocusField(refused);
    ForwardAllowed = refused.Field == TDiagramRangeField::None;
    return ForwardAllowed;
}

bool TSurfaceStep2::CloseQuery(int result) {
    if (result == PageForwardResult)
        return ForwardAllowed;
    if (result == PageCancelResult) {
        TSurfaceTexts texts = FieldTexts();
        NormaliseSurfaceRanges(texts);
        SetFieldTexts(texts);
    }
    return true;
}

void TSurfaceStep2::showEvent(QShowEvent* event) {
    ForwardAllowed = false;
    for (std::size_t i = 0; i < Intervals.size(); ++i) {
        Answer[i].Left = BoundValue(Intervals[i].Left->text().toStdString());
        Answer[i].Right = BoundValue(Intervals[i].Right->text().toStdString());
    }
    FocusField({0, TDiagramRangeField::Left});
    TWizardTemplateForm::showEvent(event);
}

bool TSurfaceStep2::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        auto* edit = qobject_cast<QLineEdit*>(watched);
        if (edit && BoundField(edit).Field != TDiagramRangeField::None)
            BoundLeft(edit, *static_cast<QFocusEvent*>(event));
    }
    return TWizardTemplateForm::eventFilter(watched, event);
}

TSurfaceTexts TSurfaceStep2::FieldTexts() const {
    TSurfaceTexts texts;
    for (std::size_t i = 0; i < Intervals.size(); ++i)
        texts[i] = {Intervals[i].Left->text().toStdString(),
                    Intervals[i].Right->text().toStdString(),
                    Intervals[i].Points->Text().toStdString()};
    return texts;
}

void TSurfaceStep2::SetFieldTexts(const TSurfaceTexts& texts) {
    for (std::size_t i = 0; i < Intervals.size(); ++i) {
        Intervals[i].Left->setText(Text(texts[i].Left));
        Intervals[i].Right->setText(Text(texts[i].Right));
        Intervals[i].Points->SetText(Text(texts[i].Points));
    }
}

QWidget* TSurfaceStep2::FieldWidget(TSurfaceField field) const {
    if (field.Interval >= Intervals.size())
        return nullptr;
    const TIntervalFields& fields = Intervals[field.Interval];
    switch (field.Field) {
    case TDiagramRangeField::Left:
        return fields.Left;
    case TDiagramRangeField::Right:
        return fields.Right;
    case TDiagramRangeField::Points:
        return fields.Points;
    case TDiagramRangeField::None:
        break;
    }
    return nullptr;
}

void TSurfaceStep2::FocusField(TSurfaceField field) {
    QWidget* widget = FieldWidget(field);
    if (!widget)
        return;
    widget->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->selectAll();
    else
        static_cast<TWizardSpinEdit*>(widget)->selectAll();
}

void TSurfaceStep2::BoundLeft(QLineEdit* edit, const QFocusEvent& event) {
    // Only a move to another control of the page counts: not the page
    // losing the keyboard (a warning box on top), not the page closing, not
    // a button that checks the fields or leaves them alone by itself.
    const auto reason = event.reason();
    const QWidget* next = QApplication::focusWidget();
    if (Checking || !isVisible() || reason == Qt::ActiveWindowFocusReason ||
        reason == Qt::PopupFocusReason || !next || next->window() != this ||
        next == BackwardButton || next == ForwardButton || next == CancelButton)
        return;
    const TSurfaceField field = BoundField(edit);
    std::string text = edit->text().toStdString();
    Checking = true;
    const bool ok = CheckSurfaceField(field.Field, text);
    Checking = false;
    if (!ok)
        FocusField(field);
}

TSurfaceField TSurfaceStep2::BoundField(const QLineEdit* edit) const {
    for (std::size_t i = 0; i < Intervals.size(); ++i) {
        if (edit == Intervals[i].Left)
            return {i, TDiagramRangeField::Left};
        if (edit == Intervals[i].Right)
            return {i, TDiagramRangeField::Right};
    }
    return {};
}

} // namespace orvanta
