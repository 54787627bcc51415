// What the mixer sends to the device, captured with SDL's disk audio driver:
// overlapping effects must stay within full scale.
#include <SDL.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

#include "sound/library/ds.h"
#include "sound/sound_files.h"

namespace zenko::testing {
namespace {

using namespace std::chrono_literals;

// Switches SDL to the disk driver for one test and puts the driver back after.
class DiskAudio {
public:
    explicit DiskAudio(const std::filesystem::path& file) {
        if (const char* driver = std::getenv("SDL_AUDIODRIVER")) previous_ = driver;
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    }
    ~DiskAudio() {
        if (previous_.empty())
            unsetenv("SDL_AUDIODRIVER");
        else
            setenv("SDL_AUDIODRIVER", previous_.c_str(), 1);
        unsetenv("SDL_DISKAUDIOFILE");
    }

private:
    std::string previous_;
};

// The largest magnitude among the 16-bit samples the device received.
int peak_of(const std::vector<unsigned char>& raw) {
    int peak = 0;
    for (std::size_t i = 0; i + 1 < raw.size(); i += 2) {
        std::int16_t sample;
        std::memcpy(&sample, raw.data() + i, sizeof sample);
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    return peak;
}

TEST(MixerOutput, TwoEffectsStartedTogetherStayBelowFullScale) {
    const std::filesystem::path out = std::filesystem::temp_directory_path() / "zenko-mixer-output.raw";
    DiskAudio disk(out);
    const int device = dsInitialize(nullptr);
    ASSERT_GT(device, 0) << SDL_GetError();
    const std::vector<unsigned char> wav = read_bytes(sound_file("駒打音.wav"));
    const int piece = dsCreateDSB(device, wav.data(), wav.size(), DS_FLAG_EFFECT);
    ASSERT_GT(piece, 0);
    // The person's move and the computer's reply, started on the same sample.
    EXPECT_EQ(dsPlay(piece), 1);
    EXPECT_EQ(dsPlay(piece), 1);
    std::this_thread::sleep_for(500ms);  // the sound lasts 0.15 s
    dsTerminate(device);
    const std::vector<unsigned char> raw = read_bytes(out);
    std::filesystem::remove(out);
    ASSERT_GT(raw.size(), 22050u) << "the disk driver wrote no sound";
    const int peak = peak_of(raw);
    EXPECT_LT(peak, 32767) << "clipped";
    EXPECT_GT(peak, 20000) << "both voices should be heard, summed";
}

}  // namespace
}  // namespace zenko::testing
