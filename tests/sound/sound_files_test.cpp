// The committed sound files: their format, their lengths, and that they start
// and stop without a click (the music also where its loop joins).
#include "sound/sound_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace zenko::testing {
namespace {

struct Pcm {
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<int> samples;
    double seconds() const { return rate ? static_cast<double>(samples.size()) / rate : 0; }
};

std::uint32_t le(const std::vector<unsigned char>& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + i];
    return v;
}

// Reads a RIFF WAVE file chunk by chunk; 16-bit samples only.
Pcm read_wav(const std::vector<unsigned char>& b) {
    Pcm pcm;
    if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 || std::memcmp(&b[8], "WAVE", 4) != 0)
        return pcm;
    for (std::size_t at = 12; at + 8 <= b.size();) {
        const std::size_t size = le(b, at + 4, 4);
        const std::size_t body = at + 8;
        if (body + size > b.size()) break;
        if (std::memcmp(&b[at], "fmt ", 4) == 0 && size >= 16) {
            pcm.format = le(b, body, 2);
            pcm.channels = le(b, body + 2, 2);
            pcm.rate = le(b, body + 4, 4);
            pcm.bits = le(b, body + 14, 2);
        } else if (std::memcmp(&b[at], "data", 4) == 0 && pcm.bits == 16) {
            for (std::size_t i = body; i + 1 < body + size; i += 2)
                pcm.samples.push_back(static_cast<std::int16_t>(le(b, i, 2)));
        }
        at = body + size + (size & 1);
    }
    return pcm;
}

struct SoundRow {
    const char* file;
    double minSeconds, maxSeconds;
};

const SoundRow Sounds[] = {
    {"駒打音.wav", 0.05, 0.3},  // a short wooden click
    {"禁止.wav", 0.15, 0.5},    // a short low buzz
    {"その他.wav", 0.5, 1.5},   // a chime
    {"BGM.wav", 30.0, 60.0},    // music of at least half a minute
};

constexpr int NearSilence = 300;  // of 32767: inaudible as a click

TEST(SoundFiles, AreSixteenBitMonoPcmOfTheRightLengthWithoutClicks) {
    for (const SoundRow& row : Sounds) {
        SCOPED_TRACE(row.file);
        const Pcm pcm = read_wav(read_bytes(sound_file(row.file)));
        ASSERT_FALSE(pcm.samples.empty()) << "missing or unreadable";
        EXPECT_EQ(pcm.format, 1);
        EXPECT_EQ(pcm.channels, 1);
        EXPECT_EQ(pcm.bits, 16);
        EXPECT_GE(pcm.rate, 22050);
        EXPECT_GE(pcm.seconds(), row.minSeconds);
        EXPECT_LE(pcm.seconds(), row.maxSeconds);

        const auto [low, high] = std::minmax_element(pcm.samples.begin(), pcm.samples.end());
        EXPECT_GT(std::max(-*low, *high), 8000) << "too quiet to hear over the music";
        EXPECT_LT(std::max(-*low, *high), 32767) << "clipped";
        EXPECT_LT(std::abs(pcm.samples.front()), NearSilence) << "clicks on start";
        EXPECT_LT(std::abs(pcm.samples.back()), NearSilence) << "clicks on stop";
    }
}

TEST(SoundFiles, MusicLoopsWithoutAJumpOrOffset) {
    const std::filesystem::path path = sound_file("BGM.wav");
    EXPECT_LT(std::filesystem::file_size(path), 2u * 1024 * 1024);
    const Pcm pcm = read_wav(read_bytes(path));
    ASSERT_GT(pcm.samples.size(), 2u);
    // Where the loop joins, the last sample runs into the first like any two neighbours.
    EXPECT_LT(std::abs(pcm.samples.back() - pcm.samples.front()), 100);
    double sum = 0;
    for (int s : pcm.samples) sum += s;
    EXPECT_LT(std::abs(sum / static_cast<double>(pcm.samples.size())), 30.0) << "DC offset";
}

}  // namespace
}  // namespace zenko::testing
