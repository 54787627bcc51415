// Positions for the engine tests, written as Xiangqi FEN: ranks from the top
// (y = 1) down, squares from the left (x = 1); lowercase letters are COM
// pieces, uppercase MAN pieces.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "rules/engine.h"

namespace zenko::testing {

inline const std::string StartFen = "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR w";
// Both generals on file 5 behind their cannons; every kind of piece still on the board.
inline const std::string MiddlegameFen = "2bakab1r/9/1cn1c1n2/p1p1p3p/6p2/2P6/P3P1P1P/1CN1C1N2/9/R1BAKAB1R w";

// Sets the engine to the position; fails the test when the FEN is refused.
inline void load_fen(Engine& engine, const std::string& fen) {
    ASSERT_TRUE(engine.set_fen(fen)) << "FEN refused: " << fen;
}

// The board and the four general squares, to check that a procedure which
// only asks questions leaves the position as it found it.
struct Position {
    BoardArray board{};
    int comX = 0, comY = 0, manX = 0, manY = 0;

    explicit Position(const Engine& engine)
        : board(engine.board()),
          comX(engine.com_general().x),
          comY(engine.com_general().y),
          manX(engine.man_general().x),
          manY(engine.man_general().y) {}

    bool operator==(const Position& other) const = default;

    // Ten rows of codes, so a failing comparison shows both boards.
    friend void PrintTo(const Position& p, std::ostream* out) {
        *out << "generals COM (" << p.comX << "," << p.comY << ") MAN (" << p.manX << "," << p.manY << ")";
        for (int y = 1; y <= BoardRanks; ++y) {
            *out << "\n ";
            for (int x = 1; x <= BoardFiles; ++x)
                *out << ' ' << (p.board[x][y] >= 0 ? " " : "") << p.board[x][y];
        }
    }
};

}  // namespace zenko::testing

// ---- The computer player: recording a search, random legal play ----
#include <vector>

namespace zenko::testing {

// One scored candidate of a search, as the search reported it.
struct Candidate {
    int fromX, fromY, toX, toY;
    Score score;
};

// Records the columns scanned and the candidates scored, in order.
class SearchRecorder : public SearchObserver {
public:
    std::vector<int> columns;
    std::vector<Candidate> candidates;

    void column_started(int x) override { columns.push_back(x); }
    void candidate_scored(int fromX, int fromY, int toX, int toY, Score score) override {
        candidates.push_back({fromX, fromY, toX, toY, score});
    }
};

struct Move {
    int fromX, fromY, toX, toY;
};

// Every legal move of one side, in board scan order.
inline std::vector<Move> legal_moves(Engine& engine, bool manSide) {
    std::vector<Move> moves;
    for (int x1 = 1; x1 <= BoardFiles; ++x1)
        for (int y1 = 1; y1 <= BoardRanks; ++y1) {
            const int piece = engine.piece_at(x1, y1);
            if (manSide ? piece >= 0 : piece <= 0) continue;
            for (int x2 = 1; x2 <= BoardFiles; ++x2)
                for (int y2 = 1; y2 <= BoardRanks; ++y2)
                    if (engine.移動チェック(x1, y1, x2, y2, piece) == FlagOn)
                        moves.push_back({x1, y1, x2, y2});
        }
    return moves;
}

// Plays a move as a game does: the board change, then the survey that
// follows every move and brings the general squares up to date.
inline void play(Engine& engine, const Move& m) {
    engine.駒移動(m.fromX, m.fromY, m.toX, m.toY, engine.piece_at(m.fromX, m.fromY));
    engine.勢力調査();
}

}  // namespace zenko::testing

#include <random>

namespace zenko::testing {

// Visits the positions of random legal games from the start (fixed seed):
// visit(engine, manToMove) sees each position before its move is chosen.
// A game ends after `plies` moves, when the side to move has no move, or
// after the position in which a general has just been taken.
template <typename Visit>
void for_random_positions(unsigned seed, int games, int plies, Visit visit) {
    std::mt19937 random(seed);
    for (int game = 0; game < games; ++game) {
        Engine engine;
        engine.初期配置();
        engine.勢力調査();
        bool manToMove = true;
        for (int ply = 0; ply < plies; ++ply) {
            visit(engine, manToMove);
            if (::testing::Test::HasFatalFailure()) return;
            const std::vector<Move> moves = legal_moves(engine, manToMove);
            if (moves.empty()) break;
            const Move m = moves[random() % moves.size()];
            const bool takesGeneral = engine.piece_at(m.toX, m.toY) == (manToMove ? ComGeneral : ManGeneral);
            play(engine, m);
            manToMove = !manToMove;
            if (takesGeneral) {
                visit(engine, manToMove);
                break;
            }
        }
    }
}

}  // namespace zenko::testing

namespace zenko::testing {

// Loads a position and makes it the pre-move board as well, as if it had
// stood unchanged since the computer's last turn: surveys then classify
// attacks by what stands on the board.
inline void load_settled(Engine& engine, const std::string& fen) {
    load_fen(engine, fen);
    engine.settle_before_move();
}

}  // namespace zenko::testing
