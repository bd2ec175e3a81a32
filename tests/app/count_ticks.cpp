// The answer clock's ticks in a recording of all the game played (16-bit
// little-endian mono at 48 kHz, as parec --raw gives it): sounds starting out
// of quiet, and the longest run of them a second apart, which only the clock
// makes. Prints "tick SECONDS" for each, then "ticks N" and "longest_run N".
//
//   count_ticks RECORDING.raw

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: count_ticks RECORDING.raw\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<char> raw{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    constexpr std::size_t Rate = 48000, Window = Rate / 100; // loudness in steps of 10 ms
    std::vector<double> loudness(raw.size() / 2 / Window);    // mean square of the samples
    for (std::size_t w = 0; w < loudness.size(); ++w) {
        for (std::size_t i = w * Window; i < (w + 1) * Window; ++i) {
            const double s = std::int16_t(std::uint8_t(raw[2 * i]) | std::uint8_t(raw[2 * i + 1]) << 8) / 32768.0;
            loudness[w] += s * s / Window;
        }
    }
    std::printf("recording %.1f s\n", double(loudness.size()) / 100);

    // A start: audible (-50 dBFS), ten times as loud as 30 ms before, and at
    // least 300 ms after the start before (a tick is 70 ms long).
    std::vector<std::size_t> ticks;
    for (std::size_t w = 3; w < loudness.size(); ++w) {
        if (loudness[w] > 1e-5 && loudness[w] > 10 * loudness[w - 3] && (ticks.empty() || w - ticks.back() >= 30)) {
            ticks.push_back(w);
            std::printf("tick %.2f\n", double(w) / 100);
        }
    }
    // A second apart, give or take how late a sound may start playing; a
    // tick left out makes a gap of two.
    std::size_t longest = ticks.empty() ? 0 : 1, run = longest;
    for (std::size_t i = 1; i < ticks.size(); ++i) {
        const std::size_t gap = ticks[i] - ticks[i - 1];
        run = gap > 70 && gap < 130 ? run + 1 : 1;
        longest = std::max(longest, run);
    }
    std::printf("ticks %zu\nlongest_run %zu\n", ticks.size(), longest);
    return 0;
}
