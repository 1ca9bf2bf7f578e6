#pragma once

#include "plan/Settings.h"

#include <QTabWidget>

#include <array>
#include <string>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSlider;

namespace orvanta {

class TColorSwatch;

// The pages of the options dialog — "Общие", "Отчет", "График" (the
// diagram), "Диаграмма" (the surface) and "Статистика" — with one control for each option
// of the settings record, named after the option, and the rules that tie
// controls together while the person edits.
class TOptionsPages : public QTabWidget {
    Q_OBJECT
public:
    explicit TOptionsPages(QWidget* parent = nullptr);

    // Every control from the record, then the partners and the divider
    // field brought in line with their boxes.
    void Load(const TSettings& settings);
    // Every control into the record. Texts are cut to what the record
    // holds; a list with nothing chosen leaves its option as it was, and so
    // does the divider field while the divider is off (it shows nothing then).
    void Store(TSettings& settings) const;

    // "Выделить все" and "Обратить" over the report items.
    void SelectAllReportItems();
    void InvertReportItems();

    QCheckBox* Flag(const QString& name) const;

    // The divider first, then the sections in report order through
    // "Отмечать конец отчета".
    std::vector<QCheckBox*> ReportItems;
    // Each results box with its "Сразу показать отчет" partner.
    std::array<std::pair<QCheckBox*, QCheckBox*>, 3> ResultPairs{};

    QCheckBox* CBUseDivider = nullptr;
    QLineEdit* EDividerString = nullptr;
    QPushButton* SelectAllButton = nullptr;
    QPushButton* InvertButton = nullptr;
    QLineEdit* ELegend = nullptr;
    QComboBox* CBGridStyle = nullptr;
    QSlider* TBMass = nullptr;
    QListWidget* LBSurfScheme = nullptr;
    // "Статистика": the error term, the level and the exact quantiles.
    QRadioButton* RBPureError = nullptr;
    QRadioButton* RBResidual = nullptr;
    QComboBox* EAlpha = nullptr;

    // True when every typed field holds a value the record takes; otherwise
    // the field's warning, its page shown and the field focused.
    bool CheckFields();

    // The list rows of "Закраска поверхности:" hold these stored values.
    static constexpr std::array<std::uint8_t, 3> SurfSchemeValues{0, 2, 1};
    // The longest text of the record's text fields, in characters (each one
    // byte in the stored code page).
    static constexpr int MaxTextLength = 255;

    // A check box or a colour swatch of one option: object name, caption,
    // the option.
    struct TFlagInfo {
        const char* Name;
        const char* Caption;
        bool TSettings::*Field;
    };
    struct TColorInfo {
        const char* Name;
        const char* Caption;
        TColorValue TSettings::*Field;
    };

private:
    QWidget* GeneralPage();
    QWidget* ReportPage();
    QWidget* DiagramPage();
    QWidget* SurfacePage();
    QWidget* StatisticsPage();
    QCheckBox* AddFlag(QWidget* page, const TFlagInfo& info);
    TColorSwatch* AddColor(QWidget* page, const TColorInfo& info);
    // The colour swatches in a grid of `columns` columns.
    QGridLayout* ColorGrid(QWidget* page, const TColorInfo* colors, std::size_t count, int columns);

    // Editable in the window colour with the stored divider while the
    // divider is on; read-only in the face colour and empty while it is off.
    void UpdateDivider();

    std::vector<std::pair<QCheckBox*, bool TSettings::*>> Flags;
    std::vector<std::pair<TColorSwatch*, TColorValue TSettings::*>> Colors;
    std::string StoredDivider;
};

} // namespace orvanta
