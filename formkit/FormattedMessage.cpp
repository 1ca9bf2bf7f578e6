#include "formkit/FormattedMessage.h"

#include <QMessageBox>

#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <locale.h>
#include <vector>

namespace {

CFormattedMessage::THook& Hook() {
    static CFormattedMessage::THook hook;
    return hook;
}

// The "C" locale for this thread only while formatting: the application
// may have taken the user's locale, which writes "%f" with a comma.
class TClassicNumbers {
public:
    TClassicNumbers() : Classic(newlocale(LC_ALL_MASK, "C", locale_t(0))) {
        if (Classic)
            Previous = uselocale(Classic);
    }
    ~TClassicNumbers() {
        if (Classic) {
            uselocale(Previous);
            freelocale(Classic);
        }
    }
    TClassicNumbers(const TClassicNumbers&) = delete;
    TClassicNumbers& operator=(const TClassicNumbers&) = delete;

private:
    locale_t Classic;
    locale_t Previous = locale_t(0);
};

QMessageBox::Icon IconOf(TMessageKind kind) {
    switch (kind) {
    case TMessageKind::Information:
        return QMessageBox::Information;
    case TMessageKind::Warning:
        return QMessageBox::Warning;
    case TMessageKind::Error:
        return QMessageBox::Critical;
    case TMessageKind::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

CFormattedMessage::THook CFormattedMessage::SetHook(THook hook) {
    THook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

CFormattedMessage::CFormattedMessage(const char* format, ...) {
    TClassicNumbers classic;
    va_list args;
    va_start(args, format);
    va_list measuring;
    va_copy(measuring, args);
    const int length = std::vsnprintf(nullptr, 0, format, measuring);
    va_end(measuring);
    if (length > 0) {
        std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, args);
        Formatted.assign(buffer.data(), static_cast<std::size_t>(length));
    }
    va_end(args);
}

TMessageAnswer CFormattedMessage::Show(void* owner, TMessageKind kind,
                                       const std::string& caption) const {
    if (Hook())
        return Hook()(TBox{owner, kind, caption, Formatted});
    const bool question = kind == TMessageKind::Question;
    QMessageBox box(IconOf(kind), QString::fromStdString(caption),
                    QString::fromStdString(Formatted),
                    question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    static_cast<QWidget*>(owner));
    if (question) {
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    }
    const int pressed = box.exec();
    if (!question)
        return TMessageAnswer::Ok;
    return pressed == QMessageBox::Yes ? TMessageAnswer::Yes : TMessageAnswer::No;
}
