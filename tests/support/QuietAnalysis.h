#pragma once

// An analysis without anybody to read its forms: no observations dialog for
// a new plan, no result form shown, the report not brought forward.

#include "plan/Settings.h"

namespace orvanta::test {

inline void SilenceResultForms() {
    TSettings& s = Settings();
    s.CBAlsoCreateY = false;
    s.CBCohrenResultsShow = s.CBStudentResultsShow = s.CBFisherResultsShow = false;
    s.CBCohrenActivateReport = s.CBStudentActivateReport = s.CBFisherActivateReport = false;
}

} // namespace orvanta::test
