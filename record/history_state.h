// The move history and the handicap grade. Written only by the procedures
// of record/; the other subsystems read them through Form1's const views.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "record/move_record.h"
#include "rules/types.h"

namespace zenko {

// The armies by the side of the board they play from.
inline constexpr int TopArmy = 1, BottomArmy = -1, NoArmy = 0;

// What a history starts from: the position before its first move, the
// flags that describe that position, and the game it was played in.
struct HistoryStart {
    BoardArray board{};
    int reversed = FlagOff, handicapSet = FlagOff, handicapLevel = 0;
    int mode = NoGame;
    Side manSide = SecondPlayer, comSide = FirstPlayer;
    // The top army is to move first: a position set up or read from a
    // record with black to move. A game's own start has the bottom army move
    // first, unless its first move says otherwise.
    bool topMovesFirst = false;
    friend bool operator==(const HistoryStart&, const HistoryStart&) = default;
};

// A move as a review names it, in the board's squares.
struct ReviewMove {
    int fromX = 0, fromY = 0, toX = 0, toY = 0;
    friend bool operator==(const ReviewMove&, const ReviewMove&) = default;
};

// The marks of a review, in the order of their strength: ?!, ?, ??.
inline constexpr int NoReviewMark = 0, MarkInaccuracy = 1, MarkMistake = 2, MarkBlunder = 3;

// What a review (検討) found at one position of the main line.
struct ReviewedPosition {
    // The engine gave the position a value: the expected score (0 lost,
    // 1 won) of red, the bottom army of the history's start.
    bool valued = false;
    double redExpected = 0.5;
    // The mark of the move into this position (NoReviewMark .. MarkBlunder).
    int mark = NoReviewMark;
    // The engine's expected line from this position, its best move first.
    std::vector<ReviewMove> line;
    friend bool operator==(const ReviewedPosition&, const ReviewedPosition&) = default;
};

// What a loaded record says beside its moves: its tags (PGN's names, such
// as Event, Red, Black, Date, Result) and its comments. Comments[n] follows
// move n; Comments[0] stands before the first move. Empty for a game played here.
struct RecordNotes {
    std::vector<std::pair<std::string, std::string>> Tags;
    std::vector<std::string> Comments;
    // The record was played by the standard rules of Xiangqi (the records
    // of the field are; the game's own .棋譜 are not): a game played on from
    // it keeps them.
    bool StandardRules = false;
    // A review of the main line: Review[n] is the position after move n, as
    // far as the review has come; empty when the game was not reviewed.
    std::vector<ReviewedPosition> Review;
    // The comment after move n, "" for none.
    const std::string& comment(int n) const {
        static const std::string none;
        return n >= 0 && n < static_cast<int>(Comments.size()) ? Comments[static_cast<std::size_t>(n)] : none;
    }
    friend bool operator==(const RecordNotes&, const RecordNotes&) = default;
};

struct HistoryState {
    // Entry 0 is unused; move n lives in entry n. The history grows past its
    // first 500 entries when a game goes on that long.
    std::vector<MoveRecord> MoveHistory = std::vector<MoveRecord>(501);
    int HistoryPos = 0;
    int HistoryLen = 0;
    int MoveNumber = 0;
    int RecordMode = FlagOff;
    int Reversed = FlagOff;
    HistoryStart HistoryOrigin;
    // The game name and the top and bottom players of the loaded record.
    std::array<std::string, 3> RecordHeaders{};
    RecordNotes Notes;
};

struct HandicapState {
    int HandicapSet = FlagOff;
    int HandicapLevel = 0;
};

struct SavedGame;

// The file that keeps the game for the next start: written only once the
// start-up has offered the previous game back, and only when it changed.
// What the file holds now is the last game written plus the steps appended.
struct KeptGameState {
    bool Armed = false;
    std::shared_ptr<const SavedGame> Written;  // null until the first write
    int StepsAppended = 0;
};

}  // namespace zenko
