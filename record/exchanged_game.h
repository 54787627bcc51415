// The game on the board as a record other programs read: what 書込 writes
// to a .pgn file and 棋譜をコピー puts on the clipboard.
#pragma once

#include <string>

#include "record/formats/game_record.h"

namespace zenko {

class Form1;

// The game name and the players of the top and bottom armies, as the
// record panel's fields give them; "" for none.
struct RecordNames {
    std::string event, top, bottom;
};

// The moves up to the position on the board (the whole game at the start of
// a history that holds moves, as a .棋譜 is written) from the history's
// start, whatever it is: a handicap set-up, a turned board, a position set
// up or read. Without moves, the position on the board. The tags: Event,
// Red (bottom) and Black (top) from the names given, else from the loaded
// record; the record's other tags; Date today unless the record has one;
// Result when the game was played to its end, or from a record shown whole.
formats::GameRecord game_record_of(const Form1& form, const RecordNames& names);

// Red (the bottom army) is to move in the position on the board: the army
// whose turn it is, or else the army that did not make the last move.
bool red_to_move_on_board(const Form1& form);

}  // namespace zenko
