// When the about box's sounds start, stop and stay silent.
#include "sounds/SoundEffects.h"

#include "FakeWaveOut.h"
#include "WaveImage.h"

#include <gtest/gtest.h>

#include <map>

using namespace orvanta;
using namespace orvanta::test;

namespace {

// Sound i (0..15) carries i + 1 bytes of data so that a written buffer
// tells which sound it was.
std::vector<std::uint8_t> NumberedImage(int id) {
    TWaveRecipe recipe;
    recipe.Bits = 8;
    recipe.Data.assign(static_cast<std::size_t>(id - 5000), 128);
    return MakeWave(recipe);
}

struct TEffects {
    explicit TEffects(std::uint32_t seed, int devices = 1,
                      TSoundEffects::TImageSource images = &NumberedImage) {
        Device->Devices = devices;
        Effects = std::make_unique<TSoundEffects>(
            std::make_unique<TFakeWaveOut>(Device),
            [this, images](int id) {
                Asked.push_back(id);
                return images(id);
            },
            seed);
    }

    // The index of the sound behind every buffer written so far.
    std::vector<int> Started() const {
        std::vector<int> result;
        for (const std::uint8_t* data : Device->Written) {
            for (int i = 0; i < TSoundEffects::SoundCount; ++i) {
                if (Effects->Sound(i)->Samples() == data) {
                    result.push_back(i);
                }
            }
        }
        return result;
    }

    std::shared_ptr<TFakeDevice> Device = std::make_shared<TFakeDevice>();
    std::vector<int> Asked;
    std::unique_ptr<TSoundEffects> Effects;
};

TEST(SoundEffectsTest, WithoutAnOutputDeviceNothingIsCreated) {
    TEffects box(1, 0);
    EXPECT_FALSE(box.Effects->SoundsEnabled());
    EXPECT_EQ(box.Effects->Player(), nullptr);
    for (int i = 0; i < TSoundEffects::SoundCount; ++i) {
        EXPECT_EQ(box.Effects->Sound(i), nullptr);
    }
    for (int tick = 0; tick < 100; ++tick) {
        box.Effects->Tick();
    }
    box.Effects->Stop();
    box.Effects->BufferDone();
    box.Effects.reset();
    EXPECT_TRUE(box.Asked.empty());
    EXPECT_TRUE(box.Device->Calls.empty());
}

TEST(SoundEffectsTest, LoadsTheSixteenSoundsInOrder) {
    TEffects box(1);
    EXPECT_TRUE(box.Effects->SoundsEnabled());
    ASSERT_NE(box.Effects->Player(), nullptr);
    std::vector<int> ids;
    for (int i = 0; i < TSoundEffects::SoundCount; ++i) {
        ids.push_back(5001 + i);
        ASSERT_NE(box.Effects->Sound(i), nullptr);
        EXPECT_FALSE(box.Effects->Sound(i)->Failed());
        EXPECT_EQ(box.Effects->Sound(i)->DataSize(), static_cast<std::uint32_t>(i + 1));
    }
    EXPECT_EQ(box.Asked, ids);
    EXPECT_EQ(box.Effects->Sound(16), nullptr);
}

TEST(SoundEffectsTest, NeverStartsASoundWhileOneIsPlaying) {
    TEffects box(7);
    int ticks = 0;
    while (box.Device->Written.empty() && ticks < 100) {
        box.Effects->Tick();
        ++ticks;
    }
    ASSERT_EQ(box.Device->Written.size(), 1u);
    const int total = box.Effects->Player()->TotalSamples();
    // Still playing at the start, halfway and one sample before the end.
    for (const std::int64_t position :
         {std::int64_t{0}, std::int64_t{total / 2}, std::int64_t{total - 1}}) {
        box.Device->Position = position;
        for (int tick = 0; tick < 200; ++tick) {
            box.Effects->Tick();
        }
        EXPECT_EQ(box.Device->Written.size(), 1u) << "at sample " << position;
    }
    box.Device->Position = total;
    for (int tick = 0; tick < 200 && box.Device->Written.size() == 1; ++tick) {
        box.Effects->Tick();
    }
    EXPECT_EQ(box.Device->Written.size(), 2u);
}

// With every sound over at once each tick is free: a fair coin, then a
// uniform choice of sixteen. 8000 ticks give 4000 +- 45 starts (one standard
// deviation) and 250 +- 15 per sound; the bounds allow about 9 deviations.
TEST(SoundEffectsTest, StartsOnHalfTheFreeTicksAndPicksSoundsEvenly) {
    TEffects box(20240611);
    box.Device->Position = 1 << 30;
    for (int tick = 0; tick < 8000; ++tick) {
        box.Effects->Tick();
    }
    const std::vector<int> started = box.Started();
    EXPECT_EQ(started.size(), box.Device->Written.size());
    EXPECT_GT(started.size(), 3600u);
    EXPECT_LT(started.size(), 4400u);
    std::map<int, int> perSound;
    for (int i : started) {
        ++perSound[i];
    }
    ASSERT_EQ(perSound.size(), 16u);
    for (const auto& [sound, count] : perSound) {
        SCOPED_TRACE(sound);
        EXPECT_GT(count, 115);
        EXPECT_LT(count, 385);
    }
}

TEST(SoundEffectsTest, FailedSoundsAreSkipped) {
    // The odd identifiers (indices 0, 2, ...) are not WAVE files.
    TEffects box(11, 1, [](int id) {
        return id % 2 == 1 ? std::vector<std::uint8_t>{'R', 'I', 'F'} : NumberedImage(id);
    });
    box.Device->Position = 1 << 30;
    for (int tick = 0; tick < 4000; ++tick) {
        box.Effects->Tick();
    }
    const std::vector<int> started = box.Started();
    // Half the ticks pick a sound and half of those pick a failed one.
    EXPECT_GT(started.size(), 800u);
    EXPECT_LT(started.size(), 1200u);
    for (int i : started) {
        EXPECT_EQ(i % 2, 1) << "sound " << i << " failed to load";
    }
    EXPECT_EQ(std::count(box.Device->Calls.begin(), box.Device->Calls.end(), "Open"),
              static_cast<std::ptrdiff_t>(started.size()));
}

TEST(SoundEffectsTest, TheDeviceDoneReportAndTheAnimationStopCloseThePlayer) {
    struct TCase {
        const char* Name;
        void (*Stop)(TEffects&);
    };
    const TCase cases[] = {
        {"buffer done", [](TEffects& box) { box.Device->ReportDone(); }},
        {"animation stopped", [](TEffects& box) { box.Effects->Stop(); }},
        {"program end", [](TEffects& box) { box.Effects.reset(); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TEffects box(5);
        while (box.Device->Written.empty()) {
            box.Effects->Tick();
        }
        box.Device->Calls.clear();
        c.Stop(box);
        EXPECT_EQ(box.Device->Calls, (std::vector<std::string>{"Reset", "Unprepare", "Close"}));
        if (box.Effects) {
            EXPECT_EQ(box.Effects->Player()->Stage(), 0);
        }
    }
}

} // namespace
