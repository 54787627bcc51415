// XQF: plain and encrypted files of every key scheme made by the test-only
// encoder, positions from the middle of a game, and files cut or broken.
#include <gtest/gtest.h>

#include "format_test_support.h"
#include "record/formats/readers.h"
#include "record/formats/record_texts.h"
#include "record/formats/writers.h"
#include "xqf_encoder.h"

namespace zenko::testing {
namespace {

using formats::GameRecord;
using formats::RecordContents;
using Tags = std::vector<std::pair<std::string, std::string>>;

// 1.0 is plain, 1.1 encrypts the moves, 1.2 and later the piece squares too.
class XqfVersions : public ::testing::TestWithParam<int> {};

TEST_P(XqfVersions, GiveTheStartNamesMainLineAndComments) {
    const RecordContents file = formats::read_xqf(xqf_bytes(example_xqf_game(GetParam())));
    ASSERT_EQ(file.error, "");
    ASSERT_EQ(file.games.size(), 1u);
    const GameRecord& game = file.games[0];
    EXPECT_TRUE(game.starts_from_full_set());
    EXPECT_TRUE(game.redToMove);
    EXPECT_EQ(moves_of(game), "h2e2 h9g7 h0g2");
    EXPECT_EQ(game.startComment, "开局");
    EXPECT_EQ(game.moves[0].comment, "中炮");
    EXPECT_EQ(game.moves[1].comment, "跳马");
    EXPECT_EQ(game.moves[2].comment, "");
    EXPECT_EQ(game.moves[0].written, "h2e2");
    EXPECT_EQ(game.skippedVariations, 3);
    EXPECT_EQ(game.tags, (Tags{{"Event", "友谊赛"},
                               {"Date", "2024.05.01"},
                               {"Red", "张三"},
                               {"Black", "李四"},
                               {"Result", "1-0"}}));
    EXPECT_FALSE(game.cut);
}

INSTANTIATE_TEST_SUITE_P(Xqf, XqfVersions, ::testing::Values(10, 11, 12, 15, 18));

TEST(XqfFile, EncryptionChangesTheBytes) {
    const std::string plain = xqf_bytes(example_xqf_game(10)), encrypted = xqf_bytes(example_xqf_game(18));
    EXPECT_NE(plain.substr(16, 32), encrypted.substr(16, 32));
    EXPECT_NE(plain.substr(1024, 4), encrypted.substr(1024, 4));
}

// The committed files (seeds of the fuzz tests) are the encoder's output.
TEST(XqfFile, CommittedFilesAreTheEncodersOutput) {
    EXPECT_EQ(data_file("encrypted.xqf"), xqf_bytes(example_xqf_game(18)));
    EXPECT_EQ(data_file("plain.xqf"), xqf_bytes(example_xqf_game(10)));
}

// An end game with black to move: pieces off the board, and the first move
// tells who moves first.
TEST(XqfFile, StartsFromAPositionWithBlackToMove) {
    XqfGame g;
    g.pieces[4] = {5, 10};  // red general
    g.pieces[3] = {4, 10};  // red advisor
    g.pieces[20] = {4, 1};  // black general
    g.pieces[27] = {5, 8};  // a black soldier
    g.line = {{4, 1, 4, 2, "", {}}, {5, 10, 6, 10, "", {}}};
    const RecordContents file = formats::read_xqf(xqf_bytes(g));
    ASSERT_EQ(file.error, "");
    const GameRecord& game = file.games.at(0);
    EXPECT_FALSE(game.redToMove);
    EXPECT_EQ(formats::fen_of(game.start, game.redToMove), "3k5/9/9/9/9/9/9/4p4/9/3AK4 b - - 0 1");
    EXPECT_EQ(moves_of(game), "d9d8 e0f0");
}

TEST(XqfFile, AnIllegalMoveCutsTheMainLine) {
    XqfGame g = example_xqf_game(18);
    g.line[2] = {8, 10, 8, 5, "", {}};  // a horse cannot move like a chariot
    const GameRecord game = formats::read_xqf(xqf_bytes(g)).games.at(0);
    EXPECT_EQ(moves_of(game), "h2e2 h9g7");
    ASSERT_TRUE(game.cut);
    EXPECT_EQ(*game.cut, (formats::CutShort{3, "h0h5", formats::IllegalMoveText}));
}

TEST(XqfFile, CutInTheMovesKeepsWhatCameBefore) {
    const std::string bytes = xqf_bytes(example_xqf_game(18));
    // Root (4 + 4 + 4 bytes), then the first move (4 + 4 + 4): cut inside the second.
    const GameRecord game = formats::read_xqf(bytes.substr(0, 1024 + 24 + 6)).games.at(0);
    EXPECT_EQ(moves_of(game), "h2e2");
    ASSERT_TRUE(game.cut);
    EXPECT_EQ(game.cut->reason, formats::CutFileText);
}

struct BrokenFile {
    const char* name;
    std::string bytes;
    const char* error;
};

std::string with_byte(std::string bytes, std::size_t at, char value) {
    bytes[at] = value;
    return bytes;
}

std::string two_pieces_on_one_square() {
    XqfGame g = example_xqf_game(10);
    g.pieces[0] = g.pieces[1];
    return xqf_bytes(g);
}

TEST(XqfFile, BrokenFilesAreNoRecord) {
    const std::string good = xqf_bytes(example_xqf_game(18));
    const BrokenFile files[] = {
        {"HeaderCut", good.substr(0, 1000), formats::CutFileText},
        {"OnlyTheMark", "XQ", formats::CutFileText},
        {"UnknownVersion", with_byte(good, 2, 9), formats::BrokenHeaderText},
        {"NotXq", with_byte(good, 0, 'Y'), formats::BrokenHeaderText},
        {"TwoPiecesOnASquare", two_pieces_on_one_square(), formats::BadPositionText},
    };
    for (const BrokenFile& f : files) {
        const RecordContents file = formats::read_xqf(f.bytes);
        EXPECT_EQ(file.error, f.error) << f.name;
        EXPECT_TRUE(file.games.empty()) << f.name;
    }
}

}  // namespace
}  // namespace zenko::testing
