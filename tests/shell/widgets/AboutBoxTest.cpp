// The about box: its texts, the system line, the project's pages and support.
#include "shell/AboutBox.h"

#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

#include <set>

using namespace orvanta;

class AboutBoxTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void texts_data();
    void texts();
    void closeButtonIsDefault();
    void osLabelFilledOnEveryShow_data();
    void osLabelFilledOnEveryShow();
    void osLabelDescribesThisSystem();
    void goHomeOpensTheProjectPage();
    void pictureDoubleClickOpensTheSecondPage();
    void supportOpensItsHelpPage();
    void modalRunEndsWithEscOrClose_data();
    void modalRunEndsWithEscOrClose();

private:
    // Every address the box asked to open, instead of a browser.
    QList<QUrl> Opened;
    void Watch(TAboutBox& box) {
        box.SetUrlOpener([this](const QUrl& url) {
            Opened.append(url);
            return true;
        });
    }
};

void AboutBoxTest::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

void AboutBoxTest::cleanup() {
    Opened.clear();
    CallHelp(THelpCommand::Quit);
}

void AboutBoxTest::texts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("revision") << QStringLiteral("RevisionLabel")
                              << QStringLiteral("Ревизия, построение:");
    QTest::newRow("build") << QStringLiteral("BuildLabel")
                           << QStringLiteral("0.3.1-313 (08.11.2019)");
    QTest::newRow("link") << QStringLiteral("GoHome")
                          << QStringLiteral("Страничка проекта на сервере автора");
    QTest::newRow("close") << QStringLiteral("OKButton") << QStringLiteral("Закрыть");
    QTest::newRow("support") << QStringLiteral("TechSuppBtn") << QStringLiteral("Поддержка ...");
}

void AboutBoxTest::texts() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    TAboutBox box;
    QCOMPARE(box.objectName(), QStringLiteral("AboutBox"));
    QCOMPARE(box.windowTitle(), QStringLiteral("О программе"));
    QObject* control = box.findChild<QObject*>(name);
    QVERIFY2(control, qPrintable(name));
    QCOMPARE(control->property("text").toString(), text);
    auto* product = box.findChild<QLabel*>(QStringLiteral("ProductLabel"));
    QVERIFY(product);
    QVERIFY(product->text().startsWith(QStringLiteral("Орванта ")));
    QVERIFY(!box.findChild<QLabel*>(QStringLiteral("CopyrightLabel"))->text().isEmpty());
}

void AboutBoxTest::closeButtonIsDefault() {
    TAboutBox box;
    auto* close = box.findChild<QPushButton*>(QStringLiteral("OKButton"));
    auto* support = box.findChild<QPushButton*>(QStringLiteral("TechSuppBtn"));
    QVERIFY(close->isDefault());
    QVERIFY(!support->isDefault());
    QCOMPARE(box.findChild<QLabel*>(QStringLiteral("GoHome"))->cursor().shape(),
             Qt::PointingHandCursor);
}

void AboutBoxTest::osLabelFilledOnEveryShow_data() {
    QTest::addColumn<quint64>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("512 KiB") << quint64(512 * 1024)
                             << QStringLiteral("Физическая память, доступная Linux 6.1:  512 Кб.");
    // 32 GiB: far past what a 32-bit byte count can hold.
    QTest::newRow("32 GiB") << quint64(32) * 1024 * 1024 * 1024
                            << QStringLiteral(
                                   "Физическая память, доступная Linux 6.1:  33554432 Кб.");
    QTest::newRow("unknown") << quint64(0)
                             << QStringLiteral(
                                    "Физическая память, доступная Linux 6.1:  не определена.");
}

void AboutBoxTest::osLabelFilledOnEveryShow() {
    QFETCH(quint64, bytes);
    QFETCH(QString, text);
    TAboutBox box;
    TOsInfo info{"Linux", 6, 1, 1024};
    box.SetOsInfoSource([&info] { return info; });
    auto* label = box.findChild<QLabel*>(QStringLiteral("OsLabel"));
    QVERIFY(label);
    QVERIFY(label->text().isEmpty());
    box.show();
    QCOMPARE(label->text(), QStringLiteral("Физическая память, доступная Linux 6.1:  1 Кб."));
    box.hide();
    info.PhysicalBytes = bytes;
    box.show();
    QCOMPARE(label->text(), text);
}

void AboutBoxTest::osLabelDescribesThisSystem() {
    TAboutBox box;
    box.show();
    const QString text = box.findChild<QLabel*>(QStringLiteral("OsLabel"))->text();
    QCOMPARE(text, QString::fromStdString(OsLabelText(CurrentOsInfo())));
    QVERIFY(text.startsWith(QStringLiteral("Физическая память, доступная Linux ")));
    QVERIFY(text.endsWith(QStringLiteral(" Кб.")));
}

void AboutBoxTest::goHomeOpensTheProjectPage() {
    TAboutBox box;
    Watch(box);
    box.show();
    auto* link = box.findChild<QLabel*>(QStringLiteral("GoHome"));
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(Opened, QList<QUrl>{QUrl(QString::fromLatin1(ProjectHomeUrl))});
    // Other buttons and a press dragged off the link do nothing.
    QTest::mouseClick(link, Qt::RightButton);
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-5, -5));
    QCOMPARE(Opened.size(), 1);
}

void AboutBoxTest::pictureDoubleClickOpensTheSecondPage() {
    TAboutBox box;
    Watch(box);
    box.show();
    auto* picture = box.findChild<QLabel*>(QStringLiteral("ProgramIcon"));
    QVERIFY(picture);
    // A picture really drawn, not one flat colour.
    const QImage image = picture->pixmap().toImage();
    QVERIFY(!image.isNull());
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4)
            colours.insert(image.pixel(x, y));
    QVERIFY(colours.size() > 8);

    QTest::mouseClick(picture, Qt::LeftButton);
    QVERIFY(Opened.isEmpty());
    QTest::mouseDClick(picture, Qt::LeftButton);
    QCOMPARE(Opened, QList<QUrl>{QUrl(QString::fromLatin1(ProjectSecondUrl))});
}

void AboutBoxTest::supportOpensItsHelpPage() {
    TAboutBox box;
    box.show();
    QVERIFY(!THelpWindow::Current());
    QTest::mouseClick(box.findChild<QPushButton*>(QStringLiteral("TechSuppBtn")), Qt::LeftButton);
    THelpWindow* help = THelpWindow::Current();
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QCOMPARE(help->Browser()->source().fileName(), QStringLiteral("3102.html"));
    // The box stays open: support is looked up beside it.
    QVERIFY(box.isVisible());
    // The box is modal to the main window only, so the help window takes
    // input while it is up.
    QCOMPARE(box.windowModality(), Qt::WindowModal);
}

void AboutBoxTest::modalRunEndsWithEscOrClose_data() {
    QTest::addColumn<bool>("useEsc");
    QTest::addColumn<int>("result");
    QTest::newRow("Esc") << true << int(QDialog::Rejected);
    QTest::newRow("Закрыть") << false << int(QDialog::Accepted);
}

void AboutBoxTest::modalRunEndsWithEscOrClose() {
    QFETCH(bool, useEsc);
    QFETCH(int, result);
    QWidget main;
    main.show();
    auto* box = new TAboutBox(&main);
    box->SetOsInfoSource([] { return TOsInfo{"Linux", 5, 10, 2048}; });
    QString shownText;
    QTimer::singleShot(0, box, [box, useEsc, &shownText] {
        shownText = box->findChild<QLabel*>(QStringLiteral("OsLabel"))->text();
        if (useEsc)
            QTest::keyClick(box, Qt::Key_Escape);
        else
            QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("OKButton")),
                              Qt::LeftButton);
    });
    QCOMPARE(box->exec(), result);
    QCOMPARE(shownText, QStringLiteral("Физическая память, доступная Linux 5.10:  2 Кб."));
    QVERIFY(!box->isVisible());
}

QTEST_MAIN(AboutBoxTest)
#include "AboutBoxTest.moc"
