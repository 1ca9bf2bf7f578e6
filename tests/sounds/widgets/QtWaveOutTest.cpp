// The Qt Multimedia output: which formats it refuses before touching a
// device, and, where the machine has an audio output, a sound played to its
// end with the done report arriving afterwards from the event loop.
#include "sounds/QtWaveOut.h"

#include "../logic/WaveImage.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QTest>

using namespace orvanta;
using namespace orvanta::test;

Q_DECLARE_METATYPE(orvanta::TWaveFormat)

class QtWaveOutTest : public QObject {
    Q_OBJECT

private slots:
    void RefusesFormatsQtCannotPlay_data() {
        QTest::addColumn<TWaveFormat>("format");
        QTest::newRow("IEEE float") << TWaveFormat{3, 1, 22050, 88200, 4, 32};
        QTest::newRow("24-bit") << TWaveFormat{1, 1, 22050, 66150, 3, 24};
        QTest::newRow("4-bit") << TWaveFormat{1, 1, 22050, 11025, 0, 4};
        QTest::newRow("no channels") << TWaveFormat{1, 0, 22050, 0, 0, 16};
        QTest::newRow("no rate") << TWaveFormat{1, 1, 0, 0, 2, 16};
    }
    void RefusesFormatsQtCannotPlay() {
        QFETCH(TWaveFormat, format);
        TQtWaveOut out;
        QVERIFY(!out.Open(format));
        TWaveHeader header;
        QVERIFY(!out.Write(header));
        QCOMPARE(out.Position(), std::int64_t{0});
    }

    void PlaysASoundToTheEnd() {
        if (QMediaDevices::audioOutputs().isEmpty()) {
            QSKIP("no audio output on this machine");
        }
        TWaveRecipe recipe;
        recipe.Data.assign(2205 * 2, 0); // 0.1 s of silence
        const std::vector<std::uint8_t> image = MakeWave(recipe);
        const TWave wave(image);
        TQtWaveOut out;
        int done = 0;
        out.SetDoneHandler([&done] { ++done; });
        QVERIFY(out.Open(wave.Format()));
        TWaveHeader header{wave.Samples(), wave.DataSize(), 0, 1};
        QVERIFY(out.Prepare(header));
        QVERIFY(out.Write(header));
        QCOMPARE(done, 0);
        QTRY_COMPARE_WITH_TIMEOUT(done, 1, 3000);
        QVERIFY(out.Position() > 2000);
        out.Close();
    }
};

QTEST_MAIN(QtWaveOutTest)
#include "QtWaveOutTest.moc"
