#include "record/formats/game_record.h"

#include "record/formats/record_texts.h"
#include "rules/engine.h"

namespace zenko::formats {

std::string GameRecord::tag(std::string_view name) const {
    for (const auto& [key, value] : tags)
        if (key == name) return value;
    return "";
}

void GameRecord::set_tag(std::string_view name, std::string value) {
    for (char& c : value)
        if (c == '\n' || c == '\r') c = ' ';  // a tag is one line
    for (auto it = tags.begin(); it != tags.end(); ++it) {
        if (it->first != name) continue;
        if (value.empty())
            tags.erase(it);
        else
            it->second = std::move(value);
        return;
    }
    if (!value.empty()) tags.emplace_back(std::string(name), std::move(value));
}

bool GameRecord::starts_from_full_set() const { return start == full_set_board(); }

BoardArray full_set_board() {
    static const BoardArray board = [] {
        Engine engine;
        engine.初期配置();
        return engine.board();
    }();
    return board;
}

std::vector<MoveRecord> history_moves(const GameRecord& game) {
    std::vector<MoveRecord> moves;
    moves.reserve(game.moves.size());
    BoardArray board = game.start;
    for (const RecordedMove& m : game.moves) {
        MoveRecord& record = moves.emplace_back();
        record.fromX = m.fromX, record.fromY = m.fromY, record.toX = m.toX, record.toY = m.toY;
        record.piece = record.placed = board[m.fromX][m.fromY];
        record.captured = board[m.toX][m.toY];
        board[m.toX][m.toY] = record.piece;
        board[m.fromX][m.fromY] = PieceEmpty;
    }
    return moves;
}

BoardArray board_after(const GameRecord& game, std::size_t ply, bool* redToMove) {
    BoardArray board = game.start;
    bool red = game.redToMove;
    for (std::size_t i = 0; i < ply && i < game.moves.size(); ++i) {
        const RecordedMove& m = game.moves[i];
        board[m.toX][m.toY] = board[m.fromX][m.fromY];
        board[m.fromX][m.fromY] = PieceEmpty;
        red = !red;
    }
    if (redToMove) *redToMove = red;
    return board;
}

std::string cut_short_text(const CutShort& cut) {
    const std::string kept = std::to_string(cut.moveNumber - 1) + "手目までを読み込みました";
    if (cut.written.empty()) return "ファイルが途中で切れているので、" + kept;
    return std::to_string(cut.moveNumber) + "手目 (" + cut.written + ") が指せないので、" + kept;
}

std::string skipped_variations_text(int count) {
    return "変化手順" + std::to_string(count) + "個は読み込んでいません";
}

std::string left_out_games_text(int count, const std::string& reason) {
    return std::to_string(count) + "局は読み込めませんでした (" + reason + ")";
}

}  // namespace zenko::formats
