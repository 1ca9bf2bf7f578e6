// The extremum search's progress window as the search drives it: what it
// shows, and the buttons and held keys that stop or cancel the search.
#include "dialogs/ExProgress.h"
#include "dialogs/ExProgressAdapter.h"

#include "numeric/NumberText.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

#include <cerrno>

#include <sys/resource.h>

using namespace orvanta;

namespace {

using TKeys = QList<int>;

const std::string StopHint = "Для остановки нажмите и удерживайте 'Enter' или 'Esc'";

void Press(QWidget* widget, int key) {
    const auto modifiers = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
    QTest::keyPress(widget, static_cast<Qt::Key>(key), modifiers);
}

void Release(QWidget* widget, int key) {
    const auto modifiers = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
    QTest::keyRelease(widget, static_cast<Qt::Key>(key), modifiers);
}

} // namespace

Q_DECLARE_METATYPE(TProgressRequest)

class ExProgressTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> Main;
    TExProgress* Window = nullptr;

    std::unique_ptr<TExtremumProgress> Start(double value = 0.0) {
        return MakeExtremumProgress(*Window, "Поиск экстремума: метод Монте-Карло.", value,
                                    StopHint);
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    void init();
    void cleanup();
    void aSearchShowsTheWindowUntilItEnds();
    void updateShowsPercentAndValue_data();
    void updateShowsPercentAndValue();
    void buttonsAskAndShowingForgets_data();
    void buttonsAskAndShowingForgets();
    void heldKeysStopOrCancel_data();
    void heldKeysStopOrCancel();
    void enterFromTheSearchDialogIsWaitedFor();
    void titleBarCloseAsksForCancel();
};

void ExProgressTest::init() {
    SetDecimalSeparator('.');
    Main = std::make_unique<QWidget>();
    Main->show();
    Window = new TExProgress(Main.get());
}

void ExProgressTest::cleanup() {
    Main.reset();
    SetDecimalSeparator('.');
}

void ExProgressTest::aSearchShowsTheWindowUntilItEnds() {
    QCOMPARE(Window->windowTitle(), QStringLiteral("Поиск экстремума: метод (неизвестен)"));
    QVERIFY(Window->StopButton->isDefault());
    errno = 0;
    const int normal = getpriority(PRIO_PROCESS, 0);
    {
        auto progress = Start(-1.25);
        QVERIFY(Window->isVisible());
        QCOMPARE(Window->windowTitle(), QStringLiteral("Поиск экстремума: метод Монте-Карло."));
        QCOMPARE(Window->Gauge->value(), 0);
        QCOMPARE(Window->Edit->text(), QStringLiteral("-1.25"));
        QCOMPARE(Window->StatusBar->currentMessage(), QString::fromStdString(StopHint));
        // The whole hint is readable, not cut off at the window's edge (the
        // bar keeps a few pixels free at each end of its message).
        QVERIFY(
            Window->StatusBar->width() - 18 >=
            Window->StatusBar->fontMetrics().horizontalAdvance(QString::fromStdString(StopHint)));
        if (Window->IsPriorityLowered())
            QCOMPARE(getpriority(PRIO_PROCESS, 0), 19);
        progress->SetStatus("Вы можете отпустить кнопку 'Esc'...");
        QCOMPARE(Window->StatusBar->currentMessage(),
                 QStringLiteral("Вы можете отпустить кнопку 'Esc'..."));
        // Nothing is held: the search goes on at once.
        progress->WaitForKeyRelease();
        QCOMPARE(progress->Poll(), TProgressRequest::None);
    }
    QVERIFY(!Window->isVisible());
    QCOMPARE(getpriority(PRIO_PROCESS, 0), normal);
}

void ExProgressTest::updateShowsPercentAndValue_data() {
    QTest::addColumn<int>("percent");
    QTest::addColumn<double>("value");
    QTest::addColumn<char>("separator");
    QTest::addColumn<int>("gauge");
    QTest::addColumn<QString>("text");
    QTest::newRow("37 %") << 37 << 2.5 << '.' << 37 << QStringLiteral("2.5");
    QTest::newRow("comma locale") << 50 << -2.5 << ',' << 50 << QStringLiteral("-2,5");
    QTest::newRow("15 digits") << 1 << 0.1 + 0.2 << '.' << 1 << QStringLiteral("0.3");
    QTest::newRow("tiny") << 3 << 1e-20 << '.' << 3 << QStringLiteral("1e-20");
    // A walk longer than its estimate keeps the gauge full.
    QTest::newRow("past the end") << 130 << 0.0 << '.' << 100 << QStringLiteral("0");
}

void ExProgressTest::updateShowsPercentAndValue() {
    QFETCH(int, percent);
    QFETCH(double, value);
    QFETCH(char, separator);
    QFETCH(int, gauge);
    QFETCH(QString, text);
    SetDecimalSeparator(separator);
    auto progress = Start(7.0);
    progress->Update(percent, value);
    QCOMPARE(Window->Gauge->value(), gauge);
    QCOMPARE(Window->Edit->text(), text);
}

void ExProgressTest::buttonsAskAndShowingForgets_data() {
    QTest::addColumn<bool>("stop");
    QTest::addColumn<TProgressRequest>("request");
    QTest::newRow("Остановить") << true << TProgressRequest::Stop;
    QTest::newRow("Отмена") << false << TProgressRequest::Cancel;
}

void ExProgressTest::buttonsAskAndShowingForgets() {
    QFETCH(bool, stop);
    QFETCH(TProgressRequest, request);
    {
        auto progress = Start();
        QTest::mouseClick(stop ? Window->StopButton : Window->CancelButton, Qt::LeftButton);
        QCOMPARE(Window->StopRequested(), stop);
        QCOMPARE(Window->CancelRequested(), !stop);
        QCOMPARE(progress->Poll(), request);
        QVERIFY(Window->isVisible());
    }
    auto next = Start();
    QVERIFY(!Window->StopRequested() && !Window->CancelRequested());
    QCOMPARE(next->Poll(), TProgressRequest::None);
}

void ExProgressTest::heldKeysStopOrCancel_data() {
    QTest::addColumn<TKeys>("keys");
    QTest::addColumn<TProgressRequest>("request");
    QTest::newRow("Enter") << TKeys{Qt::Key_Return} << TProgressRequest::Stop;
    QTest::newRow("keypad Enter") << TKeys{Qt::Key_Enter} << TProgressRequest::Stop;
    QTest::newRow("Esc") << TKeys{Qt::Key_Escape} << TProgressRequest::Cancel;
    QTest::newRow("both: Esc wins")
        << TKeys{Qt::Key_Return, Qt::Key_Escape} << TProgressRequest::Cancel;
}

void ExProgressTest::heldKeysStopOrCancel() {
    QFETCH(TKeys, keys);
    QFETCH(TProgressRequest, request);
    auto progress = Start();
    Window->StopButton->setFocus();
    for (int key : keys)
        Press(Window->StopButton, key);
    // A held key repeats as release-press pairs; the release of such a pair
    // lets nothing go.
    QKeyEvent repeatUp(QEvent::KeyRelease, keys.front(), Qt::NoModifier, QString(), true);
    QApplication::sendEvent(Window->StopButton, &repeatUp);
    QCOMPARE(progress->Poll(), request);
    // The keys neither press the default button nor close the window.
    QVERIFY(!Window->StopRequested() && !Window->CancelRequested());
    QVERIFY(Window->isVisible());
    for (int key : keys)
        Release(Window->StopButton, key);
    QCOMPARE(progress->Poll(), TProgressRequest::None);
}

void ExProgressTest::enterFromTheSearchDialogIsWaitedFor() {
    // The Enter that confirms the search dialog is still down when the
    // progress window comes up.
    QDialog search(Main.get());
    search.show();
    Press(&search, Qt::Key_Return);
    search.hide();
    auto progress = Start();
    QCOMPARE(progress->Poll(), TProgressRequest::Stop);
    bool released = false;
    QTimer::singleShot(50, Window, [&] {
        released = true;
        Release(Window, Qt::Key_Return);
    });
    progress->WaitForKeyRelease();
    QVERIFY(released);
    QCOMPARE(progress->Poll(), TProgressRequest::None);
}

void ExProgressTest::titleBarCloseAsksForCancel() {
    auto progress = Start();
    Window->close();
    QVERIFY(Window->isVisible());
    QCOMPARE(progress->Poll(), TProgressRequest::Cancel);
}

QTEST_MAIN(ExProgressTest)
#include "ExProgressTest.moc"
