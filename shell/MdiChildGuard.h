#pragma once

#include <QObject>

#include <functional>

class QMdiArea;
class QMdiSubWindow;

namespace orvanta {

// Watches every child window of the multiple-document area, whoever made
// it: takes away the keys the toolkit gives each child's system menu (on
// this desktop Ctrl+W closes the child, shadowing the program's own Ctrl+W
// and closing plan windows that must stay), and reports a child minimised,
// maximised or restored by hand, so the commands follow at once.
class TMdiChildGuard : public QObject {
public:
    TMdiChildGuard(QMdiArea& area, std::function<void()> stateChanged);

    // Called whenever a child's minimised, maximised or normal state
    // changed; empty to stop the reports (while the owner goes away).
    std::function<void()> StateChanged;

    // Leaves the child's system menu without keys.
    static void DropMenuKeys(QMdiSubWindow& sub);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Adopt(QMdiSubWindow& sub);
};

} // namespace orvanta
