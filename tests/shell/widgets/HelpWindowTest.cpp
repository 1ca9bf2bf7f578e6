// The help window over the pages in build/bin/help, and the release notes.
#include "shell/HelpWindow.h"

#include <QFileInfo>
#include <QLocale>
#include <QPushButton>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>

using namespace orvanta;

class HelpWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void pagesLieBesideTheProgram();
    void everyTopicOpens_data();
    void everyTopicOpens();
    void oneWindowServesEveryCall();
    void missingTopicShowsNothing();
    void quitClosesTheWindow();
    void contentsLinksReachEveryTopic();
    void everyLinkLeadsToAPage();
    void backForwardAndContents();
    void webLinksLeaveThroughTheOpener();
    void readmeOpensWithTheDesktopViewer();
};

void HelpWindowTest::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

void HelpWindowTest::cleanup() {
    CallHelp(THelpCommand::Quit);
}

void HelpWindowTest::pagesLieBesideTheProgram() {
    // The test program runs from build/bin, like orvan32 itself.
    QCOMPARE(QFileInfo(HelpFolder()).canonicalFilePath(),
             QFileInfo(QStringLiteral(ORVAN_BIN_DIR "/help")).canonicalFilePath());
}

void HelpWindowTest::everyTopicOpens_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("context");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("title");
    const int contents = static_cast<int>(THelpCommand::Contents);
    const int topic = static_cast<int>(THelpCommand::Context);
    QTest::newRow("contents (F1)") << contents << 0 << QStringLiteral("index.html")
                                   << QStringLiteral("Справка Орванты — содержание");
    QTest::newRow("support") << topic << 3102 << QStringLiteral("3102.html")
                             << QStringLiteral("Техническая поддержка");
    QTest::newRow("interface") << topic << 3103 << QStringLiteral("3103.html")
                               << QStringLiteral("Интерфейс программы");
    QTest::newRow("quick start") << topic << 3104 << QStringLiteral("3104.html")
                                 << QStringLiteral("Быстрый старт");
    QTest::newRow("researcher's guide")
        << topic << 3229 << QStringLiteral("3229.html") << QStringLiteral("Памятка исследователю");
}

void HelpWindowTest::everyTopicOpens() {
    QFETCH(int, command);
    QFETCH(int, context);
    QFETCH(QString, page);
    QFETCH(QString, title);
    QVERIFY(CallHelp(static_cast<THelpCommand>(command), context));
    THelpWindow* window = THelpWindow::Current();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QCOMPARE(window->objectName(), QStringLiteral("HelpWindow"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Справка — Орванта"));
    QTextBrowser* browser = window->Browser();
    QCOMPARE(browser->source().fileName(), page);
    QVERIFY(browser->source().isLocalFile());
    // The context number leads to its own topic, read as UTF-8.
    QCOMPARE(browser->documentTitle(), title);
    QVERIFY(browser->toPlainText().size() > 1000);
}

void HelpWindowTest::oneWindowServesEveryCall() {
    QVERIFY(CallHelp(THelpCommand::Contents));
    THelpWindow* first = THelpWindow::Current();
    QVERIFY(CallHelp(THelpCommand::Context, 3229));
    QCOMPARE(THelpWindow::Current(), first);
    QCOMPARE(first->Browser()->source().fileName(), QStringLiteral("3229.html"));
    // Closing the window by hand only hides it; the next call shows it again.
    first->close();
    QVERIFY(CallHelp(THelpCommand::Context, 3103));
    QCOMPARE(THelpWindow::Current(), first);
    QVERIFY(first->isVisible());
}

void HelpWindowTest::missingTopicShowsNothing() {
    QVERIFY(!CallHelp(THelpCommand::Context, 4711));
    QVERIFY(!THelpWindow::Current());
    // With the window already open, a missing topic leaves the page as it was.
    QVERIFY(CallHelp(THelpCommand::Context, 3104));
    QVERIFY(!CallHelp(THelpCommand::Context, 0));
    QCOMPARE(THelpWindow::Current()->Browser()->source().fileName(), QStringLiteral("3104.html"));
    QVERIFY(!THelpWindow::Current()->ShowPage(QStringLiteral("nonexistent.html")));
    QCOMPARE(THelpWindow::Current()->Browser()->source().fileName(), QStringLiteral("3104.html"));
}

void HelpWindowTest::quitClosesTheWindow() {
    QVERIFY(CallHelp(THelpCommand::Contents));
    QPointer<THelpWindow> window = THelpWindow::Current();
    QVERIFY(CallHelp(THelpCommand::Quit));
    QVERIFY(window.isNull());
    QVERIFY(!THelpWindow::Current());
    // Quitting twice, or with no window, is harmless.
    QVERIFY(CallHelp(THelpCommand::Quit));
    QVERIFY(CallHelp(THelpCommand::Context, 3102));
    QVERIFY(THelpWindow::Current());
}

void HelpWindowTest::contentsLinksReachEveryTopic() {
    QVERIFY(CallHelp(THelpCommand::Contents));
    QTextBrowser* browser = THelpWindow::Current()->Browser();
    const QString html = browser->toHtml();
    for (const char* page : {"3102.html", "3103.html", "3104.html", "3229.html"})
        QVERIFY2(html.contains(QLatin1String(page)), page);
}

void HelpWindowTest::everyLinkLeadsToAPage() {
    QVERIFY(CallHelp(THelpCommand::Contents));
    QTextBrowser* browser = THelpWindow::Current()->Browser();
    int links = 0;
    for (const char* page : {"index.html", "3102.html", "3103.html", "3104.html", "3229.html"}) {
        QVERIFY(THelpWindow::Current()->ShowPage(QLatin1String(page)));
        const QUrl source = browser->source();
        for (QTextBlock block = browser->document()->begin(); block.isValid();
             block = block.next()) {
            for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
                const QString href = fragment.fragment().charFormat().anchorHref();
                if (href.isEmpty())
                    continue;
                ++links;
                const QUrl target = source.resolved(QUrl(href));
                QVERIFY2(target.isLocalFile(), qPrintable(href));
                QVERIFY2(QFileInfo(target.toLocalFile()).isFile(),
                         qPrintable(QLatin1String(page) + QStringLiteral(" -> ") + href));
            }
        }
    }
    QVERIFY(links > 40);
}

void HelpWindowTest::backForwardAndContents() {
    QVERIFY(CallHelp(THelpCommand::Contents));
    THelpWindow* window = THelpWindow::Current();
    auto* back = window->findChild<QPushButton*>(QStringLiteral("BackButton"));
    auto* forward = window->findChild<QPushButton*>(QStringLiteral("ForwardButton"));
    auto* contents = window->findChild<QPushButton*>(QStringLiteral("ContentsButton"));
    QVERIFY(back && forward && contents);
    QCOMPARE(contents->text(), QStringLiteral("Содержание"));
    QVERIFY(!back->isEnabled());

    // An internal link is followed through the same path as a click on it.
    emit window->Browser()->anchorClicked(
        window->Browser()->source().resolved(QUrl(QStringLiteral("3104.html"))));
    QCOMPARE(window->Browser()->source().fileName(), QStringLiteral("3104.html"));
    QVERIFY(back->isEnabled());
    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(window->Browser()->source().fileName(), QStringLiteral("index.html"));
    QVERIFY(forward->isEnabled());
    QTest::mouseClick(forward, Qt::LeftButton);
    QCOMPARE(window->Browser()->source().fileName(), QStringLiteral("3104.html"));
    QTest::mouseClick(contents, Qt::LeftButton);
    QCOMPARE(window->Browser()->source().fileName(), QStringLiteral("index.html"));
}

void HelpWindowTest::webLinksLeaveThroughTheOpener() {
    QVERIFY(CallHelp(THelpCommand::Context, 3102));
    THelpWindow* window = THelpWindow::Current();
    QList<QUrl> opened;
    window->SetUrlOpener([&opened](const QUrl& url) {
        opened.append(url);
        return true;
    });
    const QUrl page = window->Browser()->source();
    emit window->Browser()->anchorClicked(QUrl(QStringLiteral("https://example.org/a")));
    emit window->Browser()->anchorClicked(QUrl(QStringLiteral("mailto:someone@example.org")));
    QCOMPARE(opened, (QList<QUrl>{QUrl(QStringLiteral("https://example.org/a")),
                                  QUrl(QStringLiteral("mailto:someone@example.org"))}));
    QCOMPARE(window->Browser()->source(), page);
    // A link to a page that is not there is not followed.
    emit window->Browser()->anchorClicked(page.resolved(QUrl(QStringLiteral("9999.html"))));
    QCOMPARE(window->Browser()->source(), page);
    QCOMPARE(opened.size(), 2);
}

void HelpWindowTest::readmeOpensWithTheDesktopViewer() {
    QList<QUrl> opened;
    const TUrlOpener watch = [&opened](const QUrl& url) {
        opened.append(url);
        return true;
    };
    QVERIFY(OpenReadme(watch));
    QCOMPARE(opened.size(), 1);
    QVERIFY(opened.front().isLocalFile());
    QCOMPARE(QFileInfo(opened.front().toLocalFile()).canonicalFilePath(),
             QFileInfo(QStringLiteral(ORVAN_BIN_DIR "/Readme.htm")).canonicalFilePath());
    // The viewer's own refusal is passed on.
    QVERIFY(!OpenReadme([](const QUrl&) { return false; }));
}

QTEST_MAIN(HelpWindowTest)
#include "HelpWindowTest.moc"
