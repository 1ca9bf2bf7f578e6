#pragma once

#include <QString>

#include <optional>
#include <string>
#include <utility>

class QWidget;

namespace orvanta {

// "Экспорт графика": the save dialog of the charts' pictures with the SVG,
// PNG and PDF filters, starting at the last file; the chosen path and the
// index of the chosen filter, or nullopt when cancelled.
std::optional<std::pair<std::string, int>>
RunChartExportDialog(QWidget* parent, const std::string& last, const QString& objectName);

} // namespace orvanta
