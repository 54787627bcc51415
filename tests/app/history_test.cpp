// The move history: 戻 and 進 with the clocks following, 最初, 反転, the
// refusals, and a history longer than its first 500 entries.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fakes.h"

namespace zenko {
namespace {

using testing::DrawCall;
using testing::FormFixture;

struct Snapshot {
    std::vector<int> board;
    double manTime, comTime;
    bool operator==(const Snapshot&) const = default;
};

// A game between two people at the starting position.
struct Game : FormFixture {
    std::uint32_t seed = 2024;

    Game() {
        testing::open_sounds(form, sound);
        form.初期設定();
        form.START_Click();
        dialogs.shown.clear();
    }
    void click(int x, int y) { testing::click_square(form, x, y); }
    void move(int fx, int fy, int tx, int ty, double seconds = 1) {
        clock.now += seconds;
        click(fx, fy);
        click(tx, ty);
    }
    // How far a piece of this code can move in either direction.
    static int reach(int code) {
        switch (code < 0 ? -code : code) {
            case ComChariot:
            case ComCannon:
                return BoardRanks;
            case ComElephant:
            case ComHorse:
                return 2;
            default:
                return 1;
        }
    }
    std::uint32_t next() { return seed = seed * 1103515245u + 12345u, seed >> 8; }
    // Plays a legal move of the side to move, preferring quiet moves so that
    // the game never runs out of material, and never taking a general.
    void play_some_move() {
        const bool bottom = form.play().Turn == FirstPlayer;
        struct Move {
            int fx, fy, tx, ty;
        };
        std::vector<Move> quiet, captures;
        for (int x = 1; x <= BoardFiles; ++x)
            for (int y = 1; y <= BoardRanks; ++y) {
                const int p = form.engine().piece_at(x, y);
                if (p == PieceEmpty || (p < 0) != bottom) continue;
                const int r = reach(p);
                for (int tx = std::max(x - r, 1); tx <= std::min(x + r, BoardFiles); ++tx)
                    for (int ty = std::max(y - r, 1); ty <= std::min(y + r, BoardRanks); ++ty) {
                        const int target = form.engine().piece_at(tx, ty);
                        if (target == ComGeneral || target == ManGeneral) continue;
                        if (form.engine().移動チェック(x, y, tx, ty, p) != FlagOn) continue;
                        (target == PieceEmpty ? quiet : captures).push_back({x, y, tx, ty});
                    }
            }
        const std::vector<Move>& pool = quiet.empty() ? captures : quiet;
        ASSERT_FALSE(pool.empty()) << "no move for the side to move";
        const Move m = pool[next() % pool.size()];
        move(m.fx, m.fy, m.tx, m.ty, 1 + next() % 7);
    }
    Snapshot snapshot() const {
        Snapshot s{{}, form.clock().ManTime, form.clock().ComTime};
        for (int x = 1; x <= BoardFiles; ++x)
            for (int y = 1; y <= BoardRanks; ++y) s.board.push_back(form.engine().piece_at(x, y));
        return s;
    }
    std::vector<std::string> box_texts() const {
        std::vector<std::string> out;
        for (const auto& b : dialogs.shown) out.push_back(b.text + " / " + b.title);
        return out;
    }
    int forbidden_sounds() const { return sound.count("dsPlay", form.sounds().SoundForbidden); }
    bool drew_text(const std::string& text) const {
        for (const std::string& t : canvas.texts())
            if (t == text) return true;
        return false;
    }
};

TEST(TakeBack, ACaptureTakenBackRestoresBothPiecesAndTheClocksFromBefore) {
    Game g;
    g.form.set_clock_shown(true);
    g.move(8, 8, 5, 8, 3);
    g.move(2, 3, 2, 10, 5);  // the top cannon takes the horse over the cannon
    ASSERT_EQ(g.form.engine().piece_at(2, 10), ComCannon);
    ASSERT_DOUBLE_EQ(g.form.clock().ComTime, 5);
    g.canvas.clear();
    g.sound.clear();

    g.form.REPLAY_Click();
    EXPECT_EQ(g.form.engine().piece_at(2, 3), ComCannon);
    EXPECT_EQ(g.form.engine().piece_at(2, 10), ManHorse);
    EXPECT_DOUBLE_EQ(g.form.clock().ManTime, 3);
    EXPECT_DOUBLE_EQ(g.form.clock().ComTime, 0);
    EXPECT_TRUE(g.drew_text("00:00:03"));
    EXPECT_TRUE(g.drew_text("00:00:00"));
    EXPECT_EQ(g.form.play().Turn, NoGame);
    EXPECT_FALSE(g.form.clock().Timer1.Enabled);
    EXPECT_EQ(g.form.history().HistoryPos, 1);
    EXPECT_EQ(g.form.history().HistoryLen, 2);
    EXPECT_EQ(g.form.history().MoveNumber, 1);
    EXPECT_EQ(g.sound.count("dsPlay", g.form.sounds().SoundPiece), 1);
    EXPECT_EQ(g.forbidden_sounds(), 0);
    // The captured horse is painted back on its square, after the square was emptied.
    const auto pictures = g.canvas.of_kind(DrawCall::Picture);
    int emptied = -1, horse = -1;
    for (size_t i = 0; i < pictures.size(); ++i) {
        if (pictures[i].x1 != grid_to_twips_x(2) || pictures[i].y1 != grid_to_twips_y(10)) continue;
        if (pictures[i].code == PieceEmpty) emptied = static_cast<int>(i);
        if (pictures[i].code == ManHorse) horse = static_cast<int>(i);
    }
    EXPECT_GE(emptied, 0);
    EXPECT_GT(horse, emptied);
}

TEST(Refusals, RefusedCommandsLeaveEverythingAsItWas) {
    struct Row {
        const char* name;
        int movesBefore;
        bool recordMode;
        void (Form1::*command)();
        const char* box;
        int forbidden;
    } rows[] = {
        {"戻 with no move applied", 0, false, &Form1::REPLAY_Click, "できません / 戻る", 1},
        {"進 at the end of a game", 2, false, &Form1::AFTER_Click, "できません / 進む", 1},
        {"進 at the end of a record", 0, true, &Form1::AFTER_Click, "終わり / 進む", 0},
        {"反転 in record mode", 2, true, &Form1::REVERSE_Click, "棋譜ﾓｰﾄﾞではできません / 反転", 1},
    };
    for (const Row& r : rows) {
        Game g;
        if (r.recordMode) {
            // A loaded record stepped through with 進 up to that move.
            const MoveRecord topSoldierStep{9, 4, 9, 5, PieceEmpty, ComSoldier, ComSoldier};
            const std::vector<MoveRecord> moves{testing::BottomSoldierStep, topSoldierStep};
            testing::load_record(g.form, g.panel, g.dialogs, {moves.begin(), moves.begin() + r.movesBefore});
            for (int i = 0; i < r.movesBefore; ++i) g.form.AFTER_Click();
        } else {
            for (int i = 0; i < r.movesBefore; ++i) g.play_some_move();
        }
        const Snapshot before = g.snapshot();
        const int turn = g.form.play().Turn, pos = g.form.history().HistoryPos,
                  len = g.form.history().HistoryLen;
        (g.form.*r.command)();
        EXPECT_EQ(g.box_texts(), std::vector<std::string>{r.box}) << r.name;
        EXPECT_EQ(g.forbidden_sounds(), r.forbidden) << r.name;
        EXPECT_EQ(g.sound.count("dsPlay", g.form.sounds().SoundPiece), r.movesBefore) << r.name;
        EXPECT_EQ(g.snapshot(), before) << r.name;
        EXPECT_EQ(g.form.play().Turn, turn) << r.name;
        EXPECT_EQ(g.form.history().HistoryPos, pos) << r.name;
        EXPECT_EQ(g.form.history().HistoryLen, len) << r.name;
    }
}

TEST(TakeBack, ThreeTakeBacksThenANewMoveCutTheRecordThere) {
    Game g;
    g.move(1, 7, 1, 6);
    g.move(9, 4, 9, 5);
    g.move(1, 6, 1, 5);
    g.move(9, 5, 9, 6);
    g.move(1, 5, 1, 4);
    for (int i = 0; i < 3; ++i) g.form.REPLAY_Click();
    EXPECT_EQ(g.form.history().HistoryPos, 2);
    EXPECT_EQ(g.form.history().HistoryLen, 5);
    EXPECT_EQ(g.form.engine().piece_at(1, 6), ManSoldier);
    EXPECT_EQ(g.form.engine().piece_at(9, 5), ComSoldier);
    EXPECT_EQ(g.form.engine().piece_at(1, 4), ComSoldier);

    g.click(5, 5);  // "OKですか？": the bottom side moves next
    ASSERT_EQ(g.form.play().Turn, FirstPlayer);
    g.move(3, 7, 3, 6);
    EXPECT_EQ(g.form.history().HistoryPos, 3);
    EXPECT_EQ(g.form.history().HistoryLen, 3);
    EXPECT_EQ(g.form.history().MoveHistory[3].fromX, 3);
    g.dialogs.shown.clear();
    g.form.AFTER_Click();
    EXPECT_EQ(g.box_texts(), std::vector<std::string>{"できません / 進む"});
}

TEST(Replay, BackToTheStartThenThirtyReplaysReproduceTheGameAndItsClocks) {
    Game g;
    for (int i = 0; i < 30; ++i) g.play_some_move();
    ASSERT_EQ(g.form.history().HistoryLen, 30);
    const Snapshot final = g.snapshot();
    ASSERT_GT(final.manTime, 0);
    ASSERT_GT(final.comTime, 0);

    g.sound.clear();
    g.form.CANCEL_Click();
    EXPECT_EQ(g.form.history().HistoryPos, 0);
    EXPECT_EQ(g.form.history().HistoryLen, 30);
    EXPECT_EQ(g.form.history().MoveNumber, 0);
    EXPECT_DOUBLE_EQ(g.form.clock().ManTime, 0);
    EXPECT_EQ(g.form.play().Turn, NoGame);
    EXPECT_EQ(g.sound.count("dsPlay", g.form.sounds().SoundPiece), 1);

    for (int i = 0; i < 30; ++i) g.form.AFTER_Click();
    EXPECT_EQ(g.snapshot(), final);
    EXPECT_EQ(g.form.history().MoveNumber, 30);
    EXPECT_EQ(g.form.play().Turn, NoGame);
    EXPECT_TRUE(g.dialogs.shown.empty());

    g.form.AFTER_Click();
    EXPECT_EQ(g.box_texts(), std::vector<std::string>{"できません / 進む"});
    EXPECT_EQ(g.snapshot(), final);
}

TEST(Reverse, TheBoardTurnsHalfRoundWithTheSidesSwappedAndTheRecordTurned) {
    for (bool handicap : {false, true}) {
        Game g;
        if (handicap)
            for (int i = 0; i < 3; ++i) g.form.LBEL_UP_Click();
        g.move(1, 7, 1, 6);
        g.move(9, 4, 9, 5);
        const Snapshot before = g.snapshot();
        const int turn = g.form.play().Turn;
        g.form.REVERSE_Click();
        for (int x = 1; x <= BoardFiles; ++x)
            for (int y = 1; y <= BoardRanks; ++y)
                ASSERT_EQ(g.form.engine().piece_at(BoardFiles + 1 - x, BoardRanks + 1 - y),
                          -before.board[(x - 1) * BoardRanks + y - 1])
                    << x << "," << y;
        EXPECT_EQ(g.form.engine().piece_at(9, 10), ManChariot);  // the top-left chariot
        EXPECT_EQ(g.form.history().Reversed, FlagOn);
        EXPECT_EQ(g.form.handicap().HandicapLevel, handicap ? -3 : 0);
        EXPECT_EQ(g.form.history().HistoryLen, 2);
        EXPECT_EQ(g.form.history().HistoryPos, 2);
        EXPECT_EQ(g.form.history().MoveNumber, 2);
        // The army that just moved now stands on the other side: the other one moves.
        EXPECT_EQ(g.form.play().Turn, turn == FirstPlayer ? SecondPlayer : FirstPlayer);
        EXPECT_DOUBLE_EQ(g.form.clock().ManTime, before.manTime);
        g.form.REPLAY_Click();  // the top soldier's step, turned: the bottom soldier on (1, 6) goes back
        EXPECT_TRUE(g.box_texts().empty());
        EXPECT_EQ(g.form.engine().piece_at(1, 7), ManSoldier);
        EXPECT_EQ(g.form.engine().piece_at(1, 6), PieceEmpty);
    }
}

// Moves before and after a 反転 form one record: 最初, 進 and 戻 go across
// it, it is saved and loads back to the same positions and clocks, and after
// 戻 and 反転 a click offers to go on with the game.
TEST(Reverse, TheTurnedRecordStepsSavesAndLoadsAcrossTheTurn) {
    Game g;
    testing::TemporaryWorkingDirectory folder("zenko-turned");
    for (int i = 0; i < 3; ++i) g.play_some_move();
    g.form.REVERSE_Click();
    g.play_some_move();
    const Snapshot end = g.snapshot();

    g.form.CANCEL_Click();
    Engine fullSet;
    fullSet.初期配置();
    EXPECT_EQ(g.form.engine().board(), fullSet.board());
    for (int i = 0; i < 4; ++i) g.form.AFTER_Click();
    EXPECT_EQ(g.snapshot(), end);
    for (int i = 0; i < 4; ++i) g.form.REPLAY_Click();
    EXPECT_EQ(g.form.engine().board(), fullSet.board());
    EXPECT_TRUE(g.box_texts().empty());

    g.panel.texts[PanelControl::Text1] = "turned";
    g.form.KIFU_WRITE_Click();
    g.form.Command1_Click();
    EXPECT_EQ(g.box_texts(), std::vector<std::string>{"棋譜を書き込みました /   "});

    g.form.AFTER_Click();
    g.form.AFTER_Click();
    g.form.REVERSE_Click();
    g.dialogs.shown.clear();
    g.dialogs.answers.push_back(Answer::Cancel);
    g.click(5, 5);
    EXPECT_EQ(g.box_texts(), std::vector<std::string>{"OKですか？ / 再開"});

    g.panel.fileName = "turned.棋譜";
    g.form.File1_Click();
    for (int i = 0; i < 4; ++i) g.form.AFTER_Click();
    EXPECT_EQ(g.snapshot(), end);
}

// The engine's general squares follow 戻, 進 and 反転, so the facing rule
// after any of them reads where the generals stand.
TEST(TakeBack, GeneralSquaresFollowTakeBackReplayAndReverse) {
    Game g;
    g.move(5, 10, 5, 9);
    ASSERT_EQ(g.form.engine().piece_at(5, 9), ManGeneral);
    EXPECT_EQ(g.form.engine().man_general(), (Square{5, 9}));
    g.form.REPLAY_Click();
    EXPECT_EQ(g.form.engine().man_general(), (Square{5, 10}));
    g.form.AFTER_Click();
    EXPECT_EQ(g.form.engine().man_general(), (Square{5, 9}));
    g.form.REVERSE_Click();
    EXPECT_EQ(g.form.engine().piece_at(5, 2), ComGeneral);
    EXPECT_EQ(g.form.engine().com_general(), (Square{5, 2}));
    EXPECT_EQ(g.form.engine().man_general(), (Square{5, 10}));
}

TEST(History, AGameLongerThanFiveHundredMovesIsKeptWhole) {
    Game g;
    for (int i = 0; i < 500; ++i) g.play_some_move();
    const Snapshot at500 = g.snapshot();
    for (int i = 0; i < 20; ++i) g.play_some_move();
    const Snapshot at520 = g.snapshot();
    ASSERT_EQ(g.form.history().HistoryLen, 520);
    ASSERT_GE(g.form.history().MoveHistory.size(), 521u);
    EXPECT_EQ(g.form.history().MoveNumber, 520);

    for (int i = 0; i < 20; ++i) g.form.REPLAY_Click();
    EXPECT_EQ(g.snapshot(), at500);
    for (int i = 0; i < 20; ++i) g.form.AFTER_Click();
    EXPECT_EQ(g.snapshot(), at520);
    EXPECT_TRUE(g.dialogs.shown.empty());
}

}  // namespace
}  // namespace zenko
