// The board model: the starting position and the board change of a move.
#include "rules/engine.h"

namespace zenko {

namespace {

// The starting position, one row per group of squares.
struct Placement {
    int code;
    int files[5];  // 0 ends the list
    int rank;
};

constexpr Placement StartingPieces[] = {
    {ComChariot, {1, 9}, 1},
    {ComHorse, {2, 8}, 1},
    {ComElephant, {3, 7}, 1},
    {ComAdvisor, {4, 6}, 1},
    {ComGeneral, {5}, 1},
    {ComCannon, {2, 8}, 3},
    {ComSoldier, {1, 3, 5, 7, 9}, 4},
    {ManSoldier, {1, 3, 5, 7, 9}, 7},
    {ManCannon, {2, 8}, 8},
    {ManChariot, {1, 9}, 10},
    {ManHorse, {2, 8}, 10},
    {ManElephant, {3, 7}, 10},
    {ManAdvisor, {4, 6}, 10},
    {ManGeneral, {5}, 10},
};

}  // namespace

void Engine::初期配置() {
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y) Board[x][y] = PieceEmpty;
    for (const Placement& p : StartingPieces)
        for (int file : p.files)
            if (file != 0) Board[file][p.rank] = p.code;
    ComGeneralX = 5, ComGeneralY = 1;
    ManGeneralX = 5, ManGeneralY = 10;
}

// Only the MAN general's square is followed here; the survey that runs after
// every move played recomputes both general squares.
void Engine::駒移動(int fromX, int fromY, int toX, int toY, int piece) {
    Board[fromX][fromY] = PieceEmpty;
    Board[toX][toY] = piece;
    if (piece == ManGeneral) ManGeneralX = toX, ManGeneralY = toY;
}

namespace {

// Plays one move, counts the tree below it and takes the move back. Both
// general squares follow their general; a captured general's square is kept.
long long perft_after(Engine& engine, int x1, int y1, int x2, int y2, int depth, bool manToMove) {
    auto& board = engine.Board;
    const int moving = board[x1][y1], captured = board[x2][y2];
    const int comX = engine.ComGeneralX, comY = engine.ComGeneralY;
    const int manX = engine.ManGeneralX, manY = engine.ManGeneralY;
    board[x1][y1] = PieceEmpty;
    board[x2][y2] = moving;
    if (moving == ComGeneral) engine.ComGeneralX = x2, engine.ComGeneralY = y2;
    if (moving == ManGeneral) engine.ManGeneralX = x2, engine.ManGeneralY = y2;
    const long long leaves = engine.perft(depth, manToMove);
    board[x2][y2] = captured;
    board[x1][y1] = moving;
    engine.ComGeneralX = comX, engine.ComGeneralY = comY;
    engine.ManGeneralX = manX, engine.ManGeneralY = manY;
    return leaves;
}

}  // namespace

long long Engine::perft(int depth, bool manToMove) {
    if (depth <= 0) return 1;
    long long leaves = 0;
    for (int x1 = 1; x1 <= BoardFiles; ++x1)
        for (int y1 = 1; y1 <= BoardRanks; ++y1) {
            const int piece = Board[x1][y1];
            if (manToMove ? piece >= 0 : piece <= 0) continue;
            for (int x2 = 1; x2 <= BoardFiles; ++x2)
                for (int y2 = 1; y2 <= BoardRanks; ++y2) {
                    if (移動チェック(x1, y1, x2, y2, piece) != FlagOn) continue;
                    leaves += depth == 1 ? 1 : perft_after(*this, x1, y1, x2, y2, depth - 1, !manToMove);
                }
        }
    return leaves;
}

}  // namespace zenko
