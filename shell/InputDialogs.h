#pragma once

#include <QDialog>

#include <optional>

class QLineEdit;
class QPushButton;

namespace orvanta {

// The modal one-line text dialog: Enter or "OK" accepts, "Отмена" or Escape
// cancels. Centred on the screen.
class TStringInputDlg : public QDialog {
    Q_OBJECT
public:
    explicit TStringInputDlg(QWidget* parent = nullptr);
    // The edited text, nullopt when cancelled. An empty caption keeps the
    // previous one.
    std::optional<QString> Run(const QString& initial, const QString& caption);

    QLineEdit* Edit = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
};

// The modal real-number dialog. Leaving the field and confirming check it as
// a real number with the program's warning; a failed check keeps the dialog
// open with the focus in the field. Cancelling empties the field.
class TFloatInputDlg : public QDialog {
    Q_OBJECT
public:
    explicit TFloatInputDlg(QWidget* parent = nullptr);
    std::optional<double> Run(const QString& initial, const QString& caption);

    QLineEdit* Edit = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

    // "Отмена" and Escape: the field emptied, the value 0.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OKButtonClick();
    // CheckReal on the field; the focus goes back on failure.
    bool CheckField();

    double Value = 0.0;
    bool Checking = false;
};

} // namespace orvanta
