#include "dialogs/StopKeys.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace orvanta {

TStopKeys::TStopKeys(QObject* parent) : QObject(parent) {
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        app->installEventFilter(this);
        connect(app, &QGuiApplication::applicationStateChanged, this,
                [this](Qt::ApplicationState state) {
                    if (state != Qt::ApplicationActive)
                        ReleaseAll();
                });
    }
}

TStopKeys::~TStopKeys() {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

bool TStopKeys::IsStopKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

bool TStopKeys::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<const QKeyEvent*>(event);
    // A held key repeats as release-press pairs; only the last, real
    // release lets it go. A key event passes this filter once for every
    // widget it propagates to, which changes nothing here.
    if (!IsStopKey(key->key()) || (type == QEvent::KeyRelease && key->isAutoRepeat()))
        return QObject::eventFilter(watched, event);
    const bool down = type == QEvent::KeyPress;
    bool& state = key->key() == Qt::Key_Escape  ? EscDown
                  : key->key() == Qt::Key_Enter ? KeypadEnterDown
                                                : ReturnDown;
    const bool released = state && !down;
    state = down;
    if (released)
        emit Released();
    return QObject::eventFilter(watched, event);
}

void TStopKeys::ReleaseAll() {
    const bool any = AnyHeld();
    ReturnDown = KeypadEnterDown = EscDown = false;
    if (any)
        emit Released();
}

} // namespace orvanta
