#include "record/formats/game_builder.h"

#include "record/formats/notation_tables.h"
#include "record/formats/record_texts.h"
#include "record/formats/utf8.h"

namespace zenko::formats {

namespace {

// How many pieces of each kind (soldier ... general) an army has.
constexpr int ArmyCounts[] = {0, 5, 2, 2, 2, 2, 2, 1};

bool in_palace(int x, int y, bool top) {
    const int first = top ? ComPalaceTop : ManPalaceTop, last = top ? ComPalaceBottom : ManPalaceBottom;
    return x >= PalaceLeftFile && x <= PalaceRightFile && y >= first && y <= last;
}

}  // namespace

const char* position_problem(const BoardArray& board) {
    int counts[2][ComGeneral + 1] = {};
    Square generals[2]{};
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y) {
            const int code = board[x][y];
            if (code == PieceEmpty) continue;
            if (code < ManGeneral || code > ComGeneral) return BadPositionText;
            const int army = code > 0 ? 1 : 0, kind = kind_of(code);
            if (++counts[army][kind] > ArmyCounts[kind]) return BadPositionText;
            if (kind == ComGeneral) {
                if (!in_palace(x, y, army == 1)) return BadPositionText;
                generals[army] = {x, y};
            }
        }
    if (counts[0][ComGeneral] != 1 || counts[1][ComGeneral] != 1) return BadPositionText;
    if (generals[0].x == generals[1].x) {
        bool open = true;
        for (int y = generals[1].y + 1; y < generals[0].y; ++y)
            open = open && board[generals[0].x][y] == PieceEmpty;
        if (open) return BadPositionText;
    }
    for (int y = 0; y <= BoardRanks; ++y)  // row and column 0 are never squares
        if (board[0][y] != PieceEmpty) return BadPositionText;
    for (int x = 0; x <= BoardFiles; ++x)
        if (board[x][0] != PieceEmpty) return BadPositionText;
    return "";
}

bool GameBuilder::start(const BoardArray& board, bool redToMove, const char** problem) {
    const char* reason = position_problem(board);
    if (problem) *problem = reason;
    if (*reason) return false;
    game_.start = board;
    game_.redToMove = redToMove;
    game_.moves.clear();
    game_.cut.reset();
    engine_ = Engine();
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y) engine_.put_piece(x, y, board[x][y]);
    redToMove_ = redToMove;
    return true;
}

bool GameBuilder::play(int fromX, int fromY, int toX, int toY, std::string_view written) {
    if (is_cut()) return false;
    if (!is_playable(engine_, redToMove_, fromX, fromY, toX, toY)) {
        cut_here(written, IllegalMoveText);
        return false;
    }
    if (game_.moves.size() >= MaxMovesPerGame || movesLeft_ == 0) {
        cut_here(written, TooManyMovesText);
        return false;
    }
    --movesLeft_;
    engine_.駒移動(fromX, fromY, toX, toY, engine_.piece_at(fromX, fromY));
    redToMove_ = !redToMove_;
    RecordedMove& move = game_.moves.emplace_back();
    move.fromX = fromX, move.fromY = fromY, move.toX = toX, move.toY = toY;
    move.written = utf8_prefix(written, MaxWrittenMoveBytes);
    return true;
}

bool GameBuilder::play_written(std::string_view written, int firstRank) {
    if (is_cut()) return false;
    const ReadMove move = read_move(engine_, redToMove_, written, firstRank);
    switch (move.status) {
        case ReadStatus::Ok:
            return play(move.fromX, move.fromY, move.toX, move.toY, written);
        case ReadStatus::Unreadable:
            cut_here(written, UnreadableMoveText);
            return false;
        case ReadStatus::Ambiguous:
            cut_here(written, AmbiguousMoveText);
            return false;
        case ReadStatus::Illegal:
            break;
    }
    cut_here(written, IllegalMoveText);
    return false;
}

void GameBuilder::cut_here(std::string_view written, const char* reason) {
    if (is_cut()) return;
    game_.cut = CutShort{static_cast<int>(game_.moves.size()) + 1,
                         std::string(utf8_prefix(written, MaxWrittenMoveBytes)), reason};
}

void GameBuilder::add_comment(std::string_view text) {
    if (is_cut() || text.empty()) return;
    std::string& comment = game_.moves.empty() ? game_.startComment : game_.moves.back().comment;
    if (comment.size() >= MaxCommentBytes) return;
    if (!comment.empty()) comment += '\n';
    comment += utf8_prefix(text, MaxCommentBytes - comment.size());
}

void GameBuilder::set_nag(int nag) {
    if (!is_cut() && !game_.moves.empty()) game_.moves.back().nag = nag;
}

}  // namespace zenko::formats
