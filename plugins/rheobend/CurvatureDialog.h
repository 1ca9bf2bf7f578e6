#pragma once

#include "formkit/Dialog.h"
#include "plugins/common/LineFileWriter.h"

#include <orvanta/plan_service.h>

namespace orvanta {

// "Коэффициент кривизны": asks for the argument interval and the divisions,
// then for the file, and writes the curvature of the fitted curve.
class TCurvatureDialog : public CDialog {
public:
    enum : int {
        IdDivisions = 1000,
        IdCompute = 1011,
        IdCancel = 1012,
        IdFrom = 1013,
        IdTo = 1014,
        IdExtremum = 1015,
    };

    TCurvatureDialog(OrvPlanService* plan, TLineFileWriter& writer);

    static TDialogTemplate MakeTemplate();

protected:
    void OnCommand(int id) override;

private:
    void Compute();

    OrvPlanService* Plan;
    TLineFileWriter& Writer;
};

} // namespace orvanta
