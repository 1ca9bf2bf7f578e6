#pragma once

#include "plan/PlanHost.h"

#include <memory>
#include <string>

namespace orvanta {

class TExProgress;

// One extremum search's view of the progress window: shows the window with
// the caption, the value at the start point and the status text, window-modal
// to its parent; hides it again when destroyed. The window must outlive the
// returned object.
//
// Update() shows the percentage and the value (general format, up to 15
// significant digits); Poll() lets the window handle what the person did and
// answers Cancel for a held Esc or "Отмена", Stop for a held Enter or
// "Остановить"; WaitForKeyRelease() keeps the window alive, flashing it,
// until neither key is held.
std::unique_ptr<TExtremumProgress> MakeExtremumProgress(TExProgress& window,
                                                        const std::string& caption, double value,
                                                        const std::string& status);

} // namespace orvanta
