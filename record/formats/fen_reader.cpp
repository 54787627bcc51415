// Reading positions written as FEN: one a line, each a game without moves.
// A line may be an engine's "position fen ... moves ..." or a FEN followed
// by "moves" and ICCS moves, which then are the game's main line.
#include <sstream>

#include "record/formats/game_builder.h"
#include "record/formats/readers.h"
#include "record/formats/record_texts.h"

namespace zenko::formats {

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

std::string_view first_word(std::string_view line) {
    return line.substr(0, std::min(line.find_first_of(" \t"), line.size()));
}

// The line without the words an engine's command puts before the FEN.
std::string_view without_command(std::string_view line) {
    for (std::string_view prefix : {"position fen ", "fen ", "FEN "})
        if (line.starts_with(prefix)) return trimmed(line.substr(prefix.size()));
    return line;
}

// Splits "FEN moves m1 m2" into the FEN and the moves.
void split_moves(std::string_view line, std::string_view& fen, std::string_view& moves) {
    const std::size_t at = line.find(" moves");
    fen = trimmed(line.substr(0, at));
    moves = at == std::string_view::npos ? std::string_view() : line.substr(at + 6);
}

bool read_line(std::string_view line, std::size_t& movesLeft, GameRecord& game, const char*& problem) {
    std::string_view fen, moves;
    split_moves(without_command(line), fen, moves);
    Engine engine;
    bool redToMove = true;
    problem = NotRecordText;
    if (!engine.set_fen(std::string(fen), &redToMove)) return false;
    GameBuilder builder(movesLeft);
    if (!builder.start(engine.board(), redToMove, &problem)) return false;
    std::size_t at = 0;
    while (at < moves.size()) {
        const std::size_t start = moves.find_first_not_of(" \t", at);
        if (start == std::string_view::npos) break;
        at = std::min(moves.find_first_of(" \t", start), moves.size());
        if (!builder.play_written(moves.substr(start, at - start))) break;
    }
    game = std::move(builder.record());
    return true;
}

}  // namespace

bool starts_with_fen(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos) return false;
    const std::string_view line = without_command(text.substr(start, text.find('\n', start) - start));
    Engine engine;
    return engine.set_fen(std::string(first_word(line)));
}

RecordContents read_fen_text(std::string_view text) {
    RecordContents file;
    file.format = RecordFormat::Fen;
    std::size_t movesLeft = MaxMovesPerFile;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = trimmed(text.substr(at, end - at));
        at = end + 1;
        if (line.empty()) continue;
        GameRecord game;
        const char* problem = "";
        if (file.games.size() >= MaxGamesPerFile) {
            if (file.leftOutGames++ == 0) file.leftOutReason = TooManyGamesText;
        } else if (read_line(line, movesLeft, game, problem)) {
            file.games.push_back(std::move(game));
        } else if (file.leftOutGames++ == 0) {
            file.leftOutReason = problem;
        }
    }
    if (file.games.empty()) file.error = file.leftOutGames > 0 ? file.leftOutReason : NotRecordText;
    return file;
}

}  // namespace zenko::formats
