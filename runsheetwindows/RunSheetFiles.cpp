#include "runsheetwindows/RunSheetFiles.h"

#include "dialogs/FileDialog.h"
#include "numeric/FileNames.h"
#include "numeric/Stream.h"
#include "plan/RaruRuro.h"
#include "runsheet/RunSheet.h"
#include "runsheet/SheetFiles.h"
#include "runsheet/SheetHtml.h"
#include "runsheetwindows/RunSheetDialog.h"
#include "services/SafeWrite.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

#include <algorithm>
#include <optional>

namespace orvanta {

namespace {

// The folder and name of the last sheet, for the next dialog.
std::string LastSheet;

const QString Extensions[] = {QStringLiteral("csv"), QStringLiteral("html"), QStringLiteral("pdf")};

QList<TFilterEntry> SaveFilters() {
    return {ShownFilterEntry(QStringLiteral("Таблица CSV (*.csv)")),
            ShownFilterEntry(QStringLiteral("Страница HTML (*.html *.htm)")),
            ShownFilterEntry(QStringLiteral("Документ PDF (*.pdf)"))};
}

// The name with the extension of the selected entry when it has none.
QString SheetPath(const QString& chosen, int filterIndex) {
    if (!SplitFileName(chosen.toStdString()).Extension.empty())
        return chosen;
    return chosen + QLatin1Char('.') + Extensions[std::clamp(filterIndex, 0, 2)];
}

std::string InitialName(const TRaruRuro& plan) {
    if (!LastSheet.empty())
        return LastSheet;
    if (plan.FileName.empty())
        return "Рабочий лист.csv";
    const TFileNameParts parts = SplitFileName(plan.FileName);
    return parts.Folder + parts.Name + ".csv";
}

} // namespace

QByteArray RunSheetPdf(const std::string& html) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setCreator(QStringLiteral("Орванта"));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    QTextDocument document;
    document.setHtml(QString::fromStdString(html));
    document.print(&pdf);
    return bytes;
}

bool SaveRunSheet(QWidget* parent, TRaruRuro& plan) {
    TRunSheetDialog order(parent);
    const auto chosen = order.Run();
    if (!chosen)
        return false;
    TFileDialog dialog(parent, QStringLiteral("Рабочий лист"), true);
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    dialog.SetFilters(SaveFilters());
    dialog.SetFinalPath(SheetPath);
    dialog.selectFile(QString::fromStdString(InitialName(plan)));
    const auto choice = dialog.Run();
    if (!choice)
        return false;
    const std::string path = SheetPath(choice->Path, choice->FilterIndex).toStdString();
    const TRunSheet sheet = MakeRunSheet(
        plan, chosen->Random ? std::optional<std::uint32_t>(chosen->Seed) : std::nullopt);
    const std::string date = SheetDate(plan.Clock());
    const TSheetFormat format = SheetFormatOf(path);
    bool written = false;
    if (format == TSheetFormat::Pdf) {
        const QByteArray bytes = RunSheetPdf(RunSheetHtml(sheet, date));
        written = WriteFileSafely(path, [&](TStream& stream) {
            stream.Write(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        });
    } else {
        written = WriteRunSheet(path, sheet, format, date);
    }
    if (written)
        LastSheet = path;
    return written;
}

bool ImportFilledRunSheet(QWidget* parent, TRaruRuro& plan) {
    TFileDialog dialog(parent, QStringLiteral("Импорт из рабочего листа"), false);
    dialog.setObjectName(QStringLiteral("OpenDialog"));
    dialog.SetFilters({ShownFilterEntry(QStringLiteral("Таблица CSV (*.csv)")), AllFilesEntry()});
    dialog.selectFile(QString::fromStdString(InitialName(plan)));
    const auto choice = dialog.Run();
    if (!choice || !ImportRunSheet(plan, choice->Path.toStdString()))
        return false;
    LastSheet = choice->Path.toStdString();
    return true;
}

} // namespace orvanta
