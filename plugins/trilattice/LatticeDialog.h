#pragma once

#include "formkit/Dialog.h"
#include "plugins/common/LineFileWriter.h"

#include <orvanta/plan_service.h>

namespace orvanta {

// "Расчет значений на симплекс-решетке": asks for the divisions and the
// file and writes the fitted response over the lattice.
class TLatticeDialog : public CDialog {
public:
    enum : int {
        IdDivisions = 1000,
        IdChoose = 1001,
        IdFile = 1002,
        IdOk = 1008,
        IdCancel = 1009,
    };

    TLatticeDialog(OrvPlanService* plan, TLineFileWriter& writer);

    static TDialogTemplate MakeTemplate();

protected:
    void OnCommand(int id) override;

private:
    void ChooseFile();
    void WriteFile();

    OrvPlanService* Plan;
    TLineFileWriter& Writer;
};

} // namespace orvanta
