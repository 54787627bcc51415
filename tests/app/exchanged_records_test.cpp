// The records other programs exchange, in the game: files of any format
// opened from the record panel, games written as PGN and read back, the
// clipboard's records and positions, and input that must leave the game as
// it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>

#include "fakes.h"
#include "record/formats/game_record.h"
#include "record/saved_game.h"

namespace zenko {
namespace {

namespace fs = std::filesystem;

constexpr const char* FullSetFen = "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR";

// Two games; the second starts without red's left horse, black to move.
const std::string TwoGames =
    "[Game \"Chinese Chess\"]\n[Event \"練習会\"]\n[Red \"赤田\"]\n[Black \"黒川\"]\n[Result \"1-0\"]\n\n"
    " 1. 炮二平五 马８进７\n 1-0\n\n"
    "[Game \"Chinese Chess\"]\n[Event \"決勝\"]\n[Site \"東京\"]\n[Red \"青木\"]\n[Black \"白石\"]\n"
    "[Result \"0-1\"]\n"
    "[FEN \"rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/R1BAKABNR b - - 0 1\"]\n\n"
    "{黒から} 1. ... 炮８平５ {中炮} 2. 炮二平五 0-1\n";

// Two captures: red's cannon takes the middle pawn, black's horse takes it.
const std::string CapturesGame = "[Format \"ICCS\"]\n\n1. H2-E2 H9-G7 2. E2-E6 D9-E8 3. B2-E2 G7-E6 *\n";

struct HistoryMove {
    int fromX, fromY, toX, toY, placed, captured;
    friend bool operator==(const HistoryMove&, const HistoryMove&) = default;
};
void PrintTo(const HistoryMove& m, std::ostream* out) {
    *out << m.fromX << m.fromY << "-" << m.toX << m.toY << " " << m.placed << "x" << m.captured;
}

std::vector<HistoryMove> moves_of(const HistoryState& h) {
    std::vector<HistoryMove> out;
    for (int n = 1; n <= h.HistoryLen; ++n) {
        const MoveRecord& m = h.MoveHistory[static_cast<std::size_t>(n)];
        out.push_back({m.fromX, m.fromY, m.toX, m.toY, m.placed, m.captured});
    }
    return out;
}

std::string file_bytes(const fs::path& path) {
    std::ostringstream out;
    out << std::ifstream(path, std::ios::binary).rdbuf();
    return out.str();
}

// Public: the rows of a table reach the game through the fixture.
class ExchangedRecords : public ::testing::Test {
public:
    testing::TemporaryWorkingDirectory folder{"zenko-exchanged"};
    testing::FormFixture f;
    Form1& form = f.form;

    void SetUp() override {
        f.panel.filePath = f.panel.dirPath = folder.path().string();
        testing::open_sounds(form, f.sound);
        form.初期設定();
        form.offer_kept_game();  // no kept game yet: from now on the game is kept
    }
    void write_file(const std::string& name, const std::string& bytes) {
        std::ofstream(folder.path() / name, std::ios::binary) << bytes;
    }
    void open(const std::string& name) {
        f.panel.fileName = name;
        form.File1_Click();
    }
    // Two people play these moves (from x, y to x, y) by clicks.
    void play(std::initializer_list<std::array<int, 4>> moves) {
        for (const auto& [fx, fy, tx, ty] : moves) {
            testing::click_square(form, fx, fy);
            testing::click_square(form, tx, ty);
        }
    }
    void write_record(const std::string& name) {
        form.KIFU_WRITE_Click();
        f.panel.texts[PanelControl::Text1] = name;
        form.Command1_Click();
    }
    std::vector<std::string> box_texts() const {
        std::vector<std::string> out;
        for (const testing::ShownBox& box : f.dialogs.shown) out.push_back(box.text + " / " + box.title);
        return out;
    }
};

TEST_F(ExchangedRecords, AFileOfSeveralGamesOpensTheGameChosenFromItsList) {
    write_file("two.pgn", TwoGames);
    f.gameChooser.answers = {1};
    open("two.pgn");

    ASSERT_EQ(f.gameChooser.shown.size(), 1u);
    EXPECT_EQ(f.gameChooser.shown[0].first, "two.pgn");
    const std::vector<GameListing>& list = f.gameChooser.shown[0].second;
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(std::tie(list[0].red, list[0].black, list[0].event, list[0].result),
              std::tie("赤田", "黒川", "練習会", "1-0"));
    EXPECT_EQ(std::tie(list[1].red, list[1].black, list[1].event, list[1].result),
              std::tie("青木", "白石", "決勝", "0-1"));

    const HistoryState& h = form.history();
    EXPECT_EQ(box_texts(),
              (std::vector<std::string>{" 読み込みました / 棋譜", "棋譜を '進 'で進めて下さい / 棋譜"}));
    EXPECT_EQ(h.RecordMode, FlagOn);
    EXPECT_EQ(h.HistoryPos, 0);
    ASSERT_EQ(h.HistoryLen, 2);
    EXPECT_GT(h.MoveHistory[1].placed, 0) << "black, the top army, moves first";
    EXPECT_EQ(form.engine().piece_at(2, 10), PieceEmpty) << "red's left horse is not in the start";
    EXPECT_EQ(form.engine().board(), h.HistoryOrigin.board);
    EXPECT_TRUE(h.HistoryOrigin.topMovesFirst);
    EXPECT_EQ(h.RecordHeaders, (std::array<std::string, 3>{"決勝", "白石", "青木"}));
    EXPECT_EQ(
        h.Notes.Tags,
        (std::vector<std::pair<std::string, std::string>>{
            {"Event", "決勝"}, {"Site", "東京"}, {"Red", "青木"}, {"Black", "白石"}, {"Result", "0-1"}}));
    EXPECT_EQ(h.Notes.Comments, (std::vector<std::string>{"黒から", "中炮", ""}));
    const auto texts = f.canvas.texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "白石"), texts.end())
        << "the top player beside the board";
}

TEST_F(ExchangedRecords, StepsOfALoadedGameReachTheBoardsOfTheRecord) {
    write_file("captures.pgn", CapturesGame);
    open("captures.pgn");
    const formats::RecordContents read = formats::read_record_file(CapturesGame, "captures.pgn");
    ASSERT_EQ(read.games.size(), 1u);
    const formats::GameRecord& game = read.games[0];
    ASSERT_EQ(form.history().HistoryLen, 6);
    EXPECT_EQ(form.engine().board(), formats::board_after(game, 0));
    for (std::size_t ply = 1; ply <= game.moves.size(); ++ply) {
        form.AFTER_Click();
        EXPECT_EQ(form.engine().board(), formats::board_after(game, ply)) << "after move " << ply;
    }
    EXPECT_EQ(form.clock().ManTime + form.clock().ComTime, 0) << "a record without times: the clocks at zero";
}

// What could not be read is told in one box after the load: the move the
// record stops before, and the variations left out.
TEST_F(ExchangedRecords, ACutRecordOpensToTheLastPlayableMoveAndSaysWhatWasLeftOut) {
    write_file("cut.pgn", "1. h2e2 (1. b2e2 h9g7) h9g7 2. e2e6 d9e8 3. a0a5 h7h0 *\n");
    open("cut.pgn");
    EXPECT_EQ(form.history().HistoryLen, 4);
    ASSERT_EQ(f.dialogs.shown.size(), 2u);
    EXPECT_EQ(f.dialogs.shown[0].text,
              "5手目 (a0a5) が指せないので、4手目までを読み込みました\n変化手順1個は読み込んでいません");
    EXPECT_EQ(f.dialogs.shown[0].title, "棋譜");
    EXPECT_EQ(f.dialogs.shown[1].text, "棋譜を '進 'で進めて下さい");
}

struct BadInput {
    const char* name;
    std::string bytes;  // "" : no such file
    std::string box;    // "" : none
};
void PrintTo(const BadInput& row, std::ostream* out) { *out << row.name; }

class BadInputs : public ExchangedRecords, public ::testing::WithParamInterface<BadInput> {};

// A file that gives no record is named in a box saying what is wrong; the
// game on the board, its history and clocks, and its kept file stay as they
// were. So do they when the list of a file's games is closed.
TEST_P(BadInputs, LeaveTheGameAndItsKeptFileAsTheyWere) {
    const BadInput& row = GetParam();
    if (!row.bytes.empty()) write_file(row.name, row.bytes);
    f.gameChooser.answers = {-1};
    form.START_Click();
    play({{3, 7, 3, 6}, {3, 4, 3, 5}});
    form.REPLAY_Click();
    const BoardArray board = form.engine().board();
    const std::string kept = file_bytes(folder.path() / SavedGameFile);
    ASSERT_FALSE(kept.empty());
    f.dialogs.shown.clear();
    f.canvas.clear();

    open(row.name);
    EXPECT_EQ(box_texts(), row.box.empty()
                               ? std::vector<std::string>{}
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
    struct Row {
        const char* name;
        std::function<void(ExchangedRecords&)> play;
        bool topFirst;
    };
    const Row rows[] = {
        {"handicap",
         [](ExchangedRecords& t) {
             t.form.LBEL_UP_Click();
             t.form.LBEL_UP_Click();
             t.form.START_Click();
             t.play({{3, 7, 3, 6}, {3, 4, 3, 5}, {2, 8, 5, 8}});
         },
         false},
        {"turned",
         [](ExchangedRecords& t) {
             t.form.START_Click();
             t.play({{3, 7, 3, 6}, {3, 4, 3, 5}});
             t.form.REVERSE_Click();
             t.play({{1, 4, 1, 5}});
         },
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        form.初期設定();
        row.play(*this);
        const BoardArray start = form.history().HistoryOrigin.board;
        const std::vector<HistoryMove> moves = moves_of(form.history());
        ASSERT_EQ(moves.size(), 3u);
        f.dialogs.shown.clear();
        write_record(std::string(row.name) + ".pgn");
        EXPECT_EQ(box_texts().back(), "棋譜を書き込みました /   ");
        EXPECT_NE(file_bytes(folder.path() / (std::string(row.name) + ".pgn")).find("[FEN \""),
                  std::string::npos);

        form.初期設定();
        open(std::string(row.name) + ".pgn");
        EXPECT_EQ(form.history().HistoryOrigin.board, start);
        EXPECT_EQ(form.history().HistoryOrigin.topMovesFirst, row.topFirst);
        EXPECT_EQ(moves_of(form.history()), moves);
    }
}

TEST_F(ExchangedRecords, AGameCopiedAsPgnPastesBackAsTheSameRecord) {
    form.START_Click();
    play({{2, 8, 5, 8}, {8, 3, 5, 3}, {5, 8, 5, 4}});  // the cannon takes the middle soldier
    const std::vector<HistoryMove> moves = moves_of(form.history());
    form.KIFU_COPY_Click();
    EXPECT_EQ(f.clipboard.contents.rfind("[Game \"Chinese Chess\"]\n", 0), 0u) << f.clipboard.contents;

    form.初期設定();
    form.START_Click();
    play({{1, 7, 1, 6}});
    f.dialogs.shown.clear();
    form.KIFU_PASTE_Click();
    EXPECT_EQ(form.history().RecordMode, FlagOn);
    EXPECT_EQ(moves_of(form.history()), moves);
    EXPECT_EQ(box_texts().front(), " 読み込みました / 棋譜");
}

// The army to move is the one whose turn it is, or else the one that did
// not make the last move on the board.
TEST_F(ExchangedRecords, FenCopyGivesTheShownPositionAndTheArmyToMove) {
    const std::string afterSoldier = "rnbakabnr/9/1c5c1/p1p1p1p1p/9/P8/2P1P1P1P/1C5C1/9/RNBAKABNR";
    struct Row {
        const char* name;
        std::function<void(ExchangedRecords&)> reach;
        std::string fen;
    };
    const Row rows[] = {
        {"the full set", [](ExchangedRecords&) {}, std::string(FullSetFen) + " w - - 0 1"},
        {"black's turn in a game",
         [](ExchangedRecords& t) {
             t.form.START_Click();
             t.play({{1, 7, 1, 6}});
         },
         afterSoldier + " b - - 0 1"},
        {"red's move stepped to with 進",
         [](ExchangedRecords& t) {
             t.form.START_Click();
             t.play({{1, 7, 1, 6}});
             t.form.REPLAY_Click();
             t.form.AFTER_Click();
         },
         afterSoldier + " b - - 0 1"},
    };
    for (const Row& row : rows) {
        form.初期設定();
        row.reach(*this);
        form.FEN_COPY_Click();
        EXPECT_EQ(f.clipboard.contents, row.fen) << row.name;
    }
}

// A pasted position is played from with the army to move as its FEN says.
TEST_F(ExchangedRecords, APastedFenIsPlayedFromWithTheArmyItNamesToMove) {
    struct Row {
        const char* side;
        const char* box;
        int historyAfter;
    };
    const Row rows[] = {
        {"w", "あなたの番です", 0},
        {"b", "上の駒の番なので、ｺﾝﾋﾟｭｰﾀが先に指します", 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.side);
        form.初期設定();
        f.clipboard.contents = std::string("4k4/9/9/9/9/9/9/9/4r4/3K5 ") + row.side + " - - 0 1\n";
        f.dialogs.shown.clear();
        form.KIFU_PASTE_Click();
        EXPECT_EQ(box_texts(), std::vector<std::string>{"局面を読み込みました / 棋譜"});
        EXPECT_EQ(form.engine().piece_at(5, 9), ComChariot);
        EXPECT_EQ(form.history().RecordMode, FlagOff);
        form.SENTE_Click();
        EXPECT_EQ(f.dialogs.shown.at(1).text, row.box);
        EXPECT_EQ(form.history().HistoryLen, row.historyAfter);
        if (row.historyAfter > 0) {
            EXPECT_GT(form.history().MoveHistory[1].placed, 0) << "the computer moved first";
        }
    }
}

}  // namespace
}  // namespace zenko
