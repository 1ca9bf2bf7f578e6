#pragma once

#include "dialogs/DialogClosing.h"
#include "plan/PlanHost.h"

#include <optional>

class QLineEdit;
class QPushButton;

namespace orvanta {

// The observations dialog: how many parallel repeats each run has and what
// the response is called. The repeat count must be an integer from 1 to 64;
// it is checked on "Ok" and when the field is left, and a wrong count keeps
// the focus in the field. The fields keep their texts from one use to the
// next.
class TYMparams : public TSmallDialog {
    Q_OBJECT
public:
    explicit TYMparams(QWidget* parent = nullptr);

    // Shows the dialog modally with the request's caption and response name;
    // the two fields as typed on "Ok", nullopt on "Отмена".
    std::optional<TRepeatsAnswer> Run(const TRepeatsRequest& request);

    QLineEdit* ERepeats = nullptr;
    QLineEdit* EY = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    bool Validate() override;
    // The repeat count is brought into 1 .. 64.
    void Restore() override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The program's integer check of the repeat count, with its warning; on
    // failure the field holds the smallest count and keeps the focus.
    bool CheckRepeats();

    bool Checking = false;
};

} // namespace orvanta
