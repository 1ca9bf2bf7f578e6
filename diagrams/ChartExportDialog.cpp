#include "diagrams/ChartExportDialog.h"

#include "diagrams/ChartExportLogic.h"
#include "dialogs/FileDialog.h"

namespace orvanta {

std::optional<std::pair<std::string, int>>
RunChartExportDialog(QWidget* parent, const std::string& last, const QString& objectName) {
    TFileDialog dialog(parent, QStringLiteral("Экспорт графика"), true);
    dialog.setObjectName(objectName);
    dialog.SetFilters({ShownFilterEntry(QStringLiteral("Рисунок SVG (*.svg)")),
                       ShownFilterEntry(QStringLiteral("Рисунок PNG (*.png)")),
                       ShownFilterEntry(QStringLiteral("Документ PDF (*.pdf)"))});
    dialog.SetFinalPath([](const QString& chosen, int filterIndex) {
        return QString::fromStdString(ChartExportFileFor(chosen.toStdString(), filterIndex).Path);
    });
    if (!last.empty())
        dialog.selectFile(QString::fromStdString(last));
    const auto choice = dialog.Run();
    if (!choice)
        return std::nullopt;
    return std::make_pair(choice->Path.toStdString(), choice->FilterIndex);
}

} // namespace orvanta
