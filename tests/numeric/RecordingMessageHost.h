#pragma once

#include "numeric/MessageHost.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace orvanta {

// One message box as the person at the screen would have seen it.
struct TRecordedMessage {
    TMessageKind Kind;
    std::string Text;

    bool operator==(const TRecordedMessage&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const TRecordedMessage& m) {
    static const char* const kinds[] = {"Info", "Warning", "Error"};
    return os << kinds[static_cast<int>(m.Kind)] << ": \"" << m.Text << "\"";
}

// A host for tests: records every message and question and answers from
// queues that the test fills beforehand. A question or input with an empty
// queue fails the test and is answered No / Cancel / cancelled.
class TRecordingMessageHost : public TMessageHost {
public:
    struct TInputRequest {
        std::string Initial;
        std::string Caption;
        bool operator==(const TInputRequest&) const = default;
    };

    void ShowMessage(TMessageKind kind, const std::string& text) override {
        Messages.push_back({kind, text});
    }

    TAnswer AskYesNo(const std::string& text) override {
        Questions.push_back(text);
        return Next(YesNoAnswers, TAnswer::No, "AskYesNo");
    }

    TAnswer AskYesNoCancel(const std::string& text) override {
        Questions.push_back(text);
        return Next(YesNoCancelAnswers, TAnswer::Cancel, "AskYesNoCancel");
    }

    std::optional<std::string> InputString(const std::string& initial,
                                           const std::string& caption) override {
        StringInputs.push_back({initial, caption});
        return Next(StringAnswers, std::optional<std::string>{}, "InputString");
    }

    std::optional<double> InputReal(const std::string& initial,
                                    const std::string& caption) override {
        RealInputs.push_back({initial, caption});
        return Next(RealAnswers, std::optional<double>{}, "InputReal");
    }

    std::vector<TRecordedMessage> Messages;
    std::vector<std::string> Questions;
    std::vector<TInputRequest> StringInputs;
    std::vector<TInputRequest> RealInputs;

    std::deque<TAnswer> YesNoAnswers;
    std::deque<TAnswer> YesNoCancelAnswers;
    std::deque<std::optional<std::string>> StringAnswers;
    std::deque<std::optional<double>> RealAnswers;

private:
    template <class T> static T Next(std::deque<T>& queue, T fallback, const char* what) {
        if (queue.empty()) {
            ADD_FAILURE() << what << " was called with no answer queued";
            return fallback;
        }
        T answer = queue.front();
        queue.pop_front();
        return answer;
    }
};

} // namespace orvanta
