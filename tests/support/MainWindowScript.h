#pragma once

// The start of a whole session in the desktop program, for the tests that
// drive it: the settings at their defaults, the message boxes caught, and
// the main window shown past its start-up, with a plan opened from the
// command line when one is named.

#include "numeric/NumberText.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "shell/MainForm.h"
#include "shell/MessageBoxes.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orvanta::test {

// The boxes' texts go into `boxes`; each is answered by `answer()`.
inline void CatchMessageBoxes(std::vector<std::string>& boxes, std::function<TAnswer()> answer) {
    boxes.clear();
    SetMessageBoxHook([&boxes, answer = std::move(answer)](TBoxKind, const std::string& text) {
        boxes.push_back(text);
        return answer();
    });
}

// A main window with its dialogs, not shown, without the settings file.
inline std::unique_ptr<TMainForm> CreateMainForm() {
    SetDecimalSeparator('.');
    TMainFormOptions options;
    options.ProgramFolder = ORVAN_BIN_DIR;
    options.ReadSettingsFile = false;
    options.WriteSettingsAtExit = false;
    auto main = std::make_unique<TMainForm>(options);
    main->CreateDialogs();
    return main;
}

// A main window as the program starts it, without the settings file, with
// the plan file `path` opened when one is named.
inline std::unique_ptr<TMainForm> StartMainWindowOn(const QString& path) {
    Settings().SetDefaults();
    SetDecimalSeparator('.');
    TMainFormOptions options;
    options.ProgramFolder = ORVAN_BIN_DIR;
    options.ReadSettingsFile = false;
    options.WriteSettingsAtExit = false;
    if (!path.isEmpty())
        options.Arguments = {path};
    auto main = std::make_unique<TMainForm>(options);
    main->show();
    main->ClockTimerTimer();
    return main;
}

// The same with the example folder's plan `plan`, when it is named.
inline std::unique_ptr<TMainForm> StartMainWindow(const char* plan = nullptr) {
    return StartMainWindowOn(plan ? QStringLiteral(ORVAN_EXAMPLES_DIR "/") + QString::fromUtf8(plan)
                                  : QString());
}

// Closes the session without the question about unsaved changes and lets
// the message boxes go.
inline void EndSession(std::unique_ptr<TMainForm>& main) {
    if (main)
        main->Plan().Modified = false;
    main.reset();
    SetMessageBoxHook({});
}

} // namespace orvanta::test
