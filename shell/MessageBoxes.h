#pragma once

#include "numeric/MessageHost.h"

#include <functional>
#include <string>

class QWidget;

namespace orvanta {

// The five kinds of message box of the program.
enum class TBoxKind { Info, Warning, Error, YesNo, YesNoCancel };

// Shows a modal box with the caption "Орванта": information, warning and
// error with "OK"; the questions with the warning icon and "Да", "Нет"
// ("Отмена"). Closing a Yes/No box counts as No, a Yes/No/Cancel box as
// Cancel. Information boxes answer Yes.
TAnswer ShowMessageBox(QWidget* parent, TBoxKind kind, const std::string& text);

// Tests replace the boxes with a function that records them and answers;
// an empty function restores the real boxes.
using TMessageBoxHook = std::function<TAnswer(TBoxKind kind, const std::string& text)>;
void SetMessageBoxHook(TMessageBoxHook hook);

} // namespace orvanta
