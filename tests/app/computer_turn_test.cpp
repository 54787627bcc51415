// The computer's turn: the thinking notice and clock, the move played,
// recorded and marked, the announcements, whole games at each level, and
// the level commands.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fakes.h"
#include "form_test_access.h"

namespace zenko {
namespace {

using testing::DrawCall;
using testing::FakeApp;
using testing::FakePanel;
using testing::RecordingCanvas;
using testing::RecordingSound;
using testing::ScriptedDialogs;

// A time of day that moves on by `step` seconds at every reading.
struct SteppingClock : TimeOfDay {
    double now = 36000, step = 0;
    double seconds_since_midnight() override {
        const double t = now;
        now += step;
        return t;
    }
};

struct ComputerGame {
    RecordingCanvas canvas;
    ScriptedDialogs dialogs;
    SteppingClock clock;
    RecordingSound sound;
    FakePanel panel;
    FakeApp app;
    Form1 form{Platform{canvas, dialogs, clock, sound, panel, app}};

    explicit ComputerGame(int level = 3, const char* fen = nullptr) {
        testing::open_sounds(form, sound);
        form.初期設定();
        if (fen) {
            EXPECT_TRUE(FormTestAccess::engine(form).set_fen(fen)) << fen;
        }
        form.レベル_設定(level);
        canvas.clear();
    }
    void click(int x, int y) { testing::click_square(form, x, y); }
    void move(int fx, int fy, int tx, int ty) {
        click(fx, fy);
        click(tx, ty);
    }
    std::vector<std::string> box_texts() const {
        std::vector<std::string> out;
        for (const auto& b : dialogs.shown) out.push_back(b.text + " / " + b.title);
        return out;
    }
    // Index of the first drawing call that matches, or -1.
    template <typename Match>
    int first_call(Match match) const {
        for (size_t i = 0; i < canvas.calls.size(); ++i)
            if (match(canvas.calls[i])) return static_cast<int>(i);
        return -1;
    }
};

bool is_starting_board(const Form1& form) {
    Engine start;
    start.初期配置();
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y)
            if (form.engine().piece_at(x, y) != start.piece_at(x, y)) return false;
    return true;
}

// Replays the recorded moves from the starting position on a separate
// engine, asking the legality check before each; returns the first illegal
// move number, or 0.
int first_illegal_move(const Form1& form, const char* fen = nullptr) {
    Engine shadow;
    shadow.初期配置();
    if (fen) shadow.set_fen(fen);
    for (int n = 1; n <= form.history().HistoryLen; ++n) {
        const MoveRecord& e = form.history().MoveHistory[n];
        if (shadow.piece_at(e.fromX, e.fromY) != e.piece || shadow.piece_at(e.toX, e.toY) != e.captured)
            return n;
        if (shadow.移動チェック(e.fromX, e.fromY, e.toX, e.toY, e.piece) != FlagOn) return n;
        shadow.駒移動(e.fromX, e.fromY, e.toX, e.toY, e.piece);
        shadow.勢力調査();
    }
    return 0;
}

TEST(ComputerTurn, TheReplyIsPlayedRecordedAndMarkedInYellow) {
    for (bool keika : {false, true}) {
        ComputerGame g;
        g.form.set_clock_shown(keika);
        g.form.SENTE_Click();
        g.move(8, 8, 5, 8);
        // The computer's known reply at level 3 from this position.
        const MoveRecord& e = g.form.history().MoveHistory[2];
        EXPECT_EQ((std::vector<int>{e.fromX, e.fromY, e.toX, e.toY, e.captured, e.piece, e.placed}),
                  (std::vector<int>{9, 1, 9, 2, PieceEmpty, ComChariot, ComChariot}));
        EXPECT_EQ(first_illegal_move(g.form), 0);
        EXPECT_EQ(g.form.engine().piece_at(9, 2), ComChariot);
        EXPECT_EQ(g.form.engine().piece_at(9, 1), PieceEmpty);
        EXPECT_EQ(g.form.history().MoveNumber, 2);
        EXPECT_EQ(g.form.history().HistoryLen, 2);
        EXPECT_EQ(g.form.play().Turn, FirstPlayer);
        EXPECT_EQ(g.form.clock().Timer1.Enabled, keika) << keika;
        EXPECT_EQ(g.sound.count("dsPlay", g.form.sounds().SoundPiece), 2);
        EXPECT_EQ(g.form.selection().ComMarkX, 9);
        EXPECT_EQ(g.form.selection().ComMarkY, 2);

        const int noticeShadow = g.first_call([](const DrawCall& c) {
            return c.kind == DrawCall::Text && c.text == "思考中" && c.colour == ColorBlack &&
                   c.x1 == grid_to_twips_x(11.6) && c.y1 == grid_to_twips_y(6.2);
        });
        const int notice = g.first_call([](const DrawCall& c) {
            return c.kind == DrawCall::Text && c.text == "思考中" && c.colour == MoveTextColor &&
                   c.x1 == grid_to_twips_x(11.5) && c.y1 == grid_to_twips_y(6.1);
        });
        const int piecePainted = g.first_call([](const DrawCall& c) {
            return c.kind == DrawCall::Picture && c.code == ComChariot && c.x1 == grid_to_twips_x(9) &&
                   c.y1 == grid_to_twips_y(2);
        });
        const int yellow = g.first_call([](const DrawCall& c) {
            return c.kind == DrawCall::Box && c.colour == ColorYellow && c.x1 > grid_to_twips_x(9) &&
                   c.x1 < grid_to_twips_x(10) && c.y1 > grid_to_twips_y(2) && c.y1 < grid_to_twips_y(3);
        });
        EXPECT_GE(noticeShadow, 0);
        EXPECT_LT(noticeShadow, notice);
        EXPECT_LT(notice, piecePainted);
        EXPECT_LT(piecePainted, yellow);
        EXPECT_GE(g.canvas.refreshes, 1);
        const std::vector<std::string> texts = g.canvas.texts();
        for (const char* t : {"１", "二", "車"})
            EXPECT_NE(std::find(texts.begin(), texts.end(), t), texts.end()) << t;
    }
}

TEST(ComputerTurn, TheClockAdvancesOncePerColumnWhileTheComputerThinks) {
    ComputerGame g;
    g.form.set_clock_shown(true);
    g.form.SENTE_Click();
    g.clock.step = 1;  // every reading of the time is a second later
    g.move(8, 8, 5, 8);
    std::vector<std::string> comClock;
    for (const DrawCall& c : g.canvas.calls)
        if (c.kind == DrawCall::Text && c.colour == ColorWhite && c.x1 == grid_to_twips_x(11) &&
            c.y1 == grid_to_twips_y(5.2))
            comClock.push_back(c.text);
    const std::vector<std::string> expected = {"00:00:01", "00:00:02", "00:00:03", "00:00:04", "00:00:05",
                                               "00:00:06", "00:00:07", "00:00:08", "00:00:09"};
    EXPECT_EQ(comClock, expected);
    // The computer's time is charged after its move and recorded with it.
    EXPECT_GE(g.form.clock().ComTime, 9);
    EXPECT_DOUBLE_EQ(g.form.history().MoveHistory[2].comTimeBefore, 0);
    EXPECT_DOUBLE_EQ(g.form.history().MoveHistory[2].comTimeAfter, g.form.clock().ComTime);
    EXPECT_DOUBLE_EQ(g.form.history().MoveHistory[2].manTimeAfter, g.form.clock().ManTime);
}

// The person pushes the soldier on (1, 7); the computer's reply is the same
// at every level.
TEST(ComputerTurn, CheckAndMateAreAnnouncedAndTheGameGoesOn) {
    struct Row {
        const char* name;
        const char* fen;
        int toX, toY;
        const char* box;
    } rows[] = {
        {"check", "3k5/8r/9/9/9/9/P8/9/9/4K4 w", 5, 2, "   ** 将(Jiang) ** / 王手"},
        {"mate", "3k5/8r/9/9/9/9/P8/9/r8/4K4 w", 9, 10, "被将死 ?（Bei Jiang si） / 詰め？"},
    };
    for (const Row& r : rows)
        for (int level = 1; level <= 3; ++level) {
            ComputerGame g(level, r.fen);
            g.form.SENTE_Click();
            g.move(1, 7, 1, 6);
            EXPECT_EQ(g.box_texts(), (std::vector<std::string>{"あなたの番です /  ", r.box}))
                << r.name << level;
            EXPECT_EQ(g.form.history().MoveHistory[2].toX, r.toX) << r.name << level;
            EXPECT_EQ(g.form.history().MoveHistory[2].toY, r.toY) << r.name << level;
            EXPECT_EQ(g.form.play().Turn, FirstPlayer) << r.name << level;
            EXPECT_EQ(g.form.selection().ComMarkX, r.toX) << r.name << level;
        }
}

TEST(ComputerTurn, TakingTheGeneralWinsAndOffersANewGame) {
    for (int level = 1; level <= 3; ++level)
        for (Answer answer : {Answer::Yes, Answer::No}) {
            ComputerGame g(level, "3k5/8r/9/9/9/9/P8/9/r8/4K4 w");
            g.form.SENTE_Click();
            g.move(1, 7, 1, 6);  // the computer mates
            g.dialogs.answers.push_back(answer);
            g.move(1, 6, 1, 5);  // and takes the general
            const std::vector<std::string> expected = {"あなたの番です /  ",
                                                       "被将死 ?（Bei Jiang si） / 詰め？",
                                                       "ｺﾝﾋﾟｭｰﾀの勝ちです / 終了", "続けますか？ / 再ゲーム"};
            EXPECT_EQ(g.box_texts(), expected) << level;
            EXPECT_EQ(g.dialogs.shown.back().buttons, Buttons::YesNo);
            EXPECT_EQ(g.form.history().MoveHistory[4].captured, ManGeneral) << level;
            if (answer == Answer::Yes) {
                EXPECT_TRUE(is_starting_board(g.form)) << level;
                EXPECT_EQ(g.form.play().Turn, NoGame) << level;
                EXPECT_FALSE(g.form.screen().Terminated) << level;
            } else {
                EXPECT_TRUE(g.form.screen().Terminated) << level;
                EXPECT_EQ(g.form.engine().piece_at(5, 10), ComChariot) << level;
            }
        }
}

// With the general gone, the mate test still reads its old square, now the
// capturer's, defended and surrounded by attacked squares: it answers "mated".
TEST(ComputerTurn, TakingTheGeneralEndsTheGameWhateverTheMateTestSays) {
    ComputerGame g(3, "3k5/9/9/9/9/9/P8/9/8r/r3K3r w");
    g.form.SENTE_Click();
    g.move(1, 7, 1, 6);
    EXPECT_EQ(g.box_texts(), (std::vector<std::string>{"あなたの番です /  ", "ｺﾝﾋﾟｭｰﾀの勝ちです / 終了",
                                                       "続けますか？ / 再ゲーム"}));
    EXPECT_EQ(g.form.play().Turn, NoGame);
}

// The person's chariot mates, but the computer's chariot on (4, 5) can take
// the person's general on (4, 10): no win is declared, the computer takes it.
TEST(ComputerTurn, AMateIsNoWinWhileTheComputerCanTakeTheGeneral) {
    ComputerGame g(3, "4k4/7R1/9/9/3r4R/9/9/9/9/3K5 w");
    g.form.SENTE_Click();
    g.move(9, 5, 9, 1);
    EXPECT_EQ(g.box_texts(), (std::vector<std::string>{"あなたの番です /  ", "ｺﾝﾋﾟｭｰﾀの勝ちです / 終了",
                                                       "続けますか？ / 再ゲーム"}));
    EXPECT_EQ(g.form.history().MoveHistory[2].captured, ManGeneral);
}

TEST(ComputerTurn, WithoutALegalMoveTheComputerLoses) {
    // The advisor on (5, 2) may not leave the generals' file; nothing else can move.
    ComputerGame g(3, "3aka3/4a4/9/9/9/9/P8/9/9/4K4 w");
    g.form.SENTE_Click();
    g.move(1, 7, 1, 6);
    EXPECT_EQ(g.box_texts(), (std::vector<std::string>{"あなたの番です /  ", "あなたの勝ちです / 終了",
                                                       "続けますか？ / 再ゲーム"}));
    EXPECT_EQ(g.form.history().MoveHistory[2].piece, PieceEmpty);  // the computer did not answer
    EXPECT_EQ(g.form.play().Turn, NoGame);
}

// A deterministic person: takes the biggest piece it can, else plays the
// legal move picked by a fixed pseudo-random sequence.
struct ScriptedPerson {
    std::uint32_t seed = 12345;
    struct Move {
        int fx, fy, tx, ty;
    };
    Move choose(Form1& form) {
        std::vector<Move> legal;
        Move best{};
        int bestGain = 0;
        for (int x = 1; x <= BoardFiles; ++x)
            for (int y = 1; y <= BoardRanks; ++y)
                for (int tx = 1; tx <= BoardFiles && form.engine().piece_at(x, y) < 0; ++tx)
                    for (int ty = 1; ty <= BoardRanks; ++ty) {
                        if (form.engine().移動チェック(x, y, tx, ty, form.engine().piece_at(x, y)) != FlagOn)
                            continue;
                        legal.push_back({x, y, tx, ty});
                        if (form.engine().piece_at(tx, ty) > bestGain)
                            bestGain = form.engine().piece_at(tx, ty), best = legal.back();
                    }
        seed = seed * 1103515245u + 12345u;
        return bestGain > 0 ? best : legal.at((seed >> 8) % legal.size());
    }
};

TEST(ComputerTurn, AWholeGameAtEachLevelEndsWithAWinner) {
    const struct {
        int level;
        Answer answer;
    } rows[] = {{1, Answer::Yes}, {2, Answer::No}, {3, Answer::Yes}};
    for (const auto& r : rows) {
        ComputerGame g(r.level);
        g.form.SENTE_Click();
        g.dialogs.answers.push_back(r.answer);
        ScriptedPerson person;
        for (int moves = 0; moves < 400 && g.form.play().Turn != NoGame && !g.form.screen().Terminated;
             ++moves) {
            const ScriptedPerson::Move m = person.choose(g.form);
            g.move(m.fx, m.fy, m.tx, m.ty);
            if (g.form.play().Turn == NoGame || g.form.screen().Terminated) break;
            // Each reply is recorded and hands the turn back.
            ASSERT_EQ(g.form.history().HistoryPos, g.form.history().MoveNumber) << r.level;
            ASSERT_EQ(g.form.history().HistoryLen % 2, 0) << r.level;
            ASSERT_GT(g.form.history().MoveHistory[g.form.history().HistoryLen].piece, 0) << r.level;
            ASSERT_EQ(g.form.play().Turn, FirstPlayer) << r.level;
        }
        ASSERT_GE(g.dialogs.shown.size(), 3u) << r.level;
        const auto& shown = g.dialogs.shown;
        EXPECT_EQ(shown[shown.size() - 2].title, "終了") << r.level;
        EXPECT_NE(shown[shown.size() - 2].text.find("の勝ちです"), std::string::npos) << r.level;
        EXPECT_EQ(shown.back().text, "続けますか？") << r.level;
        EXPECT_EQ(first_illegal_move(g.form), 0) << r.level;
        for (int n = 1; n <= g.form.history().HistoryLen; ++n)
            EXPECT_EQ(g.form.history().MoveHistory[n].piece < 0, n % 2 == 1) << r.level << " move " << n;
        EXPECT_EQ(g.form.screen().Terminated, r.answer == Answer::No) << r.level;
        if (r.answer == Answer::Yes) {
            EXPECT_TRUE(is_starting_board(g.form)) << r.level;
        }
    }
}

TEST(ComputerTurn, TheYellowMarkGoesWithTheNextSelection) {
    ComputerGame g;
    g.form.SENTE_Click();
    g.move(8, 8, 5, 8);
    ASSERT_EQ(g.form.selection().ComMarkX, 9);
    g.click(5, 5);  // empty: nothing selected, the mark stays
    EXPECT_EQ(g.form.selection().ComMarkX, 9);
    g.canvas.clear();
    g.click(1, 10);
    EXPECT_EQ(g.form.selection().ComMarkX, 0);
    EXPECT_GE(g.first_call([](const DrawCall& c) {
        return c.kind == DrawCall::Picture && c.code == ComChariot && c.x1 == grid_to_twips_x(9) &&
               c.y1 == grid_to_twips_y(2);
    }),
              0);
}

TEST(Levels, TheCommandsSetTheLevelAndShowItOnlyInAComputerGame) {
    void (Form1::*commands[])() = {&Form1::LEVEL1_Click, &Form1::LEVEL2_Click, &Form1::LEVEL3_Click};
    for (bool inGame : {false, true})
        for (int level = 1; level <= 3; ++level) {
            ComputerGame g;
            if (inGame) g.form.SENTE_Click();
            g.canvas.clear();
            (g.form.*commands[level - 1])();
            EXPECT_EQ(g.form.chosen_level(), level);
            const std::vector<std::string> texts = g.canvas.texts();
            EXPECT_EQ(std::find(texts.begin(), texts.end(), "LEVEL") != texts.end(), inGame) << level;
        }
    ComputerGame g;
    g.form.レベル_設定(7);  // no level: the level in force stays
    EXPECT_EQ(g.form.chosen_level(), 3);
}

}  // namespace
}  // namespace zenko
