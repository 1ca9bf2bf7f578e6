#include "shell/MdiChildGuard.h"

#include <QAction>
#include <QChildEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

namespace orvanta {

namespace {

constexpr Qt::WindowStates SizeStates =
    Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

const char* const AdoptedProperty = "orvantaAdopted";

} // namespace

TMdiChildGuard::TMdiChildGuard(QMdiArea& area, std::function<void()> stateChanged)
    : QObject(&area), StateChanged(std::move(stateChanged)) {
    // Children live on the viewport; each is polished before it first
    // shows, which is before any key can reach it.
    area.viewport()->installEventFilter(this);
}

void TMdiChildGuard::DropMenuKeys(QMdiSubWindow& sub) {
    if (QMenu* menu = sub.systemMenu())
        for (QAction* action : menu->actions())
            action->setShortcuts(QList<QKeySequence>());
}

void TMdiChildGuard::Adopt(QMdiSubWindow& sub) {
    DropMenuKeys(sub);
    if (sub.property(AdoptedProperty).toBool())
        return;
    sub.setProperty(AdoptedProperty, true);
    // Activation changes the state too; only the size states matter here.
    connect(&sub, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates before, Qt::WindowStates after) {
                if (((before ^ after) & SizeStates) && StateChanged)
                    StateChanged();
            });
}

bool TMdiChildGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ChildPolished)
        if (auto* sub = qobject_cast<QMdiSubWindow*>(static_cast<QChildEvent*>(event)->child()))
            Adopt(*sub);
    return QObject::eventFilter(watched, event);
}

} // namespace orvanta
