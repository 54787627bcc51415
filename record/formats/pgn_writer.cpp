// Writing PGN as the xqbase collections do: "[Game "Chinese Chess"]", the
// tags, the moves a full move to a line ("  1. 炮二平五 马８进７"), comments in
// braces after their move, and the result on the last line.
#include <cstdio>

#include "record/formats/notation.h"
#include "record/formats/writers.h"

namespace zenko::formats {

namespace {

// The tags every written game carries, empty when the record has none.
constexpr std::string_view RosterTags[] = {"Event", "Date", "Red", "Black", "Result"};

void append_tag(std::string& out, std::string_view name, std::string_view value) {
    out += '[';
    out += name;
    out += " \"";
    for (char c : value) {
        if (c == '\\' || c == '"') out += '\\';
        out += c == '\n' || c == '\r' ? ' ' : c;  // a tag is one line
    }
    out += "\"]\n";
}

// PGN comments cannot be escaped: a closing brace inside one becomes the
// full-width brace.
void append_comment(std::string& out, std::string_view comment) {
    out += '{';
    for (std::size_t at = 0; at < comment.size(); ++at) {
        if (comment[at] == '}')
            out += "｝";
        else
            out += comment[at];
    }
    out += '}';
}

void append_number(std::string& out, std::size_t fullMove) {
    char text[24];
    const int length = std::snprintf(text, sizeof text, "%3zu.", fullMove);
    out.append(text, static_cast<std::size_t>(length));
}

// Tags a written file sets itself from the game, never copied from its tags.
bool is_format_tag(std::string_view name) {
    return name == "Game" || name == "Format" || name == "Variant" || name == "FEN" || name == "SetUp";
}

}  // namespace

std::string fen_of(const BoardArray& board, bool redToMove) {
    Engine engine;
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y) engine.put_piece(x, y, board[x][y]);
    return engine.fen(redToMove) + " - - 0 1";
}

std::string write_pgn(const GameRecord& game, PgnNotation notation) {
    std::string out;
    out.reserve(512 + game.moves.size() * 16);
    append_tag(out, "Game", "Chinese Chess");
    for (const auto& [name, value] : game.tags)
        if (!is_format_tag(name)) append_tag(out, name, value);
    const std::string result = game.tag("Result");
    for (std::string_view name : RosterTags)
        if (game.tag(name).empty()) append_tag(out, name, name == "Result" ? "*" : "");
    if (!(game.redToMove && game.starts_from_full_set()))
        append_tag(out, "FEN", fen_of(game.start, game.redToMove));
    append_tag(out, "Format", notation == PgnNotation::Chinese ? "Chinese" : "ICCS");
    out += '\n';
    if (!game.startComment.empty()) {
        append_comment(out, game.startComment);
        out += '\n';
    }

    Engine engine;
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y) engine.put_piece(x, y, game.start[x][y]);
    bool red = game.redToMove;
    std::size_t fullMove = 1;
    bool lineOpen = false;  // a red move waits on its line for black's
    for (const RecordedMove& m : game.moves) {
        if (red) {
            append_number(out, fullMove);
            out += ' ';
        } else if (!lineOpen) {
            append_number(out, fullMove);
            out += " ... ";
        } else {
            out += ' ';
        }
        if (notation == PgnNotation::Chinese)
            append_move_text(out, engine, m.fromX, m.fromY, m.toX, m.toY, Notation::Chinese);
        else
            out += iccs_pgn_text(m.fromX, m.fromY, m.toX, m.toY);
        if (m.nag > 0) out += " $" + std::to_string(m.nag);
        if (!m.comment.empty()) {
            out += ' ';
            append_comment(out, m.comment);
        }
        engine.駒移動(m.fromX, m.fromY, m.toX, m.toY, engine.piece_at(m.fromX, m.fromY));
        // After a red move the line stays open for black's, unless a comment closed it.
        lineOpen = red && m.comment.empty();
        if (!lineOpen) out += '\n';
        if (!red) ++fullMove;
        red = !red;
    }
    if (lineOpen) out += '\n';
    // The movetext ends in one of PGN's results; any other Result tag stays a tag.
    const bool known = result == "1-0" || result == "0-1" || result == "1/2-1/2";
    out += ' ';
    out += known ? result : "*";
    out += '\n';
    return out;
}

std::string write_pgn(const std::vector<GameRecord>& games, PgnNotation notation) {
    std::string out;
    for (const GameRecord& game : games) {
        if (!out.empty()) out += '\n';
        out += write_pgn(game, notation);
    }
    return out;
}

}  // namespace zenko::formats
