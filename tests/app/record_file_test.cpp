// Saving and loading game records: the file's exact form, round trips with
// the clocks, and files that must be refused without touching the game.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <sstream>

#include "fakes.h"
#include "file_limits.h"
#include "form_test_access.h"
#include "record/record_line.h"

namespace zenko {
namespace {

namespace fs = std::filesystem;

MoveRecord move(int fx, int fy, int tx, int ty, int piece, int captured, double manBefore, double manAfter,
                double comBefore, double comAfter) {
    return {fx, fy, tx, ty, captured, piece, piece, manBefore, manAfter, comBefore, comAfter};
}

// MAN opens; COM's central cannon takes the middle soldier.
const std::vector<MoveRecord> Game = {
    move(3, 7, 3, 6, ManSoldier, 0, 0, 12, 0, 0), move(8, 3, 5, 3, ComCannon, 0, 12, 12, 0, 5),
    move(2, 8, 5, 8, ManCannon, 0, 12, 20, 5, 5), move(5, 3, 5, 7, ComCannon, ManSoldier, 20, 20, 5, 9),
    move(2, 10, 3, 8, ManHorse, 0, 20, 31, 9, 9),
};
const std::string ExampleLine = "3 73 6-1-1 0    0   12    0    0";

std::string line_of(const MoveRecord& m) { return format_move_line(m) + "\r\n"; }
// 棋譜 / 王 / ｱ in Shift_JIS: the bottom side moved first, so the second player (王) is on top.
const std::string Headers = "\x8a\xfb\x95\x88\r\n\x89\xa4\r\n\xb1\r\n";

bool same_move(const MoveRecord& a, const MoveRecord& b) {
    return format_move_line(a) == format_move_line(b) && a.placed == b.placed;
}

TEST(MoveLines, EveryFieldIsRightAlignedInItsColumns) {
    // 1|10|9|10|-7|-7| 7|99999|99999|  300|  301
    EXPECT_EQ(format_move_line(move(1, 10, 9, 10, ManGeneral, ComGeneral, 99999, 99999, 300, 301)),
              "110910-7-7 79999999999  300  301");
    // Only whole seconds are written, kept within five columns: 12.9, 100000, -3, 7.
    EXPECT_EQ(format_move_line(move(5, 1, 5, 2, ComGeneral, 0, 12.9, 100000, -3, 7)).substr(12),
              "   1299999    0    7");
}

class RecordFiles : public ::testing::Test {
protected:
    testing::FormFixture f;
    Form1& form = f.form;
    fs::path dir;

    void SetUp() override {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        for (char& c : name)
            if (c == '/') c = '_';
        dir = fs::temp_directory_path() / ("zenko_records_" + name + "_" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        f.panel.filePath = f.panel.dirPath = dir.string();
        testing::open_sounds(form, f.sound);
        form.初期設定();
    }
    void TearDown() override { fs::remove_all(dir); }

    // A new game of two people in which the moves are played by clicks, each
    // taking the time its clock fields say; then 戻 back to move `pos`.
    void set_history(const std::vector<MoveRecord>& moves, int pos) {
        form.初期設定();
        form.START_Click();
        for (const MoveRecord& m : moves) {
            f.clock.now += (m.manTimeAfter - m.manTimeBefore) + (m.comTimeAfter - m.comTimeBefore);
            testing::click_square(form, m.fromX, m.fromY);
            testing::click_square(form, m.toX, m.toY);
        }
        for (int n = static_cast<int>(moves.size()); n > pos; --n) form.REPLAY_Click();
        ASSERT_EQ(form.history().HistoryPos, pos);
        f.dialogs.shown.clear();
    }
    void save(const std::string& name, const std::string& title = "棋譜", const std::string& first = "ｱ",
              const std::string& second = "王") {
        f.panel.texts[PanelControl::Text1] = name;
        f.panel.texts[PanelControl::Text2] = title;
        f.panel.texts[PanelControl::Text3] = first;
        f.panel.texts[PanelControl::Text4] = second;
        form.Command1_Click();
    }
    void write_file(const std::string& name, const std::string& bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
    }
    std::string file_bytes(const std::string& name) {
        std::ostringstream out;
        out << std::ifstream(dir / name, std::ios::binary).rdbuf();
        return out.str();
    }
    void load(const std::string& name) {
        f.panel.fileName = name;
        form.File1_Click();
    }
    std::string last_box() { return f.dialogs.shown.back().text + " / " + f.dialogs.shown.back().title; }
};

TEST_F(RecordFiles, SavedRecordLoadsBackAndReplaysWithItsClocksToTheEnd) {
    set_history(Game, 5);
    save("対局1");
    EXPECT_EQ(last_box(), "棋譜を書き込みました /   ");
    EXPECT_FALSE(f.panel.visible[PanelControl::Text1]);
    EXPECT_GT(f.panel.refreshes, 0);

    set_history({Game[0]}, 1);  // another game in the history until the load
    load("対局1.棋譜");
    ASSERT_EQ(form.history().HistoryLen, 5);
    EXPECT_EQ(form.history().HistoryPos, 0);
    EXPECT_EQ(form.history().RecordMode, FlagOn);
    for (int n = 1; n <= 5; ++n)
        EXPECT_TRUE(same_move(form.history().MoveHistory[n], Game[n - 1])) << "move " << n;
    EXPECT_EQ(f.dialogs.shown.size(), 2u);  // read, then the hint to step on
    EXPECT_EQ(last_box(), "棋譜を '進 'で進めて下さい / 棋譜");

    for (int n = 0; n < 5; ++n) form.AFTER_Click();
    EXPECT_EQ(form.engine().piece_at(5, 7), ComCannon);
    EXPECT_EQ(form.engine().piece_at(3, 8), ManHorse);
    EXPECT_EQ(form.engine().piece_at(5, 3), PieceEmpty);
    EXPECT_EQ(form.clock().ManTime, 31);
    EXPECT_EQ(form.clock().ComTime, 9);
    form.AFTER_Click();
    EXPECT_EQ(last_box(), "終わり / 進む");
}

TEST_F(RecordFiles, FileIsShiftJisWithCrLfAndTheTopPlayerFirst) {
    set_history({move(3, 7, 3, 6, ManSoldier, 0, 0, 12, 0, 0)}, 1);
    save("man_first");  // MAN moved first: the second player (Text4) is on top
    EXPECT_EQ(file_bytes("man_first.棋譜"), Headers + ExampleLine + "\r\n");
}

// The record's own first move names the first player, not the sides of the
// game played before the load.
TEST_F(RecordFiles, AResavedRecordPutsTheFirstPlayerWithTheArmyThatMovedFirst) {
    const MoveRecord comOpens = move(8, 3, 5, 3, ComCannon, 0, 0, 0, 0, 5);
    write_file("com_first.棋譜", Headers + line_of(comOpens));
    form.SENTE_Click();  // the person moved first in the game before
    load("com_first.棋譜");
    form.AFTER_Click();
    save("again");  // COM moved first: its player (Text3, ｱ) is on top
    EXPECT_EQ(file_bytes("again.棋譜"), "\x8a\xfb\x95\x88\r\n\xb1\r\n\x89\xa4\r\n" + line_of(comOpens));
}

// A finished game set back to its start (続けますか？ → はい, or 最初) is
// saved whole.
TEST_F(RecordFiles, AtTheStartOfAPlayedGameTheWholeGameIsSaved) {
    for (const bool byFirst : {false, true}) {
        set_history(Game, 5);
        if (byFirst)
            form.CANCEL_Click();
        else
            form.初期設定();
        ASSERT_EQ(form.history().HistoryPos, 0);
        save("whole");
        EXPECT_EQ(last_box(), "棋譜を書き込みました /   ");
        std::string lines;
        for (const MoveRecord& m : Game) lines += line_of(m);
        EXPECT_EQ(file_bytes("whole.棋譜"), Headers + lines);
    }
}

TEST_F(RecordFiles, SavingAfterTakingBackWritesOnlyTheMovesOnTheBoard) {
    set_history(Game, 2);
    save("partial");
    EXPECT_EQ(file_bytes("partial.棋譜"), Headers + line_of(Game[0]) + line_of(Game[1]));
}

// What a .棋譜 cannot hold is refused when a .棋譜 name is given (as PGN
// it can be written): a handicap game, a turned game that did not start
// from the full set, a game from a position set up.
TEST_F(RecordFiles, RefusedSavesWriteNothingAndKeepThePanel) {
    save("x");
    EXPECT_EQ(last_box(), "保存するデータがありません / 棋譜保存");
    BoardArray setUp = form.engine().board();
    setUp[2][10] = PieceEmpty;
    struct Row {
        std::function<void()> before, after;
        const char* box;
    } rows[] = {
        {[&] { form.LBEL_UP_Click(); }, [] {}, "ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません / 棋譜書込"},
        {[&] { form.set_up_position(setUp, false); }, [&] { form.REVERSE_Click(); },
         "反転後は書き込みできません / 棋譜書込"},
        {[&] { form.set_up_position(setUp, false); }, [] {},
         "平手の初期配置から始まらない対局は.棋譜に書けません / 棋譜保存"},
    };
    for (const Row& row : rows) {
        form.初期設定();
        row.before();
        form.START_Click();
        testing::click_square(form, 3, 7);
        testing::click_square(form, 3, 6);
        row.after();
        form.KIFU_WRITE_Click();
        save("x");
        EXPECT_EQ(last_box(), row.box);
        EXPECT_TRUE(f.panel.visible[PanelControl::Text1]);
        EXPECT_FALSE(fs::exists(dir / "x.棋譜"));
    }
    set_history(Game, 3);
    save("");
    EXPECT_EQ(last_box(), "ﾌｧｲﾙ名が入力されていません /   ");
    save("../escape");
    EXPECT_EQ(last_box(), "ﾌｧｲﾙ名に / は使えません /   ");
    save("emoji", "😀");
    EXPECT_EQ(last_box(), "棋譜に書けない文字が入力されています / 棋譜保存");
    write_file("plain", "");
    for (const fs::path& folder : {dir / "no_such_folder", dir / "plain"}) {
        f.panel.filePath = folder.string();
        form.KIFU_WRITE_Click();
        save("x");
        EXPECT_EQ(last_box(), "棋譜ﾌｧｲﾙを書き込めません / 棋譜保存");
        EXPECT_TRUE(f.panel.visible[PanelControl::Text1]);
        EXPECT_EQ(f.panel.texts[PanelControl::Text1], "x");
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1);  // only "plain"
}

TEST_F(RecordFiles, RecordWithoutMovesLoadsAsAnEmptyRecord) {
    for (const std::string& bytes : {Headers, std::string()}) {
        write_file("empty.棋譜", bytes);
        load("empty.棋譜");
        EXPECT_EQ(last_box(), "棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません / 棋譜");
        EXPECT_EQ(form.history().RecordMode, FlagOn);
        EXPECT_EQ(form.history().HistoryLen, 0);
    }
}

TEST_F(RecordFiles, ShortLinesReadZeroAndTrailingBlankLinesAreIgnored) {
    write_file("short.棋譜", Headers + "3 73 6-1-1 0\r\n8 35 3 3 3 0   12\r\n\r\n  \r\n");
    load("short.棋譜");
    ASSERT_EQ(form.history().HistoryLen, 2);
    EXPECT_TRUE(same_move(form.history().MoveHistory[1], move(3, 7, 3, 6, ManSoldier, 0, 0, 0, 0, 0)));
    EXPECT_TRUE(same_move(form.history().MoveHistory[2], move(8, 3, 5, 3, ComCannon, 0, 12, 0, 0, 0)));
}

TEST_F(RecordFiles, HeaderTextsAreDrawnBesideTheBoard) {
    write_file("names.棋譜", "\x8e\x52\x93\x63\r\n\xb1\r\n\x89\xa4\r\n");  // 山田 / ｱ / 王
    f.canvas.clear();
    load("names.棋譜");
    auto placed = [&](const std::string& text) {
        const auto texts = f.canvas.of_kind(testing::DrawCall::Text);
        for (size_t i = 1; i < texts.size(); ++i) {
            const auto& shadow = texts[i - 1];
            const auto& c = texts[i];
            // Each text follows its black shadow, a tenth of a square right and down.
            if (c.text == text && shadow.text == text && shadow.colour == ColorBlack &&
                shadow.x1 == c.x1 + 58 && shadow.y1 == c.y1 + 58)
                return std::make_tuple(c.x1, c.y1, c.colour, c.pointSize);
        }
        return std::make_tuple(0, 0, 0, 0);
    };
    // x = 450 + 580 * ((13 - characters) / 5 + 3); the game name 3000 twips further left.
    EXPECT_EQ(placed("山田"), std::make_tuple(466, 6450, ColorLightRed, 12));
    EXPECT_EQ(placed("ｱ"), std::make_tuple(3582, 100, ColorWhite, 12));
    EXPECT_EQ(placed("王"), std::make_tuple(3582, 6450, ColorWhite, 12));
}

TEST_F(RecordFiles, TenThousandMovesLoadBeyondTheFirstFiveHundredEntries) {
    std::string lines;
    for (int n = 0; n < 10000; ++n) lines += line_of(Game[n % 5]);
    write_file("long.棋譜", Headers + lines);
    load("long.棋譜");
    ASSERT_EQ(form.history().HistoryLen, 10000);
    ASSERT_GE(form.history().MoveHistory.size(), 10001u);
    EXPECT_TRUE(same_move(form.history().MoveHistory[10000], Game[4]));
}

struct HostileFile {
    const char* name;
    std::string bytes;
    std::string message;
};
// Test names and failure reports show the row by its name.
void PrintTo(const HostileFile& row, std::ostream* out) { *out << row.name; }

std::string with_move(const MoveRecord& m) { return Headers + line_of(Game[0]) + line_of(m); }
const std::string BadLine5 = "棋譜ﾌｧｲﾙの5行目が正しくありません";

class HostileFiles : public RecordFiles, public ::testing::WithParamInterface<HostileFile> {};

TEST_P(HostileFiles, AreRefusedAndLeaveTheGameAsItWas) {
    if (!GetParam().bytes.empty()) write_file("bad.棋譜", GetParam().bytes);
    set_history(Game, 3);
    ASSERT_EQ(form.clock().ManTime, 20);
    const BoardArray before = form.engine().board();
    f.canvas.clear();

    load("bad.棋譜");
    EXPECT_EQ(last_box(), GetParam().message + " / 棋譜");
    EXPECT_TRUE(form.engine().board() == before);
    EXPECT_EQ(std::make_tuple(form.history().HistoryPos, form.history().HistoryLen, form.history().RecordMode,
                              form.clock().ManTime),
              std::make_tuple(3, 5, FlagOff, 20.0));
    EXPECT_TRUE(same_move(form.history().MoveHistory[4], Game[3]));
    EXPECT_TRUE(f.canvas.of_kind(testing::DrawCall::Picture).empty());
}

std::string many_moves(int n) {
    std::string lines = Headers;
    for (int i = 0; i < n; ++i) lines += line_of(Game[0]);
    return lines;
}

INSTANTIATE_TEST_SUITE_P(
    Records, HostileFiles,
    ::testing::Values(
        HostileFile{"binary_bytes", Headers + line_of(Game[0]) + std::string("\x00\xff\x81\x01\r\n", 6),
                    BadLine5},
        HostileFile{"file_off_the_board", with_move(move(0, 7, 3, 6, ManSoldier, 0, 0, 0, 0, 0)), BadLine5},
        HostileFile{"rank_off_the_board", with_move(move(3, 7, 3, 11, ManSoldier, 0, 0, 0, 0, 0)), BadLine5},
        HostileFile{"not_a_piece_code", with_move(move(3, 7, 3, 6, 8, 0, 0, 0, 0, 0)), BadLine5},
        HostileFile{"empty_square_moved", with_move(move(3, 7, 3, 6, PieceEmpty, 0, 0, 0, 0, 0)), BadLine5},
        HostileFile{"captured_not_a_piece", with_move(move(3, 7, 3, 6, ManSoldier, -9, 0, 0, 0, 0)),
                    BadLine5},
        HostileFile{"negative_time", Headers + line_of(Game[0]) + "3 73 6-1-1 0-1234   12    0    0\r\n",
                    BadLine5},
        HostileFile{"letters_in_a_field", Headers + line_of(Game[0]) + "3 73 6-1-1 0    0   1x    0    0\r\n",
                    BadLine5},
        HostileFile{"blank_line_between_moves", Headers + "\r\n" + line_of(Game[0]),
                    "棋譜ﾌｧｲﾙの4行目が正しくありません"},
        HostileFile{"huge_header_line", std::string(5000, 'x') + "\r\n", "棋譜ﾌｧｲﾙの1行目が正しくありません"},
        HostileFile{"over_two_megabytes", Headers + std::string(3 << 20, ' '), "棋譜ﾌｧｲﾙが大きすぎます"},
        HostileFile{"more_than_10000_moves", many_moves(10001), "棋譜ﾌｧｲﾙの手数が10000手を超えています"},
        HostileFile{"missing_file", "", "棋譜ﾌｧｲﾙを開けません"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(RecordFiles, DriveChangeMovesBothListsOrSaysTheDeviceIsNotReady) {
    f.panel.driveValue = "/mnt/usb";
    f.panel.nextDirResult = PathResult::DeviceUnavailable;
    form.Drive1_Change();
    EXPECT_EQ(last_box(), "ﾃﾞﾊﾞｲｽが準備できていません / ｴﾗｰ");
    EXPECT_EQ(f.panel.dirPath, dir.string());
    f.panel.nextDirResult = PathResult::Ok;
    form.Drive1_Change();
    EXPECT_EQ(f.panel.filePath, "/mnt/usb");
}

// Other systems end lines with LF or a lone CR: such a record reads the same.
TEST_F(RecordFiles, EveryKindOfLineEndLoadsTheSameGame) {
    for (const char* end : {"\r\n", "\n", "\r"}) {
        std::string bytes = "\x8a\xfb\x95\x88" + std::string(end) + "\xb1" + end + "\x89\xa4" + end;
        for (const MoveRecord& m : Game) bytes += format_move_line(m) + end;
        write_file("ends.棋譜", bytes);
        load("ends.棋譜");
        SCOPED_TRACE(end[0] == '\r' && end[1] == 0 ? "CR" : end[0] == '\n' ? "LF" : "CR LF");
        EXPECT_EQ(last_box(), "棋譜を '進 'で進めて下さい / 棋譜");
        ASSERT_EQ(form.history().HistoryLen, 5);
        for (int n = 1; n <= 5; ++n) EXPECT_TRUE(same_move(form.history().MoveHistory[n], Game[n - 1])) << n;
        const auto texts = f.canvas.texts();
        EXPECT_NE(std::find(texts.begin(), texts.end(), "棋譜"), texts.end()) << "the game name";
        form.初期設定();
    }
}

// What the writer accepts, the reader must read back: header lines are
// limited to the 1000 characters a line of a loaded file may have.
TEST_F(RecordFiles, NamesLongerThanTheReaderTakesAreRefusedOnSaving) {
    set_history(Game, 5);
    const std::string longest(1000, 'x');
    save("longest", longest, longest, longest);
    EXPECT_EQ(last_box(), "棋譜を書き込みました /   ");
    load("longest.棋譜");
    EXPECT_EQ(last_box(), "棋譜を '進 'で進めて下さい / 棋譜");

    set_history(Game, 5);
    for (int field = 0; field < 3; ++field) {
        std::string texts[3] = {"棋譜", "ｱ", "王"};
        texts[field] = std::string(1001, 'x');
        save("too_long", texts[0], texts[1], texts[2]);
        EXPECT_EQ(last_box(), "対局名と対局者名は1000文字までです / 棋譜保存") << field;
        EXPECT_FALSE(fs::exists(dir / "too_long.棋譜"));
    }
}

// A save that fails part way (here: a file size limit, as a full disk would)
// leaves the old record whole and no temporary file behind.
TEST_F(RecordFiles, AFailedSaveLeavesTheOldRecordWhole) {
    set_history(Game, 5);
    save("kept");
    const std::string before = file_bytes("kept.棋譜");
    set_history(Game, 2);
    {
        testing::FileSizeLimit limit(40);
        save("kept", std::string(200, 'y'));
    }
    EXPECT_EQ(last_box(), "棋譜ﾌｧｲﾙを書き込めません / 棋譜保存");
    EXPECT_EQ(file_bytes("kept.棋譜"), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(RecordFiles, AFolderFifoOrDeviceInPlaceOfARecordCannotBeOpened) {
    fs::create_directory(dir / "folder.棋譜");
    ASSERT_EQ(mkfifo((dir / "fifo.棋譜").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir / "zero.棋譜");
    for (const char* name : {"folder.棋譜", "fifo.棋譜", "zero.棋譜"}) {
        load(name);
        EXPECT_EQ(last_box(), "棋譜ﾌｧｲﾙを開けません / 棋譜") << name;
        EXPECT_EQ(form.history().RecordMode, FlagOff) << name;
    }
}

}  // namespace
}  // namespace zenko
