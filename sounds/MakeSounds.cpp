// Writes the sixteen sounds of the about box, 5001.wav .. 5016.wav, into the
// folder given on the command line. Everything is computed from fixed
// numbers, so every build produces the same bytes.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <numbers>
#include <string>
#include <system_error>
#include <vector>

namespace {

constexpr int Rate = 22050;
constexpr double Pi = std::numbers::pi;
constexpr double Volume = 0.45;

using TTrack = std::vector<double>;

struct TSound {
    TTrack Left;
    TTrack Right; // empty for mono
    int Bits = 16;
    bool InfoChunk = false;
};

std::size_t Frames(double seconds) {
    // Rounded: 0.15 s must not come out a sample short.
    return static_cast<std::size_t>(std::lround(seconds * Rate));
}
double Time(std::size_t frame) {
    return static_cast<double>(frame) / Rate;
}

// A small linear congruential generator: the noise that excites the plucked
// strings must be the same on every build.
class TNoise {
public:
    explicit TNoise(std::uint32_t seed) : State(seed) {}
    double Next() {
        State = State * 1664525u + 1013904223u;
        return static_cast<double>(State >> 8) / static_cast<double>(1u << 24) * 2.0 - 1.0;
    }

private:
    std::uint32_t State;
};

// Adds a decaying sine partial starting at `start` seconds.
void AddPartial(TTrack& track, double start, double frequency, double amplitude, double decay) {
    for (std::size_t i = Frames(start); i < track.size(); ++i) {
        const double t = Time(i) - start;
        track[i] += amplitude * std::exp(-t / decay) * std::sin(2 * Pi * frequency * t);
    }
}

// A bell: inharmonic partials that die away faster the higher they are.
void AddBell(TTrack& track, double start, double frequency, double decay) {
    const double ratios[] = {1.0, 2.76, 5.40, 8.93};
    const double amplitudes[] = {1.0, 0.5, 0.25, 0.12};
    for (int p = 0; p < 4; ++p) {
        AddPartial(track, start, frequency * ratios[p], amplitudes[p], decay / (1 + p));
    }
}

// A plucked string (Karplus-Strong): a burst of noise circulating in a delay
// line of one period, averaged on every pass.
void AddPluck(TTrack& track, double start, double frequency, double damping, std::uint32_t seed) {
    const auto period = static_cast<std::size_t>(Rate / frequency);
    std::vector<double> line(period);
    TNoise noise(seed);
    for (double& v : line) {
        v = noise.Next();
    }
    std::size_t at = 0;
    for (std::size_t i = Frames(start); i < track.size(); ++i) {
        const std::size_t next = (at + 1) % period;
        const double out = line[at];
        line[at] = damping * 0.5 * (line[at] + line[next]);
        track[i] += out;
        at = next;
    }
}

// A tone whose frequency glides exponentially from `from` to `to`.
void AddGlide(TTrack& track, double start, double length, double from, double to, double decay) {
    double phase = 0;
    const std::size_t end = std::min(track.size(), Frames(start + length));
    for (std::size_t i = Frames(start); i < end; ++i) {
        const double t = Time(i) - start;
        const double frequency = from * std::pow(to / from, t / length);
        phase += 2 * Pi * frequency / Rate;
        track[i] += std::exp(-t / decay) * std::sin(phase);
    }
}

// Frequency modulation with a decaying index: a soft metallic bell.
void AddFmBell(TTrack& track, double carrier, double ratio, double index, double decay) {
    for (std::size_t i = 0; i < track.size(); ++i) {
        const double t = Time(i);
        const double envelope = std::exp(-t / decay);
        const double modulator = index * envelope * std::sin(2 * Pi * carrier * ratio * t);
        track[i] += envelope * std::sin(2 * Pi * carrier * t + modulator);
    }
}

// One-pole low-pass: takes the edge off noise and clicks.
void LowPass(TTrack& track, double cutoff) {
    const double a = 1 - std::exp(-2 * Pi * cutoff / Rate);
    double y = 0;
    for (double& v : track) {
        y += a * (v - y);
        v = y;
    }
}

// Scales the peak to the common volume and fades both ends, so no sound
// starts or stops with a click.
void Finish(TTrack& track) {
    double peak = 0;
    for (double v : track) {
        peak = std::max(peak, std::abs(v));
    }
    const double gain = peak > 0 ? Volume / peak : 0;
    const std::size_t fadeIn = Frames(0.004);
    const std::size_t fadeOut = Frames(0.025);
    for (std::size_t i = 0; i < track.size(); ++i) {
        double g = gain;
        if (i < fadeIn) {
            g *= static_cast<double>(i) / fadeIn;
        }
        if (i + fadeOut > track.size()) {
            g *= static_cast<double>(track.size() - i) / fadeOut;
        }
        track[i] *= g;
    }
}

TSound Mono(TTrack track, int bits = 16, bool info = false) {
    Finish(track);
    return TSound{std::move(track), {}, bits, info};
}

// Places a mono track in the stereo field: `pan` from -1 (left) to 1
// (right); the right channel lags by `delay` seconds to widen the sound.
TSound Stereo(TTrack track, double pan, double delay) {
    Finish(track);
    const double leftGain = 1 - std::max(pan, 0.0);
    const double rightGain = 1 + std::min(pan, 0.0);
    TTrack right(track.size());
    const std::size_t shift = Frames(delay);
    for (std::size_t i = shift; i < track.size(); ++i) {
        right[i] = track[i - shift] * rightGain;
    }
    for (double& v : track) {
        v *= leftGain;
    }
    return TSound{std::move(track), std::move(right), 16};
}

TSound Chime() {
    TTrack t(Frames(0.6));
    AddBell(t, 0, 880, 0.25);
    return Mono(std::move(t));
}

TSound Pluck() {
    TTrack t(Frames(0.5));
    AddPluck(t, 0, 330, 0.996, 11);
    LowPass(t, 5000);
    return Mono(std::move(t));
}

TSound PluckArpeggio() {
    TTrack t(Frames(0.55));
    const double notes[] = {523.25, 659.25, 783.99};
    for (int n = 0; n < 3; ++n) {
        AddPluck(t, n * 0.11, notes[n], 0.994, 21 + n);
    }
    LowPass(t, 6000);
    return Mono(std::move(t));
}

TSound SoftClick() {
    TTrack t(Frames(0.15));
    AddPartial(t, 0, 1800, 1.0, 0.012);
    AddPartial(t, 0, 420, 0.6, 0.03);
    LowPass(t, 4000);
    return Mono(std::move(t));
}

TSound Bubble() {
    TTrack t(Frames(0.2));
    AddGlide(t, 0, 0.2, 300, 900, 0.07);
    return Mono(std::move(t));
}

TSound ChirpDown() {
    TTrack t(Frames(0.25));
    AddGlide(t, 0, 0.25, 1500, 500, 0.1);
    return Mono(std::move(t));
}

TSound DoorBell() {
    TTrack t(Frames(0.7));
    AddBell(t, 0, 659.25, 0.3);
    AddBell(t, 0.3, 523.25, 0.3);
    return Mono(std::move(t));
}

TSound Marimba() {
    TTrack t(Frames(0.4));
    AddPartial(t, 0, 523.25, 1.0, 0.12);
    AddPartial(t, 0, 523.25 * 4, 0.35, 0.02);
    AddPartial(t, 0, 523.25 * 10, 0.1, 0.006);
    return Mono(std::move(t));
}

TSound Bubbles() {
    TTrack t(Frames(0.45));
    AddGlide(t, 0.0, 0.12, 400, 1100, 0.05);
    AddGlide(t, 0.15, 0.12, 500, 1300, 0.05);
    AddGlide(t, 0.3, 0.12, 350, 1000, 0.05);
    return Mono(std::move(t));
}

TSound GlassTap() {
    TTrack t(Frames(0.3));
    AddPartial(t, 0, 1760, 1.0, 0.08);
    AddPartial(t, 0, 1760 * 2.7, 0.4, 0.03);
    return Mono(std::move(t), 8);
}

TSound MinorArpeggio() {
    TTrack t(Frames(0.6));
    const double notes[] = {440.0, 523.25, 659.25, 880.0};
    for (int n = 0; n < 4; ++n) {
        AddPartial(t, n * 0.1, notes[n], 1.0, 0.15);
        AddPartial(t, n * 0.1, notes[n] * 2, 0.3, 0.05);
    }
    return Stereo(std::move(t), 0.3, 0.0);
}

TSound WoodBlock() {
    TTrack t(Frames(0.15));
    TNoise noise(5);
    for (std::size_t i = 0; i < Frames(0.004); ++i) {
        t[i] = 0.5 * noise.Next();
    }
    AddPartial(t, 0, 820, 1.0, 0.025);
    AddPartial(t, 0, 1230, 0.4, 0.015);
    LowPass(t, 3000);
    return Mono(std::move(t), 8);
}

TSound BirdChirp() {
    TTrack t(Frames(0.3));
    AddGlide(t, 0.0, 0.1, 2000, 3400, 0.06);
    AddGlide(t, 0.14, 0.12, 2200, 3600, 0.07);
    return Mono(std::move(t));
}

TSound LowPluck() {
    TTrack t(Frames(0.8));
    AddPluck(t, 0, 196, 0.997, 33);
    LowPass(t, 3500);
    return Stereo(std::move(t), -0.2, 0.012);
}

TSound FmBell() {
    TTrack t(Frames(0.7));
    AddFmBell(t, 600, 1.4, 2.5, 0.22);
    return Mono(std::move(t), 16, true);
}

TSound FallingPlucks() {
    TTrack t(Frames(0.6));
    const double notes[] = {987.77, 783.99, 659.25, 493.88};
    for (int n = 0; n < 4; ++n) {
        AddPluck(t, n * 0.09, notes[n], 0.993, 41 + n);
    }
    LowPass(t, 6000);
    return Mono(std::move(t), 8, true);
}

void PutU16(std::string& out, unsigned v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

void PutU32(std::string& out, std::uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

void PutSample(std::string& out, double v, int bits) {
    v = std::clamp(v, -1.0, 1.0);
    if (bits == 8) {
        out += static_cast<char>(static_cast<std::uint8_t>(std::lround(128 + v * 127)));
    } else {
        PutU16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(v * 32767))));
    }
}

// Names the program that made the file, in a chunk between "fmt " and
// "data" as many editors write it.
std::string InfoChunk() {
    const std::string text("Orvanta\0", 8);
    std::string body = "INFO";
    body += "ISFT";
    PutU32(body, static_cast<std::uint32_t>(text.size()));
    body += text;
    std::string chunk = "LIST";
    PutU32(chunk, static_cast<std::uint32_t>(body.size()));
    return chunk + body;
}

std::string WaveImage(const TSound& sound) {
    const unsigned channels = sound.Right.empty() ? 1 : 2;
    const unsigned blockAlign = channels * sound.Bits / 8;
    std::string samples;
    for (std::size_t i = 0; i < sound.Left.size(); ++i) {
        PutSample(samples, sound.Left[i], sound.Bits);
        if (channels == 2) {
            PutSample(samples, sound.Right[i], sound.Bits);
        }
    }
    if (samples.size() % 2 != 0) {
        samples += '\0'; // chunks are word-aligned; the pad byte is not data
    }
    std::string body = "WAVE";
    body += "fmt ";
    PutU32(body, 16);
    PutU16(body, 1);
    PutU16(body, channels);
    PutU32(body, Rate);
    PutU32(body, Rate * blockAlign);
    PutU16(body, blockAlign);
    PutU16(body, static_cast<unsigned>(sound.Bits));
    if (sound.InfoChunk) {
        body += InfoChunk();
    }
    body += "data";
    PutU32(body, static_cast<std::uint32_t>(sound.Left.size() * blockAlign));
    body += samples;
    std::string image = "RIFF";
    PutU32(image, static_cast<std::uint32_t>(body.size()));
    return image + body;
}

// Writes beside the target and renames, so an interrupted build never leaves
// a truncated sound that a later build would take as up to date.
bool WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: orvan_make_sounds <folder>\n";
        return 2;
    }
    const std::function<TSound()> makers[] = {
        Chime,   Pluck,    PluckArpeggio, SoftClick, Bubble,    ChirpDown, DoorBell, Marimba,
        Bubbles, GlassTap, MinorArpeggio, WoodBlock, BirdChirp, LowPluck,  FmBell,   FallingPlucks};
    const std::filesystem::path folder(argv[1]);
    int id = 5001;
    for (const auto& make : makers) {
        const std::filesystem::path path = folder / (std::to_string(id) + ".wav");
        if (!WriteFile(path, WaveImage(make()))) {
            std::cerr << "orvan_make_sounds: cannot write " << path.string() << '\n';
            return 1;
        }
        ++id;
    }
    return 0;
}
