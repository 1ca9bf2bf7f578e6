#pragma once

#include "stats/StatisticsTables.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace orvanta {

// The statistics window of the plan's model: one tab per part (analysis of
// variance, fit, coefficients, canonical analysis or steepest ascent,
// Lenth's effects, diagnostics), each with its tables and the lines around
// them. Its menu "Правка" joins the main window's menu bar while it is
// active: copy as tab-separated text, save as rich text or plain text, and
// the way to the stationary point.
class TStatisticsForm : public QWidget {
    Q_OBJECT
public:
    explicit TStatisticsForm(QWidget* parent = nullptr);

    // Shows the sections; the tab that was open stays open when the new
    // statistics have it too.
    void SetSections(std::vector<TStatSection> sections);
    // Shows why there are no statistics instead of the tabs.
    void ShowMessage(const QString& text);
    const std::vector<TStatSection>& Sections() const { return Shown; }

    // The table `index` of the section `key` (nullptr when not shown).
    QTableWidget* Table(const std::string& key, int index = 0) const;
    // The selected cells of the current tab's table, or the whole of it with
    // its header when at most one cell is selected, as tab-separated text.
    QString CopyText() const;
    // Writes every section to `path`, safely: rich text (tables as tables)
    // or Windows-1251 plain text with CR LF line ends.
    bool SaveTo(const std::string& path, bool plainText) const;

    // "Перейти в стационарную точку" (offered only with a canonical analysis).
    std::function<void()> OnStationaryPoint;
    // The save dialog: the chosen path and whether it is plain text, or
    // nullopt when cancelled. By default the program's own file dialog.
    std::function<std::optional<std::pair<std::string, bool>>(const std::string& initial)> AskFile;

    // The save dialog's caption and the name it offers first.
    QString SaveCaption = QStringLiteral("Сохранение статистики модели");
    std::string SaveName = "Статистика модели";

    QTabWidget* Tabs = nullptr;
    QLabel* Message = nullptr;
    QMenu* EditMenu = nullptr;
    QAction* CopyItem = nullptr;
    QAction* CopyAllItem = nullptr;
    QAction* SaveAsItem = nullptr;
    QAction* StationaryItem = nullptr;

    void CopyItemClick();
    void CopyAllItemClick();
    void SaveAsItemClick();

protected:
    // Ctrl+C in a table copies the table, not only its current cell.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateMenus();
    QWidget* SectionPage(const TStatSection& section);
    QTableWidget* CreateTable(const TStatTable& table, const QString& name);
    std::optional<std::pair<std::string, bool>> RunSaveDialog(const std::string& initial);

    std::vector<TStatSection> Shown;
    std::string LastFile;
};

} // namespace orvanta
