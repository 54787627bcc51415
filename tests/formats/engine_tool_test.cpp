// zenko-engine's record commands: what they print, how they exit, and the
// files convert writes, checked by reading them back with the tool.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>

#include "format_test_support.h"

namespace zenko::testing {
namespace {

struct ToolRun {
    int status;
    std::string out, err;
};

std::string read_text(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string temp_path(const std::string& suffix) {
    return ::testing::TempDir() + ::testing::UnitTest::GetInstance()->current_test_info()->name() + suffix;
}

ToolRun run_tool(const std::string& args) {
    const std::string out = temp_path(".out"), err = temp_path(".err");
    const int raw =
        std::system((std::string(ZENKO_ENGINE_TOOL) + " " + args + " >" + out + " 2>" + err).c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read_text(out), read_text(err)};
}

std::string data_path(const std::string& name) {
    return "'" + std::string(ZENKO_SOURCE_DIR) + "/tests/formats/data/" + name + "'";
}

std::string write_temp(const std::string& suffix, const std::string& text) {
    const std::string path = temp_path(suffix);
    std::ofstream(path, std::ios::binary) << text;
    return "'" + path + "'";
}

TEST(EngineToolRecord, PrintsEachGamesTagsStartAndMoves) {
    const ToolRun run = run_tool("record " + data_path("two_games.pgn"));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "game 1\n"
              "tag Event 友谊赛\n"
              "tag Date 2024.05.01\n"
              "tag Red 张三\n"
              "tag Black 李四\n"
              "tag Result 1-0\n"
              "fen " +
                  FullSetFen +
                  "\n"
                  "moves h2e2 h9g7 h0g2 i9h9 i0h0 g6g5 h0h6 b9c7\n"
                  "game 2\n"
                  "tag Event 友谊赛\n"
                  "tag Red 李四\n"
                  "tag Black 张三\n"
                  "tag Result 0-1\n"
                  "fen rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR b - - 0 1\n"
                  "moves h7e7 h0g2 h9g7\n");
    EXPECT_EQ(run.err, "");
}

TEST(EngineToolRecord, NotesACutRecordAndExitsWith1) {
    const ToolRun run = run_tool("record " + write_temp(".pgn", "1. h2e2 h9g7 2. h2h9\n"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("moves h2e2 h9g7\nnote 3手目 (h2h9) が指せないので、2手目までを読み込みました\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.err.find("h2h9"), std::string::npos);
}

TEST(EngineToolRecord, AFileWithoutARecordExitsWith2) {
    const ToolRun run = run_tool("record " + write_temp(".txt", "nothing to see\n"));
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("棋譜ではありません"), std::string::npos) << run.err;
}

TEST(EngineToolConvert, WritesPgnThatReadsBackTheSame) {
    for (const char* flag : {"", " --iccs"}) {
        const std::string out = temp_path(".pgn");
        ASSERT_EQ(run_tool("convert " + data_path("encrypted.xqf") + " '" + out + "'" + flag).status, 0);
        const std::string pgn = read_text(out);
        EXPECT_NE(pgn.find(*flag ? "[Format \"ICCS\"]" : "[Format \"Chinese\"]"), std::string::npos) << pgn;
        const ToolRun again = run_tool("record '" + out + "'");
        EXPECT_EQ(again.status, 0);
        EXPECT_NE(again.out.find("moves h2e2 h9g7 h0g2\n"), std::string::npos) << again.out;
    }
}

TEST(EngineToolConvert, WritesAKifuOnlyFromTheFullSet) {
    const std::string kifu = temp_path(".棋譜");
    EXPECT_EQ(run_tool("convert " + data_path("japanese_sjis.pgn") + " '" + kifu + "'").status, 0);
    EXPECT_NE(run_tool("record '" + kifu + "'")
                  .out.find("tag Red やまだ\nfen " + FullSetFen + "\nmoves h2e2 h9g7 h0g2 i9h9\n"),
              std::string::npos);
    // Simplified characters that Shift_JIS lacks, and a game from a position.
    EXPECT_EQ(run_tool("convert " + data_path("simplified_gbk.pgn") + " '" + kifu + "'").status, 2);
    const ToolRun refused = run_tool("convert " + data_path("stacked_pawns.pgn") + " '" + kifu + "'");
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find(".棋譜"), std::string::npos) << refused.err;
}

TEST(EngineToolFen, PrintsThePositionAfterPlyMoves) {
    EXPECT_EQ(run_tool("fen " + data_path("two_games.pgn") + " 0").out, FullSetFen + "\n");
    EXPECT_EQ(run_tool("fen " + data_path("two_games.pgn") + " 1").out,
              "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C2C4/9/RNBAKABNR b - - 0 1\n");
    EXPECT_EQ(run_tool("fen " + data_path("positions.fen")).out,
              "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR w - - 0 1\n");
    EXPECT_EQ(run_tool("fen " + data_path("two_games.pgn") + " 9").status, 2);
}

}  // namespace
}  // namespace zenko::testing
