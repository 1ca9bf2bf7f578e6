#pragma once

#include <QPalette>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QAction;
class QMenu;
class QTextEdit;
class QToolBar;

namespace orvanta {

// The report window: the plan's report in an editor the person may change,
// copy from, restyle and save as rich text or plain text. Its menu "Правка"
// joins the main window's menu bar while it is active.
class TReportForm : public QWidget {
    Q_OBJECT
public:
    explicit TReportForm(QWidget* parent = nullptr);

    // The freshly composed report; the modified mark is cleared.
    void LoadReport(const std::string& utf8Text);
    bool IsModified() const;
    // True when the text was written (a first save asks for the file).
    bool SaveReport();
    bool SaveReportAs();
    const std::string& FileName() const { return ReportFile; }
    bool PlainText() const { return Plain; }
    // The font and colours from the settings; hints from the options.
    void ApplySettings();

    // Asks for the file to save to: the chosen path and whether the first
    // filter entry ("Rich text format") was selected; empty when cancelled.
    // Tests replace it.
    std::function<std::optional<std::pair<std::string, bool>>(const std::string& initial)> AskFile;
    // Sets the caption of the window that holds this one.
    std::function<void(const QString&)> OnCaption;

    QTextEdit* Edit = nullptr;
    QMenu* EditMenu = nullptr;

    void UndoItemClick();
    void SelectAllItemClick();
    void DeselectItemClick();
    void CutItemClick();
    void CopyItemClick();
    void PasteItemClick();
    void ClearItemClick();
    void SaveAsItemClick();
    void SaveItemClick();
    void FontItemClick();
    void BackgroundItemClick();

private:
    QAction* Command(const char* name, const QString& caption, void (TReportForm::*handler)(),
                     const char* hint = nullptr);
    std::optional<std::pair<std::string, bool>> RunSaveDialog(const std::string& initial);
    void RefreshPaste();
    // Asks for the colour of the text or the background and keeps it.
    void PickColor(QPalette::ColorRole role, const QString& title, std::uint32_t& kept);

    QToolBar* ToolBar = nullptr;
    QAction* SaveItem = nullptr;
    QAction* PasteItem = nullptr;
    std::string ReportFile;
    bool Plain = false;
};

} // namespace orvanta
