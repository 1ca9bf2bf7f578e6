#pragma once

#include "sounds/WaveOut.h"

#include <QAudio>
#include <QBuffer>
#include <QObject>

#include <cstdint>
#include <memory>

class QAudioSink;

namespace orvanta {

// The waveform output on Qt Multimedia: the system's default audio output,
// fed from a buffer over the sound's samples.
class TQtWaveOut : public QObject, public TWaveOut {
    Q_OBJECT

public:
    explicit TQtWaveOut(QObject* parent = nullptr);
    ~TQtWaveOut() override;

    int DeviceCount() const override;
    bool Open(const TWaveFormat& format) override;
    bool Prepare(TWaveHeader& header) override;
    bool Unprepare(TWaveHeader& header) override;
    bool Write(TWaveHeader& header) override;
    void Reset() override;
    void Close() override;
    std::int64_t Position() const override;

private:
    void SinkStateChanged(QAudio::State state);

    std::unique_ptr<QAudioSink> Sink;
    QBuffer Buffer;
    std::uint32_t SampleRate = 0;
    // Counts the buffers written; a queued done notification that arrives
    // after its buffer was reset or closed belongs to an older one and is
    // dropped, so it cannot stop the next sound.
    std::uint64_t Generation = 0;
};

} // namespace orvanta
