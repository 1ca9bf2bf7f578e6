#pragma once

#include "plugins/common/LineFileWriter.h"
#include "plugins/common/PluginMessage.h"
#include "plugins/trilattice/SimplexLattice.h"

#include <orvanta/plan_service.h>

#include <optional>
#include <string>
#include <vector>

namespace orvanta {

// The menu captions of the two tools, in Windows-1251 as the host expects.
inline constexpr const char* LatticeToolName =
    "\xd1\xe5\xf2\xea\xe0 \xef\xeb\xee\xf1\xea\xee\xe3\xee \xf1\xe8\xec\xef\xeb\xe5\xea\xf1\xe0";
inline constexpr const char* ExtremumToolName = "\xdd\xea\xf1\xf2\xf0\xe5\xec\xf3\xec "
                                                "\xef\xeb\xee\xf1\xea\xee\xe3\xee "
                                                "\xf1\xe8\xec\xef\xeb\xe5\xea\xf1\xe0";

inline constexpr int MinLatticeDivisions = 3;
inline constexpr int MaxLatticeDivisions = 100;

// Both tools: a computed regression (action 28), three factors and a
// Scheffé polynomial. A null plan (no server handed over yet) is not usable.
bool IsTrilatticeEnabled(OrvPlanService* plan);

// The outcome of "OK" in the lattice dialog. Written says the file was
// written and the dialog closes; otherwise Message tells why not.
struct TLatticeResult {
    std::optional<TPluginMessage> Message;
    std::vector<std::string> Lines;
    bool Written = false;
};

TLatticeResult WriteLattice(OrvPlanService* plan, const std::string& divisionsText,
                            const std::string& fileName, TLineFileWriter& writer);

enum class TExtremumKind { Minimum, Maximum };

// The outcome of "Найти": either Message (the dialog shows it) or the point
// with Text for the result field.
struct TExtremumResult {
    std::optional<TPluginMessage> Message;
    TSimplexPoint Point{};
    double Value = 0.0;
    std::string Text;
};

TExtremumResult FindSimplexExtremum(OrvPlanService* plan, const std::string& divisionsText,
                                    TExtremumKind kind);

} // namespace orvanta
