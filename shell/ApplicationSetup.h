#pragma once

class QApplication;

namespace orvanta {

// The program's name for the desktop and the toolkit's own dialogs (files,
// colours, fonts) in Russian. No display name is set: the desktop would
// append it to every window title, and the titles are the program's own.
void SetUpApplication(QApplication& app);

} // namespace orvanta
