#include "record/review_notes.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "record/formats/notation.h"
#include "rules/engine.h"

namespace zenko {

namespace {

constexpr std::string_view EvalOpening = "[%eval ";
constexpr std::string_view BestOpening = " 最善: ";
constexpr std::size_t ShownLine = 5;  // moves of the engine's line a record keeps

// PGN's NAGs for ?!, ? and ??, by the marks' order.
constexpr int MarkNags[] = {0, 6, 2, 4};

int mark_of_nag(int nag) {
    for (int mark = MarkInaccuracy; mark <= MarkBlunder; ++mark)
        if (MarkNags[mark] == nag) return mark;
    return NoReviewMark;
}

Engine position_of(const BoardArray& board) {
    Engine position;
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y) position.put_piece(x, y, board[x][y]);
    return position;
}

std::string line_text(const formats::GameRecord& game, std::size_t ply, const std::vector<ReviewMove>& line) {
    std::string text;
    for (const std::string& move :
         line_texts(formats::board_after(game, ply), line, formats::Notation::Chinese, ShownLine))
        text += (text.empty() ? "" : " ") + move;
    return text;
}

std::string review_comment(const ReviewedPosition& p, const std::string& best, const std::string& comment) {
    std::string text;
    if (p.valued) {
        char value[16];
        std::snprintf(value, sizeof value, "%.3f", p.redExpected);
        text = std::string(EvalOpening) + value + "]";
    }
    if (!best.empty())
        text += (text.empty() ? std::string(BestOpening.substr(1)) : std::string(BestOpening)) + best;
    if (text.empty()) return comment;
    return comment.empty() ? text : text + "\n" + comment;
}

// The moves of `words` read one after another from the position after `ply`.
std::vector<ReviewMove> read_line(const formats::GameRecord& game, std::size_t ply, std::string_view words) {
    bool redToMove = true;
    Engine position = position_of(formats::board_after(game, ply, &redToMove));
    std::vector<ReviewMove> line;
    while (!words.empty()) {
        const std::size_t space = words.find(' ');
        const std::string_view word = words.substr(0, space);
        words = space == std::string_view::npos ? std::string_view() : words.substr(space + 1);
        if (word.empty()) continue;
        const formats::ReadMove m = formats::read_move(position, redToMove, word);
        if (m.status != formats::ReadStatus::Ok) break;
        line.push_back({m.fromX, m.fromY, m.toX, m.toY});
        position.駒移動(m.fromX, m.fromY, m.toX, m.toY, position.piece_at(m.fromX, m.fromY));
        redToMove = !redToMove;
    }
    return line;
}

// Reads the review's part of one comment into `p` and leaves the rest of
// the comment; false when the comment holds none.
bool read_comment(std::string& comment, ReviewedPosition& p, std::string_view& best) {
    if (comment.rfind(EvalOpening, 0) != 0 && comment.rfind(BestOpening.substr(1), 0) != 0) return false;
    const std::size_t end = comment.find('\n');
    const std::string_view part = std::string_view(comment).substr(0, end);
    std::string_view rest = part;
    if (rest.rfind(EvalOpening, 0) == 0) {
        const std::size_t close = rest.find(']');
        if (close == std::string_view::npos) return false;
        double value = 0;
        if (std::sscanf(std::string(rest.substr(EvalOpening.size(), close - EvalOpening.size())).c_str(),
                        "%lf", &value) != 1 ||
            !(value >= 0 && value <= 1))
            return false;
        p.valued = true;
        p.redExpected = value;
        rest.remove_prefix(close + 1);
    }
    const std::string_view bestOpening =
        rest.rfind(BestOpening, 0) == 0 ? BestOpening : BestOpening.substr(1);
    if (rest.rfind(bestOpening, 0) == 0)
        best = rest.substr(bestOpening.size());
    else if (!rest.empty())
        return false;
    return true;
}

}  // namespace

std::vector<std::string> line_texts(const BoardArray& before, const std::vector<ReviewMove>& line,
                                    formats::Notation notation, std::size_t most) {
    Engine position = position_of(before);
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < line.size() && i < most; ++i) {
        const ReviewMove& m = line[i];
        const int piece = position.piece_at(m.fromX, m.fromY);
        if (piece == PieceEmpty) break;
        texts.push_back(formats::move_text(position, m.fromX, m.fromY, m.toX, m.toY, notation));
        position.駒移動(m.fromX, m.fromY, m.toX, m.toY, piece);
    }
    return texts;
}

void write_review(formats::GameRecord& game, const std::vector<ReviewedPosition>& review) {
    if (review.empty()) return;
    game.startComment = review_comment(review.front(), "", game.startComment);
    for (std::size_t n = 1; n < review.size() && n <= game.moves.size(); ++n) {
        const ReviewedPosition& p = review[n];
        formats::RecordedMove& move = game.moves[n - 1];
        const bool marked = p.mark >= MarkInaccuracy && p.mark <= MarkBlunder;
        if (marked) move.nag = MarkNags[p.mark];
        const std::string best = marked ? line_text(game, n - 1, review[n - 1].line) : "";
        move.comment = review_comment(p, best, move.comment);
    }
}

std::vector<ReviewedPosition> take_review_out(formats::GameRecord& game) {
    std::vector<ReviewedPosition> review(game.moves.size() + 1);
    std::vector<std::string_view> best(review.size());
    std::vector<char> holds(review.size(), 0);
    std::vector<std::string> comments;
    comments.push_back(game.startComment);
    for (const formats::RecordedMove& m : game.moves) comments.push_back(m.comment);
    std::size_t reviewed = 0;
    for (std::size_t n = 0; n < comments.size(); ++n)
        if ((holds[n] = read_comment(comments[n], review[n], best[n]))) reviewed = n + 1;
    if (reviewed == 0) return {};
    review.resize(reviewed);
    for (std::size_t n = 0; n < reviewed; ++n) {
        if (!holds[n]) continue;
        std::string& comment = n == 0 ? game.startComment : game.moves[n - 1].comment;
        const std::size_t end = comment.find('\n');
        comment = end == std::string::npos ? "" : comment.substr(end + 1);
        if (n == 0) continue;
        review[n].mark = mark_of_nag(game.moves[n - 1].nag);
        // The better line belongs to the position before the move.
        if (!best[n].empty()) review[n - 1].line = read_line(game, n - 1, best[n]);
    }
    return review;
}

}  // namespace zenko
