#include "formkit/FileSaveDialog.h"

#include <QFileDialog>
#include <QStringList>

namespace {

CFileSaveDialog::THook& Hook() {
    static CFileSaveDialog::THook hook;
    return hook;
}

// "Текст|*.txt|Все|*.*" as Qt name filters. The patterns stay in the
// filter for Qt to match with but are hidden, so an entry reads exactly as
// its description.
QStringList NameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1].trimmed();
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Here "*.*" would hide the files without an extension.
        if (patterns == QStringLiteral("*.*"))
            patterns = QStringLiteral("*");
        filters << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters;
}

std::string BareExtension(const std::string& ext) {
    const std::size_t start = ext.find_first_not_of('.');
    return start == std::string::npos ? std::string() : ext.substr(start);
}

} // namespace

CFileSaveDialog::THook CFileSaveDialog::SetHook(THook hook) {
    THook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

bool CFileSaveDialog::DoModal(void* owner) {
    std::optional<TAnswer> answer = Hook() ? Hook()(*this) : AskUser(owner);
    if (!answer || answer->Path.empty())
        return false;
    Name = WithDefaultExt(answer->Path);
    Index = answer->FilterIndex;
    return true;
}

std::optional<CFileSaveDialog::TAnswer> CFileSaveDialog::AskUser(void* owner) const {
    QFileDialog dialog(static_cast<QWidget*>(owner), QString::fromStdString(Title));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !OverwritePrompt);
    const QStringList filters = NameFilters(Filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.value(Index - 1, filters.first()));
    }
    // Qt adds the extension before it asks about overwriting, so the
    // question names the file that will really be written.
    dialog.setDefaultSuffix(QString::fromStdString(BareExtension(DefaultExt)));
    if (!Name.empty())
        dialog.selectFile(QString::fromStdString(Name));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const auto index = filters.indexOf(dialog.selectedNameFilter());
    return TAnswer{dialog.selectedFiles().first().toStdString(), index < 0 ? 1 : int(index) + 1};
}

std::string CFileSaveDialog::WithDefaultExt(const std::string& path) const {
    const std::string ext = BareExtension(DefaultExt);
    if (ext.empty())
        return path;
    const std::size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty() || name.find('.') != std::string::npos)
        return path;
    return path + "." + ext;
}
