// Play stays right whatever the order of 戻, 進, 最初, 反転 and resumes: the
// general squares follow the board, replays land on the position that was
// played, a resume goes on in the game's own mode, and the referee's
// announcements are true by a safe-move test of this file's own.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "fakes.h"
#include "form_test_access.h"

namespace zenko::testing {
namespace {

// ---- An independent referee: brute force over every square ----

bool mine(int code, bool comSide) { return comSide ? code > 0 : code < 0; }

Square find_general(const Engine& e, bool comSide) {
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y)
            if (e.piece_at(x, y) == (comSide ? ComGeneral : ManGeneral)) return {x, y};
    return {0, 0};
}

std::vector<Move> moves_of(const Engine& e, bool comSide) {
    std::vector<Move> out;
    for (int x1 = 1; x1 <= BoardFiles; ++x1)
        for (int y1 = 1; y1 <= BoardRanks; ++y1) {
            const int piece = e.piece_at(x1, y1);
            if (!mine(piece, comSide)) continue;
            for (int x2 = 1; x2 <= BoardFiles; ++x2)
                for (int y2 = 1; y2 <= BoardRanks; ++y2)
                    if (e.移動チェック(x1, y1, x2, y2, piece) == FlagOn)
                        out.push_back({x1, y1, x2, y2, piece});
        }
    return out;
}

bool attacked(const Engine& e, bool comGeneral) {
    const Square g = find_general(e, comGeneral);
    if (g.x == 0) return true;
    for (const Move& m : moves_of(e, !comGeneral))
        if (m.toX == g.x && m.toY == g.y) return true;
    return false;
}

bool can_keep_general(const Engine& position, bool comSide) {
    for (const Move& m : moves_of(position, comSide)) {
        Engine after = position;
        after.駒移動(m.fromX, m.fromY, m.toX, m.toY, m.piece);
        if (!attacked(after, comSide)) return true;
    }
    return false;
}

bool generals_follow_board(const Engine& e) {
    const Square com = find_general(e, true), man = find_general(e, false);
    return (com.x == 0 || com == e.com_general()) && (man.x == 0 || man == e.man_general());
}

// Checks each announcement against the board at the moment it is shown.
class RefereeCheckingDialogs : public ScriptedDialogs {
public:
    const Form1* form = nullptr;
    int falseAnnouncements = 0, wins = 0, mates = 0;
    Answer message_box(const std::string& text, const std::string& title, Buttons buttons,
                       BoxIcon icon) override {
        const Engine& e = form->engine();
        if (text == "あなたの勝ちです") {
            ++wins;
            if (find_general(e, true).x != 0 && can_keep_general(e, true)) ++falseAnnouncements;
        } else if (text == "被将死 ?（Bei Jiang si）") {
            ++mates;
            if (can_keep_general(e, false)) ++falseAnnouncements;
        } else if (text == "   ** 将(Jiang) **") {
            if (!attacked(e, false)) ++falseAnnouncements;
        }
        return ScriptedDialogs::message_box(text, title, buttons, icon);
    }
};

struct Play {
    RecordingCanvas canvas;
    RefereeCheckingDialogs dialogs;
    FakeClock clock;
    RecordingSound sound;
    FakePanel panel;
    FakeApp app;
    Form1 form{Platform{canvas, dialogs, clock, sound, panel, app}};

    Play() {
        dialogs.form = &form;
        testing::open_sounds(form, sound);
        form.初期設定();
    }
    void click(int x, int y) { click_square(form, x, y); }
    void move(int fx, int fy, int tx, int ty) {
        click(fx, fy);
        click(tx, ty);
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const ShownBox& b : dialogs.shown) out.push_back(b.text);
        return out;
    }
    bool showed(const std::string& text) const {
        for (const ShownBox& b : dialogs.shown)
            if (b.text == text) return true;
        return false;
    }
    void replay_to_end() {
        while (form.history().HistoryPos < form.history().HistoryLen) form.AFTER_Click();
    }
};

BoardArray full_set() {
    Engine e;
    e.初期配置();
    return e.board();
}

// ---- Scripted cases, one per fault ----

TEST(PlayAlwaysRight, GeneralSquaresFollowTheBoardAfterEveryCommand) {
    Play p;
    p.form.START_Click();
    p.move(5, 10, 5, 9);  // the bottom general steps up
    p.move(5, 1, 5, 2);
    p.form.REPLAY_Click();
    EXPECT_TRUE(generals_follow_board(p.form.engine()));
    p.form.REPLAY_Click();
    EXPECT_EQ(p.form.engine().man_general(), (Square{5, 10}));
    p.form.AFTER_Click();
    EXPECT_EQ(p.form.engine().man_general(), (Square{5, 9}));
    p.form.CANCEL_Click();
    EXPECT_EQ(p.form.engine().man_general(), (Square{5, 10}));
    p.replay_to_end();
    p.form.REVERSE_Click();
    EXPECT_TRUE(generals_follow_board(p.form.engine()));
    EXPECT_EQ(p.form.engine().com_general(), (Square{5, 2}));
}

TEST(PlayAlwaysRight, FirstAndReplayReproduceAGameStartedOnATurnedBoard) {
    Play p;
    p.form.START_Click();
    p.move(1, 7, 1, 6);
    p.form.REVERSE_Click();  // the top army moves next
    p.move(9, 7, 9, 6);
    p.move(2, 3, 2, 10);  // a top cannon takes a horse
    const BoardArray played = p.form.engine().board();
    p.form.CANCEL_Click();
    EXPECT_EQ(p.form.history().Reversed, FlagOff) << "the turned start is the full set";
    p.replay_to_end();
    EXPECT_EQ(p.form.engine().board(), played);
    EXPECT_TRUE(generals_follow_board(p.form.engine()));
    p.form.KIFU_WRITE_Click();  // it started from the full set: it may be saved
    EXPECT_TRUE(p.panel.visible[PanelControl::Text1]);
}

TEST(PlayAlwaysRight, FirstAndReplayReproduceAHandicapGameAndItStaysUnsaveable) {
    Play p;
    for (int i = 0; i < 8; ++i) p.form.LBEL_UP_Click();  // both COM chariots go
    const BoardArray handicapStart = p.form.engine().board();
    p.form.レベル_設定(1);
    p.form.SENTE_Click();
    p.move(1, 10, 1, 9);
    p.move(9, 10, 9, 9);
    const BoardArray played = p.form.engine().board();
    p.form.CANCEL_Click();
    EXPECT_EQ(p.form.engine().board(), handicapStart);
    EXPECT_EQ(p.form.handicap().HandicapLevel, 8);
    p.replay_to_end();
    EXPECT_EQ(p.form.engine().board(), played);
    for (int n = 0; n < 4; ++n) p.form.REPLAY_Click();  // back to the start: no second general
    EXPECT_EQ(p.form.engine().board(), handicapStart);
    p.form.KIFU_WRITE_Click();
    p.panel.texts[PanelControl::Text1] = "x";
    p.form.Command1_Click();  // as a .棋譜
    EXPECT_EQ(p.texts().back(), "ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません");
}

TEST(PlayAlwaysRight, ANewGameAfterAHandicapGameStartsFromTheFullSet) {
    Play p;
    p.form.LBEL_UP_Click();
    p.form.SENTE_Click();
    p.move(1, 7, 1, 6);
    p.form.初期設定();  // as after "続けますか？" answered Yes
    EXPECT_EQ(p.form.engine().board(), full_set());
    EXPECT_EQ(p.form.handicap().HandicapSet, FlagOff);
    p.form.AFTER_Click();  // the handicap moves cannot be replayed onto the full set
    EXPECT_EQ(p.form.engine().board(), full_set());
}

TEST(PlayAlwaysRight, AResumeAfterFirstAndReplayGoesOnAgainstTheComputer) {
    Play p;
    p.form.レベル_設定(1);
    p.form.SENTE_Click();
    p.move(1, 7, 1, 6);
    ASSERT_EQ(p.form.history().HistoryLen, 2);
    p.form.CANCEL_Click();
    p.replay_to_end();
    p.click(12, 5);  // resume (anywhere)
    ASSERT_EQ(p.form.play().GameMode, ModeVsCom);
    ASSERT_EQ(p.form.play().Turn, p.form.play().ManSide);
    p.move(9, 7, 9, 6);
    EXPECT_EQ(p.form.history().HistoryLen, 4);  // the computer answered
    EXPECT_EQ(p.form.play().Turn, p.form.play().ManSide);
}

TEST(PlayAlwaysRight, AResumeBetweenTwoPeopleAlternatesAndAGeneralCaptureEndsIt) {
    Play p;
    p.form.START_Click();
    p.move(5, 10, 5, 9);
    p.move(5, 1, 5, 2);
    p.form.CANCEL_Click();
    p.replay_to_end();
    p.click(12, 5);
    EXPECT_EQ(p.form.play().GameMode, ModeVsMan);
    EXPECT_EQ(p.form.play().Turn, FirstPlayer);
    p.move(2, 8, 2, 1);  // the bottom player's cannon takes a horse
    EXPECT_EQ(p.form.play().Turn, SecondPlayer);
}

// A game against the computer started in the middle of a two-person game's
// history is resumed against the computer.
TEST(PlayAlwaysRight, AResumeFollowsTheGameOfTheLatestMove) {
    Play p;
    p.form.START_Click();
    p.move(1, 7, 1, 6);
    p.move(1, 4, 1, 5);
    p.form.REPLAY_Click();
    p.form.レベル_設定(1);
    p.form.GOTE_Click();  // the computer takes the top pieces and moves at once
    ASSERT_EQ(p.form.history().HistoryLen, 2);
    p.form.REPLAY_Click();
    p.click(12, 5);
    EXPECT_EQ(p.form.play().GameMode, ModeVsCom);
    EXPECT_EQ(p.form.history().HistoryLen, 2);  // the computer played its move again
    EXPECT_EQ(p.form.play().Turn, p.form.play().ManSide);
}

// After a game ended by the capture of a general, 最初 and 進 lead back to a
// board without it: there is nothing to resume.
TEST(PlayAlwaysRight, NoGameToResumeSaysSo) {
    Play p;
    p.form.START_Click();
    const Square moves[][2] = {{{2, 8}, {5, 8}}, {{1, 4}, {1, 5}}, {{5, 7}, {5, 6}},
                               {{1, 5}, {1, 6}}, {{5, 6}, {5, 5}}, {{1, 6}, {1, 7}},
                               {{5, 5}, {5, 4}}, {{9, 4}, {9, 5}}, {{5, 8}, {5, 1}}};
    for (const auto& m : moves) p.move(m[0].x, m[0].y, m[1].x, m[1].y);
    ASSERT_TRUE(p.showed("先手の勝ちです"));
    ASSERT_EQ(p.form.history().HistoryLen, 9);
    p.replay_to_end();
    p.dialogs.shown.clear();
    p.click(12, 5);
    EXPECT_EQ(p.texts(), std::vector<std::string>{"「対局」で始めて下さい"});
    EXPECT_EQ(p.form.play().Turn, NoGame);
}

TEST(PlayAlwaysRight, CancellingTheResumeLeavesEverythingAsItWas) {
    Play p;
    p.form.START_Click();
    p.move(1, 7, 1, 6);
    p.move(1, 4, 1, 5);
    p.move(3, 7, 3, 6);
    for (int i = 0; i < 2; ++i) p.form.REPLAY_Click();
    const BoardArray before = p.form.engine().board();
    p.dialogs.shown.clear();
    p.dialogs.answers = {Answer::Cancel};
    p.click(12, 5);
    EXPECT_EQ(p.texts(), std::vector<std::string>{"OKですか？"});
    EXPECT_EQ(p.dialogs.shown[0].buttons, Buttons::OKCancel);
    EXPECT_EQ(p.form.engine().board(), before);
    EXPECT_EQ(p.form.history().HistoryPos, 1);
    EXPECT_EQ(p.form.history().HistoryLen, 3);
    EXPECT_EQ(p.form.play().Turn, NoGame);
    p.replay_to_end();  // the later moves are still there
    EXPECT_EQ(p.form.engine().piece_at(3, 6), ManSoldier);
}

TEST(PlayAlwaysRight, AfterTurningTheBoardTheComputerPlaysTheArmyThatIsToMove) {
    Play p;
    p.form.レベル_設定(1);
    p.form.SENTE_Click();
    p.move(1, 7, 1, 6);
    ASSERT_EQ(p.form.play().Turn, p.form.play().ManSide);
    p.form.REVERSE_Click();  // the person's army is on top now, and it is its turn
    EXPECT_EQ(p.form.history().HistoryLen, 3);
    EXPECT_GT(p.form.history().MoveHistory[3].placed, 0);  // the computer moved a top piece
    EXPECT_EQ(p.form.play().Turn, p.form.play().ManSide);
}

TEST(PlayAlwaysRight, TheReferee) {
    struct Row {
        const char* name;
        const char* fen;
        Move move;
        bool wins;
    } rows[] = {
        // The chariot checks on the top rank; the general can step down out of it.
        {"check, not mate", "4k4/9/9/9/9/9/9/9/9/R2K5 w", {1, 10, 1, 1, ManChariot}, false},
        // Two chariots: the top rank and the second rank are both covered.
        {"mate", "4k4/R8/9/9/9/9/9/9/9/3K4R w", {9, 10, 9, 1, ManChariot}, true},
    };
    for (const Row& r : rows) {
        Play p;
        ASSERT_TRUE(FormTestAccess::engine(p.form).set_fen(r.fen)) << r.name;
        p.form.レベル_設定(1);
        p.form.SENTE_Click();
        p.move(r.move.fromX, r.move.fromY, r.move.toX, r.move.toY);
        EXPECT_EQ(p.showed("あなたの勝ちです"), r.wins) << r.name;
        EXPECT_EQ(p.dialogs.falseAnnouncements, 0) << r.name;
    }
}

// ---- Random games with random navigation ----

bool sides_alternate(const Form1& form) {
    for (int n = 2; n <= form.history().HistoryLen; ++n)
        if ((form.history().MoveHistory[n].placed > 0) == (form.history().MoveHistory[n - 1].placed > 0))
            return false;
    return true;
}

void random_person_move(Play& p, std::mt19937& rng) {
    const bool comSide = p.form.play().Turn == p.form.play().ComSide && p.form.play().GameMode == ModeVsMan;
    std::vector<Move> moves = moves_of(p.form.engine(), comSide);
    if (moves.empty()) return;
    const Move m = moves[rng() % moves.size()];
    p.move(m.fromX, m.fromY, m.toX, m.toY);
}

void start_random_game(Play& p, std::mt19937& rng) {
    switch (rng() % 3) {
        case 0:
            p.form.START_Click();
            break;
        case 1:
            p.form.SENTE_Click();
            break;
        default:
            p.form.GOTE_Click();
    }
}

void random_step(Play& p, std::mt19937& rng) {
    switch (rng() % 16) {
        case 0:
            p.form.REPLAY_Click();
            break;
        case 1:
            p.form.AFTER_Click();
            break;
        case 2:
            p.form.CANCEL_Click();
            break;
        case 3:
            p.form.REVERSE_Click();
            break;
        default:
            if (p.form.play().Turn != NoGame) {
                random_person_move(p, rng);
                break;
            }
            p.click(12, 5);  // resume, or learn that there is nothing to resume
            if (p.form.play().Turn == NoGame) start_random_game(p, rng);
    }
}

TEST(PlayAlwaysRight, RandomGamesStayRight) {
    std::mt19937 rng(7);
    int games = 0;
    for (int game = 0; game < 24; ++game) {
        Play p;
        p.form.レベル_設定(1);
        start_random_game(p, rng);
        for (int step = 0; step < 150 && !p.form.screen().Terminated; ++step) {
            random_step(p, rng);
            ASSERT_TRUE(generals_follow_board(p.form.engine())) << "game " << game << " step " << step;
            ASSERT_TRUE(sides_alternate(p.form)) << "game " << game << " step " << step;
        }
        // 最初 and 進 to the end reproduce the last position of the history.
        if (p.form.history().HistoryLen > 0 && p.form.history().HistoryPos == p.form.history().HistoryLen) {
            const BoardArray last = p.form.engine().board();
            p.form.CANCEL_Click();
            p.replay_to_end();
            EXPECT_EQ(p.form.engine().board(), last) << "game " << game;
        }
        EXPECT_EQ(p.dialogs.falseAnnouncements, 0) << "game " << game;
        ++games;
    }
    EXPECT_EQ(games, 24);
}

}  // namespace
}  // namespace zenko::testing
