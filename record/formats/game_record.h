// A game as the record files carry it: the tags, the position it starts
// from, the main line with its comments, and where reading had to stop.
// Every reader returns this value and every writer takes it; a window loads
// one into its history as it loads a .棋譜.
//
// Red is the bottom army (negative piece codes, MAN), Black the top army
// (positive codes, COM), whatever the file says about the players.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "record/move_record.h"
#include "rules/types.h"

namespace zenko::formats {

struct RecordedMove {
    int fromX = 0, fromY = 0, toX = 0, toY = 0;
    std::string written;  // the move as the file wrote it (ICCS for the binary formats)
    std::string comment;  // the comment after the move, "" for none
    int nag = 0;          // PGN's numeric annotation ($1 = !, $2 = ?, ...), 0 for none
    friend bool operator==(const RecordedMove&, const RecordedMove&) = default;
};

// Where a record stops before its end: the move that could not be played
// (1 for the first move) as the file wrote it, and why.
struct CutShort {
    int moveNumber = 0;
    std::string written;
    std::string reason;
    friend bool operator==(const CutShort&, const CutShort&) = default;
};

struct GameRecord {
    // In file order, with PGN's names (Event, Date, Red, Black, Result,
    // Site, Round, ...), values in UTF-8. The tags that only say how a file
    // writes the game (Game, Format, Variant, FEN, SetUp) are not kept, nor
    // empty values, nor a Result of "*" (no result is no tag).
    std::vector<std::pair<std::string, std::string>> tags;
    BoardArray start{};
    bool redToMove = true;
    std::string startComment;
    std::vector<RecordedMove> moves;  // the main line; every move is playable from start
    int skippedVariations = 0;
    std::optional<CutShort> cut;

    // The tag's value, "" when absent.
    std::string tag(std::string_view name) const;
    // Sets a tag in place, or adds it at the end; an empty value removes it.
    // Line breaks in the value become spaces.
    void set_tag(std::string_view name, std::string value);
    bool starts_from_full_set() const;
    friend bool operator==(const GameRecord&, const GameRecord&) = default;
};

// The position every game starts from: red (negative codes) at the bottom.
BoardArray full_set_board();

// The main line as the game's history keeps moves: each with the piece it
// moves and the one it captures, and no clock times.
std::vector<MoveRecord> history_moves(const GameRecord& game);

// The position after the first `ply` moves of the main line (all of them
// when ply is larger), and whether red is then to move.
BoardArray board_after(const GameRecord& game, std::size_t ply, bool* redToMove = nullptr);

// The file formats the readers know.
enum class RecordFormat { Unknown, Pgn, Xqf, DhtmlXq, Fen, Kifu };

struct RecordContents {
    std::vector<GameRecord> games;
    // Not empty: the file gives no record at all, and this says why (a
    // Japanese text for a box).
    std::string error;
    RecordFormat format = RecordFormat::Unknown;
    std::string encoding;  // how the text was written ("UTF-8", "GB18030", "Big5", "Shift_JIS"), "" for XQF
    // Games of the file that could not be read at all (a broken start
    // position) or were past the number a file may hold; they are left out.
    int leftOutGames = 0;
    std::string leftOutReason;  // why the first one was left out
};

// Reads any record file: chooses the reader by the bytes, and by the file
// name's extension (.pgn .xqf .fen .txt .htm .html .棋譜) when the bytes do
// not tell. fileName may be "" (pasted text).
RecordContents read_record_file(std::string_view bytes, std::string_view fileName);

}  // namespace zenko::formats
