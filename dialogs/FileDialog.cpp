#include "dialogs/FileDialog.h"

#include "numeric/Messages.h"

#include <QFileInfo>
#include <QStringList>

namespace orvanta {

TFilterEntry ShownFilterEntry(const QString& text) {
    const qsizetype open = text.lastIndexOf(QLatin1Char('('));
    const qsizetype close = text.lastIndexOf(QLatin1Char(')'));
    if (open < 0 || close < open)
        return {text, QStringLiteral("*")};
    return {text, text.mid(open + 1, close - open - 1)};
}

TFilterEntry AllFilesEntry() {
    return {QStringLiteral("Все файлы (*.*)"), QStringLiteral("*")};
}

TFileDialog::TFileDialog(QWidget* parent, const QString& title, bool save)
    : QFileDialog(parent, title) {
    setOption(QFileDialog::DontUseNativeDialog);
    // The entries read as their texts; the patterns Qt lists files by are
    // kept after them, hidden.
    setOption(QFileDialog::HideNameFilterDetails);
    // The program asks itself, about the file it will really write.
    setOption(QFileDialog::DontConfirmOverwrite);
    setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // A name typed without its extension is a name the program completes:
    // the dialog must not refuse it as a file that does not exist.
    setFileMode(QFileDialog::AnyFile);
}

void TFileDialog::SetFilters(const QList<TFilterEntry>& entries) {
    QStringList filters;
    EntryTexts.clear();
    for (const TFilterEntry& entry : entries) {
        filters << entry.Text + QStringLiteral(" (") + entry.Patterns + QLatin1Char(')');
        EntryTexts << entry.Text;
    }
    // The first entry is the one selected now.
    setNameFilters(filters);
}

void TFileDialog::SetFinalPath(TFinalPath finalPath) {
    FinalPath = std::move(finalPath);
}

int TFileDialog::FilterIndex() const {
    // Qt names the selected entry by its whole filter or, with the patterns
    // hidden, by the text shown, depending on its version.
    const QString selected = selectedNameFilter();
    auto index = nameFilters().indexOf(selected);
    if (index < 0)
        index = EntryTexts.indexOf(selected);
    return index < 0 ? 0 : static_cast<int>(index);
}

std::optional<TFileDialogChoice> TFileDialog::Run() {
    if (exec() != QDialog::Accepted || selectedFiles().isEmpty())
        return std::nullopt;
    return TFileDialogChoice{selectedFiles().front(), FilterIndex()};
}

void TFileDialog::accept() {
    if (acceptMode() == QFileDialog::AcceptSave) {
        const QStringList files = selectedFiles();
        if (!files.isEmpty() && !MayWrite(files.front()))
            return;
    }
    QFileDialog::accept();
}

bool TFileDialog::MayWrite(const QString& chosen) {
    // A folder is opened by the dialog, not written.
    if (QFileInfo(chosen).isDir())
        return true;
    const QString path = FinalPath ? FinalPath(chosen, FilterIndex()) : chosen;
    const QFileInfo file(path);
    if (!file.exists() || file.isDir())
        return true;
    return AskYesNo("Файл \"" + path.toStdString() + "\" уже существует.\nЗаменить его?");
}

} // namespace orvanta
