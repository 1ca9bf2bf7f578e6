#pragma once

#include "shell/HelpWindow.h"
#include "shell/OsLabel.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;

namespace orvanta {

// The project's pages on the web: `GoHome` opens the first, a double click on
// the picture the second.
inline constexpr char ProjectHomeUrl[] = "https://orvanta.org/";
inline constexpr char ProjectSecondUrl[] = "https://orvanta.org/examples/";

// The about box `AboutBox`: name and build of the program, the system's
// version and memory, the project's page and the way to technical support.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    using TOsInfoSource = std::function<TOsInfo()>;

    explicit TAboutBox(QWidget* parent = nullptr);

    // Tests watch the addresses instead of starting a browser, and describe
    // a system of their own instead of the running one.
    void SetUrlOpener(TUrlOpener opener) { UrlOpener = std::move(opener); }
    void SetOsInfoSource(TOsInfoSource source) { OsInfoSource = std::move(source); }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void ArrangeControls();
    void TechSuppBtnClick();
    void GoHomeClick();
    void ProgramIconDblClick();

    QLabel* ProgramIcon = nullptr;
    QLabel* ProductLabel = nullptr;
    QLabel* RevisionLabel = nullptr;
    QLabel* BuildLabel = nullptr;
    QLabel* CopyrightLabel = nullptr;
    QLabel* OsLabel = nullptr;
    QLabel* GoHome = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* TechSuppBtn = nullptr;
    TUrlOpener UrlOpener = OpenWithDesktop;
    TOsInfoSource OsInfoSource = CurrentOsInfo;
};

} // namespace orvanta
