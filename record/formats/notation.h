// Moves as players write them: this game's own Japanese move text, the
// Chinese notation (炮二平五, 马８进７), WXF (C2.5, H8+7) and ICCS (h2e2).
// One module writes and reads them all, for the readers, the writers and a
// move list. Writing allocates nothing but the text it appends; reading
// looks at one file of the board or one piece kind, never at every move.
#pragma once

#include <string>
#include <string_view>

#include "rules/engine.h"

namespace zenko::formats {

enum class Notation {
    Japanese,  // ７七車: the column label above the destination, its row from the top, the piece
    Chinese,   // 炮二平五 / 马８进７, simplified characters as xqbase writes them
    Wxf,       // C2.5 / H8+7
    Iccs,      // h2e2: files a-i from the left, ranks 0-9 from red's edge
};

// The text of the move of the piece on (fromX, fromY) to (toX, toY) in the
// position `before`, which must hold that piece. append_move_text adds it to
// `out` (reserve once, write many).
std::string move_text(const Engine& before, int fromX, int fromY, int toX, int toY, Notation notation);
void append_move_text(std::string& out, const Engine& before, int fromX, int fromY, int toX, int toY,
                      Notation notation);

// ICCS in lower case ("h2e2"), and as PGN files write it ("H2-E2").
std::string iccs_text(int fromX, int fromY, int toX, int toY);
std::string iccs_pgn_text(int fromX, int fromY, int toX, int toY);

// True when the piece on (fromX, fromY) belongs to the side to move (red =
// the bottom army) and this game's rules let it go to (toX, toY).
bool is_playable(const Engine& position, bool redToMove, int fromX, int fromY, int toX, int toY);

enum class ReadStatus {
    Ok,
    Unreadable,  // the text is no move in any notation
    Illegal,     // it names a move the position does not allow
    Ambiguous,   // more than one piece could make it
};

struct ReadMove {
    ReadStatus status = ReadStatus::Unreadable;
    int fromX = 0, fromY = 0, toX = 0, toY = 0;
};

// Coordinates count ranks from 0 (ICCS, XBoard: a0-i9) or from 1
// (Fairy-Stockfish: a1-i10).
inline constexpr int IccsFirstRank = 0, FairyFirstRank = 1;

// Reads a move of the side to move written in any of: the Chinese
// notation in traditional or simplified characters (車/车, 馬/马, 砲/炮/包,
// 前/后/後/中, red files 一..九, black files 1..9 in ASCII or full width),
// WXF (C2.5, H8+7, R+.3, +C.5, = for ., full-width letters), ICCS (H2-E2,
// h2e2) and SAN (Che3, Rxa9, Nc3); coordinates count ranks from firstRank.
ReadMove read_move(const Engine& position, bool redToMove, std::string_view text,
                   int firstRank = IccsFirstRank);

// True when the text holds a square whose rank can only be written from 0
// ("a0") or only from 1 ("a10"): sets firstRank and returns true.
bool coordinate_rank_hint(std::string_view text, int& firstRank);

}  // namespace zenko::formats
