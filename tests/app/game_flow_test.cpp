// Playing by mouse: starting games, selecting and moving pieces, refused
// clicks, the end of a game and the click made while no game is running.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fakes.h"
#include "form_test_access.h"

namespace zenko {
namespace {

using testing::DrawCall;
using testing::FormFixture;

struct Box {
    std::string text, title;
    Buttons buttons;
    bool operator==(const Box&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Box& b) {
    return out << '"' << b.text << "\" / \"" << b.title << '"'
               << (b.buttons == Buttons::YesNo ? " YesNo" : " OK");
}

struct Twips {
    double x, y;
};
Twips centre(int x, int y) {
    return {BoardOriginX + SquareWidth * x + SquareWidth / 2.0,
            BoardOriginY + SquareHeight * y + SquareHeight / 2.0};
}

// A window fresh from its set-up, with distinct sound handles.
struct Game : FormFixture {
    Game() {
        testing::open_sounds(form, sound);
        form.初期設定();
        canvas.clear();
        sound.clear();
    }
    void click_at(Twips t) { form.Form_MouseDown(1, 0, t.x, t.y); }
    void click(int x, int y) { click_at(centre(x, y)); }
    void move(int fx, int fy, int tx, int ty) {
        click(fx, fy);
        click(tx, ty);
    }
    void load(const std::string& fen) { ASSERT_TRUE(FormTestAccess::engine(form).set_fen(fen)) << fen; }
    std::vector<Box> boxes() const {
        std::vector<Box> out;
        for (const auto& b : dialogs.shown) out.push_back({b.text, b.title, b.buttons});
        return out;
    }
    int forbidden_sounds() const { return sound.count("dsPlay", form.sounds().SoundForbidden); }
    // Colour of the last outline drawn inside square (x, y), or -1.
    int last_outline(int x, int y) const {
        const int left = BoardOriginX + SquareWidth * x, top = BoardOriginY + SquareHeight * y;
        int colour = -1;
        for (const DrawCall& c : canvas.of_kind(DrawCall::Box))
            if (c.x1 > left && c.x1 < left + SquareWidth && c.y1 > top && c.y1 < top + SquareHeight)
                colour = c.colour;
        return colour;
    }
};

bool same_board(const Form1& form, const Engine& reference) {
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y)
            if (form.engine().piece_at(x, y) != reference.piece_at(x, y)) return false;
    return true;
}

bool is_starting_board(const Form1& form) {
    Engine start;
    start.初期配置();
    return same_board(form, start);
}

TEST(StartCommands, SetTheSidesAndModeAndPlayFromTheDisplayedPosition) {
    struct Row {
        const char* name;
        void (Form1::*command)();
        int manSide, mode, turnAfter, movesAfter;
        std::vector<Box> boxes;
    } rows[] = {
        {"スタート",
         &Form1::START_Click,
         FirstPlayer,
         ModeVsMan,
         FirstPlayer,
         0,
         {{"先手の番です", " ", Buttons::OK}}},
        {"先手",
         &Form1::SENTE_Click,
         FirstPlayer,
         ModeVsCom,
         FirstPlayer,
         0,
         {{"あなたの番です", " ", Buttons::OK}}},
        {"後手: the computer opens", &Form1::GOTE_Click, SecondPlayer, ModeVsCom, SecondPlayer, 1, {}},
    };
    for (const Row& r : rows) {
        Game g;
        FormTestAccess::engine(g.form).put_piece(1, 7,
                                                 PieceEmpty);  // the displayed position is kept, not reset
        (g.form.*r.command)();
        EXPECT_EQ(g.form.play().ManSide, r.manSide) << r.name;
        EXPECT_EQ(g.form.play().ComSide, r.manSide == FirstPlayer ? SecondPlayer : FirstPlayer) << r.name;
        EXPECT_EQ(g.form.play().GameMode, r.mode) << r.name;
        EXPECT_EQ(g.form.play().Turn, r.turnAfter) << r.name;
        EXPECT_EQ(g.form.history().HistoryLen, r.movesAfter) << r.name;
        EXPECT_EQ(g.form.history().MoveNumber, r.movesAfter) << r.name;
        EXPECT_EQ(g.boxes(), r.boxes) << r.name;
        EXPECT_EQ(g.form.engine().piece_at(1, 7), PieceEmpty) << r.name;
    }
}

// A history stepped to a position where the army that would move first made
// the last move: the other army moves first and the box says so.
TEST(StartCommands, InsideAHistoryTheArmyThatMovedLastDoesNotMoveAgain) {
    struct Row {
        const char* name;
        int movesPlayed;  // by two people from the full set: bottom, then top
        void (Form1::*command)();
        int historyAfter;  // 2: the computer answered at once
        bool topToMove;
        const char* box;
    } rows[] = {
        {"先手", 1, &Form1::SENTE_Click, 2, false, "下の駒が指したところなので、ｺﾝﾋﾟｭｰﾀが先に指します"},
        {"後手", 2, &Form1::GOTE_Click, 2, false, "上の駒が指したところなので、あなたが先に指します"},
        {"スタート", 1, &Form1::START_Click, 1, true, "先手が指したところなので、後手の番です"},
    };
    for (const Row& r : rows) {
        Game g;
        g.form.START_Click();
        g.move(1, 7, 1, 6);
        if (r.movesPlayed == 2) g.move(1, 4, 1, 5);
        g.form.REPLAY_Click();
        g.form.AFTER_Click();
        g.dialogs.shown.clear();
        (g.form.*r.command)();
        EXPECT_EQ(g.boxes().front(), (Box{r.box, " ", Buttons::OK})) << r.name;
        const HistoryState& h = g.form.history();
        ASSERT_EQ(h.HistoryPos, r.historyAfter) << r.name;
        EXPECT_NE(h.MoveHistory[h.HistoryPos].placed > 0, r.topToMove)
            << r.name;  // the other army moved last
        EXPECT_EQ(g.form.play().Turn, r.topToMove ? g.form.play().ComSide : g.form.play().ManSide) << r.name;
    }
}

// A position set up with the top army to move: each start command lets it
// move first, also after 最初, and the kept game brings the position back.
TEST(StartCommands, APositionSetUpWithTheTopArmyToMoveStartsWithIt) {
    struct Row {
        const char* name;
        void (Form1::*command)();
        int historyAfter;
        const char* box;
    } rows[] = {
        {"先手", &Form1::SENTE_Click, 1, "上の駒の番なので、ｺﾝﾋﾟｭｰﾀが先に指します"},
        {"後手", &Form1::GOTE_Click, 1, ""},
        {"スタート", &Form1::START_Click, 0, "上の駒の番です"},
    };
    Engine position;
    ASSERT_TRUE(position.set_fen("3k5/9/9/9/9/9/9/9/4r4/3K5 b"));
    for (const Row& r : rows) {
        Game g;
        g.form.set_up_position(position.board(), true);
        EXPECT_EQ(g.form.engine().board(), position.board()) << r.name;
        EXPECT_EQ(g.form.history().HistoryLen, 0) << r.name;
        (g.form.*r.command)();
        const std::vector<Box> shown = g.boxes();
        if (*r.box) {
            EXPECT_EQ(shown.front(), (Box{r.box, " ", Buttons::OK})) << r.name;
        }
        EXPECT_EQ(g.form.history().HistoryPos, r.historyAfter) << r.name;
        if (r.historyAfter > 0)
            EXPECT_GT(g.form.history().MoveHistory[1].placed, 0) << r.name << ": the top army moved first";
        else
            EXPECT_EQ(g.form.play().Turn, g.form.play().ComSide) << r.name;
    }
}

// Two people at the starting position; each move takes `seconds` of thinking.
struct ScriptedMove {
    int fx, fy, tx, ty;
    double seconds;
};

TEST(TwoPeople, TheGameEndsWhenAGeneralIsTakenAndEachClockKeepsItsOwnTime) {
    struct Row {
        const char* winner;
        std::vector<ScriptedMove> moves;
        std::vector<int> captured;  // per move
    } rows[] = {
        {"先手",
         {{8, 8, 5, 8, 3}, {5, 4, 5, 5, 5}, {5, 8, 5, 5, 2}, {4, 1, 5, 2, 4}, {5, 5, 5, 1, 6}},
         {0, 0, ComSoldier, 0, ComGeneral}},
        {"後手",
         {{1, 7, 1, 6, 3},
          {2, 3, 5, 3, 5},
          {5, 7, 5, 6, 2},
          {5, 3, 5, 6, 4},
          {6, 10, 5, 9, 6},
          {5, 6, 5, 10, 1}},
         {0, 0, 0, ManSoldier, 0, ManGeneral}},
    };
    for (const Row& r : rows) {
        Game g;
        g.form.START_Click();
        double man = 0, com = 0;
        for (const ScriptedMove& m : r.moves) {
            g.clock.now += m.seconds;
            g.move(m.fx, m.fy, m.tx, m.ty);
        }
        const int n = static_cast<int>(r.moves.size());
        ASSERT_EQ(g.form.history().HistoryLen, n) << r.winner;
        for (int i = 1; i <= n; ++i) {
            const MoveRecord& e = g.form.history().MoveHistory[i];
            const ScriptedMove& m = r.moves[i - 1];
            const bool first = i % 2 == 1;  // 先手 holds the bottom pieces
            EXPECT_EQ(e.captured, r.captured[i - 1]) << r.winner << " move " << i;
            EXPECT_EQ(e.piece, e.placed);
            EXPECT_EQ(e.piece < 0, first) << r.winner << " move " << i;
            EXPECT_DOUBLE_EQ(e.manTimeBefore, man) << r.winner << " move " << i;
            EXPECT_DOUBLE_EQ(e.comTimeBefore, com) << r.winner << " move " << i;
            (first ? man : com) += m.seconds;
            EXPECT_DOUBLE_EQ(e.manTimeAfter, man) << r.winner << " move " << i;
            EXPECT_DOUBLE_EQ(e.comTimeAfter, com) << r.winner << " move " << i;
        }
        // No check or mate is announced between two people.
        const std::vector<Box> expected = {{"先手の番です", " ", Buttons::OK},
                                           {std::string(r.winner) + "の勝ちです", "終了", Buttons::OK},
                                           {"続けますか？", "再ゲーム", Buttons::YesNo}};
        EXPECT_EQ(g.boxes(), expected) << r.winner;
        // Yes: a fresh board and no game, with the record kept for 進.
        EXPECT_TRUE(is_starting_board(g.form)) << r.winner;
        EXPECT_EQ(g.form.play().Turn, NoGame);
        EXPECT_EQ(g.form.history().HistoryPos, 0);
        EXPECT_EQ(g.form.history().HistoryLen, n);
        EXPECT_FALSE(g.form.screen().Terminated);
    }
}

// Clicks during 先手 against the computer at the starting position.
TEST(BoardClicks, RefusedClicksChangeNothingButTheSelection) {
    struct Row {
        const char* name;
        std::vector<Twips> clicks;
        int selectState;
        int forbidden;
        int outlineX, outlineY, outlineColour;  // last outline expected; 0 = none at all
    } rows[] = {
        {"left of column 1 and above row 1",
         {{1029.9, 3000}, {3000, 609}, {3000, 6410}, {8700, 3000}},
         0,
         0,
         0,
         0,
         0},
        {"X 1030 is column 1", {{1030, centre(1, 10).y}}, 1, 0, 1, 10, ColorLightRed},
        {"an empty square", {centre(5, 5)}, 0, 0, 0, 0, 0},
        {"own piece outlined light red", {centre(2, 10)}, 1, 0, 2, 10, ColorLightRed},
        {"computer's piece outlined white", {centre(1, 1)}, 1, 0, 1, 1, ColorWhite},
        {"computer's piece cannot be moved", {centre(1, 1), centre(1, 2)}, 0, 1, 1, 1, ColorWhite},
        {"out of reach on an empty square", {centre(1, 10), centre(5, 5)}, 0, 1, 1, 10, ColorLightRed},
        {"own piece takes the selection silently",
         {centre(1, 10), centre(2, 10)},
         1,
         0,
         2,
         10,
         ColorLightRed},
        {"same piece again stays selected", {centre(1, 10), centre(1, 10)}, 1, 0, 1, 10, ColorLightRed},
        {"computer's piece out of reach", {centre(1, 10), centre(9, 1)}, 1, 1, 9, 1, ColorWhite},
    };
    for (const Row& r : rows) {
        Game g;
        g.form.SENTE_Click();
        for (Twips t : r.clicks) g.click_at(t);
        EXPECT_EQ(g.form.selection().SelectState, r.selectState) << r.name;
        EXPECT_EQ(g.forbidden_sounds(), r.forbidden) << r.name;
        EXPECT_TRUE(is_starting_board(g.form)) << r.name;
        EXPECT_EQ(g.form.history().HistoryLen, 0) << r.name;
        EXPECT_EQ(g.form.play().Turn, FirstPlayer) << r.name;
        EXPECT_EQ(g.dialogs.shown.size(), 1u) << r.name;  // only "あなたの番です"
        if (r.outlineColour == 0)
            EXPECT_TRUE(g.canvas.of_kind(DrawCall::Box).empty()) << r.name;
        else
            EXPECT_EQ(g.last_outline(r.outlineX, r.outlineY), r.outlineColour) << r.name;
        if (r.selectState == 1) {
            EXPECT_EQ(g.form.selection().MoveWork[3], r.outlineX) << r.name;
            EXPECT_EQ(g.form.selection().MoveWork[4], r.outlineY) << r.name;
            EXPECT_EQ(g.form.selection().MoveWork[8], g.form.engine().piece_at(r.outlineX, r.outlineY))
                << r.name;
        }
    }
}

TEST(BoardClicks, GuidanceOutlinesTheDestinationsWhileSwitchedOn) {
    Game g;
    g.form.SIDOU_Click();
    g.form.SENTE_Click();
    g.click(1, 10);
    EXPECT_EQ(g.last_outline(1, 8), ColorWhite);
    g.form.SIDOU_Click();  // off: the outlines go, nothing stays marked
    EXPECT_FALSE(g.form.options().SIDOU.Checked);
    EXPECT_EQ(g.form.GuidanceColor(), SquareLineColor);
    EXPECT_EQ(g.form.screen().MovableSquares[1][8], FlagOff);
    g.click(2, 10);
    EXPECT_EQ(g.form.screen().MovableSquares[3][8], FlagOff);
}

TEST(AgainstTheComputer, ThePersonWinsByTakingTheGeneralOrByMate) {
    struct Row {
        const char* name;
        const char* fen;
        ScriptedMove move;
    } rows[] = {
        {"general taken", "3k5/9/9/9/3R5/9/9/9/9/4K4 w", {4, 5, 4, 1, 0}},
        {"mate", "3k5/8R/9/9/R8/9/9/9/9/5K3 w", {1, 5, 1, 1, 0}},
    };
    for (const Row& r : rows) {
        Game g;
        g.load(r.fen);
        g.form.SENTE_Click();
        g.move(r.move.fx, r.move.fy, r.move.tx, r.move.ty);
        const std::vector<Box> expected = {{"あなたの番です", " ", Buttons::OK},
                                           {"あなたの勝ちです", "終了", Buttons::OK},
                                           {"続けますか？", "再ゲーム", Buttons::YesNo}};
        EXPECT_EQ(g.boxes(), expected) << r.name;
        EXPECT_EQ(g.form.history().MoveHistory[2].piece, PieceEmpty)
            << r.name;  // the computer did not answer
        EXPECT_TRUE(is_starting_board(g.form)) << r.name;
        EXPECT_EQ(g.form.play().Turn, NoGame) << r.name;
    }
}

TEST(OutsideAGame, ClicksAreRefusedOrOfferToGoOn) {
    struct Row {
        const char* name;
        bool recordMode;
        Answer answer;
        Box box;
        int forbidden;
        bool boardReset;
    } rows[] = {
        {"nothing played", false, Answer::Yes, {"「対局」で始めて下さい", "開始", Buttons::OK}, 1, false},
        {"record, Yes", true, Answer::Yes, {"棋譜を '進 'で進めて下さい", "棋譜", Buttons::YesNo}, 0, false},
        {"record, No", true, Answer::No, {"棋譜を '進 'で進めて下さい", "棋譜", Buttons::YesNo}, 1, true},
    };
    for (const Row& r : rows) {
        Game g;
        if (r.recordMode) testing::load_record(g.form, g.panel, g.dialogs);
        FormTestAccess::engine(g.form).put_piece(5, 5, ComChariot);
        g.dialogs.answers.push_back(r.answer);
        g.click(5, 5);
        EXPECT_EQ(g.boxes(), std::vector<Box>{r.box}) << r.name;
        EXPECT_EQ(g.forbidden_sounds(), r.forbidden) << r.name;
        EXPECT_EQ(g.form.engine().piece_at(5, 5), r.boardReset ? PieceEmpty : ComChariot) << r.name;
        EXPECT_EQ(g.form.history().RecordMode, r.recordMode && !r.boardReset ? FlagOn : FlagOff) << r.name;
        EXPECT_EQ(g.form.play().Turn, NoGame) << r.name;
    }
}

TEST(OutsideAGame, ResumingAfterTakingBackTheComputersMoveLetsItMoveAgain) {
    Game g;
    g.form.SENTE_Click();
    g.move(8, 8, 5, 8);
    const MoveRecord reply = g.form.history().MoveHistory[2];
    g.form.REPLAY_Click();
    ASSERT_EQ(g.form.play().Turn, NoGame);
    g.dialogs.shown.clear();
    g.click(0, 0);  // anywhere on the window
    EXPECT_EQ(g.boxes(), (std::vector<Box>{{"OKですか？", "再開", Buttons::OKCancel}}));
    EXPECT_EQ(g.form.history().HistoryLen, 2);
    const MoveRecord& again = g.form.history().MoveHistory[2];
    EXPECT_EQ((std::vector<int>{again.fromX, again.fromY, again.toX, again.toY, again.piece}),
              (std::vector<int>{reply.fromX, reply.fromY, reply.toX, reply.toY, reply.piece}));
    EXPECT_EQ(g.form.engine().piece_at(reply.toX, reply.toY), reply.piece);
    EXPECT_EQ(g.form.play().Turn, FirstPlayer);
}

TEST(OutsideAGame, ResumingGivesTheTurnToTheSideWhoseMoveComesNext) {
    struct Row {
        const char* name;
        int takeBacks, replays;
        int turn;
    } rows[] = {
        {"next recorded move is the top side's", 2, 0, SecondPlayer},
        {"next recorded move is the bottom side's", 1, 0, FirstPlayer},
        {"nothing recorded after the last move of the bottom side", 1, 1, SecondPlayer},
    };
    for (const Row& r : rows) {
        Game g;
        g.form.START_Click();
        g.move(1, 7, 1, 6);
        g.move(9, 4, 9, 5);
        g.move(1, 6, 1, 5);
        for (int i = 0; i < r.takeBacks; ++i) g.form.REPLAY_Click();
        for (int i = 0; i < r.replays; ++i) g.form.AFTER_Click();
        g.click(5, 5);
        EXPECT_EQ(g.form.play().Turn, r.turn) << r.name;
        EXPECT_EQ(g.form.history().HistoryLen, 3) << r.name;  // nothing played by resuming
    }
}

}  // namespace
}  // namespace zenko
