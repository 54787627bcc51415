// The sound library over SDL2_mixer, run on SDL's dummy audio driver with the
// game's real sound files.
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <set>
#include <thread>

#include "sound/library/ds.h"
#include "sound/library/ds_sound_library.h"
#include "sound/sound_files.h"

namespace zenko::testing {
namespace {

using namespace std::chrono_literals;

// Handle 0 must be a silent no-op in every function, with or without a device.
void expect_handle_zero_ignored() {
    const unsigned char wav[4] = {'R', 'I', 'F', 'F'};
    struct Call {
        const char* name;
        std::function<int()> call;
    };
    const Call calls[] = {
        {"dsCreateDSB", [&] { return dsCreateDSB(0, wav, sizeof wav, DS_FLAG_EFFECT); }},
        {"dsPlay", [] { return dsPlay(0); }},
        {"dsPlayLooping", [] { return dsPlayLooping(0); }},
        {"dsStop", [] { return dsStop(0); }},
        {"dsFree", [] { return dsFree(0); }},
        {"dsTerminate", [] { return dsTerminate(0); }},
    };
    for (const Call& c : calls) EXPECT_EQ(c.call(), 0) << c.name;
}

class SoundLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 0);  // a machine without sound hardware still has a device
        device = dsInitialize(nullptr);
        ASSERT_GT(device, 0) << "no audio device; is SDL_AUDIODRIVER=dummy set?";
    }
    void TearDown() override { dsTerminate(device); }

    int load(const char* name, int flags) {
        const std::vector<unsigned char> bytes = read_bytes(sound_file(name));
        return dsCreateDSB(device, bytes.data(), bytes.size(), flags);
    }

    int device = 0;
};

TEST(SoundLibraryWithoutDevice, IgnoresHandleZeroAndUnknownHandles) {
    expect_handle_zero_ignored();
    EXPECT_EQ(dsPlay(12345), 0);
    EXPECT_EQ(dsTerminate(12345), 0);
}

TEST_F(SoundLibraryTest, IgnoresHandleZeroWhileTheDeviceIsOpen) {
    expect_handle_zero_ignored();
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(SoundLibraryTest, OpeningTwiceGivesTheSameDeviceAndReopeningANewOne) {
    EXPECT_EQ(dsInitialize(nullptr), device);
    ASSERT_EQ(dsTerminate(device), 1);
    const int reopened = dsInitialize(nullptr);
    EXPECT_GT(reopened, 0);
    EXPECT_NE(reopened, device);
    const std::vector<unsigned char> bytes = read_bytes(sound_file("駒打音.wav"));
    EXPECT_EQ(dsCreateDSB(device, bytes.data(), bytes.size(), DS_FLAG_EFFECT), 0) << "closed device";
    device = reopened;
}

TEST_F(SoundLibraryTest, LoadsEveryGameSoundWithItsFlags) {
    const int other = load("その他.wav", DS_FLAG_EFFECT);
    const int forbidden = load("禁止.wav", DS_FLAG_EFFECT);
    const int piece = load("駒打音.wav", DS_FLAG_EFFECT);
    const int bgm = load("BGM.wav", DS_FLAG_MUSIC);
    for (int handle : {other, forbidden, piece, bgm}) EXPECT_GT(handle, 0);
    EXPECT_EQ(std::set<int>({other, forbidden, piece, bgm}).size(), 4u);
}

TEST_F(SoundLibraryTest, RefusesBytesThatAreNoSound) {
    const std::vector<unsigned char> wav = read_bytes(sound_file("駒打音.wav"));
    const std::string text = "not a sound file at all";
    const auto* garbage = reinterpret_cast<const unsigned char*>(text.data());
    EXPECT_EQ(dsCreateDSB(device, nullptr, 100, DS_FLAG_EFFECT), 0) << "no bytes";
    EXPECT_EQ(dsCreateDSB(device, wav.data(), 0, DS_FLAG_EFFECT), 0) << "empty";
    EXPECT_EQ(dsCreateDSB(device, garbage, text.size(), DS_FLAG_EFFECT), 0) << "text";
    EXPECT_EQ(dsCreateDSB(device, wav.data(), 40, DS_FLAG_EFFECT), 0) << "header cut short";
    EXPECT_EQ(dsCreateDSB(device + 1, wav.data(), wav.size(), DS_FLAG_EFFECT), 0) << "unknown device";
    const std::vector<unsigned char> missing = read_bytes(sound_file("no such file.wav"));
    EXPECT_EQ(DsSoundLibrary().dsCreateDSB(device, missing, DS_FLAG_EFFECT), 0) << "missing file";
}

TEST_F(SoundLibraryTest, EffectsOverlapWhileMusicNeverDoublesItself) {
    const int piece = load("駒打音.wav", DS_FLAG_EFFECT);
    const int bgm = load("BGM.wav", DS_FLAG_MUSIC);
    EXPECT_EQ(dsPlay(piece), 1);
    EXPECT_EQ(dsPlay(piece), 1);
    EXPECT_EQ(Mix_Playing(-1), 2) << "two quick clicks are both heard";
    EXPECT_EQ(dsPlayLooping(bgm), 1);
    EXPECT_EQ(dsPlayLooping(bgm), 1);
    EXPECT_EQ(Mix_Playing(-1), 3) << "the music plays once, however often it is started";
    EXPECT_EQ(dsStop(piece), 1);
    EXPECT_EQ(Mix_Playing(-1), 1) << "stopping the clicks leaves the music";
    EXPECT_EQ(dsStop(bgm), 1);
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(SoundLibraryTest, LoopingGoesOnPastTheEndOfTheSound) {
    const int looped = load("駒打音.wav", DS_FLAG_MUSIC);  // 0.15 s long
    const int once = load("駒打音.wav", DS_FLAG_EFFECT);
    ASSERT_EQ(dsPlayLooping(looped), 1);
    ASSERT_EQ(dsPlay(once), 1);
    std::this_thread::sleep_for(600ms);
    EXPECT_EQ(Mix_Playing(-1), 1) << "only the looping copy still plays";
    dsStop(looped);
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(SoundLibraryTest, FreedBuffersAndAClosedDeviceAreForgotten) {
    DsSoundLibrary sound;
    const int piece = sound.dsCreateDSB(device, read_bytes(sound_file("駒打音.wav")), DS_FLAG_EFFECT);
    const int bgm = sound.dsCreateDSB(device, read_bytes(sound_file("BGM.wav")), DS_FLAG_MUSIC);
    ASSERT_GT(piece, 0);
    ASSERT_GT(bgm, 0);
    EXPECT_EQ(sound.dsPlayLooping(bgm), 1);
    EXPECT_EQ(sound.dsFree(bgm), 1);
    EXPECT_EQ(Mix_Playing(-1), 0) << "freeing stops the music";
    EXPECT_EQ(sound.dsPlay(bgm), 0);
    EXPECT_EQ(sound.dsFree(bgm), 0);

    EXPECT_EQ(sound.dsTerminate(device), 1);
    EXPECT_EQ(sound.dsPlay(piece), 0);
    EXPECT_EQ(sound.dsPlayLooping(piece), 0);
    EXPECT_EQ(sound.dsStop(piece), 0);
    EXPECT_EQ(sound.dsFree(piece), 0);
    EXPECT_EQ(sound.dsTerminate(device), 0);
}

}  // namespace
}  // namespace zenko::testing
