// Centring a dialog over its owner, or over the screen, without leaving it.
#include "formkit/CenterWindow.h"

#include <QScreen>
#include <QtTest>

class CenterWindowTest : public QObject {
    Q_OBJECT

    static QRect Screen() { return QGuiApplication::primaryScreen()->availableGeometry(); }

private slots:
    void CentresOverTheOwner_data() {
        QTest::addColumn<QRect>("owner");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("inside") << QRect(100, 100, 600, 400) << QSize(200, 100) << QPoint(300, 250);
        QTest::newRow("odd sizes") << QRect(10, 20, 301, 201) << QSize(100, 50) << QPoint(110, 95);
        const QRect screen = Screen();
        QTest::newRow("owner at the right edge")
            << QRect(screen.right() - 99, 100, 200, 200) << QSize(300, 100)
            << QPoint(screen.right() + 1 - 300, 150);
        QTest::newRow("owner above the top") << QRect(100, screen.top() - 150, 400, 200)
                                             << QSize(200, 300) << QPoint(200, screen.top());
    }
    void CentresOverTheOwner() {
        QFETCH(QRect, owner);
        QFETCH(QSize, size);
        QFETCH(QPoint, expected);
        // The owner is placed by its outer frame, whatever the platform's borders.
        QWidget ownerWindow;
        ownerWindow.setGeometry(owner);
        ownerWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&ownerWindow));
        const QSize borders = ownerWindow.frameGeometry().size() - ownerWindow.size();
        ownerWindow.resize(owner.size() - borders);
        ownerWindow.move(owner.topLeft());
        QTRY_COMPARE(ownerWindow.frameGeometry(), owner);
        QWidget dialog;
        dialog.resize(size);
        utCenterWindow(&dialog, &ownerWindow);
        QCOMPARE(dialog.frameGeometry().topLeft(), expected);
    }

    void CentresOverTheScreenWithoutAVisibleOwner() {
        const QRect screen = Screen();
        QWidget hiddenOwner;
        hiddenOwner.setGeometry(0, 0, 100, 100);
        for (void* owner : {static_cast<void*>(nullptr), static_cast<void*>(&hiddenOwner)}) {
            QWidget dialog;
            dialog.resize(200, 100);
            utCenterWindow(&dialog, owner);
            QCOMPARE(dialog.frameGeometry().center(), screen.center());
        }
    }
};

QTEST_MAIN(CenterWindowTest)
#include "CenterWindowTest.moc"
