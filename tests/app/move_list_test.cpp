// The move list and moving through the history by it: the lines of a game
// in each notation, a jump that shows what 戻 and 進 would, the keys, and
// the marks of the last move's start square.
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

// An opening of two people: the bottom cannon to the centre, the horses
// out, the chariots up, the central soldiers forward.
const std::vector<Step> Opening = {
    {8, 8, 5, 8, 2},  {8, 1, 7, 3, 3}, {8, 10, 7, 8, 5}, {9, 1, 8, 1, 7},
    {9, 10, 9, 9, 1}, {2, 3, 5, 3, 4}, {5, 7, 5, 6, 6},  {5, 4, 5, 5, 2},
};

struct TwoPeople : FormFixture {
    explicit TwoPeople(int moves = 0) {
        testing::open_sounds(form, sound);
        form.set_clock_shown(true);
        form.初期設定();
        form.START_Click();
        for (int n = 0; n < moves; ++n) move(Opening[static_cast<std::size_t>(n)]);
        dialogs.shown.clear();
        sound.clear();
        canvas.clear();
    }
    void move(const Step& s) {
        clock.now += s.seconds;
        testing::click_square(form, s.fromX, s.fromY);
        testing::click_square(form, s.toX, s.toY);
    }
    int piece_sounds() const { return sound.count("dsPlay", form.sounds().SoundPiece); }
};

struct Cells {
    int number;
    std::string red, black;
    bool operator==(const Cells&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Cells& c) {
    return os << c.number << " [" << c.red << "] [" << c.black << "]";
}

std::vector<Cells> cells(const MoveList& list) {
    std::vector<Cells> out;
    for (const MoveListLine& line : list.lines()) out.push_back({line.number, line.red, line.black});
    return out;
}

TEST(MoveList, FollowsTheGameKeepsTheMovesAheadAfterTakeBackAndRewritesAReplacedMove) {
    TwoPeople g(4);
    MoveList list;
    EXPECT_TRUE(list.update(g.form.history(), Notation::Japanese));
    EXPECT_EQ(cells(list), (std::vector<Cells>{{1, "５八炮", "３三馬"}, {2, "３八馬", "２一車"}}));

    g.form.REPLAY_Click();
    EXPECT_FALSE(list.update(g.form.history(), Notation::Japanese)) << "戻 changes no text";
    EXPECT_EQ(list.line_of(4), 1);

    g.form.AFTER_Click();
    g.form.REPLAY_Click();
    g.form.REPLAY_Click();
    ASSERT_EQ(g.form.history().HistoryPos, 2);
    testing::click_square(g.form, 1, 1);  // OKですか？ → OK: the game goes on from move 2
    g.move({8, 10, 9, 8, 1});
    EXPECT_TRUE(list.update(g.form.history(), Notation::Japanese));
    EXPECT_EQ(cells(list), (std::vector<Cells>{{1, "５八炮", "３三馬"}, {2, "１八馬", ""}}));
}

TEST(MoveList, TheNotationsCountEachArmysFilesFromItsOwnRight) {
    TwoPeople g(4);
    const struct {
        Notation notation;
        std::vector<Cells> lines;
    } rows[] = {
        {Notation::Chinese, {{1, "炮二平五", "马８进７"}, {2, "马二进三", "车９平８"}}},
        {Notation::Wxf, {{1, "C2.5", "H8+7"}, {2, "H2+3", "R9.8"}}},
        {Notation::Japanese, {{1, "５八炮", "３三馬"}, {2, "３八馬", "２一車"}}},
    };
    MoveList list;  // one list through the switches: each rewrites every text
    for (const auto& row : rows) {
        EXPECT_TRUE(list.update(g.form.history(), row.notation));
        EXPECT_EQ(cells(list), row.lines) << static_cast<int>(row.notation);
    }
}

TEST(MoveList, AGameWhoseFirstMoveIsTheTopArmysStartsWithAnEmptyRedCell) {
    FormFixture f;
    Engine fullSet;
    fullSet.初期配置();
    f.form.set_up_position(fullSet.board(), true);
    f.form.START_Click();
    testing::click_square(f.form, 8, 1);
    testing::click_square(f.form, 7, 3);
    testing::click_square(f.form, 8, 8);
    testing::click_square(f.form, 5, 8);
    MoveList list;
    list.update(f.form.history(), Notation::Wxf);
    EXPECT_EQ(cells(list), (std::vector<Cells>{{1, MissingRedMove, "H8+7"}, {2, "C2.5", ""}}));
    EXPECT_EQ(list.line_of(1), 0);
    EXPECT_EQ(list.line_of(2), 1);
}

// What the window shows and holds after moving through the history.
struct Shown {
    BoardArray board;
    int pos, number, turn;
    double manTime, comTime;
    ShownMove top, bottom;
    int count;
};
bool same_text(const ShownMove& a, const ShownMove& b) {
    return a.shown == b.shown && (!a.shown || (a.x == b.x && a.y == b.y && a.piece == b.piece));
}
bool operator==(const Shown& a, const Shown& b) {
    return a.board == b.board && a.pos == b.pos && a.number == b.number && a.turn == b.turn &&
           a.manTime == b.manTime && a.comTime == b.comTime && same_text(a.top, b.top) &&
           same_text(a.bottom, b.bottom) && a.count == b.count;
}
std::ostream& operator<<(std::ostream& os, const Shown& s) {
    return os << "pos " << s.pos << " number " << s.number << " turn " << s.turn << " clocks " << s.manTime
              << "/" << s.comTime << " texts " << s.top.shown << s.top.x << s.top.y << "/" << s.bottom.shown
              << s.bottom.x << s.bottom.y;
}

Shown shown(const Form1& f) {
    const ShownTexts& t = f.screen().Shown;
    return {f.engine().board(),
            f.history().HistoryPos,
            f.history().MoveNumber,
            f.play().Turn,
            f.clock().ManTime,
            f.clock().ComTime,
            t.comMove,
            t.manMove,
            t.moveCount};
}

// One game jumps with go_to_ply, its twin steps with 戻 and 進: each jump
// leaves the board, the history's place, the clocks, the suspended game and
// the texts beside the board as the steps do, with one sound.
TEST(GoToPly, AJumpShowsWhatStepsWith戻And進Show) {
    TwoPeople jumping(8), stepping(8);
    for (const int target : {3, 0, 8, 5, 6, 1, 8}) {
        SCOPED_TRACE(target);
        const int soundsBefore = jumping.piece_sounds();
        jumping.form.go_to_ply(target);
        while (stepping.form.history().HistoryPos > target) stepping.form.REPLAY_Click();
        while (stepping.form.history().HistoryPos < target) stepping.form.AFTER_Click();
        EXPECT_EQ(shown(jumping.form), shown(stepping.form));
        EXPECT_EQ(jumping.form.play().Turn, NoGame);
        EXPECT_EQ(jumping.piece_sounds(), soundsBefore + 1);
        EXPECT_TRUE(jumping.dialogs.shown.empty());
    }
    jumping.form.go_to_ply(8);
    EXPECT_EQ(jumping.piece_sounds(), 7) << "no step, no sound";
}

// ← → are 戻 and 進; Home and End jump to the start and the last move, in a
// game and in a loaded record alike.
TEST(HistoryKeys, StepAndJumpInAGameAndInALoadedRecord) {
    const struct {
        int key, pos;
    } presses[] = {{KeyHome, 0}, {KeyRight, 1}, {KeyRight, 2}, {KeyEnd, 8},
                   {KeyLeft, 7}, {KeyHome, 0},  {KeyEnd, 8}};
    TwoPeople game(8);
    std::vector<MoveRecord> moves(game.form.history().MoveHistory.begin() + 1,
                                  game.form.history().MoveHistory.begin() + 9);
    FormFixture record;
    testing::open_sounds(record.form, record.sound);
    testing::load_record(record.form, record.panel, record.dialogs, moves);
    ASSERT_EQ(record.form.history().RecordMode, FlagOn);
    record.form.Form_KeyDown(KeyEnd, 0);  // from the record's start
    EXPECT_EQ(record.form.history().HistoryPos, 8);
    for (const auto& press : presses) {
        for (Form1* form : {&game.form, &record.form}) {
            form->Form_KeyDown(press.key, 0);
            EXPECT_EQ(form->history().HistoryPos, press.pos) << "key " << press.key;
        }
        EXPECT_EQ(record.form.engine().board(), game.form.engine().board()) << "key " << press.key;
    }
    EXPECT_EQ(record.form.history().RecordMode, FlagOn) << "still a record to step through";
    EXPECT_TRUE(game.dialogs.shown.empty());
}

// Corners in yellow on the start square of the last move, the person's and
// the computer's; they go as the computer's outline goes, with the next
// piece chosen.
TEST(LastMoveMarks, TheStartSquareGetsCornersUntilThePieceIsChosen) {
    const auto corners_on = [](const testing::RecordingCanvas& canvas, int x, int y) {
        int lines = 0;
        for (const DrawCall& c : canvas.calls)
            if (c.kind == DrawCall::Line && c.colour == ColorYellow && square_at(c.x1, c.y1).x == x &&
                square_at(c.x1, c.y1).y == y && square_at(c.x2, c.y2).x == x && square_at(c.x2, c.y2).y == y)
                ++lines;
        return lines;
    };
    const auto repainted = [](const testing::RecordingCanvas& canvas, int x, int y) {
        for (const DrawCall& c : canvas.calls)
            if (c.kind == DrawCall::Picture && c.x1 == grid_to_twips_x(x) && c.y1 == grid_to_twips_y(y))
                return true;
        return false;
    };
    FormFixture f;
    testing::open_sounds(f.form, f.sound);
    f.form.初期設定();
    f.form.LEVEL1_Click();
    f.form.SENTE_Click();
    f.canvas.clear();
    testing::click_square(f.form, 8, 8);
    testing::click_square(f.form, 5, 8);
    const MoveRecord& reply = f.form.history().MoveHistory[2];
    ASSERT_EQ(f.form.history().HistoryPos, 2) << "the computer replied";
    EXPECT_EQ(corners_on(f.canvas, 8, 8), 8) << "the person's start square";
    EXPECT_EQ(corners_on(f.canvas, reply.fromX, reply.fromY), 8) << "the computer's start square";
    EXPECT_EQ(f.form.selection().FromMarkX, reply.fromX);

    f.canvas.clear();
    testing::click_square(f.form, 2, 8);  // the person chooses a piece
    EXPECT_EQ(f.form.selection().FromMarkX, 0);
    EXPECT_TRUE(repainted(f.canvas, reply.fromX, reply.fromY));
    EXPECT_EQ(corners_on(f.canvas, reply.fromX, reply.fromY), 0);
}

}  // namespace
}  // namespace zenko
