#pragma once

#include <QIcon>

namespace orvanta {

// The pictures of the editor's tool buttons (drawn, 16 x 16 and 32 x 32),
// by the button's object name.
QIcon EditorIcon(const char* buttonName);

} // namespace orvanta
