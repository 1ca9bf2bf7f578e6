#pragma once

// A message text formatted printf-style and shown in a message box. Numbers
// are always written with a point, whatever the user's locale.

#include <functional>
#include <string>

enum class TMessageKind { Information, Warning, Error, Question };
enum class TMessageAnswer { Ok, Yes, No };

class CFormattedMessage {
public:
    struct TBox {
        void* Owner;
        TMessageKind Kind;
        std::string Caption;
        std::string Text;
    };
    // Answers instead of the message box; returns the previous hook.
    using THook = std::function<TMessageAnswer(const TBox&)>;
    static THook SetHook(THook hook);

    // format and the texts of %s are UTF-8.
    explicit CFormattedMessage(const char* format, ...) __attribute__((format(printf, 2, 3)));

    const std::string& Text() const { return Formatted; }
    // Shows the text over owner (a QWidget* as void*, may be null). A
    // question has Yes and No and answers No when dismissed; the other
    // kinds answer Ok.
    TMessageAnswer Show(void* owner, TMessageKind kind,
                        const std::string& caption = "Орванта") const;

private:
    std::string Formatted;
};
