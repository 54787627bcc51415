// The window's use of the sound library: the device and buffers made at
// start-up, what happens when they cannot be made, and the BGM command.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "fakes.h"
#include "working_directory.h"

namespace zenko::testing {
namespace {

namespace fs = std::filesystem;
const std::string Title = "ZENKO中国象棋.dll";
const char* const SoundFiles[] = {"その他.wav", "禁止.wav", "駒打音.wav", "BGM.wav"};

// Each test runs in a fresh working directory holding the four sound files,
// each file's content being its own name.
class SoundTest : public ::testing::Test, public FormFixture {
protected:
    TemporaryWorkingDirectory workingDirectory_{"zenko-sound"};
    void SetUp() override {
        for (const char* name : SoundFiles) std::ofstream(name) << name;
    }
    std::vector<unsigned char> bytes_of(const std::string& s) { return {s.begin(), s.end()}; }
};

TEST_F(SoundTest, EachFileIsHandedWholeInOrderWithItsFlags) {
    form.start_sound();
    EXPECT_EQ(form.sounds().SoundDevice, 100);
    const int handles[] = {form.sounds().SoundOther, form.sounds().SoundForbidden, form.sounds().SoundPiece,
                           form.sounds().SoundBgm};
    const int flags[] = {3, 3, 3, 1};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(handles[i], i + 1) << SoundFiles[i];
        EXPECT_EQ(sound.buffers[handles[i]], bytes_of(SoundFiles[i]));
        EXPECT_EQ(sound.flags[handles[i]], flags[i]);
    }
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(SoundTest, WithoutADeviceOneWarningAndTheGameStartsSilently) {
    sound.deviceAvailable = false;
    form.Form_Load();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Direct Soundインターフェースが作成できません。");
    EXPECT_EQ(dialogs.shown[0].title, Title);
    EXPECT_EQ(dialogs.shown[0].icon, BoxIcon::Warning);
    for (int handle : {form.sounds().SoundOther, form.sounds().SoundForbidden, form.sounds().SoundPiece,
                       form.sounds().SoundBgm})
        EXPECT_EQ(handle, 0);
    EXPECT_TRUE(form.options().BGM.Checked) << "the settings are still read";
    EXPECT_TRUE(fs::exists("ZENKO中国象棋.ini"));
}

TEST_F(SoundTest, AMissingFileLeavesOnlyItsSoundSilentWithoutAWord) {
    fs::remove("BGM.wav");
    form.start_sound();
    EXPECT_EQ(form.sounds().SoundBgm, 0);
    EXPECT_NE(form.sounds().SoundPiece, 0);
    EXPECT_TRUE(dialogs.shown.empty());
}

// A folder, a FIFO (which would block the start for good) and a device
// (endless bytes) are no sound files: each is reported in Japanese, and
// only its sound stays silent.
TEST_F(SoundTest, AFolderFifoOrDeviceInPlaceOfAFileIsReportedAndLeftSilent) {
    const std::pair<const char*, void (*)(const char*)> oddFiles[] = {
        {"folder", [](const char* name) { fs::create_directory(name); }},
        {"FIFO", [](const char* name) { ASSERT_EQ(mkfifo(name, 0600), 0); }},
        {"device", [](const char* name) { fs::create_symlink("/dev/zero", name); }},
    };
    for (auto [kind, make] : oddFiles) {
        SCOPED_TRACE(kind);
        fs::remove("BGM.wav");
        make("BGM.wav");
        dialogs.shown.clear();
        form.start_sound();
        EXPECT_EQ(form.sounds().SoundBgm, 0);
        EXPECT_NE(form.sounds().SoundPiece, 0);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text, "ｻｳﾝﾄﾞﾌｧｲﾙ BGM.wav を読み込めません");
        EXPECT_EQ(dialogs.shown[0].title, Title);
        EXPECT_EQ(dialogs.shown[0].icon, BoxIcon::Warning);
        fs::remove_all("BGM.wav");
    }
}

TEST_F(SoundTest, TogglingTheMusicTwiceLeavesItPlayingAndSaved) {
    form.Form_Load();
    sound.clear();
    form.BGM_Click();
    EXPECT_FALSE(form.options().BGM.Checked);
    FormFixture restarted;
    restarted.form.Form_Load();
    EXPECT_FALSE(restarted.form.options().BGM.Checked) << "the change is saved at once";
    form.BGM_Click();
    EXPECT_TRUE(form.options().BGM.Checked);
    ASSERT_EQ(sound.events.size(), 2u);
    EXPECT_EQ(sound.events[0].call, "dsStop");
    EXPECT_EQ(sound.events[1].call, "dsPlayLooping");
    EXPECT_EQ(sound.events[1].handle, form.sounds().SoundBgm);
}

}  // namespace
}  // namespace zenko::testing
