// The page frame of the diagram and surface wizards: its size and buttons,
// the results it closes with, and the key-up shortcuts that close it only
// when the page agrees.
#include "dialogs/WizardTemplateForm.h"

#include "DialogScript.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

using namespace orvanta;

namespace {

// A page that says whether it may go back or forward and counts the asks.
class TTestPage : public TWizardTemplateForm {
public:
    bool AllowBack = false;
    bool AllowForward = false;
    bool AllowClose = true;
    int BackAsked = 0;
    int ForwardAsked = 0;

    bool PageBack() override {
        ++BackAsked;
        return AllowBack;
    }
    bool PageForward() override {
        ++ForwardAsked;
        return AllowForward;
    }

protected:
    bool CloseQuery(int) override { return AllowClose; }
};

} // namespace

class WizardTemplateFormTest : public QObject {
    Q_OBJECT

    int Run(TTestPage& page, std::function<void()> script) {
        return RunScripted(page, std::move(script), [&] { return page.exec(); });
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void frameHasItsPanelsAndButtons() {
        TTestPage page;
        QCOMPARE(page.size(), QSize(480, 300));
        QCOMPARE(page.BackwardButton->objectName(), QStringLiteral("BackwardButton"));
        QCOMPARE(page.BackwardButton->text(), QStringLiteral("<< Назад"));
        QCOMPARE(page.ForwardButton->text(), QStringLiteral("Далее >>"));
        QVERIFY(page.ForwardButton->isDefault());
        QCOMPARE(page.CancelButton->text(), QStringLiteral("Отмена"));
        QVERIFY(page.findChild<QFrame*>(QStringLiteral("ImgPanel")));
        QVERIFY(page.findChild<QLabel*>(QStringLiteral("Image")));
        QVERIFY(page.findChild<QFrame*>(QStringLiteral("TextPanel")));
    }

    // The buttons close with their result whatever the page answers; only
    // the page's own close check keeps it open.
    void buttonsCloseWithTheirResult_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("backAsked");
        QTest::addColumn<int>("forwardAsked");
        QTest::newRow("back") << QStringLiteral("BackwardButton") << 4 << 1 << 0;
        QTest::newRow("forward") << QStringLiteral("ForwardButton") << 1 << 0 << 1;
        QTest::newRow("cancel") << QStringLiteral("CancelButton") << 2 << 0 << 0;
    }
    void buttonsCloseWithTheirResult() {
        QFETCH(QString, button);
        QFETCH(int, result);
        QFETCH(int, backAsked);
        QFETCH(int, forwardAsked);
        TTestPage page;
        const int got = Run(page, [&] { page.findChild<QPushButton*>(button)->click(); });
        QCOMPARE(got, result);
        QCOMPARE(page.BackAsked, backAsked);
        QCOMPARE(page.ForwardAsked, forwardAsked);

        TTestPage stubborn;
        stubborn.AllowClose = false;
        Run(stubborn, [&] {
            stubborn.findChild<QPushButton*>(button)->click();
            QVERIFY(stubborn.isVisible());
            stubborn.AllowClose = true;
            stubborn.findChild<QPushButton*>(button)->click();
        });
    }

    void keysCloseOnlyWhenThePageAgrees_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("Ctrl + ,") << int(Qt::Key_Comma) << 4;
        QTest::newRow("Ctrl + .") << int(Qt::Key_Period) << 1;
    }
    void keysCloseOnlyWhenThePageAgrees() {
        QFETCH(int, key);
        QFETCH(int, result);
        TTestPage page;
        auto* field = new QLabel(page.TextPanel);
        const int got = Run(page, [&] {
            QTest::keyClick(field, Qt::Key(key), Qt::ControlModifier);
            QVERIFY(page.isVisible());
            // The page is asked once per key, on its way up.
            QCOMPARE(page.BackAsked + page.ForwardAsked, 1);
            // Without Ctrl the keys are the field's.
            QTest::keyClick(field, Qt::Key(key));
            QCOMPARE(page.BackAsked + page.ForwardAsked, 1);
            page.AllowBack = page.AllowForward = true;
            QTest::keyPress(field, Qt::Key(key), Qt::ControlModifier);
            QVERIFY(page.isVisible());
            QTest::keyRelease(field, Qt::Key(key), Qt::ControlModifier);
        });
        QCOMPARE(got, result);
    }
};

QTEST_MAIN(WizardTemplateFormTest)
#include "WizardTemplateFormTest.moc"
