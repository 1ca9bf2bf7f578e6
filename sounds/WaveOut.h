#pragma once

#include "sounds/Wave.h"

#include <cstdint>
#include <functional>
#include <utility>

namespace orvanta {

// The one buffer handed to the output device.
struct TWaveHeader {
    static constexpr std::uint32_t Prepared = 0x2;

    const std::uint8_t* Data = nullptr;
    std::uint32_t BufferLength = 0;
    std::uint32_t Flags = 0;
    std::uint32_t Loops = 0;
};

// A waveform audio output device: the default output, opened for one format
// at a time. The owner learns that a written buffer has been played through
// the done handler, which an implementation calls from its event loop, never
// from inside one of the calls below.
class TWaveOut {
public:
    virtual ~TWaveOut() = default;

    virtual int DeviceCount() const = 0;
    virtual bool Open(const TWaveFormat& format) = 0;
    virtual bool Prepare(TWaveHeader& header) = 0;
    virtual bool Unprepare(TWaveHeader& header) = 0;
    virtual bool Write(TWaveHeader& header) = 0;
    // Stops playing and forgets the written buffer; no done notification
    // follows for it.
    virtual void Reset() = 0;
    virtual void Close() = 0;
    // Sample frames played since the last write.
    virtual std::int64_t Position() const = 0;

    void SetDoneHandler(std::function<void()> handler) { Done = std::move(handler); }

protected:
    void NotifyDone() {
        if (Done) {
            Done();
        }
    }

private:
    std::function<void()> Done;
};

} // namespace orvanta
