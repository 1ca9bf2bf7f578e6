#pragma once

#include "formkit/Dialog.h"
#include "formkit/FileSaveDialog.h"
#include "formkit/FormattedMessage.h"

#include <QFile>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orvanta::test {

// Takes the message boxes and save-file dialogs of a plug-in dialog for the
// length of a test: the boxes are recorded, the save dialog answers Answer
// (no answer: cancelled).
class TDialogHarness {
public:
    TDialogHarness() {
        PreviousMessageHook =
            CFormattedMessage::SetHook([this](const CFormattedMessage::TBox& box) {
                Boxes.push_back(box);
                return TMessageAnswer::Ok;
            });
        PreviousSaveHook = CFileSaveDialog::SetHook([this](const CFileSaveDialog& dialog) {
            SaveTitles.push_back(dialog.GetTitle());
            SaveFilters.push_back(dialog.GetFilter());
            return Answer;
        });
    }
    ~TDialogHarness() {
        CFormattedMessage::SetHook(PreviousMessageHook);
        CFileSaveDialog::SetHook(PreviousSaveHook);
    }
    TDialogHarness(const TDialogHarness&) = delete;
    TDialogHarness& operator=(const TDialogHarness&) = delete;

    // Opens dialog modally and plays script while it is open. Returns what
    // DoModal returned and whether the dialog was still open after the
    // script (it is then closed so that the test does not hang).
    std::pair<int, bool> Run(CDialog& dialog, const std::function<void()>& script) {
        bool stillOpen = false;
        QTimer::singleShot(0, [&] {
            script();
            // A dialog that was ended is hidden at once; DoModal returns
            // once the script is over.
            auto* window = static_cast<QWidget*>(dialog.Handle());
            stillOpen = window && window->isVisible();
            if (stillOpen)
                dialog.EndDialog(-7);
        });
        const int result = dialog.DoModal(nullptr);
        return {result, stillOpen};
    }

    std::optional<CFileSaveDialog::TAnswer> Answer;
    std::vector<CFormattedMessage::TBox> Boxes;
    std::vector<std::string> SaveTitles;
    std::vector<std::string> SaveFilters;

private:
    CFormattedMessage::THook PreviousMessageHook;
    CFileSaveDialog::THook PreviousSaveHook;
};

// The lines of a file written with CR LF line ends; null when it is missing.
inline std::optional<QStringList> ReadCrLfLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QString text = QString::fromUtf8(file.readAll());
    if (text.endsWith(QStringLiteral("\r\n")))
        text.chop(2);
    return text.isEmpty() ? QStringList() : text.split(QStringLiteral("\r\n"));
}

} // namespace orvanta::test
