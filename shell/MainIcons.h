#pragma once

#include <QIcon>

namespace orvanta {

// The pictures of the tool buttons (drawn, so they scale with the screen),
// by the button's object name; an empty icon for an unknown name.
QIcon CommandIcon(const char* buttonName);

// The program's own picture: design points over a response surface.
QPixmap ProgramPicture(int size);

} // namespace orvanta
