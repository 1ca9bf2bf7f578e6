#include "formkit/CenterWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

void utCenterWindow(void* window, void* owner) {
    auto* widget = static_cast<QWidget*>(window);
    if (!widget)
        return;
    QWidget* ownerWindow = owner ? static_cast<QWidget*>(owner)->window() : nullptr;
    if (ownerWindow && (!ownerWindow->isVisible() || ownerWindow->isMinimized()))
        ownerWindow = nullptr;
    QScreen* screen = ownerWindow ? ownerWindow->screen() : widget->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    const QRect around = ownerWindow ? ownerWindow->frameGeometry() : available;
    const QSize size = widget->frameGeometry().size();
    QPoint topLeft(around.x() + (around.width() - size.width()) / 2,
                   around.y() + (around.height() - size.height()) / 2);
    // An owner near the screen's edge must not push the window off it.
    if (available.isValid()) {
        topLeft.setX(std::max(available.left(),
                              std::min(topLeft.x(), available.right() + 1 - size.width())));
        topLeft.setY(std::max(available.top(),
                              std::min(topLeft.y(), available.bottom() + 1 - size.height())));
    }
    widget->move(topLeft);
}
