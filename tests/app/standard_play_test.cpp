// Games by the standard rules (標準ルール): refused moves, the check shown
// beside the board, mate and stalemate, repetition, the move limit, 投了,
// and the computer's choice held to the moves those rules allow.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "fakes.h"
#include "form_test_access.h"
#include "rules/standard_rules.h"

namespace zenko {
namespace {

using testing::FormFixture;

// A position set up by FEN, then a game by the standard rules started on it.
struct StandardGame : FormFixture {
    explicit StandardGame(const char* fen, void (Form1::*start)() = &Form1::START_Click) {
        testing::open_sounds(form, sound);
        form.初期設定();
        form.set_option(&Options::HYOUJUN, true);
        EXPECT_TRUE(FormTestAccess::engine(form).set_fen(fen)) << fen;
        (form.*start)();
        dialogs.shown.clear();
        sound.clear();
        canvas.clear();
    }
    void move(int fx, int fy, int tx, int ty) {
        testing::click_square(form, fx, fy);
        testing::click_square(form, tx, ty);
    }
    std::vector<std::string> boxes() const {
        std::vector<std::string> out;
        for (const auto& b : dialogs.shown) out.push_back(b.text);
        return out;
    }
    bool shows(const std::string& text) const {
        const auto texts = canvas.texts();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
};

// Moves that leave the mover's general in check are refused like illegal
// ones (the forbidden sound, the board unchanged), and the guidance outlines
// only the moves that may be played.
TEST(StandardPlay, AMoveLeavingTheGeneralInCheckIsRefused) {
    struct Row {
        const char* name;
        int fx, fy, tx, ty;
    } rows[] = {
        {"the pinned chariot leaves the file", 5, 8, 1, 8},
        {"the general steps onto the open file facing the other", 5, 10, 4, 10},
    };
    for (const Row& r : rows) {
        StandardGame g("3k5/9/4r4/9/9/9/9/4R4/9/4K4 w");
        const BoardArray before = g.form.engine().board();
        g.move(r.fx, r.fy, r.tx, r.ty);
        EXPECT_EQ(g.form.engine().board(), before) << r.name;
        EXPECT_EQ(g.sound.count("dsPlay", g.form.sounds().SoundForbidden), 1) << r.name;
        EXPECT_EQ(g.form.history().HistoryLen, 0) << r.name;
    }
    StandardGame g("3k5/9/4r4/9/9/9/9/4R4/9/4K4 w");
    g.form.SIDOU_Click();
    testing::click_square(g.form, 5, 8);
    int outlined = 0;
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y) outlined += g.form.screen().MovableSquares[x][y] == FlagOn;
    EXPECT_EQ(outlined, 7) << "the pinned chariot stays on its file: six moves, and its own square";
}

// The game ends when the side to move has no move: mate or stalemate,
// a loss either way; then the end-of-game question.
TEST(StandardPlay, MateAndStalemateEndTheGame) {
    struct Row {
        const char* name;
        const char* fen;
        void (Form1::*start)();
        int fx, fy, tx, ty;
        const char* verdict;
    } rows[] = {
        {"two people: mate", "4k4/R8/8R/9/9/9/9/9/9/3K5 w", &Form1::START_Click, 9, 3, 9, 1,
         "詰みです。先手の勝ちです"},
        {"the computer is left no move", "4k4/9/4P4/9/9/9/9/3R1R3/9/4K4 w", &Form1::SENTE_Click, 4, 8, 4, 9,
         "指す手がありません。あなたの勝ちです"},
        {"the computer mates", "3k5/9/9/9/9/9/P8/8r/r8/4K4 w", &Form1::SENTE_Click, 1, 7, 1, 6,
         "詰みです。ｺﾝﾋﾟｭｰﾀの勝ちです"},
    };
    for (const Row& r : rows) {
        StandardGame g(r.fen, r.start);
        g.dialogs.answers = {Answer::Yes};
        g.move(r.fx, r.fy, r.tx, r.ty);
        EXPECT_EQ(g.boxes(), (std::vector<std::string>{r.verdict, "続けますか？"})) << r.name;
        EXPECT_EQ(g.form.play().Turn, NoGame) << r.name;
    }
}

// A position come round a third time: the side that checked with every
// move of the cycle loses; otherwise a draw. Checks are shown beside the
// board, not in a box.
TEST(StandardPlay, RepetitionIsJudged) {
    struct Row {
        const char* name;
        const char* fen;
        int chariotFromY, chariotToY;
        const char* verdict;
    } rows[] = {
        {"perpetual check", "4k4/8R/9/9/9/9/9/9/9/3K5 w", 2, 1, "連続王手の千日手: 先手の負けです"},
        {"a plain repetition", "4k4/9/8R/9/9/9/9/9/9/3K5 w", 3, 4, "千日手: 引き分けです"},
    };
    for (const Row& r : rows) {
        StandardGame g(r.fen);
        for (int round = 0; round < 2; ++round) {
            g.move(9, r.chariotFromY, 9, r.chariotToY);
            if (round == 0) {
                EXPECT_EQ(g.shows("王手"), r.chariotToY == 1) << r.name;
                EXPECT_TRUE(g.dialogs.shown.empty()) << r.name;
            }
            g.move(5, 1, 5, 2);
            g.move(9, r.chariotToY, 9, r.chariotFromY);
            g.move(5, 2, 5, 1);
        }
        EXPECT_EQ(g.boxes(), (std::vector<std::string>{r.verdict, "続けますか？"})) << r.name;
    }
}

// 120 plies without a capture, and no position three times: a draw.
TEST(StandardPlay, OneHundredAndTwentyPliesWithoutACaptureDraw) {
    StandardGame g("3k5/9/r7r/9/9/9/9/R7R/9/4K4 w");
    std::set<PositionKey> seen;
    bool manToMove = true;
    int played = 0;
    for (int ply = 0; ply < 120 && g.dialogs.shown.empty(); ++ply, ++played) {
        Engine& board = FormTestAccess::engine(g.form);
        Move chosen{};
        const bool found = !for_each_standard_move(board, !manToMove, [&](const Move& m) {
            if (board.piece_at(m.toX, m.toY) != PieceEmpty || std::abs(m.piece) == ComGeneral) return true;
            const Engine::TrialMove trial(board, m.fromX, m.fromY, m.toX, m.toY, Generals::Follow);
            if (standard_check(board, manToMove) || seen.count(position_key(board, !manToMove))) return true;
            chosen = m;
            return false;
        });
        ASSERT_TRUE(found) << "no fresh quiet move at ply " << ply;
        g.move(chosen.fromX, chosen.fromY, chosen.toX, chosen.toY);
        seen.insert(position_key(board, !manToMove));
        manToMove = !manToMove;
    }
    EXPECT_EQ(played, 120);
    EXPECT_EQ(g.boxes(), (std::vector<std::string>{"自然限着: 引き分けです", "続けますか？"}));
}

// 投了 on the person's turn, after a question; refused outside a game.
TEST(StandardPlay, ResigningEndsTheGameForTheSideToMove) {
    {
        StandardGame g("3k5/9/4r4/9/9/9/9/4R4/9/4K4 w", &Form1::SENTE_Click);
        g.dialogs.answers = {Answer::Yes, Answer::Yes};
        g.form.TOURYOU_Click();
        EXPECT_EQ(g.boxes(),
                  (std::vector<std::string>{"投了しますか？", "ｺﾝﾋﾟｭｰﾀの勝ちです", "続けますか？"}));
    }
    {
        StandardGame g("3k5/9/4r4/9/9/9/9/4R4/9/4K4 w");
        g.move(5, 8, 5, 7);
        g.dialogs.answers = {Answer::No};
        g.form.TOURYOU_Click();
        EXPECT_EQ(g.form.play().Turn, g.form.play().ComSide) << "いいえ: the game goes on";
        g.dialogs.answers = {Answer::Yes, Answer::Yes};
        g.form.TOURYOU_Click();
        EXPECT_EQ(g.boxes().at(2), "先手の勝ちです") << "the top army, to move, resigned";
    }
    FormFixture f;
    f.form.初期設定();
    f.form.TOURYOU_Click();
    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.dialogs.shown[0].text, "対局中に使えます");
}

// The option applies from the next game, and the caption says which rules
// the game on the board is played by.
TEST(StandardPlay, TheOptionAppliesFromTheNextGame) {
    FormFixture f;
    testing::open_sounds(f.form, f.sound);
    f.form.初期設定();
    f.form.START_Click();
    EXPECT_FALSE(f.form.play().StandardRules);
    f.canvas.clear();
    f.form.HYOUJUN_Click();
    EXPECT_TRUE(f.form.options().HYOUJUN.Checked);
    EXPECT_FALSE(f.form.play().StandardRules) << "the game in progress keeps its rules";
    EXPECT_TRUE(f.canvas.texts().empty()) << "the caption follows the game's rules";
    f.form.SENTE_Click();
    EXPECT_TRUE(f.form.play().StandardRules);
    const auto texts = f.canvas.texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "標準"), texts.end());
}

// A chariot alone between the generals gives check by the standard rules
// (this game's own capture would let the generals face): the computer must
// answer it at every level of its own.
TEST(StandardPlay, TheComputerAnswersTheCheckOfAChariotBetweenTheGenerals) {
    for (int level = 1; level <= 3; ++level) {
        StandardGame g("r3k4/9/9/9/R3p4/9/9/9/9/4K4 w", &Form1::SENTE_Click);
        g.form.レベル_設定(level);
        g.move(1, 5, 5, 5);
        ASSERT_EQ(g.form.history().HistoryLen, 2) << level;
        EXPECT_FALSE(standard_check(g.form.engine(), true)) << "level " << level;
    }
}

// The computer's own levels choose only among the moves the standard rules
// allow: in random games no computer move leaves its general in check.
TEST(StandardPlay, TheComputerNeverLeavesItsGeneralInCheck) {
    std::mt19937 random(2026);
    for (int game = 0; game < 12; ++game) {
        const int level = game % 3 + 1;
        StandardGame g("rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR w", &Form1::SENTE_Click);
        g.form.レベル_設定(level);
        g.dialogs.answers = std::deque<Answer>(4, Answer::No);
        for (int ply = 0; ply < 40 && !g.form.play().GameOver && g.form.play().Turn == g.form.play().ManSide;
             ++ply) {
            std::vector<Move> moves;
            for_each_standard_move(FormTestAccess::engine(g.form), false,
                                   [&](const Move& m) { moves.push_back(m); });
            ASSERT_FALSE(moves.empty()) << "the person has no move, yet the game goes on";
            const Move m = moves[random() % moves.size()];
            g.move(m.fromX, m.fromY, m.toX, m.toY);
            if (!g.form.play().GameOver) {
                EXPECT_FALSE(standard_check(g.form.engine(), true)) << "level " << level << " ply " << ply;
            }
        }
    }
}

}  // namespace
}  // namespace zenko
