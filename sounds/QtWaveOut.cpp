#include "sounds/QtWaveOut.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <QMetaObject>

namespace orvanta {

namespace {

constexpr std::uint16_t PcmTag = 1;

// The Qt format for a PCM record; invalid for anything Qt cannot play.
QAudioFormat ToQtFormat(const TWaveFormat& format) {
    QAudioFormat result;
    if (format.FormatTag != PcmTag || format.Channels == 0 || format.SamplesPerSec == 0) {
        return result;
    }
    switch (format.BitsPerSample) {
    case 8:
        result.setSampleFormat(QAudioFormat::UInt8);
        break;
    case 16:
        result.setSampleFormat(QAudioFormat::Int16);
        break;
    case 32:
        result.setSampleFormat(QAudioFormat::Int32);
        break;
    default:
        return result;
    }
    result.setChannelCount(format.Channels);
    result.setSampleRate(static_cast<int>(format.SamplesPerSec));
    return result;
}

} // namespace

TQtWaveOut::TQtWaveOut(QObject* parent) : QObject(parent) {}

TQtWaveOut::~TQtWaveOut() {
    Close();
}

int TQtWaveOut::DeviceCount() const {
    return static_cast<int>(QMediaDevices::audioOutputs().size());
}

bool TQtWaveOut::Open(const TWaveFormat& format) {
    Close();
    const QAudioFormat qtFormat = ToQtFormat(format);
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (!qtFormat.isValid() || device.isNull() || !device.isFormatSupported(qtFormat)) {
        return false;
    }
    Sink = std::make_unique<QAudioSink>(device, qtFormat);
    connect(Sink.get(), &QAudioSink::stateChanged, this, &TQtWaveOut::SinkStateChanged);
    SampleRate = format.SamplesPerSec;
    return true;
}

bool TQtWaveOut::Prepare(TWaveHeader& header) {
    if (!Sink || header.Data == nullptr) {
        return false;
    }
    Buffer.close();
    // Not copied: the samples live as long as the sound.
    Buffer.setData(QByteArray::fromRawData(reinterpret_cast<const char*>(header.Data),
                                           static_cast<qsizetype>(header.BufferLength)));
    header.Flags |= TWaveHeader::Prepared;
    return true;
}

bool TQtWaveOut::Unprepare(TWaveHeader& header) {
    Buffer.close();
    Buffer.setData(QByteArray());
    header.Flags &= ~TWaveHeader::Prepared;
    return true;
}

bool TQtWaveOut::Write(TWaveHeader& header) {
    if (!Sink || (header.Flags & TWaveHeader::Prepared) == 0 || !Buffer.open(QIODevice::ReadOnly)) {
        return false;
    }
    ++Generation;
    Sink->start(&Buffer);
    return Sink->error() == QAudio::NoError;
}

void TQtWaveOut::Reset() {
    ++Generation;
    if (Sink) {
        Sink->stop();
    }
    Buffer.close();
}

void TQtWaveOut::Close() {
    Reset();
    if (Sink) {
        Sink->disconnect(this);
        Sink.reset();
    }
    SampleRate = 0;
}

std::int64_t TQtWaveOut::Position() const {
    if (!Sink) {
        return 0;
    }
    return Sink->processedUSecs() * SampleRate / 1000000;
}

void TQtWaveOut::SinkStateChanged(QAudio::State state) {
    if (state != QAudio::IdleState || !Buffer.isOpen() || !Buffer.atEnd()) {
        return;
    }
    // The owner closes the player on this notification, which destroys the
    // sink; that must not happen inside the sink's own signal.
    const std::uint64_t written = Generation;
    QMetaObject::invokeMethod(
        this,
        [this, written] {
            if (written == Generation) {
                NotifyDone();
            }
        },
        Qt::QueuedConnection);
}

} // namespace orvanta
