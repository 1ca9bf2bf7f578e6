#include "dialogs/KeyPreview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace orvanta {

namespace {

// Qt reports a letter key by its upper-case code point: "Ю" and "Б" sit on
// the "." and "," keys of the Russian layout.
constexpr int CyrillicYu = 0x042E;
constexpr int CyrillicBe = 0x0411;

} // namespace

TKeyPreview::TKeyPreview(QWidget& window, THandler handler)
    : QObject(&window), Window(window), Handler(std::move(handler)) {}

TKeyPreview::~TKeyPreview() {
    Stop();
}

void TKeyPreview::Start() {
    if (Active)
        return;
    // The application sees a key before the focused widget does; a filter
    // on the window alone would only get what its children leave over.
    qApp->installEventFilter(this);
    Active = true;
}

void TKeyPreview::Stop() {
    if (!Active)
        return;
    qApp->removeEventFilter(this);
    Active = false;
}

bool TKeyPreview::IsPeriodKey(const QKeyEvent& event) {
    const int key = event.key();
    return key == Qt::Key_Period || key == Qt::Key_Greater || key == CyrillicYu;
}

bool TKeyPreview::IsCommaKey(const QKeyEvent& event) {
    const int key = event.key();
    return key == Qt::Key_Comma || key == Qt::Key_Less || key == CyrillicBe;
}

bool TKeyPreview::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    // Keys of a message box over the window are the box's own.
    if (!widget || widget->window() != &Window || !Window.isVisible())
        return false;
    auto& key = static_cast<QKeyEvent&>(*event);
    if (type == QEvent::KeyRelease && key.isAutoRepeat())
        return false;
    return Handler(key);
}

} // namespace orvanta
