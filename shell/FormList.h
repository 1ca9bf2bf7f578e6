#pragma once

#include "shell/WindowArrangement.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QGroupBox;
class QListWidget;
class QPushButton;

namespace orvanta {

// The check list of plan windows that an operation of the Window menu acts
// on. Every listed window starts checked; "Всегда выводить этот список"
// says whether the list is shown at all the next time.
class TFormList : public QDialog {
    Q_OBJECT
public:
    explicit TFormList(QWidget* parent = nullptr);

    // Lists the windows by caption, all checked.
    void SetWindows(const std::vector<TPlanWindow>& windows);
    std::vector<TPlanWindow> AllWindows() const;
    std::vector<TPlanWindow> CheckedWindows() const;

    bool ShowAlways() const;
    void SetShowAlways(bool on);

    QGroupBox* WindowsGroup = nullptr;
    QListWidget* LBWindows = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QCheckBox* CBShowAlways = nullptr;

private:
    std::vector<TPlanWindow> Windows(bool checkedOnly) const;
};

// "Свернуть": the windows to minimise.
class TMinimizeDialog : public TFormList {
    Q_OBJECT
public:
    explicit TMinimizeDialog(QWidget* parent = nullptr);
};

// "Показать": the minimised windows to restore.
class TShowDialog : public TFormList {
    Q_OBJECT
public:
    explicit TShowDialog(QWidget* parent = nullptr);
};

// "Расположить окна": the windows to arrange over the client area.
class TArrangeDialog : public TFormList {
    Q_OBJECT
public:
    explicit TArrangeDialog(QWidget* parent = nullptr);
};

} // namespace orvanta
