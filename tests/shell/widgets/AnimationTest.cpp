// The turning torus in the main window's tool panel: the clip drawn by the
// build, the control that plays it, and the main window running it exactly
// while the about box is open.
#include "shell/Animate.h"
#include "shell/MainForm.h"
#include "sounds/SoundBox.h"

#include "MainWindowScript.h"

#include <QAction>
#include <QDialog>
#include <QFrame>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include <algorithm>

using namespace orvanta;

namespace {

const QString Clip = QStringLiteral(":/animation/5100.png");

// How many pixels of two frames differ noticeably.
int ChangedPixels(const QImage& a, const QImage& b) {
    int changed = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            if (std::abs(p.alpha() - q.alpha()) + std::abs(p.red() - q.red()) +
                    std::abs(p.blue() - q.blue()) >
                40)
                ++changed;
        }
    return changed;
}

} // namespace

class AnimationTest : public QObject {
    Q_OBJECT
    std::vector<std::string> Boxes;

private slots:
    void init() {
        test::CatchMessageBoxes(Boxes, [] { return TAnswer::Yes; });
    }
    void cleanup() { SetMessageBoxHook({}); }

    // Thirty square frames of a torus on a clear background that turn a
    // little each frame and come round again without a jump.
    void ClipTurnsSmoothlyInALoop() {
        TAnimate clip;
        QVERIFY(clip.Open(Clip, 30));
        QCOMPARE(clip.FrameCount(), 30);
        std::vector<QImage> frames;
        for (int i = 0; i < 30; ++i) {
            frames.push_back(clip.FrameImage());
            clip.Step();
        }
        QCOMPARE(clip.Frame(), 0);
        const QImage& first = frames.front();
        QVERIFY(first.width() == first.height() && first.width() <= 57);
        QCOMPARE(first.pixelColor(0, 0).alpha(), 0);
        QCOMPARE(first.pixelColor(first.width() - 1, first.height() - 1).alpha(), 0);
        int opaque = 0;
        for (int y = 0; y < first.height(); ++y)
            for (int x = 0; x < first.width(); ++x)
                opaque += first.pixelColor(x, y).alpha() == 255;
        QVERIFY2(opaque > first.width() * first.height() / 5, "the torus fills the frame");

        int smallest = 1 << 30, largest = 0;
        for (int i = 0; i < 30; ++i) {
            const int changed = ChangedPixels(frames[i], frames[(i + 1) % 30]);
            smallest = std::min(smallest, changed);
            largest = std::max(largest, changed);
        }
        QVERIFY2(smallest > 0, "every frame moves");
        const int wrap = ChangedPixels(frames[29], frames[0]);
        QVERIFY2(wrap <= largest && wrap < first.width() * first.height() / 2,
                 "the last frame leads into the first");
    }

    void ControlRefusesBadClips_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("frames");
        QTest::newRow("missing picture") << QStringLiteral(":/animation/none.png") << 30;
        QTest::newRow("wrong frame count") << Clip << 29;
        QTest::newRow("no frames") << Clip << 0;
    }

    void ControlRefusesBadClips() {
        QFETCH(QString, path);
        QFETCH(int, frames);
        TAnimate clip;
        QVERIFY(!clip.Open(path, frames));
        QCOMPARE(clip.FrameCount(), 0);
        clip.SetActive(true);
        QVERIFY(!clip.Active());
        clip.Step();
        QCOMPARE(clip.Frame(), 0);
    }

    void StoppingReturnsToTheFirstFrame() {
        TAnimate clip;
        QVERIFY(clip.Open(Clip, 30));
        clip.SetActive(true);
        QTRY_VERIFY_WITH_TIMEOUT(clip.Frame() >= 2, 2000);
        clip.SetActive(false);
        QVERIFY(!clip.Active());
        QCOMPARE(clip.Frame(), 0);
    }

    // Offscreen the screen has 32 bits per pixel: panel and picture are on;
    // a display of 256 colours takes both away and a better one brings them
    // back; the panel goes and comes with the tool bars.
    void PanelFollowsColourDepthAndToolBars() {
        auto main = test::StartMainWindow();
        auto* panel = main->findChild<QFrame*>(QStringLiteral("AnimatePanel"));
        QVERIFY(panel);
        QCOMPARE(panel->size(), QSize(59, 59));
        QVERIFY(panel->isVisible());
        QVERIFY(main->CoolBarPictured());
        auto* startBar = main->findChild<QToolBar*>(QStringLiteral("StartToolBar"));
        QVERIFY(startBar->styleSheet().contains(QStringLiteral(":/animation/5110.png")));

        main->SetAnimationPanel(false);
        QTRY_VERIFY(!panel->isVisible());
        QVERIFY(!main->CoolBarPictured());
        QVERIFY(startBar->styleSheet().isEmpty());
        main->SetAnimationPanel(true);
        QTRY_VERIFY(panel->isVisible());
        QVERIFY(main->CoolBarPictured());

        main->HideToolBar();
        QTRY_VERIFY(!panel->isVisible());
        main->ShowToolBar();
        QTRY_VERIFY(panel->isVisible());
        QVERIFY(Boxes.empty());
    }

    // The torus turns exactly while the about box is open; the clock's
    // ticks meanwhile are harmless whether or not the system has sound.
    void AboutBoxRunsTheAnimation() {
        auto main = test::StartMainWindow();
        auto* torus = main->findChild<TAnimate*>(QStringLiteral("ATorus"));
        QVERIFY(!main->AnimationRunning());
        bool runningInside = false;
        int framesSeen = 0;
        QTimer::singleShot(0, main.get(), [&] {
            runningInside = main->AnimationRunning();
            for (int tick = 0; tick < 5; ++tick)
                main->ClockTimerTimer();
            QTest::qWait(400);
            framesSeen = torus->Frame();
            auto* box = main->findChild<QDialog*>(QStringLiteral("AboutBox"));
            box->reject();
        });
        main->findChild<QAction*>(QStringLiteral("HelpAboutItem"))->trigger();
        QVERIFY(runningInside);
        QVERIFY2(framesSeen > 0, "frames advance while the box is open");
        QVERIFY(!main->AnimationRunning());
        QCOMPARE(torus->Frame(), 0);
        QVERIFY(Boxes.empty());
        // Sound effects are kept only where they can play.
        QVERIFY(!main->SoundEffects() || main->SoundEffects()->Enabled());
    }
};

QTEST_MAIN(AnimationTest)
#include "AnimationTest.moc"
