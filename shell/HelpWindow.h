#pragma once

#include <QUrl>
#include <QWidget>

#include <functional>

class QPushButton;
class QTextBrowser;

namespace orvanta {

// The help commands of the main window and the about box.
enum class THelpCommand { Contents, Context, Quit };

// Shows the help pages of the folder "help" beside the program: "index.html"
// for the contents, "<context>.html" for a context number. Quit closes the
// help window. False when the page cannot be shown.
bool CallHelp(THelpCommand command, int context = 0);

// Opens a web address or a file outside the program; true when the desktop
// took it. Windows that open addresses keep one of these so that tests can
// watch instead of starting a browser.
using TUrlOpener = std::function<bool(const QUrl&)>;
bool OpenWithDesktop(const QUrl& url);

// The release notes "Readme.htm" beside the program, in the desktop's own
// viewer. False when the file is missing or nothing could open it.
bool OpenReadme(const TUrlOpener& opener = OpenWithDesktop);

// The folder of the help pages: ProgramFolder() + "/help".
QString HelpFolder();

// The help window: a browser over the help pages, one per context number.
class THelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit THelpWindow(QWidget* parent = nullptr);
    // Shows the page (a file name inside the help folder); false when missing.
    bool ShowPage(const QString& fileName);
    QTextBrowser* Browser() const { return View; }
    // Links to the web leave the help window through this.
    void SetUrlOpener(TUrlOpener opener) { UrlOpener = std::move(opener); }

    // The window CallHelp shows, or none before the first call and after Quit.
    static THelpWindow* Current();

private:
    void AnchorClicked(const QUrl& url);
    void UpdateButtons();

    QTextBrowser* View = nullptr;
    QPushButton* BackButton = nullptr;
    QPushButton* ForwardButton = nullptr;
    QPushButton* ContentsButton = nullptr;
    TUrlOpener UrlOpener = OpenWithDesktop;
};

} // namespace orvanta
