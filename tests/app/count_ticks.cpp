// Finds the answer clock's ticks in a recording of everything the game played:
// the places where the recording matches the tick sound's waveform (normalised
// cross-correlation), and among them the runs of ticks one second apart.
//
//   count_ticks RECORDING.raw TICK.wav
//
// RECORDING.raw is 16-bit little-endian mono at the tick file's rate (parec
// --format=s16le --channels=1 --raw). Prints every tick found ("tick SECONDS
// MATCH") and then "ticks N" and "longest_run N", the most ticks in a row whose
// distances are all about one second.

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <numbers>
#include <string>
#include <vector>

namespace {

using Complex = std::complex<double>;

std::vector<char> readFile(const char *path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t le(const std::vector<char> &b, std::size_t at, int bytes)
{
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | std::uint8_t(b[at + i]);
    return v;
}

// The first channel of a 16-bit PCM WAV, as -1..1; rate 0 when unreadable.
std::vector<double> readWav(const char *path, int &rate)
{
    rate = 0;
    const std::vector<char> b = readFile(path);
    if (b.size() < 44 || std::string(b.data(), 4) != "RIFF" || std::string(b.data() + 8, 4) != "WAVE")
        return {};
    int channels = 0;
    for (std::size_t at = 12; at + 8 <= b.size();) {
        const std::string id(b.data() + at, 4);
        const std::size_t size = le(b, at + 4, 4);
        const std::size_t body = at + 8;
        if (body + size > b.size())
            return {};
        if (id == "fmt " && size >= 16 && le(b, body, 2) == 1 && le(b, body + 14, 2) == 16) {
            channels = int(le(b, body + 2, 2));
            rate = int(le(b, body + 4, 4));
        } else if (id == "data" && channels > 0) {
            std::vector<double> samples;
            for (std::size_t i = body; i + 2 <= body + size; i += 2 * std::size_t(channels))
                samples.push_back(std::int16_t(le(b, i, 2)) / 32768.0);
            return samples;
        }
        at = body + size + (size & 1);
    }
    rate = 0;
    return {};
}

void fft(std::vector<Complex> &a, bool inverse)
{
    const std::size_t n = a.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (std::size_t len = 2; len <= n; len <<= 1) {
        const double angle = 2 * std::numbers::pi / double(len) * (inverse ? 1 : -1);
        const Complex step(std::cos(angle), std::sin(angle));
        for (std::size_t i = 0; i < n; i += len) {
            Complex w(1);
            for (std::size_t k = 0; k < len / 2; ++k) {
                const Complex u = a[i + k];
                const Complex v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
                w *= step;
            }
        }
    }
    if (inverse)
        for (Complex &x : a)
            x /= double(n);
}

// sum_k x[n + k] * t[k] for every n, by overlap-save.
std::vector<double> crossCorrelation(const std::vector<double> &x, const std::vector<double> &t)
{
    const std::size_t m = t.size();
    std::size_t n = 1;
    while (n < 8 * m)
        n <<= 1;
    std::vector<Complex> tf(n);
    for (std::size_t k = 0; k < m; ++k)
        tf[k] = t[k];
    fft(tf, false);
    std::vector<double> out(x.size() >= m ? x.size() - m + 1 : 0);
    const std::size_t step = n - m + 1;
    for (std::size_t start = 0; start < out.size(); start += step) {
        std::vector<Complex> block(n);
        for (std::size_t k = 0; k < n && start + k < x.size(); ++k)
            block[k] = x[start + k];
        fft(block, false);
        for (std::size_t k = 0; k < n; ++k)
            block[k] *= std::conj(tf[k]);
        fft(block, true);
        for (std::size_t k = 0; k < step && start + k < out.size(); ++k)
            out[start + k] = block[k].real();
    }
    return out;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: count_ticks RECORDING.raw TICK.wav\n");
        return 2;
    }
    int rate = 0;
    std::vector<double> tick = readWav(argv[2], rate);
    // The file's trailing silence is no part of the sound to look for.
    while (!tick.empty() && std::fabs(tick.back()) < 0.002)
        tick.pop_back();
    if (rate <= 0 || tick.size() < 64) {
        std::fprintf(stderr, "count_ticks: %s is no usable 16-bit PCM WAV\n", argv[2]);
        return 2;
    }
    const std::vector<char> raw = readFile(argv[1]);
    std::vector<double> recording(raw.size() / 2);
    for (std::size_t i = 0; i < recording.size(); ++i)
        recording[i] = std::int16_t(le(raw, 2 * i, 2)) / 32768.0;
    std::printf("recording %.1f s\n", double(recording.size()) / rate);

    const std::vector<double> c = crossCorrelation(recording, tick);
    double tickEnergy = 0;
    for (double v : tick)
        tickEnergy += v * v;
    std::vector<double> prefix(recording.size() + 1, 0.0);
    for (std::size_t i = 0; i < recording.size(); ++i)
        prefix[i + 1] = prefix[i] + recording[i] * recording[i];

    // A match is as close to the tick's shape as 0.6 (1 = identical up to
    // loudness) and loud enough to be heard (-50 dBFS over the tick's length).
    const double minMatch = 0.6;
    const double minEnergy = std::pow(10.0, -50.0 / 10) * double(tick.size());
    const std::size_t apart = std::size_t(0.3 * rate); // one tick is 70 ms long
    std::vector<std::pair<std::size_t, double>> ticks;
    for (std::size_t n = 0; n < c.size(); ++n) {
        const double energy = prefix[n + tick.size()] - prefix[n];
        if (energy < minEnergy)
            continue;
        const double match = c[n] / std::sqrt(energy * tickEnergy);
        if (match < minMatch)
            continue;
        if (!ticks.empty() && n - ticks.back().first < apart) {
            if (match > ticks.back().second)
                ticks.back() = {n, match};
            continue;
        }
        ticks.push_back({n, match});
    }

    std::size_t longest = ticks.empty() ? 0 : 1, run = longest;
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        std::printf("tick %.3f %.2f\n", double(ticks[i].first) / rate, ticks[i].second);
        if (i == 0)
            continue;
        const double gap = double(ticks[i].first - ticks[i - 1].first) / rate;
        // A second apart, give or take how late a sound may start playing;
        // a tick left out makes a gap of two.
        run = gap > 0.7 && gap < 1.3 ? run + 1 : 1;
        longest = std::max(longest, run);
    }
    std::printf("ticks %zu\nlongest_run %zu\n", ticks.size(), longest);
    return 0;
}
