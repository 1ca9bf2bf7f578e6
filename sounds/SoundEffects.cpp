#include "sounds/SoundEffects.h"

#include <span>
#include <utility>

namespace orvanta {

TSoundEffects::TSoundEffects(std::unique_ptr<TWaveOut> out, const TImageSource& images,
                             std::uint32_t seed)
    : Out(std::move(out)), Random(seed) {
    if (Out->DeviceCount() <= 0) {
        return;
    }
    Sounds = std::make_unique<std::array<TWave, SoundCount>>();
    for (int i = 0; i < SoundCount; ++i) {
        Images[i] = images(FirstSoundId + i);
        (*Sounds)[i].Load(std::span<const std::uint8_t>(Images[i]));
    }
    FPlayer = std::make_unique<TWavePlayer>(*Out);
    Out->SetDoneHandler([this] { BufferDone(); });
    FSoundsEnabled = true;
}

TSoundEffects::~TSoundEffects() {
    // The player closes the device on its way out; nothing may call back
    // into a half-destroyed owner after that.
    FPlayer.reset();
    Out->SetDoneHandler(nullptr);
}

void TSoundEffects::Tick() {
    if (!FSoundsEnabled || !FPlayer->Finished()) {
        return;
    }
    // Explicit arithmetic on the raw draws keeps a seed's sequence the same
    // on every standard library: the top bit is a fair coin, the top four
    // bits a uniform choice among sixteen.
    if ((Random() >> 31) != 0) {
        return;
    }
    const TWave& sound = (*Sounds)[Random() >> 28];
    if (sound.Failed()) {
        return;
    }
    if (FPlayer->Open(&sound) && FPlayer->Prepare()) {
        FPlayer->Play();
    }
}

void TSoundEffects::Stop() {
    if (FSoundsEnabled) {
        FPlayer->Close();
    }
}

void TSoundEffects::BufferDone() {
    Stop();
}

const TWave* TSoundEffects::Sound(int index) const {
    if (!Sounds || index < 0 || index >= SoundCount) {
        return nullptr;
    }
    return &(*Sounds)[index];
}

} // namespace orvanta
