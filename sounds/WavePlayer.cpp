#include "sounds/WavePlayer.h"

#include <algorithm>
#include <limits>

namespace orvanta {

namespace {

// Sample frames in the sound; 0 when the format cannot say (no channels or
// less than a byte per sample), which the progress treats as finished.
std::int32_t CountSamples(const TWave& sound) {
    const std::uint32_t bytesPerSample = sound.Format().BitsPerSample / 8u;
    if (sound.Format().Channels == 0 || bytesPerSample == 0) {
        return 0;
    }
    const std::uint32_t count = sound.DataSize() / sound.Format().Channels / bytesPerSample;
    return static_cast<std::int32_t>(
        std::min<std::uint32_t>(count, std::numeric_limits<std::int32_t>::max()));
}

} // namespace

bool TWavePlayer::Open(const TWave* sound) {
    Close();
    FHeader = TWaveHeader();
    FSound = nullptr;
    FTotalSamples = 0;
    FFailed = true;
    FDeviceCount = Out.DeviceCount();
    // A failed wave has no samples to point the buffer at.
    if (FDeviceCount <= 0 || sound == nullptr || sound->Failed()) {
        return false;
    }
    FSound = sound;
    FTotalSamples = CountSamples(*sound);
    if (!Out.Open(sound->Format())) {
        return false;
    }
    FStage = 1;
    FFailed = false;
    return true;
}

void TWavePlayer::StepDownTo(int stage) {
    if (FStage == 3 && stage < 3) {
        Out.Reset();
        FStage = 2;
    }
    if (FStage == 2 && stage < 2) {
        Out.Unprepare(FHeader);
        FStage = 1;
    }
    if (FStage == 1 && stage < 1) {
        Out.Close();
        FStage = 0;
    }
}

bool TWavePlayer::Prepare() {
    StepDownTo(1);
    if (FStage == 0) {
        return false;
    }
    FHeader = TWaveHeader{FSound->Samples(), FSound->DataSize(), 0, 1};
    FFailed = !Out.Prepare(FHeader);
    if (!FFailed) {
        FStage = 2;
    }
    return !FFailed;
}

bool TWavePlayer::Play() {
    if (FStage < 2) {
        return false;
    }
    // A buffer the device refused is not playing: it must not hold the
    // player busy.
    FFailed = !Out.Write(FHeader);
    if (!FFailed) {
        FStage = 3;
    }
    return !FFailed;
}

void TWavePlayer::Close() {
    StepDownTo(0);
}

int TWavePlayer::Progress() const {
    if (FStage != 3 || FFailed || FTotalSamples <= 0) {
        return 1000;
    }
    const std::int64_t played = std::clamp<std::int64_t>(Out.Position(), 0, FTotalSamples);
    return static_cast<int>(played * 1000 / FTotalSamples);
}

} // namespace orvanta
