#pragma once

#include "formkit/Dialog.h"

#include <orvanta/plan_service.h>

namespace orvanta {

// "Экстремум на симплекс-решетке": searches the lattice for the smallest or
// largest fitted response and stays open for further searches.
class TExtremumDialog : public CDialog {
public:
    enum : int {
        IdDivisions = 1000,
        IdMinimum = 1003,
        IdMaximum = 1004,
        IdResult = 1005,
        IdFind = 1006,
        IdClose = 1007,
    };

    explicit TExtremumDialog(OrvPlanService* plan);

    static TDialogTemplate MakeTemplate();

protected:
    void OnInitDialog() override;
    void OnCommand(int id) override;

private:
    void Find();

    OrvPlanService* Plan;
};

} // namespace orvanta
