#include "shell/SingleWindow.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace orvanta {

TSingleWindow::TSingleWindow(QMdiArea& area) : Area(area) {}

TSingleWindow::~TSingleWindow() {
    Close();
}

QWidget* TSingleWindow::Form() const {
    return Sub ? Sub->widget() : nullptr;
}

QMdiSubWindow* TSingleWindow::Window() const {
    return Sub.data();
}

bool TSingleWindow::IsMinimized() const {
    return Sub && Sub->isMinimized();
}

bool TSingleWindow::Open(const std::function<QWidget*()>& makeForm, const QString& name,
                         const QString& title, QSize size, const std::function<void()>& closed) {
    if (!Sub) {
        Sub = Area.addSubWindow(makeForm());
        Sub->setObjectName(name);
        Sub->setWindowTitle(title);
        Sub->setAttribute(Qt::WA_DeleteOnClose);
        // As large as the tables want, within the area of a small screen.
        Sub->resize(size.boundedTo(Area.viewport()->size()));
        QObject::connect(Sub, &QObject::destroyed, &Guard, closed);
    }
    return !Sub->isVisible();
}

void TSingleWindow::KeepInView() {
    if (Sub && !Area.viewport()->rect().contains(Sub->geometry()))
        Sub->move(0, 0);
}

void TSingleWindow::Restore() {
    if (!Sub)
        return;
    Sub->showNormal();
    Sub->raise();
    Area.setActiveSubWindow(Sub);
}

void TSingleWindow::Minimize() {
    if (Sub)
        Sub->showMinimized();
}

void TSingleWindow::Close() {
    if (QMdiSubWindow* sub = Sub.data()) {
        sub->disconnect(&Guard);
        Sub = nullptr;
        Area.removeSubWindow(sub);
        delete sub;
    }
}

} // namespace orvanta
