// The move list and moving through the history by it: the lines of a game,
// a jump that shows what 戻 and 進 would, the keys, and the corners of the
// last move's start square.
#include "record/move_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes.h"
#include "ui/key_codes.h"

namespace zenko {
namespace {

using formats::Notation;
using testing::DrawCall;
using testing::FormFixture;

struct Step {
    int fromX, fromY, toX, toY;
    double seconds;
};

// Two people open: the cannon to the centre, horses out, chariots up, the
// central soldiers forward.
const Step Opening[] = {
    {8, 8, 5, 8, 2},  {8, 1, 7, 3, 3}, {8, 10, 7, 8, 5}, {9, 1, 8, 1, 7},
    {9, 10, 9, 9, 1}, {2, 3, 5, 3, 4}, {5, 7, 5, 6, 6},  {5, 4, 5, 5, 2},
};

struct TwoPeople : FormFixture {
    explicit TwoPeople(int moves) {
        testing::open_sounds(form, sound);
        form.set_clock_shown(true);
        form.初期設定();
        form.START_Click();
        for (int n = 0; n < moves; ++n) move(Opening[n]);
        dialogs.shown.clear();
        sound.clear();
    }
    void move(const Step& s) {
        clock.now += s.seconds;
        testing::click_square(form, s.fromX, s.fromY);
        testing::click_square(form, s.toX, s.toY);
    }
    int piece_sounds() const { return sound.count("dsPlay", form.sounds().SoundPiece); }
};

// Each line as "number red black".
std::vector<std::string> lines(const MoveList& list) {
    std::vector<std::string> out;
    for (const MoveListLine& l : list.lines())
        out.push_back(std::to_string(l.number) + " " + l.red + " " + l.black);
    return out;
}

TEST(MoveList, FollowsTheGameKeepsTheMovesAheadAfterTakeBackAndRewritesAReplacedMove) {
    TwoPeople g(4);
    MoveList list;
    EXPECT_TRUE(list.update(g.form.history(), Notation::Japanese));
    EXPECT_EQ(lines(list), (std::vector<std::string>{"1 ５八炮 ３三馬", "2 ３八馬 ２一車"}));
    g.form.REPLAY_Click();
    EXPECT_FALSE(list.update(g.form.history(), Notation::Japanese)) << "戻 changes no text";
    g.form.REPLAY_Click();
    testing::click_square(g.form, 1, 1);  // OKですか？ OK: the game goes on after move 2
    g.move({8, 10, 9, 8, 1});
    EXPECT_TRUE(list.update(g.form.history(), Notation::Wxf));
    EXPECT_EQ(lines(list), (std::vector<std::string>{"1 C2.5 H8+7", "2 H2+1 "}));
    EXPECT_EQ(list.line_of(3), 1);
}

TEST(MoveList, AGameWhoseFirstMoveIsTheTopArmysHasNoRedMoveOnItsFirstLine) {
    FormFixture f;
    Engine fullSet;
    fullSet.初期配置();
    f.form.set_up_position(fullSet.board(), true);
    f.form.START_Click();
    for (const Step& s : {Opening[1], Opening[0]}) {
        testing::click_square(f.form, s.fromX, s.fromY);
        testing::click_square(f.form, s.toX, s.toY);
    }
    MoveList list;
    list.update(f.form.history(), Notation::Wxf);
    EXPECT_EQ(lines(list),
              (std::vector<std::string>{std::string("1 ") + MissingRedMove + " H8+7", "2 C2.5 "}));
}

// What the window shows and holds after moving through the history.
std::string shown(const Form1& f) {
    std::string s;
    for (const auto& file : f.engine().board())
        for (const int code : file) s += std::to_string(code) + ",";
    const ShownTexts& t = f.screen().Shown;
    for (const ShownMove& m : {t.comMove, t.manMove})
        s += m.shown ? " move " + std::to_string(m.x * 100 + m.y * 10) + std::to_string(m.piece) : " none";
    return s + " pos " + std::to_string(f.history().HistoryPos) + " count " + std::to_string(t.moveCount) +
           " number " + std::to_string(f.history().MoveNumber) + " turn " + std::to_string(f.play().Turn) +
           " clocks " + std::to_string(f.clock().ManTime) + "/" + std::to_string(f.clock().ComTime);
}

// One game jumps, its twin steps with 戻 and 進: each jump leaves the board,
// the history's place, the clocks, the suspended game and the texts beside
// the board as the steps do, with one sound and no box.
TEST(GoToPly, AJumpShowsWhatStepsWith戻And進Show) {
    TwoPeople jumping(8), stepping(8);
    for (const int target : {3, 0, 8, 5, 6, 1, 8}) {
        const int soundsBefore = jumping.piece_sounds();
        jumping.form.go_to_ply(target);
        while (stepping.form.history().HistoryPos > target) stepping.form.REPLAY_Click();
        while (stepping.form.history().HistoryPos < target) stepping.form.AFTER_Click();
        EXPECT_EQ(shown(jumping.form), shown(stepping.form)) << target;
        EXPECT_EQ(jumping.piece_sounds(), soundsBefore + 1) << target;
    }
    EXPECT_EQ(jumping.form.play().Turn, NoGame);
    EXPECT_TRUE(jumping.dialogs.shown.empty());
}

// ← → are 戻 and 進; Home and End jump to the start and the last move, in a
// game and in a loaded record alike.
TEST(HistoryKeys, StepAndJumpInAGameAndInALoadedRecord) {
    TwoPeople game(8);
    FormFixture record;
    const auto& played = game.form.history().MoveHistory;
    testing::load_record(record.form, record.panel, record.dialogs, {played.begin() + 1, played.begin() + 9});
    record.form.Form_KeyDown(KeyEnd, 0);  // from the record's start
    const struct {
        int key, pos;
    } presses[] = {{KeyHome, 0}, {KeyRight, 1}, {KeyRight, 2}, {KeyEnd, 8}, {KeyLeft, 7}, {KeyHome, 0}};
    for (const auto& press : presses) {
        for (Form1* form : {&game.form, &record.form}) {
            form->Form_KeyDown(press.key, 0);
            EXPECT_EQ(form->history().HistoryPos, press.pos) << "key " << press.key;
        }
        EXPECT_EQ(record.form.engine().board(), game.form.engine().board()) << "key " << press.key;
    }
    EXPECT_EQ(record.form.history().RecordMode, FlagOn) << "still a record to step through";
}

// Yellow corners on the start square of the last move, the person's and
// the computer's; they go with the computer's outline when the next piece
// is chosen.
TEST(LastMoveMarks, TheStartSquareHasCornersUntilTheNextPieceIsChosen) {
    // The yellow lines on a square since it was last painted over.
    const auto corners_on = [](const testing::RecordingCanvas& canvas, int x, int y) {
        int lines = 0;
        for (const DrawCall& c : canvas.calls) {
            const GridSquare at = square_at(c.x1, c.y1);
            if (at.x != x || at.y != y) continue;
            if (c.kind == DrawCall::Picture) lines = 0;
            if (c.kind == DrawCall::Line && c.colour == ColorYellow) ++lines;
        }
        return lines;
    };
    TwoPeople people(1);
    EXPECT_EQ(corners_on(people.canvas, 8, 8), 8);
    testing::click_square(people.form, 8, 1);  // the other person chooses a piece
    EXPECT_EQ(corners_on(people.canvas, 8, 8), 0);

    FormFixture f;
    f.form.初期設定();
    f.form.LEVEL1_Click();
    f.form.SENTE_Click();
    testing::click_square(f.form, 8, 8);
    testing::click_square(f.form, 5, 8);
    ASSERT_EQ(f.form.history().HistoryPos, 2) << "the computer replied";
    const MoveRecord reply = f.form.history().MoveHistory[2];
    EXPECT_EQ(corners_on(f.canvas, reply.fromX, reply.fromY), 8);
    EXPECT_EQ(corners_on(f.canvas, 8, 8), 0) << "the person's corners went with the reply";
    testing::click_square(f.form, 2, 8);
    EXPECT_EQ(corners_on(f.canvas, reply.fromX, reply.fromY), 0);
    EXPECT_EQ(f.form.selection().FromMarkX, 0);
}

}  // namespace
}  // namespace zenko
