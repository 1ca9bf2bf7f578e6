#pragma once

#include <optional>
#include <string>

namespace orvanta {

enum class TMessageKind { Info, Warning, Error };
enum class TAnswer { Yes, No, Cancel };

// How the program's core talks to the person at the screen. The desktop
// program shows message boxes with the caption "Орванта", the batch tool
// writes to standard error, tests record every call.
class TMessageHost {
public:
    virtual ~TMessageHost() = default;

    virtual void ShowMessage(TMessageKind kind, const std::string& text) = 0;
    // Yes or No.
    virtual TAnswer AskYesNo(const std::string& text) = 0;
    // Yes, No or Cancel.
    virtual TAnswer AskYesNoCancel(const std::string& text) = 0;
    // The one-line text dialog; nullopt when cancelled.
    virtual std::optional<std::string> InputString(const std::string& initial,
                                                   const std::string& caption) = 0;
    // The real-number dialog (it checks its field like CheckReal); nullopt
    // when cancelled.
    virtual std::optional<double> InputReal(const std::string& initial,
                                            const std::string& caption) = 0;
};

// Writes a message as "Орванта: <kind>: <text>" to standard error (hosts
// without a screen).
void WriteMessageToStandardError(TMessageKind kind, const std::string& text);

// The process-wide host; null restores the default, which writes messages to
// standard error, answers No (or Cancel) and cancels every input.
void SetMessageHost(TMessageHost* host);
TMessageHost& CurrentMessageHost();

// Installs a host for the lifetime of the scope and restores the previous one.
class TMessageHostScope {
public:
    explicit TMessageHostScope(TMessageHost& host);
    ~TMessageHostScope();
    TMessageHostScope(const TMessageHostScope&) = delete;
    TMessageHostScope& operator=(const TMessageHostScope&) = delete;

private:
    TMessageHost* Previous;
};

} // namespace orvanta
