// The settings file: what a start-up makes of the file on disk, and what
// the option commands leave there for the next start.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "fakes.h"
#include "file_limits.h"
#include "settings/shift_jis.h"
#include "working_directory.h"

namespace zenko::testing {
namespace {

namespace fs = std::filesystem;
const std::string Ini = "ZENKO中国象棋.ini";
const std::string CannotWriteText = "環境設定ﾌｧｲﾙを書き込めません。設定は次回の起動時には戻ります";
// "背景画=緑" "移動指導=OFF" "経過時間=ON" "BGM=ON" in Shift_JIS, CR LF, then
// the options added since: "標準ルール=OFF", "棋譜一覧=ON", "表記=日本式".
const std::string DefaultBytes =
    "\x94\x77\x8c\x69\x89\xe6=\x97\xce\r\n"
    "\x88\xda\x93\xae\x8e\x77\x93\xb1=OFF\r\n"
    "\x8c\x6f\x89\xdf\x8e\x9e\x8a\xd4=ON\r\n"
    "BGM=ON\r\n"
    "\x95\x57\x8f\x80\x83\x8b\x81\x5b\x83\x8b=OFF\r\n"
    "\x8a\xfb\x95\x88\x88\xea\x97\x97=ON\r\n"
    "\x95\x5c\x8b\x4c=\x93\xfa\x96\x7b\x8e\xae\r\n";
// The move list's lines as the defaults write them.
const std::string DefaultListLines = "棋譜一覧=ON\r\n表記=日本式\r\n";

std::string file_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void put_file(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

void put_settings(const std::string& utf8) { put_file(Ini, utf8_to_sjis(utf8).value()); }

// Each test starts the game in a fresh empty working directory holding a music file.
class SettingsTest : public ::testing::Test {
protected:
    TemporaryWorkingDirectory workingDirectory_{"zenko-settings"};
    void SetUp() override { put_file("BGM.wav", "music"); }
    // A fresh start of the program in the working directory.
    std::unique_ptr<FormFixture> start() {
        auto app = std::make_unique<FormFixture>();
        app->form.Form_Load();
        return app;
    }
};

struct ChosenOptions {
    int background;  // the checked background item
    bool guidance, clock, music;
    int picture = -1;  // Background when it differs from the checked item
};
constexpr ChosenOptions Defaults{BackgroundGreen, false, true, true};

// The marks, the state that follows them, and the music.
void expect_options(FormFixture& app, const ChosenOptions& want) {
    Form1& f = app.form;
    EXPECT_EQ(f.options().Background, want.picture < 0 ? want.background : want.picture);
    const std::pair<const MenuItem*, int> marks[] = {{&f.options().MIDORI, BackgroundGreen},
                                                     {&f.options().TATAMI, BackgroundTatami},
                                                     {&f.options().TAKE, BackgroundBamboo},
                                                     {&f.options().UCHU, BackgroundSpace},
                                                     {&f.options().RENGA, BackgroundBrick}};
    for (auto [item, code] : marks)
        EXPECT_EQ(item->Checked, code == want.background) << "background " << code;
    EXPECT_EQ(f.options().SIDOU.Checked, want.guidance);
    EXPECT_EQ(f.GuidanceOn(), want.guidance ? FlagOn : FlagOff);
    EXPECT_EQ(f.GuidanceColor(), want.guidance ? ColorWhite : LineColor);
    EXPECT_EQ(f.options().KEIKA.Checked, want.clock);
    EXPECT_EQ(f.options().BGM.Checked, want.music);
    EXPECT_NE(f.sounds().SoundBgm, 0);
    EXPECT_EQ(app.sound.count("dsPlayLooping", f.sounds().SoundBgm), want.music ? 1 : 0);
}

TEST_F(SettingsTest, WithoutAFileTheDefaultsApplyAndAreWrittenAsShiftJisWithCrLf) {
    auto app = start();
    expect_options(*app, Defaults);
    EXPECT_EQ(file_bytes(Ini), DefaultBytes);
}

struct FileCase {
    const char* name;
    const char* content;  // UTF-8, written to disk as Shift_JIS
    ChosenOptions expected;
    bool replacedByDefaults;
};
void PrintTo(const FileCase& c, std::ostream* os) { *os << c.name; }

// clang-format off
const FileCase FileCases[] = {
    {"lower_case_on_is_off",
     "背景画=竹\r\n移動指導=on\r\n経過時間=ON\r\nBGM=ON\r\n", {BackgroundBamboo, false, true, true}, false},
    {"unknown_texts_count_as_off",
     "背景画=竹\r\nguidance\r\n経過時間=ON \r\n BGM=ON", {BackgroundBamboo, false, false, false}, false},
    {"unknown_background_keeps_the_tatami_mark_and_draws_tatami",
     "背景画=青\r\n移動指導=ON\r\n経過時間=OFF\r\nBGM=OFF\r\n", {BackgroundTatami, true, false, false}, false},
    {"lf_and_lone_cr_end_lines_too",
     "背景画=煉瓦\n移動指導=ON\r経過時間=OFF\r\nBGM=OFF", {BackgroundBrick, true, false, false}, false},
    {"background_line_only", "背景画=竹\r\n", Defaults, true},
    {"three_lines", "背景画=宇宙\r\n移動指導=ON\r\n経過時間=OFF\r\n", Defaults, true},
};
// clang-format on

class SettingsFileCase : public SettingsTest, public ::testing::WithParamInterface<FileCase> {};

TEST_P(SettingsFileCase, StartUpAppliesTheFile) {
    put_settings(GetParam().content);
    auto app = start();
    expect_options(*app, GetParam().expected);
    if (GetParam().replacedByDefaults) {
        EXPECT_EQ(file_bytes(Ini), DefaultBytes);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, SettingsFileCase, ::testing::ValuesIn(FileCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(SettingsTest, EveryCombinationOfOptionsSurvivesARestart) {
    for (int background = BackgroundGreen; background <= BackgroundBrick; ++background) {
        for (int bits = 0; bits < 8; ++bits) {
            const ChosenOptions set{background, (bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
            {
                FormFixture before;
                before.form.チェック設定(set.background);
                before.form.set_guidance(set.guidance);
                before.form.set_clock_shown(set.clock);
                before.form.set_music(set.music);
                before.form.書込_環境設定ファイル();
            }
            SCOPED_TRACE(::testing::Message() << "background " << background << " switches " << bits);
            auto after = start();
            expect_options(*after, set);
        }
    }
}

// Root may write anywhere, so the refusing file is a folder in its place or
// the always-full device.
TEST_F(SettingsTest, WhenNothingCanBeWrittenTheUsersChoicesStayForTheRun) {
    const std::pair<const char*, void (*)()> refusals[] = {
        {"folder", [] { fs::create_directory(Ini); }},
        {"full disk", [] { fs::create_symlink("/dev/full", Ini); }},
    };
    ASSERT_TRUE(fs::exists("/dev/full"));
    for (auto [name, refuse] : refusals) {
        SCOPED_TRACE(name);
        fs::remove_all(Ini);
        refuse();
        auto app = start();
        expect_options(*app, Defaults);
        app->form.TAKE_Click();
        app->form.BGM_Click();
        EXPECT_TRUE(app->form.options().TAKE.Checked);
        EXPECT_FALSE(app->form.options().MIDORI.Checked);
        EXPECT_EQ(app->form.options().Background, BackgroundBamboo);
        EXPECT_FALSE(app->form.options().BGM.Checked);
        // Told once, at the first choice that cannot last.
        ASSERT_EQ(app->dialogs.shown.size(), 1u);
        EXPECT_EQ(app->dialogs.shown[0].text, CannotWriteText);
        EXPECT_EQ(app->dialogs.shown[0].title, "設定保存");
        EXPECT_EQ(app->dialogs.shown[0].icon, BoxIcon::Warning);
    }
}

// A line far longer than any option text is still one line: the other
// three options are read and the file is not replaced.
TEST_F(SettingsTest, AVeryLongFirstLineIsReadAsOneUnknownLine) {
    const std::string bytes = std::string(100 * 1024, 'x') + "\r\n" +
                              utf8_to_sjis("移動指導=ON\r\n経過時間=OFF\r\nBGM=OFF\r\n").value();
    put_file(Ini, bytes);
    auto app = start();
    expect_options(*app, {BackgroundTatami, true, false, false});
    EXPECT_EQ(file_bytes(Ini), bytes);
}

// Neither a FIFO (it would block the start for good) nor a device in place
// of the file is read: the defaults apply.
TEST_F(SettingsTest, AFifoOrADeviceInPlaceOfTheFileGivesTheDefaults) {
    ASSERT_EQ(mkfifo(Ini.c_str(), 0600), 0);
    expect_options(*start(), Defaults);
    fs::remove(Ini);
    fs::create_symlink("/dev/zero", Ini);
    expect_options(*start(), Defaults);
}

// A save that fails part way (a file size limit standing in for a full disk)
// leaves the old file as it was: the next start still has the choices.
TEST_F(SettingsTest, AFailedSaveLeavesTheOldFileWhole) {
    put_settings("背景画=宇宙\r\n移動指導=ON\r\n経過時間=OFF\r\nBGM=OFF\r\n");
    const std::string before = file_bytes(Ini);
    auto app = start();
    {
        FileSizeLimit limit(10);
        app->form.TAKE_Click();
    }
    EXPECT_EQ(file_bytes(Ini), before);
    EXPECT_EQ(app->dialogs.shown.size(), 1u);
    EXPECT_TRUE(app->form.options().TAKE.Checked) << "the choice holds for this run";
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 2)
        << "no temporary file left";
    expect_options(*start(), {BackgroundSpace, true, false, false});
}

// The options added since the four lines follow them as "key=value" lines in
// any order, compared exactly; a file of four lines reads as before and the
// next write adds them with their defaults.
TEST_F(SettingsTest, LinesAfterTheFourTurnLaterOptionsOnByKey) {
    const std::string four = "背景画=竹\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n";
    const struct {
        const char* extra;
        bool standard;
    } rows[] = {{"", false},
                {"標準ルール=ON\r\n", true},
                {"標準ルール=on\r\n", false},
                {"未知=1\r\n標準ルール=ON\r\n", true}};
    for (const auto& row : rows) {
        put_settings(four + row.extra);
        auto app = start();
        EXPECT_EQ(app->form.options().HYOUJUN.Checked, row.standard) << row.extra;
        EXPECT_EQ(app->form.options().Background, BackgroundBamboo) << row.extra;
        app->form.SIDOU_Click();
        EXPECT_EQ(file_bytes(Ini),
                  utf8_to_sjis("背景画=竹\r\n移動指導=ON\r\n経過時間=ON\r\nBGM=ON\r\n標準ルール=" +
                               std::string(row.standard ? "ON" : "OFF") + "\r\n" + DefaultListLines)
                      .value())
            << row.extra;
    }
}

TEST_F(SettingsTest, ChoosingTatamiAfterAnUnknownBackgroundLineKeepsItDrawn) {
    put_settings("背景画=青\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n");
    auto app = start();
    EXPECT_EQ(app->form.options().Background, BackgroundTatami);
    app->form.TATAMI_Click();
    EXPECT_EQ(app->form.options().Background, BackgroundTatami);
    EXPECT_EQ(file_bytes(Ini),
              utf8_to_sjis("背景画=畳\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n標準ルール=OFF\r\n" +
                           DefaultListLines)
                  .value());
}

// The move list's two lines: a file of four lines shows the list in 日本式;
// six lines say otherwise; the choice in the menu is written back.
TEST_F(SettingsTest, TheMoveListAndItsNotationComeFromTheirLines) {
    const std::string four = "背景画=竹\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n";
    const struct {
        const char* extra;
        bool shown;
        ListNotation notation;
        const char* written;  // the two lines after 表記=WXF is chosen
    } rows[] = {
        {"", true, ListNotation::Japanese, "棋譜一覧=ON\r\n表記=WXF\r\n"},
        {"棋譜一覧=OFF\r\n表記=中国式\r\n", false, ListNotation::Chinese, "棋譜一覧=OFF\r\n表記=WXF\r\n"},
        {"表記=WXF\r\n棋譜一覧=ON\r\n", true, ListNotation::Wxf, "棋譜一覧=ON\r\n表記=WXF\r\n"},
        {"棋譜一覧=off\r\n表記=wxf\r\n", true, ListNotation::Japanese, "棋譜一覧=ON\r\n表記=WXF\r\n"},
    };
    for (const auto& row : rows) {
        put_settings(four + row.extra);
        auto app = start();
        const Options& options = app->form.options();
        EXPECT_EQ(options.KIFU_ICHIRAN.Checked, row.shown) << row.extra;
        EXPECT_EQ(options.list_notation(), row.notation) << row.extra;
        EXPECT_EQ(options.NIHONSHIKI.Checked + options.CHUUGOKUSHIKI.Checked + options.WXF.Checked, 1)
            << row.extra;
        app->form.WXF_Click();
        EXPECT_EQ(file_bytes(Ini), utf8_to_sjis(four + "標準ルール=OFF\r\n" + row.written).value())
            << row.extra;
    }
}

}  // namespace
}  // namespace zenko::testing
