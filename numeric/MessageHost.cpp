#include "numeric/MessageHost.h"

#include <cstdio>

namespace orvanta {

namespace {

// Without a person at the screen: messages go to standard error, nothing is
// agreed to, nothing is typed.
class TDefaultMessageHost final : public TMessageHost {
public:
    void ShowMessage(TMessageKind kind, const std::string& text) override {
        WriteMessageToStandardError(kind, text);
    }
    TAnswer AskYesNo(const std::string& text) override {
        std::fprintf(stderr, "Орванта: вопрос: %s — нет\n", text.c_str());
        return TAnswer::No;
    }
    TAnswer AskYesNoCancel(const std::string& text) override {
        std::fprintf(stderr, "Орванта: вопрос: %s — отмена\n", text.c_str());
        return TAnswer::Cancel;
    }
    std::optional<std::string> InputString(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<double> InputReal(const std::string&, const std::string&) override {
        return std::nullopt;
    }
};

TDefaultMessageHost DefaultHost;
TMessageHost* Current = nullptr;

} // namespace

void WriteMessageToStandardError(TMessageKind kind, const std::string& text) {
    const char* prefix = kind == TMessageKind::Error     ? "ошибка"
                         : kind == TMessageKind::Warning ? "предупреждение"
                                                         : "сообщение";
    std::fprintf(stderr, "Орванта: %s: %s\n", prefix, text.c_str());
}

void SetMessageHost(TMessageHost* host) {
    Current = host;
}

TMessageHost& CurrentMessageHost() {
    return Current ? *Current : DefaultHost;
}

TMessageHostScope::TMessageHostScope(TMessageHost& host) : Previous(Current) {
    Current = &host;
}

TMessageHostScope::~TMessageHostScope() {
    Current = Previous;
}

} // namespace orvanta
