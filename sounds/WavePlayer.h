#pragma once

#include "sounds/WaveOut.h"

#include <cstdint>

namespace orvanta {

// Plays one sound at a time on a waveform output device, in the stages
// closed (0), open (1), buffer prepared (2) and playing (3).
class TWavePlayer {
public:
    explicit TWavePlayer(TWaveOut& out) : Out(out) {}
    ~TWavePlayer() { Close(); }
    TWavePlayer(const TWavePlayer&) = delete;
    TWavePlayer& operator=(const TWavePlayer&) = delete;

    // Closes what is open and opens the device for the sound's format.
    bool Open(const TWave* sound);
    bool Prepare();
    bool Play();
    void Close();
    // Thousandths of the sound played; 1000 when nothing plays.
    int Progress() const;
    bool Finished() const { return Progress() > 999; }

    std::int32_t DeviceCount() const { return FDeviceCount; }
    const TWaveHeader& Header() const { return FHeader; }
    const TWave* Sound() const { return FSound; }
    std::int32_t TotalSamples() const { return FTotalSamples; }
    bool Failed() const { return FFailed; }
    int Stage() const { return FStage; }

private:
    // Undoes the stages above `stage`, the latest first.
    void StepDownTo(int stage);

    TWaveOut& Out;
    std::int32_t FDeviceCount = 0;
    TWaveHeader FHeader;
    const TWave* FSound = nullptr;
    std::int32_t FTotalSamples = 0;
    bool FFailed = false;
    int FStage = 0;
};

} // namespace orvanta
