// The readers of each record format, for callers that know the format;
// read_record_file (game_record.h) chooses among them. Text readers take
// UTF-8 (see text_encoding.h); binary readers take the file's bytes. None
// throws, and every one bounds what it keeps (record_texts.h).
#pragma once

#include <string_view>

#include "record/formats/game_record.h"

namespace zenko::formats {

// PGN: one or many games, each with its tags and its movetext in any
// notation notation.h reads; also a bare move list ("1. h2e2 h9g7").
RecordContents read_pgn(std::string_view text);

// XQF, the binary format of the Chinese Xiangqi programs, versions 1.0 to
// 1.8 (10 to 18), encrypted or not.
RecordContents read_xqf(std::string_view bytes);
bool looks_like_xqf(std::string_view bytes);

// Every [DhtmlXQ]...[/DhtmlXQ] block in a text, web page or pasted text.
RecordContents read_dhtmlxq(std::string_view text);
bool contains_dhtmlxq(std::string_view text);

// Positions in FEN, one a line, each a game without moves; a line may go on
// with "moves" and ICCS moves, as engines are given a position.
RecordContents read_fen_text(std::string_view text);
bool starts_with_fen(std::string_view text);

// The game's own .棋譜: Shift_JIS, the game name and the top and bottom
// players on three lines, then a fixed-column line per move.
RecordContents read_kifu(std::string_view bytes);
// True when the lines after the third are all move lines, and there is one;
// with headersAlone, also for the three header lines of a game without moves.
bool looks_like_kifu(std::string_view bytes, bool headersAlone = false);

}  // namespace zenko::formats
