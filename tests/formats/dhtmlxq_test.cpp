// DhtmlXQ: blocks in a web page, their start positions and comments, and
// blocks that are cut or broken.
#include <gtest/gtest.h>

#include "format_test_support.h"
#include "record/formats/readers.h"
#include "record/formats/record_texts.h"
#include "record/formats/writers.h"

namespace zenko::testing {
namespace {

using formats::GameRecord;
using formats::RecordContents;
using Tags = std::vector<std::pair<std::string, std::string>>;

const std::string FullSetBinit = "8979695949392919097717866646260600102030405060708012720323436383";

TEST(DhtmlXq, ReadsEveryBlockOfAPage) {
    const RecordContents file = formats::read_dhtmlxq(data_file("game.html"));
    ASSERT_EQ(file.error, "");
    ASSERT_EQ(file.games.size(), 2u);
    const GameRecord& first = file.games[0];
    EXPECT_TRUE(first.starts_from_full_set());
    EXPECT_EQ(moves_of(first), "h2e2 h9g7 h0g2");
    EXPECT_EQ(first.startComment, "开局");
    EXPECT_EQ(first.moves[0].comment, "中炮");
    EXPECT_EQ(first.moves[1].comment, "");
    EXPECT_EQ(first.skippedVariations, 2);
    EXPECT_EQ(first.tags, (Tags{{"Event", "测试对局"},
                                {"Date", "2023-03-03"},
                                {"Red", "红方棋手"},
                                {"Black", "黑方棋手"},
                                {"Result", "1-0"}}));
    const GameRecord& second = file.games[1];
    EXPECT_FALSE(second.redToMove);
    EXPECT_EQ(formats::fen_of(second.start, second.redToMove), "3k5/9/9/9/9/9/9/9/4A4/4K4 b - - 0 1");
    EXPECT_EQ(moves_of(second), "d9d8");
    EXPECT_EQ(second.tags, (Tags{{"Event", "残局"}, {"Result", "1/2-1/2"}}));
}

TEST(DhtmlXq, TagsAreOneLine) {
    const RecordContents file =
        formats::read_dhtmlxq("[DhtmlXQ][DhtmlXQ_red]张\r\n三[/DhtmlXQ_red][/DhtmlXQ]");
    ASSERT_EQ(file.games.size(), 1u);
    EXPECT_EQ(file.games[0].tag("Red"), "张  三");
}

TEST(DhtmlXq, WithoutBinitStartsFromTheFullSet) {
    const RecordContents file =
        formats::read_dhtmlxq("[DhtmlXQ][DhtmlXQ_movelist]7747[/DhtmlXQ_movelist][/DhtmlXQ]");
    ASSERT_EQ(file.games.size(), 1u);
    EXPECT_TRUE(file.games[0].starts_from_full_set());
    EXPECT_EQ(moves_of(file.games[0]), "h2e2");
}

struct BlockCase {
    const char* name;
    std::string text;
    std::size_t kept;
    const char* reason;  // of the cut, "" for none
};

TEST(DhtmlXq, BlocksThatStopEarlyKeepTheirMoves) {
    const std::string list = "[DhtmlXQ_binit]" + FullSetBinit + "[/DhtmlXQ_binit][DhtmlXQ_movelist]";
    const BlockCase cases[] = {
        {"Whole", "[DhtmlXQ]" + list + "77477062[/DhtmlXQ_movelist][/DhtmlXQ]", 2, ""},
        {"NoClosingBlock", "[DhtmlXQ]" + list + "77477062[/DhtmlXQ_movelist]", 2, formats::CutFileText},
        {"HalfAMove", "[DhtmlXQ]" + list + "774770[/DhtmlXQ_movelist][/DhtmlXQ]", 1, formats::CutFileText},
        {"IllegalMove", "[DhtmlXQ]" + list + "77477767[/DhtmlXQ_movelist][/DhtmlXQ]", 1,
         formats::IllegalMoveText},
        {"OffTheBoard", "[DhtmlXQ]" + list + "7747907[/DhtmlXQ_movelist][/DhtmlXQ]", 1, formats::CutFileText},
    };
    for (const BlockCase& c : cases) {
        const RecordContents file = formats::read_dhtmlxq(c.text);
        ASSERT_EQ(file.games.size(), 1u) << c.name;
        const GameRecord& game = file.games[0];
        EXPECT_EQ(game.moves.size(), c.kept) << c.name;
        EXPECT_EQ(game.cut ? game.cut->reason : "", c.reason) << c.name;
    }
}

TEST(DhtmlXq, BadStartsAreLeftOut) {
    const std::string twoOnOneSquare = "8989" + FullSetBinit.substr(4);
    const RecordContents file =
        formats::read_dhtmlxq("[DhtmlXQ][DhtmlXQ_binit]" + twoOnOneSquare + "[/DhtmlXQ_binit][/DhtmlXQ]");
    EXPECT_TRUE(file.games.empty());
    EXPECT_EQ(file.error, formats::BadPositionText);
    EXPECT_EQ(formats::read_dhtmlxq("no block here").error, formats::NotRecordText);
}

}  // namespace
}  // namespace zenko::testing
