// The game kept for the next start: a plain snapshot of everything needed to
// go on with it, and its file text. Writing and reading are pure functions;
// the reader refuses anything it did not write itself.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "record/history_state.h"
#include "record/move_record.h"
#include "rules/types.h"

namespace zenko {

inline constexpr const char* SavedGameFile = "ZENKO中国象棋.続き";
inline constexpr const char* SetAsideSuffix = ".bad";
// A long game is well under a megabyte; reading stops here.
inline constexpr std::size_t MaxSavedGameBytes = 4 * 1024 * 1024;

struct SavedGame {
    // The position on the board, and the history that led there.
    BoardArray board{};
    HistoryStart origin{};
    std::vector<MoveRecord> moves;  // move 1 first
    int historyPos = 0, recordMode = FlagOff, reversed = FlagOff;
    std::array<std::string, 3> headers{};
    RecordNotes notes;
    int handicapSet = FlagOff, handicapLevel = 0;
    // The game being played.
    int gameMode = NoGame;
    Side manSide = SecondPlayer, comSide = FirstPlayer, turn = NoGame;
    int level = 3;
    double manTime = 0, comTime = 0;
    int comMarkX = 0, comMarkY = 0;
    bool finished = false;
    bool standardRules = false;  // the game is played by the standard rules of Xiangqi
    friend bool operator==(const SavedGame&, const SavedGame&) = default;
};

std::string write_saved_game(const SavedGame& game);

// The same history (start, headers and moves): the games differ at most in
// what a step holds, the position on the board and the play around it.
bool same_history(const SavedGame& a, const SavedGame& b);

// A step to append to a saved game of the same history: its text then reads
// as `game`. Stepping through a long record so costs the same as a short one.
std::string write_saved_step(const SavedGame& game);

// nullopt unless the text is a whole saved game in this form with every
// value in range, each move one a record file may hold, followed by any
// number of whole steps (a step cut short at the end is ignored).
std::optional<SavedGame> parse_saved_game(const std::string& text);

}  // namespace zenko
