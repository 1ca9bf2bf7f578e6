// The sixteen sounds the build synthesises: each loads, is short, fades in
// and out, stays at a moderate level and differs from the others.
#include "sounds/Wave.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

using namespace orvanta;

namespace {

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Sample i of the first channel, scaled to -1 .. 1.
double SampleAt(const TWave& wave, std::size_t frame) {
    const std::uint8_t* p = wave.Samples() + frame * wave.Format().BlockAlign;
    if (wave.Format().BitsPerSample == 8) {
        return (p[0] - 128) / 128.0;
    }
    return static_cast<std::int16_t>(p[0] | (p[1] << 8)) / 32768.0;
}

TEST(GeneratedSoundsTest, AllSixteenLoadAndSoundGentle) {
    std::vector<std::vector<std::uint8_t>> images;
    int eightBit = 0, stereo = 0, extraChunk = 0;
    for (int id = 5001; id <= 5016; ++id) {
        SCOPED_TRACE(id);
        images.push_back(
            ReadFile(std::string(ORVAN_SOUND_MEDIA_DIR "/") + std::to_string(id) + ".wav"));
        const std::vector<std::uint8_t>& image = images.back();
        const TWave wave(image);
        ASSERT_FALSE(wave.Failed());
        // The RIFF size is the file's length less the 8 bytes of its header.
        ASSERT_GE(image.size(), 8u);
        EXPECT_EQ(image[4] | image[5] << 8 | image[6] << 16 | image[7] << 24,
                  static_cast<int>(image.size() - 8));
        const TWaveFormat& f = wave.Format();
        EXPECT_EQ(f.FormatTag, 1);
        EXPECT_EQ(f.SamplesPerSec, 22050u);
        EXPECT_TRUE(f.Channels == 1 || f.Channels == 2);
        EXPECT_TRUE(f.BitsPerSample == 8 || f.BitsPerSample == 16);
        ASSERT_GT(f.AvgBytesPerSec, 0u);
        const double seconds = static_cast<double>(wave.DataSize()) / f.AvgBytesPerSec;
        EXPECT_GE(seconds, 0.15);
        EXPECT_LE(seconds, 0.8);
        EXPECT_EQ(wave.DataSize() % f.BlockAlign, 0u);

        const std::size_t frames = wave.DataSize() / f.BlockAlign;
        double peak = 0;
        for (std::size_t i = 0; i < frames; ++i) {
            peak = std::max(peak, std::abs(SampleAt(wave, i)));
        }
        EXPECT_GT(peak, 0.2) << "audible";
        EXPECT_LT(peak, 0.6) << "moderate";
        EXPECT_LT(std::abs(SampleAt(wave, 0)), 0.02) << "starts without a click";
        EXPECT_LT(std::abs(SampleAt(wave, frames - 1)), 0.02) << "ends without a click";

        eightBit += f.BitsPerSample == 8;
        stereo += f.Channels == 2;
        extraChunk += wave.Samples() != image.data() + 44;
    }
    EXPECT_GE(eightBit, 1);
    EXPECT_GE(stereo, 1);
    EXPECT_GE(extraChunk, 1);
    for (std::size_t a = 0; a < images.size(); ++a) {
        for (std::size_t b = a + 1; b < images.size(); ++b) {
            EXPECT_NE(images[a], images[b]) << 5001 + a << " and " << 5001 + b;
        }
    }
}

} // namespace
