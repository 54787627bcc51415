// The records other programs exchange, in the game: files of any format
// opened from the record panel, games written as PGN and read back, the
// clipboard's records and positions, and input that must leave the game as
// it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <sstream>

#include "fakes.h"
#include "record/formats/game_record.h"
#include "record/saved_game.h"

namespace zenko {
namespace {

// Two games; the second starts without red's left horse, black to move.
const std::string TwoGames =
    "[Event \"練習会\"]\n[Red \"赤田\"]\n[Black \"黒川\"]\n[Result \"1-0\"]\n\n1. 炮二平五 马８进７ 1-0\n\n"
    "[Event \"決勝\"]\n[Site \"東京\"]\n[Red \"青木\"]\n[Black \"白石\"]\n[Result \"0-1\"]\n"
    "[FEN \"rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/R1BAKABNR b - - 0 1\"]\n\n"
    "{黒から} 1. ... 炮８平５ {中炮} 2. 炮二平五 0-1\n";

// Each move of the history: from, to, the piece placed and the one taken.
std::string moves_of(const HistoryState& h) {
    std::ostringstream out;
    for (int n = 1; n <= h.HistoryLen; ++n) {
        const MoveRecord& m = h.MoveHistory[static_cast<std::size_t>(n)];
        out << m.fromX << m.fromY << m.toX << m.toY << ':' << m.placed << 'x' << m.captured << ' ';
    }
    return out.str();
}

std::string file_bytes(const std::filesystem::path& path) {
    std::ostringstream out;
    out << std::ifstream(path, std::ios::binary).rdbuf();
    return out.str();
}

// Public: the rows of the tables reach the game through the fixture.
class ExchangedRecords : public ::testing::Test {
public:
    testing::TemporaryWorkingDirectory folder{"zenko-exchanged"};
    testing::FormFixture f;
    Form1& form = f.form;

    void SetUp() override {
        f.panel.filePath = folder.path().string();
        testing::open_sounds(form, f.sound);
        form.初期設定();
        form.offer_kept_game();  // no kept game yet: from now on the game is kept
    }
    // Writes the file (unless bytes is empty) and clicks it in the panel.
    void open(const std::string& name, const std::string& bytes) {
        if (!bytes.empty()) std::ofstream(folder.path() / name, std::ios::binary) << bytes;
        f.panel.fileName = name;
        form.File1_Click();
    }
    // Moves (from x, y to x, y) played by clicks.
    void play(std::initializer_list<std::array<int, 4>> moves) {
        for (const auto& [fx, fy, tx, ty] : moves) {
            testing::click_square(form, fx, fy);
            testing::click_square(form, tx, ty);
        }
    }
    std::vector<std::string> boxes() const {
        std::vector<std::string> out;
        for (const testing::ShownBox& box : f.dialogs.shown) out.push_back(box.text + " / " + box.title);
        return out;
    }
};

TEST_F(ExchangedRecords, AFileOfSeveralGamesOpensTheGameChosenFromItsList) {
    f.gameChooser.answers = {1};
    open("two.pgn", TwoGames);
    ASSERT_EQ(f.gameChooser.shown.size(), 1u);
    EXPECT_EQ(f.gameChooser.shown[0].first, "two.pgn");
    std::string listed;
    for (const GameListing& g : f.gameChooser.shown[0].second)
        listed += g.red + " " + g.black + " " + g.event + " " + g.result + "; ";
    EXPECT_EQ(listed, "赤田 黒川 練習会 1-0; 青木 白石 決勝 0-1; ");

    const HistoryState& h = form.history();
    EXPECT_EQ(boxes(),
              (std::vector<std::string>{" 読み込みました / 棋譜", "棋譜を '進 'で進めて下さい / 棋譜"}));
    EXPECT_EQ(std::make_tuple(h.RecordMode, h.HistoryPos, h.HistoryLen), std::make_tuple(FlagOn, 0, 2));
    EXPECT_EQ(form.engine().piece_at(2, 10), PieceEmpty) << "the board shows the game's own start";
    EXPECT_EQ(form.engine().board(), h.HistoryOrigin.board);
    EXPECT_TRUE(h.HistoryOrigin.topMovesFirst);
    EXPECT_GT(h.MoveHistory[1].placed, 0) << "black, the top army, moves first";
    EXPECT_EQ(h.RecordHeaders, (std::array<std::string, 3>{"決勝", "白石", "青木"}));
    EXPECT_EQ(h.Notes.Tags.size(), 5u);
    EXPECT_EQ(h.Notes.Tags[1], std::make_pair(std::string("Site"), std::string("東京")));
    EXPECT_EQ(h.Notes.Comments, (std::vector<std::string>{"黒から", "中炮", ""}));
}

TEST_F(ExchangedRecords, StepsOfALoadedGameReachTheBoardsOfTheRecord) {
    // Red's cannon takes the middle pawn, black's horse takes the cannon.
    const std::string pgn = "[Format \"ICCS\"]\n\n1. H2-E2 H9-G7 2. E2-E6 D9-E8 3. B2-E2 G7-E6 *\n";
    open("captures.pgn", pgn);
    const formats::GameRecord game = formats::read_record_file(pgn, "captures.pgn").games.at(0);
    ASSERT_EQ(form.history().HistoryLen, 6);
    for (std::size_t ply = 0; ply <= game.moves.size(); ++ply) {
        if (ply > 0) form.AFTER_Click();
        EXPECT_EQ(form.engine().board(), formats::board_after(game, ply)) << "after move " << ply;
    }
}

// A game played on from a record of the field is played by the standard
// rules it was played by, from a .棋譜 by the game's own, whatever
// 標準ルール says.
TEST_F(ExchangedRecords, AGamePlayedOnFromARecordKeepsItsRules) {
    const struct {
        const char* name;
        std::string bytes;
        bool standard;
    } rows[] = {
        {"record.pgn", "[Format \"ICCS\"]\n\n1. H2-E2 H9-G7 *\n", true},
        {"record.棋譜", "対局\r\n上\r\n下\r\n" + format_move_line(testing::BottomSoldierStep) + "\r\n",
         false},
    };
    for (const auto& row : rows) {
        open(row.name, row.bytes);
        form.AFTER_Click();
        form.START_Click();
        EXPECT_EQ(form.play().StandardRules, row.standard) << row.name;
    }
}

// What could not be read is told in one box: the move the record stops
// before, and the variations left out.
TEST_F(ExchangedRecords, ACutRecordOpensToTheLastPlayableMoveAndSaysWhatWasLeftOut) {
    open("cut.pgn", "1. h2e2 (1. b2e2 h9g7) h9g7 2. e2e6 d9e8 3. a0a5 h7h0 *\n");
    EXPECT_EQ(form.history().HistoryLen, 4);
    EXPECT_EQ(
        boxes(),
        (std::vector<std::string>{
            "5手目 (a0a5) が指せないので、4手目までを読み込みました\n変化手順1個は読み込んでいません / 棋譜",
            "棋譜を '進 'で進めて下さい / 棋譜"}));
}

struct BadInput {
    const char* name;
    std::string bytes;  // "": no such file
    std::string box;    // "": none
};
void PrintTo(const BadInput& row, std::ostream* out) { *out << row.name; }

class BadInputs : public ExchangedRecords, public ::testing::WithParamInterface<BadInput> {};

// A file that gives no record is named in a box saying what is wrong; the
// game on the board, its history and its kept file stay as they were. So
// do they when the list of a file's games is closed.
TEST_P(BadInputs, LeaveTheGameAndItsKeptFileAsTheyWere) {
    const BadInput& row = GetParam();
    f.gameChooser.answers = {-1};
    form.START_Click();
    play({{3, 7, 3, 6}, {3, 4, 3, 5}});
    form.REPLAY_Click();
    const BoardArray board = form.engine().board();
    const std::string kept = file_bytes(folder.path() / SavedGameFile);
    ASSERT_FALSE(kept.empty());
    f.dialogs.shown.clear();
    f.canvas.clear();

    open(row.name, row.bytes);
    EXPECT_EQ(boxes(), row.box.empty() ? std::vector<std::string>{}
                                       : std::vector<std::string>{row.name + ("\n" + row.box) + " / 棋譜"});
    EXPECT_EQ(form.engine().board(), board);
    EXPECT_EQ(
        std::make_tuple(form.history().HistoryPos, form.history().HistoryLen, form.history().RecordMode),
        std::make_tuple(1, 2, FlagOff));
    EXPECT_EQ(file_bytes(folder.path() / SavedGameFile), kept);
    EXPECT_TRUE(f.canvas.of_kind(testing::DrawCall::Picture).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadInputs,
    ::testing::Values(BadInput{"letter.txt", "Dear friend,\nsee you tomorrow.\n", "棋譜ではありません"},
                      BadInput{"cut.xqf", std::string("XQ\x12\0\0\0", 6), "ファイルが途中で切れています"},
                      BadInput{"broken.xqf", std::string(1100, '\0'), "ファイルの見出しが壊れています"},
                      BadInput{"binary.pgn", std::string(300, '\xFE') + std::string(300, '\xFF'),
                               "文字コードが分かりません"},
                      BadInput{"missing.pgn", "", "ファイルを開けません"},
                      BadInput{"list_closed.pgn", TwoGames, ""}),
    [](const auto& row) {
        std::string name = row.param.name;
        std::replace(name.begin(), name.end(), '.', '_');
        return name;
    });

// Whatever the game plays it writes as PGN, its start as a FEN where it is
// not the full set with red to move; read back, it is the same game.
TEST_F(ExchangedRecords, HandicapAndTurnedGamesWrittenAsPgnReadBackTheSame) {
    const std::pair<const char*, std::function<void()>> rows[] = {
        {"handicap.pgn",
         [&] {
             form.LBEL_UP_Click();
             form.START_Click();
             play({{3, 7, 3, 6}, {3, 4, 3, 5}, {2, 8, 5, 8}});
         }},
        {"turned.pgn",  // black, now at the bottom, moved first
         [&] {
             form.START_Click();
             play({{3, 7, 3, 6}, {3, 4, 3, 5}});
             form.REVERSE_Click();
             play({{1, 4, 1, 5}});
         }},
    };
    for (const auto& [name, playGame] : rows) {
        form.初期設定();
        playGame();
        const BoardArray start = form.history().HistoryOrigin.board;
        const std::string moves = moves_of(form.history());
        form.KIFU_WRITE_Click();
        f.panel.texts[PanelControl::Text1] = name;
        form.Command1_Click();
        EXPECT_EQ(boxes().back(), "棋譜を書き込みました /   ") << name;
        EXPECT_NE(file_bytes(folder.path() / name).find("[FEN \""), std::string::npos) << name;

        form.初期設定();
        open(name, "");
        EXPECT_EQ(form.history().HistoryOrigin.board, start) << name;
        EXPECT_EQ(moves_of(form.history()), moves) << name;
    }
}

TEST_F(ExchangedRecords, AGameCopiedAsPgnPastesBackAsTheSameRecord) {
    form.START_Click();
    play({{2, 8, 5, 8}, {8, 3, 5, 3}, {5, 8, 5, 4}});  // the cannon takes the middle soldier
    const std::string moves = moves_of(form.history());
    form.KIFU_COPY_Click();
    EXPECT_EQ(f.clipboard.contents.rfind("[Game \"Chinese Chess\"]\n", 0), 0u) << f.clipboard.contents;
    form.初期設定();
    form.START_Click();
    play({{1, 7, 1, 6}});
    form.KIFU_PASTE_Click();
    EXPECT_EQ(form.history().RecordMode, FlagOn);
    EXPECT_EQ(moves_of(form.history()), moves);
}

// The army to move is the one whose turn it is, or else the one that did
// not make the last move on the board.
TEST_F(ExchangedRecords, FenCopyGivesTheShownPositionAndTheArmyToMove) {
    const std::string afterSoldier = "rnbakabnr/9/1c5c1/p1p1p1p1p/9/P8/2P1P1P1P/1C5C1/9/RNBAKABNR b - - 0 1";
    const std::pair<std::function<void()>, std::string> rows[] = {
        {[] {}, "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR w - - 0 1"},
        {[&] {
             play({{1, 7, 1, 6}});
         },
         afterSoldier},  // black's turn
        {[&] {
             play({{1, 7, 1, 6}});
             form.REPLAY_Click();
             form.AFTER_Click();  // no one's turn
         },
         afterSoldier},
    };
    for (const auto& [reach, fen] : rows) {
        form.初期設定();
        form.START_Click();
        reach();
        form.FEN_COPY_Click();
        EXPECT_EQ(f.clipboard.contents, fen);
    }
}

// A pasted position is played from with the army to move as its FEN says.
TEST_F(ExchangedRecords, APastedFenIsPlayedFromWithTheArmyItNamesToMove) {
    for (const auto& [side, box] : {std::make_pair("w", "あなたの番です"),
                                    std::make_pair("b", "上の駒の番なので、ｺﾝﾋﾟｭｰﾀが先に指します")}) {
        form.初期設定();
        f.clipboard.contents = std::string("4k4/9/9/9/9/9/9/9/4r4/3K5 ") + side + " - - 0 1\n";
        f.dialogs.shown.clear();
        form.KIFU_PASTE_Click();
        EXPECT_EQ(boxes(), std::vector<std::string>{"局面を読み込みました / 棋譜"});
        EXPECT_EQ(form.engine().piece_at(5, 9), ComChariot);
        form.SENTE_Click();
        EXPECT_EQ(f.dialogs.shown.at(1).text, box);
        EXPECT_EQ(form.history().HistoryLen, *side == 'b' ? 1 : 0);
        EXPECT_EQ(form.army_of_last_move(), *side == 'b' ? TopArmy : NoArmy);
    }
}

}  // namespace
}  // namespace zenko
