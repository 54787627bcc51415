// The review of a game, one position after another, on events.
#include "game/review_session.h"

#include <memory>

#include "game/uci_notation.h"
#include "rules/engine.h"
#include "rules/standard_rules.h"

namespace zenko {

namespace {

bool same_move(const PlayedMove& a, const PlayedMove& b) {
    return a.fromX == b.fromX && a.fromY == b.fromY && a.toX == b.toX && a.toY == b.toY;
}

bool generals_on_board(const Engine& board) {
    const Square com = board.com_general(), man = board.man_general();
    return on_board(com.x, com.y) && board.piece_at(com.x, com.y) == ComGeneral && on_board(man.x, man.y) &&
           board.piece_at(man.x, man.y) == ManGeneral;
}

// Whether red (MAN) makes `move` on `board`; nullopt when no piece stands on
// its origin or the game's own rules refuse it.
std::optional<bool> mover_of(const Engine& board, const PlayedMove& move) {
    if (!on_board(move.fromX, move.fromY) || !on_board(move.toX, move.toY)) return std::nullopt;
    const int piece = board.piece_at(move.fromX, move.fromY);
    if (piece == PieceEmpty ||
        board.移動チェック(move.fromX, move.fromY, move.toX, move.toY, piece) != FlagOn)
        return std::nullopt;
    return piece < 0;
}

// The engine's moves as far as they read as moves.
std::vector<PlayedMove> read_line(const std::vector<std::string>& words, int firstRank) {
    std::vector<PlayedMove> line;
    for (const std::string& word : words) {
        PlayedMove m{};
        if (!read_uci_move(word, firstRank, m.fromX, m.fromY, m.toX, m.toY)) break;
        line.push_back(m);
    }
    return line;
}

}  // namespace

// The side to move at each position is the army of the next move's piece
// (after the last move, the other army; with no moves, the FEN's side), so
// a game whose armies do not alternate still has a side to move everywhere;
// only the engine's list of moves breaks where they do not.
std::optional<std::vector<ReviewPosition>> review_positions(const ReviewGame& game) {
    const auto board = std::make_unique<Engine>();
    bool redToMove = true;
    if (!board->set_fen(game.startFen, &redToMove)) return std::nullopt;
    const std::size_t count = game.moves.size();
    std::vector<ReviewPosition> positions(count + 1);
    bool lastMoverRed = !redToMove;
    for (std::size_t k = 0; k <= count; ++k) {
        std::optional<bool> nextMoverRed;
        if (k < count && !(nextMoverRed = mover_of(*board, game.moves[k]))) return std::nullopt;
        ReviewPosition& p = positions[k];
        p.redToMove = nextMoverRed ? *nextMoverRed : (k > 0 ? !lastMoverRed : redToMove);
        p.askable = generals_on_board(*board) && !standard_check(*board, p.redToMove);
        if (p.askable && !has_standard_move(*board, !p.redToMove)) p.settled = 0.0;
        // Between two askable positions of alternating armies the move was
        // legal by the standard rules: it left its mover's general safe.
        const bool continues = k > 0 && p.askable && positions[k - 1].askable && p.redToMove != lastMoverRed;
        if (continues) {
            p.fen = positions[k - 1].fen;
            p.played = positions[k - 1].played;
            p.played.push_back(game.moves[k - 1]);
        } else if (p.askable) {
            p.fen = uci_fen(*board, p.redToMove);
        }
        if (k == count) break;
        const PlayedMove& m = game.moves[k];
        lastMoverRed = *nextMoverRed;
        board->駒移動(m.fromX, m.fromY, m.toX, m.toY, board->piece_at(m.fromX, m.fromY));
    }
    return positions;
}

ReviewSession::ReviewSession(EngineProcess& process, std::string command, int nodes)
    : client_(process, std::move(command)) {
    settings_.limit = EngineSettings::Limit::Nodes;
    settings_.amount = nodes;
    settings_.answerBoundMs = AnswerBoundMs;
    settings_.analysis = true;
    client_.answered = [this](const EngineAnswer& answer) { answer_received(answer); };
}

bool ReviewSession::start(const ReviewGame& game) {
    stop();
    std::optional<std::vector<ReviewPosition>> positions = review_positions(game);
    if (!positions) return false;
    positions_ = std::move(*positions);
    moves_ = game.moves;
    values_.clear();
    judgements_.clear();
    running_ = true;
    ++round_;
    review_next();
    return true;
}

void ReviewSession::stop() {
    ++round_;
    if (!running_) return;
    running_ = false;
    client_.stop();
}

// Positions the engine is not asked about are recorded at once; the loop
// ends at the first question, which the answer event takes on.
void ReviewSession::review_next() {
    while (running_) {
        if (done() == total()) return end(EngineFailure::None);
        const ReviewPosition& p = positions_[done()];
        if (p.askable && !p.settled) {
            client_.think(p.fen, settings_, p.played);
            return;
        }
        PositionValue value;
        value.index = done();
        value.redToMove = p.redToMove;
        if (p.settled) value.valued = true, value.expected = *p.settled;
        if (!record(std::move(value))) return;
    }
}

// The client drops the answers of stopped searches itself; an answer while
// no review runs can only be one the client gave before the stop.
void ReviewSession::answer_received(const EngineAnswer& answer) {
    if (!running_) return;
    if (!answer.ok()) return end(answer.failure);
    PositionValue value;
    value.index = done();
    value.redToMove = positions_[done()].redToMove;
    value.analysis = answer.analysis;
    if (const std::optional<double> expected = expected_score(answer.analysis)) {
        value.valued = true;
        value.expected = *expected;
    }
    PlayedMove best{};
    if (read_uci_move(answer.move, answer.firstRank, best.fromX, best.fromY, best.toX, best.toY))
        value.best = best;
    value.line = read_line(answer.analysis.pv, answer.firstRank);
    if (value.line.empty() && value.best) value.line.push_back(*value.best);
    if (record(std::move(value))) review_next();
}

// The callbacks get copies: one that starts another review clears the lists.
bool ReviewSession::record(PositionValue value) {
    const int round = round_;
    values_.push_back(std::move(value));
    if (positionReviewed) positionReviewed(PositionValue(values_.back()));
    if (round != round_) return false;
    const int ply = done() - 1;
    if (ply == 0) return true;
    judgements_.push_back(judge(ply));
    if (moveJudged) moveJudged(MoveJudgement(judgements_.back()));
    return round == round_;
}

MoveJudgement ReviewSession::judge(int ply) const {
    const PositionValue& before = values_[ply - 1];
    const PositionValue& after = values_[ply];
    MoveJudgement j;
    j.ply = ply;
    j.move = moves_[ply - 1];
    j.redMoved = before.redToMove;
    j.best = before.best;
    j.line = before.line;
    j.engineBest = before.best && same_move(*before.best, j.move);
    j.judged = before.valued && after.valued;
    if (!j.judged) return j;
    j.before = before.expected;
    j.after = after.redToMove == j.redMoved ? after.expected : 1 - after.expected;
    j.mark = mark_move(j.before, j.after, j.engineBest);
    return j;
}

void ReviewSession::end(EngineFailure failure) {
    running_ = false;
    if (finished) finished(failure);
}

}  // namespace zenko
