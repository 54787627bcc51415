// The move generator against the legality test it stands for, and perft
// anchored to the standard counts of Xiangqi with an attack test of its own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "test_positions.h"

namespace zenko::testing {
namespace {

std::vector<Move> generated_moves(const Engine& engine, bool manSide) {
    std::vector<Move> moves;
    engine.for_each_legal_move(!manSide, [&](const zenko::Move& m) {
        EXPECT_EQ(m.piece, engine.piece_at(m.fromX, m.fromY));
        moves.push_back({m.fromX, m.fromY, m.toX, m.toY});
    });
    return moves;
}

bool same_moves(const std::vector<Move>& a, const std::vector<Move>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].fromX != b[i].fromX || a[i].fromY != b[i].fromY || a[i].toX != b[i].toX ||
            a[i].toY != b[i].toY)
            return false;
    return true;
}

std::vector<std::string> recorded_positions() {
    std::ifstream in(ZENKO_SOURCE_DIR "/tests/engine/fixtures/engine_positions.txt");
    std::vector<std::string> fens;
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) fens.push_back(line);
    return fens;
}

// Both sides, in the recorded positions (odd ones from the tests among them)
// and along random games: the same moves in the same order as asking
// 移動チェック about every square.
TEST(MoveGeneration, YieldsExactlyWhatTheLegalityTestAllowsInScanOrder) {
    const auto fens = recorded_positions();
    ASSERT_GT(fens.size(), 300u);
    for (const std::string& fen : fens) {
        Engine engine;
        load_fen(engine, fen);
        for (bool man : {true, false})
            EXPECT_TRUE(same_moves(generated_moves(engine, man), legal_moves(engine, man))) << fen;
    }
    for_random_positions(9, 20, 120, [](Engine& engine, bool manToMove) {
        ASSERT_TRUE(same_moves(generated_moves(engine, manToMove), legal_moves(engine, manToMove)));
    });
}

// The evaluation asks about a piece that has left its square; the generator
// answers for the piece asked about, as 移動チェック does.
TEST(MoveGeneration, AnswersForTheNamedPieceOnAnySquare) {
    Engine engine;
    load_fen(engine, MiddlegameFen);
    for (int code = ManGeneral; code <= ComGeneral; ++code) {
        if (code == PieceEmpty) continue;
        for (int x = 1; x <= BoardFiles; ++x)
            for (int y = 1; y <= BoardRanks; ++y) {
                Square to[Engine::MaxDestinations];
                const int count = engine.legal_destinations(x, y, code, to);
                std::vector<Square> expected;
                for (int tx = 1; tx <= BoardFiles; ++tx)
                    for (int ty = 1; ty <= BoardRanks; ++ty)
                        if (engine.移動チェック(x, y, tx, ty, code) == FlagOn) expected.push_back({tx, ty});
                ASSERT_EQ(std::vector<Square>(to, to + count), expected) << code << " on " << x << "," << y;
            }
    }
}

// ---- Perft with the moves that leave the mover's general attacked left out ----

// Whether a piece of the given side attacks (x, y): read straight from the
// board by the rules of the game, apart from the engine's own tests. Facing
// generals count as an attack along the file.
bool attacked(const BoardArray& board, int x, int y, bool byCom) {
    const int sign = byCom ? 1 : -1;
    auto enemy = [&](int px, int py, int kind) { return on_board(px, py) && board[px][py] == sign * kind; };
    for (const auto& [dx, dy] : {std::pair{0, 1}, {0, -1}, {1, 0}, {-1, 0}}) {
        int i = x + dx, j = y + dy, seen = 0;
        for (; on_board(i, j); i += dx, j += dy) {
            if (board[i][j] == PieceEmpty) continue;
            if (seen == 0 &&
                (board[i][j] == sign * ComChariot || (dx == 0 && board[i][j] == sign * ComGeneral)))
                return true;
            if (seen == 1 && board[i][j] == sign * ComCannon) return true;
            if (++seen == 2) break;
        }
    }
    for (const auto& [dx, dy] :
         {std::pair{1, 2}, {1, -2}, {-1, 2}, {-1, -2}, {2, 1}, {2, -1}, {-2, 1}, {-2, -1}}) {
        const int hx = x + dx, hy = y + dy;  // a horse there jumps by (-dx, -dy)
        const int legX = std::abs(dx) == 2 ? hx - dx / 2 : hx, legY = std::abs(dy) == 2 ? hy - dy / 2 : hy;
        if (enemy(hx, hy, ComHorse) && board[legX][legY] == PieceEmpty) return true;
    }
    const int behind = byCom ? -1 : 1;  // the enemy soldier's square one step back from (x, y)
    if (enemy(x, y + behind, ComSoldier)) return true;
    const bool soldierCrossed = byCom ? y > LastComRank : y <= LastComRank;
    return soldierCrossed && (enemy(x - 1, y, ComSoldier) || enemy(x + 1, y, ComSoldier));
}

Square general_of(const BoardArray& board, bool com) {
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y)
            if (board[x][y] == (com ? ComGeneral : ManGeneral)) return {x, y};
    return {};
}

long long strict_perft(Engine& engine, int depth, bool manToMove) {
    if (depth == 0) return 1;
    long long leaves = 0;
    std::vector<zenko::Move> moves;
    engine.for_each_legal_move(!manToMove, [&](const zenko::Move& m) { moves.push_back(m); });
    for (const zenko::Move& m : moves) {
        const Engine::TrialMove trial(engine, m.fromX, m.fromY, m.toX, m.toY, Generals::Follow);
        const Square own = general_of(engine.board(), !manToMove);
        if (attacked(engine.board(), own.x, own.y, manToMove)) continue;
        leaves += strict_perft(engine, depth - 1, !manToMove);
    }
    return leaves;
}

TEST(StrictPerft, WithoutMovesIntoCheckMatchesTheStandardCounts) {
    Engine engine;
    engine.初期配置();
    const Position before(engine);
    EXPECT_EQ(strict_perft(engine, 1, true), 44);
    EXPECT_EQ(strict_perft(engine, 2, true), 1920);
    EXPECT_EQ(strict_perft(engine, 3, true), 79666);
    EXPECT_EQ(Position(engine), before);
}

// The attack test itself on hand-built positions.
TEST(StrictPerft, AttackTestSeesEachKindOfAttacker) {
    struct Row {
        const char* fen;
        bool attacked;
    };
    const Row rows[] = {
        {"4k4/9/9/9/9/9/9/9/9/4K4", true},         // facing generals
        {"4k4/9/9/9/9/9/9/4P4/9/4K4", false},      // a screen between them
        {"3k5/9/9/9/9/9/9/9/9/r3K4", true},        // chariot along the rank
        {"3k5/9/9/9/4c4/9/9/4P4/9/4K4", true},     // cannon over one screen
        {"3k5/9/9/9/4c4/9/4p4/4P4/9/4K4", false},  // cannon over two screens
        {"3k5/9/9/9/9/9/9/9/5n3/4K4", false},      // a horse one step diagonally
        {"3k5/9/9/9/9/9/9/5n3/9/4K4", true},       // a horse's jump
        {"3k5/9/9/9/9/9/9/5n3/4P4/4K4", true},     // a piece beside the leg
        {"3k5/9/9/9/9/9/9/5n3/5P3/4K4", false},    // the leg (6,9) blocked
        {"3k5/9/9/9/9/9/9/9/4p4/4K4", true},       // a soldier in front
        {"3k5/9/9/9/9/9/9/9/9/3pK4", true},        // a crossed soldier beside
    };
    for (const Row& row : rows) {
        Engine engine;
        load_fen(engine, row.fen);
        EXPECT_EQ(attacked(engine.board(), 5, 10, true), row.attacked) << row.fen;
    }
}

}  // namespace
}  // namespace zenko::testing
