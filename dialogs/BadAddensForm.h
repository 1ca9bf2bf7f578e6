#pragma once

#include "dialogs/DialogClosing.h"

#include <string>
#include <vector>

class QListWidget;
class QPushButton;

namespace orvanta {

// "Модель определена не полностью": the terms of step 4 still without a
// function. Its one button closes it (Enter and Esc alike).
class TBadAddensForm : public TSmallDialog {
    Q_OBJECT
public:
    explicit TBadAddensForm(QWidget* parent = nullptr);

    // Shows the lines ("Слагаемое № i") modally.
    void Run(const std::vector<std::string>& lines);

    QListWidget* LBBadAddens = nullptr;
    QPushButton* OkButton = nullptr;
};

} // namespace orvanta
