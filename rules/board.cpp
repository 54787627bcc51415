// The board model: the starting position and the board change of a move.
#include <cassert>

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
    Board = {};
    for (const Placement& p : StartingPieces)
        for (int file : p.files)
            if (file != 0) Board[file][p.rank] = p.code;
    ComGeneralX = PalaceCentreFile, ComGeneralY = 1;
    ManGeneralX = PalaceCentreFile, ManGeneralY = BoardRanks;
}

void Engine::駒移動(int fromX, int fromY, int toX, int toY, int piece) {
    assert(on_board(fromX, fromY) && on_board(toX, toY));
    Board[fromX][fromY] = PieceEmpty;
    Board[toX][toY] = piece;
    note_general(piece, toX, toY);
}

void Engine::take_back(int fromX, int fromY, int toX, int toY, int piece, int captured) {
    assert(on_board(fromX, fromY) && on_board(toX, toY));
    Board[fromX][fromY] = piece;
    Board[toX][toY] = captured;
    note_general(piece, fromX, fromY);
    note_general(captured, toX, toY);
}

void Engine::反転() {
    const BoardArray before = Board;
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y) Board[BoardFiles + 1 - x][BoardRanks + 1 - y] = -before[x][y];
    const Square com = com_general(), man = man_general();
    ComGeneralX = BoardFiles + 1 - man.x, ComGeneralY = BoardRanks + 1 - man.y;
    ManGeneralX = BoardFiles + 1 - com.x, ManGeneralY = BoardRanks + 1 - com.y;
}

void Engine::put_piece(int x, int y, int code) {
    assert(on_board(x, y));
    Board[x][y] = code;
    note_general(code, x, y);
}

// Each side in turn plays every move the generator yields (both general
// squares follow their general; a captured general's square is kept). The
// last ply only counts the moves.
long long Engine::perft(int depth, bool manToMove) {
    if (depth <= 0) return 1;
    long long leaves = 0;
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y) {
            const int piece = Board[x][y];
            if (manToMove ? piece >= 0 : piece <= 0) continue;
            Square to[MaxDestinations];
            const int count = legal_destinations(x, y, piece, to);
            if (depth == 1) {
                leaves += count;
                continue;
            }
            for (int i = 0; i < count; ++i) {
                const TrialMove move(*this, x, y, to[i].x, to[i].y, Generals::Follow);
                leaves += perft(depth - 1, !manToMove);
            }
        }
    return leaves;
}

}  // namespace zenko
