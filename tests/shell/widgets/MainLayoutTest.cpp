// The main window's place and size from one session to the next, as the
// settings file keeps them, whatever the size of the screen.
#include "shell/MainForm.h"

#include "plan/Settings.h"
#include "services/SettingsFile.h"
#include "shell/MessageBoxes.h"

#include "TempFolder.h"

#include <QScreen>
#include <QtTest>

using namespace orvanta;

class TMainLayoutTest : public QObject {
    Q_OBJECT

    // One session as the program runs it: shown, the first clock tick
    // applies the stored layout, `during` acts, then the window closes.
    static void Session(bool readFile, const std::function<void(TMainForm&)>& during = {}) {
        TMainFormOptions options;
        options.ProgramFolder = ORVAN_BIN_DIR;
        options.ReadSettingsFile = readFile;
        options.WriteSettingsAtExit = readFile;
        TMainForm main(options);
        main.show();
        main.ClockTimerTimer();
        if (during)
            during(main);
    }

    static QRect StoredNormal() {
        const TSettings& s = Settings();
        return QRect(s.WindowLeft, s.WindowTop, s.WindowWidth, s.WindowHeight);
    }

private slots:
    void init() {
        Settings().SetDefaults();
        SetMessageBoxHook([](TBoxKind, const std::string&) { return TAnswer::Yes; });
    }

    void cleanup() { SetMessageBoxHook({}); }

    // The last normal place and size stay in the file however the session
    // ends, and three sessions in a row leave them where they were.
    void NormalGeometryOutlivesSessions_data() {
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("maximiseBeforeClosing");
        QTest::newRow("normal") << 0 << false;
        QTest::newRow("started maximised") << 2 << false;
        QTest::newRow("maximised before closing") << 0 << true;
    }

    void NormalGeometryOutlivesSessions() {
        QFETCH(int, state);
        QFETCH(bool, maximiseBeforeClosing);
        const QRect normal(40, 30, 640, 480);
        Settings().WindowState = static_cast<std::uint8_t>(state);
        Settings().WindowLeft = normal.x();
        Settings().WindowTop = normal.y();
        Settings().WindowWidth = normal.width();
        Settings().WindowHeight = normal.height();
        for (int session = 0; session < 3; ++session) {
            Session(false, [&](TMainForm& main) {
                QCOMPARE(main.isMaximized(), state == 2);
                if (!main.isMaximized())
                    QCOMPARE(main.geometry(), normal);
                if (maximiseBeforeClosing)
                    main.showMaximized();
            });
            QCOMPARE(StoredNormal(), normal);
            QCOMPARE(int(Settings().WindowState), maximiseBeforeClosing ? 2 : state);
            Settings().WindowState = static_cast<std::uint8_t>(state);
        }
    }

    // Without a settings file the window takes about four fifths of the
    // screen's free area, centred; a stored layout wins over that.
    void FirstStartFillsMostOfTheScreen() {
        test::TTempFolder home("orvan-layout-home");
        const QByteArray oldHome = qgetenv("ORVAN32_HOME");
        qputenv("ORVAN32_HOME", QByteArray::fromStdString(home.Path));
        Session(true, [](TMainForm& main) {
            const QRect free = main.screen()->availableGeometry();
            const QRect window = main.geometry();
            QVERIFY(qAbs(window.width() - free.width() * 0.8) <= 1);
            QVERIFY(qAbs(window.height() - free.height() * 0.8) <= 1);
            QVERIFY((window.center() - free.center()).manhattanLength() <= 2);
        });
        const QRect stored(50, 40, 600, 450);
        Settings().WindowLeft = stored.x();
        Settings().WindowTop = stored.y();
        Settings().WindowWidth = stored.width();
        Settings().WindowHeight = stored.height();
        QVERIFY(SaveSettings(Settings(), SettingsPath()));
        Settings().SetDefaults();
        Session(true, [&](TMainForm& main) { QCOMPARE(main.geometry(), stored); });
        qputenv("ORVAN32_HOME", oldHome);
    }
};

QTEST_MAIN(TMainLayoutTest)
#include "MainLayoutTest.moc"
