#pragma once

#include <QObject>
#include <QPointer>
#include <QSize>

#include <functional>

class QMdiArea;
class QMdiSubWindow;
class QString;
class QWidget;

namespace orvanta {

// A window of which the plan has at most one inside the main window's area
// (the statistics, the evaluation of the plan): made on its first showing,
// brought forward after that, closed with the plan. `Closed` runs when the
// person closes it.
class TSingleWindow {
public:
    explicit TSingleWindow(QMdiArea& area);
    virtual ~TSingleWindow();
    TSingleWindow(const TSingleWindow&) = delete;
    TSingleWindow& operator=(const TSingleWindow&) = delete;

    void Restore();
    void Minimize();
    void Close();
    bool IsOpen() const { return !Sub.isNull(); }
    bool IsMinimized() const;
    QMdiSubWindow* Window() const;

protected:
    // Puts `form` into a new window sized for the area unless one is open;
    // whether the window is new.
    bool Open(const std::function<QWidget*()>& makeForm, const QString& name, const QString& title,
              QSize size, const std::function<void()>& closed);
    // After the first showing: a new window starts where the area shows all
    // of it.
    void KeepInView();
    QWidget* Form() const;

    QMdiArea& Area;

private:
    QPointer<QMdiSubWindow> Sub;
    QObject Guard;
};

} // namespace orvanta
