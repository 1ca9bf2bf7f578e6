// The player's stages on a device that can refuse each step, and the
// progress that decides when the next sound may start.
#include "sounds/WavePlayer.h"

#include "FakeWaveOut.h"
#include "WaveImage.h"

#include <gtest/gtest.h>

using namespace orvanta;
using namespace orvanta::test;
using Calls = std::vector<std::string>;

namespace {

class WavePlayerTest : public testing::Test {
protected:
    // 1000 bytes of 16-bit stereo: 250 sample frames.
    WavePlayerTest() : Image(MakeStereo()), Sound(Image), Player(Out) {}

    static std::vector<std::uint8_t> MakeStereo() {
        TWaveRecipe recipe;
        recipe.Channels = 2;
        recipe.Data.assign(1000, 0);
        return MakeWave(recipe);
    }

    bool Start() { return Player.Open(&Sound) && Player.Prepare() && Player.Play(); }

    std::shared_ptr<TFakeDevice> Device = std::make_shared<TFakeDevice>();
    TFakeWaveOut Out{Device};
    std::vector<std::uint8_t> Image;
    TWave Sound;
    TWavePlayer Player;
};

TEST_F(WavePlayerTest, PlaysTheWholeSoundOnce) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(Player.Stage(), 3);
    EXPECT_FALSE(Player.Failed());
    EXPECT_EQ(Player.DeviceCount(), 1);
    EXPECT_EQ(Player.Sound(), &Sound);
    EXPECT_EQ(Player.TotalSamples(), 250);
    EXPECT_EQ(Device->Calls, (Calls{"Open", "Prepare", "Write"}));
    EXPECT_EQ(Device->Opened.BlockAlign, 4);
    EXPECT_EQ(Device->Opened.AvgBytesPerSec, 88200u);
    EXPECT_EQ(Player.Header().Data, Image.data() + 44);
    EXPECT_EQ(Player.Header().BufferLength, 1000u);
    EXPECT_EQ(Player.Header().Loops, 1u);
}

TEST_F(WavePlayerTest, StopsAtTheFirstRefusedStep) {
    struct TCase {
        const char* Name;
        int Devices;
        bool OpenOk, PrepareOk, WriteOk;
        int Stage;
        Calls Expected;
    };
    const TCase cases[] = {
        {"no device", 0, true, true, true, 0, {}},
        {"open refused", 1, false, true, true, 0, {"Open"}},
        {"prepare refused", 1, true, false, true, 1, {"Open", "Prepare"}},
        {"write refused", 1, true, true, false, 2, {"Open", "Prepare", "Write"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto device = std::make_shared<TFakeDevice>();
        device->Devices = c.Devices;
        device->OpenOk = c.OpenOk;
        device->PrepareOk = c.PrepareOk;
        device->WriteOk = c.WriteOk;
        TFakeWaveOut out(device);
        TWavePlayer player(out);
        // Every step is tried, as if the caller ignored the results.
        player.Open(&Sound);
        player.Prepare();
        player.Play();
        EXPECT_EQ(player.Stage(), c.Stage);
        EXPECT_TRUE(player.Failed());
        EXPECT_EQ(player.DeviceCount(), c.Devices);
        EXPECT_EQ(device->Calls, c.Expected);
        // Nothing plays, so the next sound may start.
        EXPECT_EQ(player.Progress(), 1000);
    }
}

TEST_F(WavePlayerTest, RefusesAMissingOrFailedSoundWithoutTouchingTheDevice) {
    const TWave failed;
    EXPECT_FALSE(Player.Open(nullptr));
    EXPECT_FALSE(Player.Open(&failed));
    EXPECT_FALSE(Player.Prepare());
    EXPECT_FALSE(Player.Play());
    EXPECT_EQ(Player.Stage(), 0);
    EXPECT_TRUE(Device->Calls.empty());
}

TEST_F(WavePlayerTest, ClosingUnwindsFromEveryStage) {
    struct TCase {
        int Stage;
        Calls Expected;
    };
    const TCase cases[] = {
        {0, {}},
        {1, {"Close"}},
        {2, {"Unprepare", "Close"}},
        {3, {"Reset", "Unprepare", "Close"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Stage);
        if (c.Stage >= 1) {
            ASSERT_TRUE(Player.Open(&Sound));
        }
        if (c.Stage >= 2) {
            ASSERT_TRUE(Player.Prepare());
        }
        if (c.Stage >= 3) {
            ASSERT_TRUE(Player.Play());
        }
        ASSERT_EQ(Player.Stage(), c.Stage);
        Device->Calls.clear();
        Player.Close();
        EXPECT_EQ(Player.Stage(), 0);
        EXPECT_EQ(Device->Calls, c.Expected);
        Player.Close();
        EXPECT_EQ(Device->Calls, c.Expected) << "a second close does nothing";
    }
}

TEST_F(WavePlayerTest, OpeningAnotherSoundStopsTheOneThatPlays) {
    ASSERT_TRUE(Start());
    Device->Calls.clear();
    ASSERT_TRUE(Start());
    EXPECT_EQ(Device->Calls, (Calls{"Reset", "Unprepare", "Close", "Open", "Prepare", "Write"}));
}

TEST_F(WavePlayerTest, PreparingAgainWhilePlayingRewindsTheBuffer) {
    ASSERT_TRUE(Start());
    Device->Calls.clear();
    EXPECT_TRUE(Player.Prepare());
    EXPECT_EQ(Player.Stage(), 2);
    EXPECT_EQ(Device->Calls, (Calls{"Reset", "Unprepare", "Prepare"}));
}

TEST_F(WavePlayerTest, ProgressInThousandthsOfTheSamples) {
    struct TCase {
        std::int64_t Position;
        int Progress;
    };
    // 250 frames: each frame is 4 thousandths.
    const TCase cases[] = {{0, 0},      {1, 4},       {125, 500}, {249, 996},
                           {250, 1000}, {4000, 1000}, {-5, 0}};
    ASSERT_TRUE(Start());
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Position);
        Device->Position = c.Position;
        EXPECT_EQ(Player.Progress(), c.Progress);
        EXPECT_EQ(Player.Finished(), c.Progress > 999);
    }
}

TEST_F(WavePlayerTest, FormatsWithoutWholeSampleBytesDoNotDivideByZero) {
    struct TCase {
        const char* Name;
        std::uint16_t Channels;
        std::uint16_t Bits;
    };
    const TCase cases[] = {{"no channels", 0, 16}, {"4-bit samples", 1, 4}, {"no bits", 2, 0}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TWaveRecipe recipe;
        recipe.Channels = c.Channels;
        recipe.Bits = c.Bits;
        const std::vector<std::uint8_t> image = MakeWave(recipe);
        const TWave sound(image);
        ASSERT_TRUE(Player.Open(&sound) && Player.Prepare() && Player.Play());
        Device->Position = 10;
        EXPECT_EQ(Player.TotalSamples(), 0);
        EXPECT_EQ(Player.Progress(), 1000);
    }
}

} // namespace
