#pragma once

#include "sounds/Wave.h"
#include "sounds/WaveOut.h"
#include "sounds/WavePlayer.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace orvanta {

// The sixteen sounds of the about box's animation and the rule that picks
// one now and then. Without an output device nothing is loaded or created
// and the effects stay silent for good.
class TSoundEffects {
public:
    static constexpr int SoundCount = 16;
    static constexpr int FirstSoundId = 5001;

    // The complete file image of sound `id` (5001..5016); empty when missing.
    using TImageSource = std::function<std::vector<std::uint8_t>(int id)>;

    TSoundEffects(std::unique_ptr<TWaveOut> out, const TImageSource& images, std::uint32_t seed);
    ~TSoundEffects();
    TSoundEffects(const TSoundEffects&) = delete;
    TSoundEffects& operator=(const TSoundEffects&) = delete;

    bool SoundsEnabled() const { return FSoundsEnabled; }
    // One clock tick while the animation runs: when nothing plays, a sound
    // starts with probability 1/2.
    void Tick();
    // The animation stopped.
    void Stop();
    // The device has played the buffer.
    void BufferDone();

    // Sound `index` (0..15), or nullptr when sounds are disabled.
    const TWave* Sound(int index) const;
    // nullptr when sounds are disabled.
    const TWavePlayer* Player() const { return FPlayer.get(); }

private:
    std::unique_ptr<TWaveOut> Out;
    bool FSoundsEnabled = false;
    std::array<std::vector<std::uint8_t>, SoundCount> Images;
    std::unique_ptr<std::array<TWave, SoundCount>> Sounds;
    std::unique_ptr<TWavePlayer> FPlayer;
    std::mt19937 Random;
};

} // namespace orvanta
