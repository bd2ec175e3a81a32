// Writes the game's sounds into the folder given on the command line. Every
// sound is synthesised here, so the repository holds no recorded audio.
// Output: 16-bit PCM mono WAV at 48 kHz, the usual rate of sound cards (and of
// the test sink), so nothing needs resampling. Each file ends where its sound
// has faded out: the player mixes into a stream that keeps running, so no
// silence is needed to carry the end out.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 48000;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

using Signal = std::vector<double>;

// ---------------------------------------------------------------- helpers

std::size_t samplesFor(double seconds)
{
    return static_cast<std::size_t>(std::lround(seconds * kRate));
}

// A sine partial from `start` on: a short attack ramp (no click), then an
// exponential decay with time constant `decay` seconds.
void addPartial(Signal &s, double start, double freq, double amp, double decay,
                double attack = 0.002)
{
    const std::size_t first = samplesFor(start);
    for (std::size_t i = first; i < s.size(); ++i) {
        const double t = double(i - first) / kRate;
        const double rise = t < attack ? t / attack : 1.0;
        s[i] += amp * rise * std::exp(-t / decay) * std::sin(kTwoPi * freq * t);
    }
}

// Raised-cosine fades so every file starts and ends at exactly zero.
void fadeEnds(Signal &s, double fadeIn, double fadeOut)
{
    const std::size_t in = std::min(samplesFor(fadeIn), s.size());
    const std::size_t out = std::min(samplesFor(fadeOut), s.size());
    for (std::size_t i = 0; i < in; ++i)
        s[i] *= 0.5 - 0.5 * std::cos(std::numbers::pi * double(i) / double(in));
    for (std::size_t i = 0; i < out; ++i)
        s[s.size() - 1 - i] *= 0.5 - 0.5 * std::cos(std::numbers::pi * double(i) / double(out));
    if (!s.empty()) {
        s.front() = 0.0;
        s.back() = 0.0;
    }
}

// Scales to the given peak (a fraction of full scale): headroom, no clipping.
void normalise(Signal &s, double peak)
{
    double max = 0.0;
    for (double v : s)
        max = std::max(max, std::abs(v));
    if (max > 0.0)
        for (double &v : s)
            v *= peak / max;
}

// Portable random numbers: mt19937 gives the same numbers everywhere, the
// standard distributions may not, and the files should not depend on the library.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : m_engine(seed) {}
    double uniform() { return double(m_engine() >> 8) / double(1u << 24); } // [0, 1)
    double between(double low, double high) { return low + (high - low) * uniform(); }
    double white() { return 2.0 * uniform() - 1.0; }

private:
    std::mt19937 m_engine;
};

// Band-pass biquad (constant peak gain), used to colour noise.
class BandPass {
public:
    BandPass(double centre, double q)
    {
        const double w = kTwoPi * centre / kRate;
        const double alpha = std::sin(w) / (2.0 * q);
        const double a0 = 1.0 + alpha;
        m_b0 = alpha / a0;
        m_b2 = -alpha / a0;
        m_a1 = -2.0 * std::cos(w) / a0;
        m_a2 = (1.0 - alpha) / a0;
    }
    double operator()(double x)
    {
        const double y = m_b0 * x + m_b2 * m_x2 - m_a1 * m_y1 - m_a2 * m_y2;
        m_x2 = m_x1;
        m_x1 = x;
        m_y2 = m_y1;
        m_y1 = y;
        return y;
    }

private:
    double m_b0, m_b2, m_a1, m_a2;
    double m_x1 = 0, m_x2 = 0, m_y1 = 0, m_y2 = 0;
};

void putLe(std::ofstream &out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.put(static_cast<char>((value >> (8 * i)) & 0xff));
}

bool writeWav(const std::filesystem::path &path, const Signal &s)
{
    std::ofstream out(path, std::ios::binary);
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(s.size() * 2);
    out.write("RIFF", 4);
    putLe(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    putLe(out, 16, 4);        // fmt chunk size
    putLe(out, 1, 2);         // PCM
    putLe(out, 1, 2);         // mono
    putLe(out, kRate, 4);
    putLe(out, kRate * 2, 4); // bytes per second
    putLe(out, 2, 2);         // bytes per frame
    putLe(out, 16, 2);        // bits per sample
    out.write("data", 4);
    putLe(out, dataBytes, 4);
    for (double v : s) {
        const long q = std::lround(std::clamp(v, -1.0, 1.0) * 32767.0);
        putLe(out, static_cast<std::uint32_t>(static_cast<std::int16_t>(q)) & 0xffff, 2);
    }
    return bool(out);
}

// ---------------------------------------------------------------- sounds

// A soft wooden tick: a short tone with a bar-like overtone, gone in 70 ms.
Signal tick(double freq, double peak)
{
    Signal s(samplesFor(0.07), 0.0);
    addPartial(s, 0.0, freq, 1.0, 0.012, 0.001);
    addPartial(s, 0.0, freq * 2.76, 0.35, 0.005, 0.001);
    fadeEnds(s, 0.001, 0.015);
    normalise(s, peak);
    return s;
}

// Gong: inharmonic partials, the high ones dying first; two of them swell
// after the strike, which gives the gong its shimmer.
Signal gong()
{
    const double base = 98.0;
    struct Partial { double ratio, amp, decay, bloom; };
    const Partial partials[] = {
        {1.00, 1.00, 0.95, 0.0}, {1.007, 0.50, 0.90, 0.0}, {1.52, 0.55, 0.70, 0.0},
        {2.03, 0.45, 0.55, 0.12}, {2.49, 0.35, 0.45, 0.0},  {2.98, 0.30, 0.40, 0.20},
        {3.76, 0.22, 0.30, 0.0},  {4.57, 0.15, 0.22, 0.0},  {5.41, 0.10, 0.16, 0.0},
    };
    Signal s(samplesFor(2.15), 0.0);
    for (const Partial &p : partials) {
        Signal partial(s.size(), 0.0);
        addPartial(partial, 0.0, base * p.ratio, p.amp, p.decay, 0.004);
        for (std::size_t i = 0; i < s.size(); ++i) {
            const double t = double(i) / kRate;
            const double swell = p.bloom > 0 ? 0.4 + 0.6 * (1.0 - std::exp(-t / p.bloom)) : 1.0;
            s[i] += partial[i] * swell;
        }
    }
    // The mallet's thud: a few milliseconds of dark noise.
    Noise noise(7);
    BandPass thud(300.0, 0.8);
    for (std::size_t i = 0; i < samplesFor(0.03); ++i)
        s[i] += 0.6 * std::exp(-double(i) / (0.006 * kRate)) * thud(noise.white());
    fadeEnds(s, 0.002, 0.5);
    normalise(s, 0.8);
    return s;
}

// One clarinet note: odd harmonics (a closed pipe), a breathy attack and a
// vibrato that starts once the note has settled.
void addClarinetNote(Signal &s, double start, double length, double freq, Noise &noise)
{
    const double harmonics[][2] = {{1, 1.0}, {2, 0.04}, {3, 0.55}, {5, 0.30},
                                   {7, 0.16}, {9, 0.09}, {11, 0.05}, {13, 0.03}};
    const std::size_t first = samplesFor(start);
    const std::size_t count = std::min(samplesFor(length), s.size() - first);
    const double attack = 0.05;
    const double release = 0.08;
    BandPass breath(freq * 3.0, 2.0);
    double phase = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = double(i) / kRate;
        const double left = length - t;
        const double env = std::min({1.0, t / attack, left / release});
        const double vibratoDepth = 0.004 * std::clamp((t - 0.25) / 0.2, 0.0, 1.0);
        phase += kTwoPi * freq * (1.0 + vibratoDepth * std::sin(kTwoPi * 5.2 * t)) / kRate;
        double v = 0.0;
        for (const auto &h : harmonics)
            if (freq * h[0] < 10000.0)
                v += h[1] * std::sin(h[0] * phase);
        const double air = 0.15 * std::exp(-t / 0.04) * breath(noise.white());
        s[first + i] += env * (v + air);
    }
}

// A rising, unresolved phrase while a stake is asked for.
Signal clarinet()
{
    struct Note { double start, length, freq; };
    const Note notes[] = {
        {0.00, 0.28, 293.66}, // D4
        {0.30, 0.28, 349.23}, // F4
        {0.60, 0.28, 415.30}, // G#4
        {0.90, 1.00, 440.00}, // A4, held
    };
    Signal s(samplesFor(2.0), 0.0);
    Noise noise(11);
    for (const Note &n : notes)
        addClarinetNote(s, n.start, n.length, n.freq, noise);
    fadeEnds(s, 0.003, 0.05);
    normalise(s, 0.6);
    return s;
}

// Right answer: two struck bell tones a fifth apart, bright overtones.
Signal correct()
{
    Signal s(samplesFor(0.68), 0.0);
    for (auto [start, freq] : {std::pair{0.0, 880.0}, std::pair{0.11, 1318.5}}) {
        addPartial(s, start, freq, 1.0, 0.30);
        addPartial(s, start, freq * 2.0, 0.35, 0.18);
        addPartial(s, start, freq * 3.01, 0.15, 0.10);
        addPartial(s, start, freq * 4.17, 0.08, 0.06);
    }
    fadeEnds(s, 0.002, 0.15);
    normalise(s, 0.7);
    return s;
}

// Wrong answer: a low, slightly sinking sawtooth with a beating second voice;
// the harmonics are rolled off so it buzzes without rasping.
Signal wrong()
{
    Signal s(samplesFor(0.65), 0.0);
    for (double detune : {0.0, 2.5}) {
        double phase = 0.0;
        for (std::size_t i = 0; i < s.size(); ++i) {
            const double t = double(i) / kRate;
            const double freq = 104.0 - 10.0 * t + detune;
            phase += kTwoPi * freq / kRate;
            double v = 0.0;
            for (int k = 1; k * freq < 3500.0; ++k)
                v += std::sin(k * phase) * std::exp(-k / 9.0) / k;
            s[i] += v;
        }
    }
    const double length = double(s.size()) / kRate;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / kRate;
        s[i] *= std::min({1.0, t / 0.02, (length - t) / 0.15});
    }
    fadeEnds(s, 0.002, 0.01);
    normalise(s, 0.55);
    return s;
}

// Applause: a crowd of clappers, each clapping at their own pace with jitter;
// a clap is a short noise burst coloured by that pair of hands.
Signal clapping()
{
    const double length = 3.5;
    Signal s(samplesFor(length), 0.0);
    Noise noise(2024);
    for (int person = 0; person < 24; ++person) {
        BandPass hands(noise.between(700.0, 2200.0), noise.between(1.0, 2.5));
        const double pace = noise.between(0.17, 0.26);   // seconds between claps
        const double loudness = noise.between(0.4, 1.0);
        const double stop = length - noise.between(0.2, 1.4);
        for (double t = noise.between(0.0, 0.3); t < stop; t += pace * noise.between(0.85, 1.15)) {
            const std::size_t first = samplesFor(t);
            const std::size_t burst = samplesFor(0.03);
            const double decay = noise.between(0.004, 0.009) * kRate;
            for (std::size_t i = 0; i < burst && first + i < s.size(); ++i)
                s[first + i] += loudness * std::exp(-double(i) / decay) * hands(noise.white());
        }
    }
    // The crowd joins in quickly and dies away slowly.
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / kRate;
        s[i] *= std::min(1.0, t / 0.25) * std::min(1.0, (length - t) / 1.2);
    }
    fadeEnds(s, 0.005, 0.05);
    normalise(s, 0.7);
    return s;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_sounds OUTPUT_FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);

    // The board's build-up plays time0, 1, 2, 4 in turn, so they rise; time4
    // is also the answer clock's tick and so the quietest.
    const std::pair<const char *, Signal> sounds[] = {
        {"time0.wav", tick(660.0, 0.40)},   {"time1.wav", tick(784.0, 0.40)},
        {"time2.wav", tick(988.0, 0.40)},   {"time4.wav", tick(1319.0, 0.30)},
        {"Gong.Wav", gong()},               {"clarinet.wav", clarinet()},
        {"correct.wav", correct()},         {"wrong.wav", wrong()},
        {"clapping.wav", clapping()},
    };
    int failures = 0;
    for (const auto &[name, signal] : sounds) {
        if (!writeWav(folder / name, signal)) {
            std::cerr << "make_sounds: cannot write " << (folder / name).string() << '\n';
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
