#pragma once

#include "dialogs/IdlePriority.h"
#include "dialogs/StopKeys.h"

#include <QDialog>

class QLineEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;

namespace orvanta {

// The progress window of the extremum search: how far the search is, the
// response at its current point, a status line and the two ways out,
// "Остановить" (keep the best point so far) and "Отмена" (abandon the
// search). The search itself drives the window through
// MakeExtremumProgress().
//
// Unlike the small dialogs, Enter and Esc never close it: holding them is
// the other way to stop or cancel the search, which reads them between its
// steps (StopKeys()). Closing it from the title bar asks for cancel, like
// "Отмена"; the window goes away when the search ends. While it is shown the
// user-interface thread runs at the lowest priority the system lets it
// come back from.
class TExProgress : public QDialog {
    Q_OBJECT
public:
    explicit TExProgress(QWidget* parent = nullptr);
    ~TExProgress() override;

    // The buttons' requests, both cleared when the window is shown.
    bool StopRequested() const { return Stop; }
    bool CancelRequested() const { return Cancel; }
    const TStopKeys& StopKeys() const { return Keys; }
    bool IsPriorityLowered() const { return Priority.IsLowered(); }
    // Shows `text` in the status bar, widening the window until it fits.
    void ShowStatus(const QString& text);

    QProgressBar* Gauge = nullptr;
    QLineEdit* Edit = nullptr;
    QStatusBar* StatusBar = nullptr;
    QPushButton* StopButton = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void StopButtonClick();
    void CancelButtonClick();

    TStopKeys Keys;
    TIdlePriority Priority;
    bool Stop = false;
    bool Cancel = false;
};

} // namespace orvanta
