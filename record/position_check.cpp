#include "record/position_check.h"

#include <iterator>

#include "record/formats/notation_tables.h"
#include "rules/engine.h"

namespace zenko {

namespace {

using formats::BottomArmyNames;
using formats::KanjiNumerals;
using formats::kind_of;
using formats::TopArmyNames;

// The points of the top army; the bottom army's are the same turned over
// the river (rank y becomes 11 - y).
constexpr Square AdvisorPoints[] = {{4, 1}, {6, 1}, {5, 2}, {4, 3}, {6, 3}};
constexpr Square ElephantPoints[] = {{3, 1}, {7, 1}, {1, 3}, {5, 3}, {9, 3}, {3, 5}, {7, 5}};
constexpr int TopSoldierStartRank = 4;

// How many of each kind (by the kind's code, soldier 1 ... general 7) the full set has.
constexpr int FullSet[] = {0, 5, 2, 2, 2, 2, 2, 1};

// The rank of a square as the top army's tables hold it.
constexpr int top_rank(bool top, int y) { return top ? y : BoardRanks + 1 - y; }

template <std::size_t N>
bool on_points(const Square (&points)[N], bool top, int x, int y) {
    for (const Square& point : points)
        if (point.x == x && point.y == top_rank(top, y)) return true;
    return false;
}

bool in_palace(bool top, int x, int y) {
    const int rank = top_rank(top, y);
    return x >= PalaceLeftFile && x <= PalaceRightFile && rank >= ComPalaceTop && rank <= ComPalaceBottom;
}

std::string army(bool top) { return top ? "上の" : "下の"; }
std::string name(bool top, int kind) { return top ? TopArmyNames[kind] : BottomArmyNames[kind]; }

PositionCheck fault(PositionFault kind, std::string text) { return {kind, std::move(text)}; }

// A piece on a point its kind never reaches, or behind where it starts.
PositionCheck check_piece_place(int code, int x, int y) {
    const bool top = code > 0;
    const int kind = kind_of(code);
    if (kind == ComGeneral && !in_palace(top, x, y))
        return fault(PositionFault::GeneralOutsidePalace,
                     army(top) + name(top, kind) + "は九宮の中に置いて下さい");
    if (kind == ComAdvisor && !on_points(AdvisorPoints, top, x, y))
        return fault(PositionFault::AdvisorOffItsPoints,
                     army(top) + name(top, kind) + "は九宮の五つの点にしか置けません");
    if (kind == ComElephant && !on_points(ElephantPoints, top, x, y))
        return fault(PositionFault::ElephantOffItsPoints,
                     army(top) + name(top, kind) + "は自陣の七つの点にしか置けません");
    if (kind == ComSoldier && top_rank(top, y) < TopSoldierStartRank)
        return fault(PositionFault::SoldierBehindItsStart,
                     army(top) + name(top, kind) + "は最初の段より後ろに置けません");
    return {};
}

bool generals_face(const BoardArray& board, Square top, Square bottom) {
    if (top.x != bottom.x) return false;
    for (int y = top.y + 1; y < bottom.y; ++y)
        if (board[top.x][y] != PieceEmpty) return false;
    return true;
}

}  // namespace

PositionCheck check_position(const BoardArray& board, bool topToMove) {
    int count[2][std::size(FullSet)] = {};  // [top][kind]
    Square general[2] = {};
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y) {
            const int code = board[x][y];
            if (code == PieceEmpty) continue;
            const bool top = code > 0;
            ++count[top][kind_of(code)];
            if (kind_of(code) == ComGeneral) general[top] = {x, y};
        }
    for (const bool top : {true, false})
        if (count[top][ComGeneral] != 1)
            return fault(PositionFault::GeneralCount,
                         army(top) + name(top, ComGeneral) + "を一つ置いて下さい");
    for (const bool top : {true, false})
        for (int kind = ComSoldier; kind < ComGeneral; ++kind)
            if (count[top][kind] > FullSet[kind])
                return fault(PositionFault::TooManyOfAKind, army(top) + name(top, kind) + "は" +
                                                                KanjiNumerals[FullSet[kind]] + "つまでです");
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y)
            if (board[x][y] != PieceEmpty)
                if (PositionCheck placed = check_piece_place(board[x][y], x, y); !placed.good())
                    return placed;
    // Both generals stand in their palaces now: the top one above the other.
    if (generals_face(board, general[true], general[false]))
        return fault(PositionFault::GeneralsFacing, "将と師が間に駒のない筋で向かい合っています");
    Engine position;
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y) position.put_piece(x, y, board[x][y]);
    const bool waitingTop = !topToMove;
    if (position.general_attacked(waitingTop))
        return fault(PositionFault::GeneralCapturable,
                     "手番でない" + army(waitingTop) + name(waitingTop, ComGeneral) + "が取られる形です");
    return {};
}

}  // namespace zenko
