#pragma once

#include <cstdint>
#include <vector>

namespace orvanta {

class TMainForm;
class TPlanService;

// The main window's menus and tool bars.
enum class TMenuId { File, Export, Import, Experiment, Graph, View, Form, Service, PlugIns, Help };
enum class TBarId { None, Start, Analysis, Results };

// One command of the main window: its menu item, its tool button (when it
// has one), the plan action that enables it and what it runs. A command
// with a plan operation runs it only when the action is available; the
// others run their handler.
struct TCommandInfo {
    TMenuId Menu;
    const char* Item;     // object name of the menu item
    const char* Caption;  // the item's caption
    const char* Shortcut; // key sequence, or ""
    std::int32_t Action;  // CanDo action, -1 when the item is not tied to one
    bool (TPlanService::*Operation)() = nullptr;
    void (TMainForm::*Handler)() = nullptr;
    bool SeparatorBefore = false;
    bool Checkable = false;
    const char* Button = nullptr; // object name of the tool button
    const char* ButtonCaption = nullptr;
    const char* Hint = nullptr;
    TBarId Bar = TBarId::None;
    // Re-evaluated by its action when the menu opens.
    bool Reevaluate = true;
    // Also needs the observations (the residuals' pictures).
    bool NeedsObservations = false;
    // Also needs the plan's model (the plan before the experiment).
    bool NeedsModel = false;
};

// Every command, menu by menu in menu order.
const std::vector<TCommandInfo>& CommandTable();

// The menus' object names and captions.
struct TMenuInfo {
    TMenuId Menu;
    const char* Name;
    const char* Caption;
};
const std::vector<TMenuInfo>& MenuTable();

} // namespace orvanta
