// Loading a sound from a WAVE file image: where the samples are found, when
// the image is refused, and the format the device is handed.
#include "sounds/Wave.h"

#include "WaveImage.h"

#include <gtest/gtest.h>

using namespace orvanta;
using namespace orvanta::test;

namespace {

struct TPlacementCase {
    const char* Name;
    std::size_t DataAt;
    bool Found;
};

// The tag is searched for from byte 36 up to, not including, byte 4096.
const TPlacementCase Placements[] = {
    {"canonical header", 36, true},
    {"odd offset after a stray byte", 37, true},
    {"after a 156-byte chunk", 200, true},
    {"starting at the last byte searched", 4095, true},
    {"starting at the search limit", 4096, false},
    {"far beyond the limit", 6000, false},
};

TEST(WaveTest, FindsTheDataTagOnlyWithinTheSearchedRange) {
    for (const TPlacementCase& c : Placements) {
        SCOPED_TRACE(c.Name);
        TWaveRecipe recipe;
        recipe.DataAt = c.DataAt;
        const std::vector<std::uint8_t> image = MakeWave(recipe);
        const TWave wave(image);
        EXPECT_EQ(wave.Failed(), !c.Found);
        EXPECT_EQ(wave.HasData(), c.Found);
        EXPECT_EQ(wave.HasFormat(), c.Found);
        if (c.Found) {
            EXPECT_EQ(wave.Samples(), image.data() + c.DataAt + 8);
            EXPECT_EQ(wave.DataSize(), 100u);
        } else {
            EXPECT_EQ(wave.Samples(), nullptr);
            EXPECT_EQ(wave.DataSize(), 0u);
        }
    }
}

TEST(WaveTest, RefusesImagesThatAreNotWaveFiles) {
    struct TCase {
        const char* Name;
        std::vector<std::uint8_t> Image;
    };
    TWaveRecipe rifx;
    rifx.Riff = "RIFX";
    const std::vector<std::uint8_t> good = MakeWave(TWaveRecipe());
    const TCase cases[] = {
        {"empty", {}},
        {"big-endian RIFX", MakeWave(rifx)},
        {"35 bytes", {good.begin(), good.begin() + 35}},
        {"header without data chunk", {good.begin(), good.begin() + 36}},
        {"data tag without its size", {good.begin(), good.begin() + 42}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const TWave wave(c.Image);
        EXPECT_TRUE(wave.Failed());
        EXPECT_FALSE(wave.HasData());
        EXPECT_EQ(wave.Samples(), nullptr);
    }
}

TEST(WaveTest, ClampsADataSizeThatRunsPastTheImage) {
    struct TCase {
        std::uint32_t Stated;
        std::uint32_t Expected;
    };
    const TCase cases[] = {{10, 10}, {100, 100}, {101, 100}, {0xFFFFFFFFu, 100}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Stated);
        TWaveRecipe recipe;
        recipe.StatedDataSize = c.Stated;
        const std::vector<std::uint8_t> image = MakeWave(recipe);
        const TWave wave(image);
        ASSERT_FALSE(wave.Failed());
        EXPECT_EQ(wave.DataSize(), c.Expected);
    }
}

// Reference values: the CD rate 44100 Hz x 2 x 16 bit is 176400 bytes/s;
// the others by hand (channels x bits / 8 x rate).
TEST(WaveTest, DerivesBlockAlignAndByteRateFromTheSampleLayout) {
    struct TCase {
        std::uint16_t Channels;
        std::uint32_t Rate;
        std::uint16_t Bits;
        std::uint16_t BlockAlign;
        std::uint32_t ByteRate;
    };
    const TCase cases[] = {
        {2, 44100, 16, 4, 176400},  {1, 22050, 8, 1, 22050}, {1, 22050, 16, 2, 44100},
        {6, 48000, 24, 18, 864000}, {2, 8000, 4, 1, 8000},   {1, 8000, 4, 0, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Channels << " x " << c.Bits << " @ " << c.Rate);
        TWaveRecipe recipe;
        recipe.Channels = c.Channels;
        recipe.Rate = c.Rate;
        recipe.Bits = c.Bits;
        recipe.StatedBlockAlign = 7; // the header lies about both
        recipe.StatedByteRate = 12345;
        const std::vector<std::uint8_t> image = MakeWave(recipe);
        const TWave wave(image);
        ASSERT_FALSE(wave.Failed());
        EXPECT_EQ(wave.Format().FormatTag, 1);
        EXPECT_EQ(wave.Format().Channels, c.Channels);
        EXPECT_EQ(wave.Format().SamplesPerSec, c.Rate);
        EXPECT_EQ(wave.Format().BitsPerSample, c.Bits);
        EXPECT_EQ(wave.Format().BlockAlign, c.BlockAlign);
        EXPECT_EQ(wave.Format().AvgBytesPerSec, c.ByteRate);
    }
}

} // namespace
