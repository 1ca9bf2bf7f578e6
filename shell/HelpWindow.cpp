#include "shell/HelpWindow.h"

#include "services/ProgramFolder.h"

#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace orvanta {

namespace {

const QString ContentsPage = QStringLiteral("index.html");

// One help window for the whole run, made on the first help command.
QPointer<THelpWindow>& HelpWindowSlot() {
    static QPointer<THelpWindow> window;
    return window;
}

QString PagePath(const QString& fileName) {
    return HelpFolder() + QLatin1Char('/') + fileName;
}

bool IsWebAddress(const QUrl& url) {
    const QString scheme = url.scheme();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("mailto") || scheme == QLatin1String("ftp");
}

QPushButton* MakeButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

bool OpenWithDesktop(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

QString HelpFolder() {
    return QString::fromStdString(ProgramFolder()) + QStringLiteral("/help");
}

bool OpenReadme(const TUrlOpener& opener) {
    const QString path = QString::fromStdString(ProgramFolder()) + QStringLiteral("/Readme.htm");
    if (!QFileInfo(path).isFile() || !opener)
        return false;
    return opener(QUrl::fromLocalFile(path));
}

THelpWindow::THelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Справка — Орванта"));
    // An open help window must not keep the program alive once the main
    // window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);

    BackButton = MakeButton(QStringLiteral("< Назад"), "BackButton", this);
    ForwardButton = MakeButton(QStringLiteral("Вперед >"), "ForwardButton", this);
    ContentsButton = MakeButton(QStringLiteral("Содержание"), "ContentsButton", this);
    View = new QTextBrowser(this);
    View->setObjectName(QStringLiteral("HelpBrowser"));
    // Links are followed here, so that web addresses leave for the browser
    // and a missing page leaves the current one on the screen.
    View->setOpenLinks(false);
    View->setSearchPaths({HelpFolder()});

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BackButton);
    buttons->addWidget(ForwardButton);
    buttons->addWidget(ContentsButton);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(View);

    auto* closeAction = new QAction(this);
    closeAction->setShortcut(QKeySequence(Qt::Key_Escape));
    closeAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(closeAction);

    connect(BackButton, &QPushButton::clicked, View, &QTextBrowser::backward);
    connect(ForwardButton, &QPushButton::clicked, View, &QTextBrowser::forward);
    connect(ContentsButton, &QPushButton::clicked, this, [this] { ShowPage(ContentsPage); });
    connect(View, &QTextBrowser::anchorClicked, this, &THelpWindow::AnchorClicked);
    connect(View, &QTextBrowser::historyChanged, this, &THelpWindow::UpdateButtons);
    connect(closeAction, &QAction::triggered, this, &QWidget::close);
    UpdateButtons();
    resize(760, 580);
}

bool THelpWindow::ShowPage(const QString& fileName) {
    const QString path = PagePath(fileName);
    if (!QFileInfo(path).isFile())
        return false;
    View->setSource(QUrl::fromLocalFile(path));
    return true;
}

THelpWindow* THelpWindow::Current() {
    return HelpWindowSlot().data();
}

void THelpWindow::AnchorClicked(const QUrl& url) {
    if (IsWebAddress(url)) {
        if (UrlOpener)
            UrlOpener(url);
        return;
    }
    if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile())
        View->setSource(url);
}

void THelpWindow::UpdateButtons() {
    BackButton->setEnabled(View->isBackwardAvailable());
    ForwardButton->setEnabled(View->isForwardAvailable());
}

bool CallHelp(THelpCommand command, int context) {
    QPointer<THelpWindow>& window = HelpWindowSlot();
    if (command == THelpCommand::Quit) {
        delete window.data();
        return true;
    }
    const QString page = command == THelpCommand::Contents
                             ? ContentsPage
                             : QString::number(context) + QStringLiteral(".html");
    // Nothing is shown for a page that is not there, not even an empty window.
    if (!QFileInfo(PagePath(page)).isFile())
        return false;
    if (!window)
        window = new THelpWindow;
    if (!window->ShowPage(page))
        return false;
    if (window->isMinimized())
        window->showNormal();
    else
        window->show();
    window->raise();
    window->activateWindow();
    return true;
}

} // namespace orvanta
