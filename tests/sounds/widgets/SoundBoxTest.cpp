// The sound box the main window owns: the sixteen sounds come from the
// program's resources, and without an output device it stays silent and
// says nothing.
#include "sounds/SoundBox.h"

#include "sounds/SoundEffects.h"

#include "../logic/FakeWaveOut.h"

#include <QAudioDevice>
#include <QGuiApplication>
#include <QMediaDevices>
#include <QTest>

using namespace orvanta;
using namespace orvanta::test;

namespace {

QStringList Messages;

void Capture(QtMsgType, const QMessageLogContext&, const QString& text) {
    Messages << text;
}

} // namespace

class SoundBoxTest : public QObject {
    Q_OBJECT

private slots:
    void init() { Messages.clear(); }

    void ResourcesHoldSixteenPlayableSounds() {
        auto device = std::make_shared<TFakeDevice>();
        TSoundBox box(std::make_unique<TFakeWaveOut>(device), 1);
        QVERIFY(box.Enabled());
        for (int i = 0; i < TSoundEffects::SoundCount; ++i) {
            const TWave* sound = box.Effects().Sound(i);
            QVERIFY(sound != nullptr);
            QVERIFY2(!sound->Failed(), qPrintable(QString::number(5001 + i)));
            QCOMPARE(sound->Format().SamplesPerSec, 22050u);
            const double seconds =
                static_cast<double>(sound->DataSize()) / sound->Format().AvgBytesPerSec;
            QVERIFY(seconds >= 0.15 && seconds <= 0.8);
        }
    }

    void WithoutADeviceNothingIsCreatedAndNothingIsSaid() {
        auto device = std::make_shared<TFakeDevice>();
        device->Devices = 0;
        const QtMessageHandler previous = qInstallMessageHandler(&Capture);
        {
            TSoundBox box(std::make_unique<TFakeWaveOut>(device), 3);
            QVERIFY(!box.Enabled());
            QVERIFY(box.Effects().Player() == nullptr);
            QVERIFY(box.Effects().Sound(0) == nullptr);
            for (int tick = 0; tick < 20; ++tick) {
                box.Tick();
            }
            box.Stop();
        }
        qInstallMessageHandler(previous);
        QVERIFY(device->Calls.empty());
        QCOMPARE(Messages, QStringList());
    }

    // The machine's own audio outputs decide. Without any the box comes up
    // silent and shows nothing; the audio backend may still log to the
    // console that it found no sound server.
    void FollowsTheSystemsOutputDevices() {
        const bool hasOutput = !QMediaDevices::audioOutputs().isEmpty();
        {
            TSoundBox box;
            QCOMPARE(box.Enabled(), hasOutput);
            QCOMPARE(box.Effects().Player() != nullptr, hasOutput);
            box.Tick();
            box.Stop();
            QVERIFY(QGuiApplication::topLevelWindows().isEmpty());
        }
    }
};

QTEST_MAIN(SoundBoxTest)
#include "SoundBoxTest.moc"
