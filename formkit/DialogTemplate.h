#pragma once

// A dialog described as data, the way a resource script describes it:
// positions and sizes are dialog units of the dialog's font, so a template
// keeps its proportions whatever font the system substitutes.

#include <string>
#include <vector>

// Id of the controls the code never addresses (labels, group boxes).
inline constexpr int IDC_STATIC = -1;
// Result of a dialog dismissed with Escape or its close box when it has no
// "Отмена" or "Закрыть" button to press instead.
inline constexpr int IDCANCEL = 2;

enum class TControlKind {
    Static,        // a label; with a height it wraps its text
    Edit,          // a one-line edit field
    MultiLineEdit, // a multi-line edit field; line breaks are "\r\n" at the interface
    Button,        // a push button
    DefButton,     // the push button that Enter presses
    RadioButton,   // consecutive radio buttons form one exclusive group
    CheckBox,
    GroupBox, // a frame with a caption drawn behind the controls placed on it
};

struct TControlTemplate {
    int Id = IDC_STATIC;
    TControlKind Kind = TControlKind::Static;
    std::string Text; // UTF-8
    int X = 0;
    int Y = 0;
    int Cx = 0; // 0: as wide as the text needs
    int Cy = 0; // 0: as high as the text needs
};

struct TDialogTemplate {
    std::string Caption; // UTF-8
    int Cx = 0;          // client area, dialog units
    int Cy = 0;
    std::vector<TControlTemplate> Controls;
    std::string FontName = "MS Sans Serif";
    int FontSize = 8; // points
};
