// Check and mate. Check is read from the influence tables of the last
// survey; the mate tests try the general's escapes and, for every other
// piece, only the moves onto the squares marked as part of a check.
#include "rules/engine.h"

namespace zenko {
namespace {

bool is_man_defender(int code) { return code >= ManHorse && code <= ManSoldier; }
bool is_com_defender(int code) { return code >= ComSoldier && code <= ComHorse; }

// Whether the MAN general can step to a square no COM piece reaches.
bool man_general_escapes(Engine& e) {
    const auto [gx, gy] = e.man_general();
    for (int x = gx - 1; x <= gx + 1; ++x)
        for (int y = gy - 1; y <= gy + 1; ++y)
            if (e.移動チェック(gx, gy, x, y, ManGeneral) == FlagOn && e.com_influence()[x][y] == 0)
                return true;
    return false;
}

bool com_general_escapes(Engine& e) {
    const auto [gx, gy] = e.com_general();
    for (int x = gx - 1; x <= gx + 1; ++x)
        for (int y = gy - 1; y <= gy + 1; ++y) {
            if (!on_board(x, y)) continue;
            if (e.移動チェック(gx, gy, x, y, ComGeneral) == FlagOn && e.man_influence()[x][y] == 0)
                return true;
        }
    return false;
}

// Whether the MAN piece on (x1, y1) can move onto a marked square after
// which no COM piece can take the MAN general.
bool man_piece_defends(Engine& e, int x1, int y1) {
    return !e.for_each_legal_move_from(x1, y1, [&](const Move& m) {
        if (e.man_general_check()[m.toX][m.toY] <= 0) return true;
        const Engine::TrialMove trial(e, x1, y1, m.toX, m.toY);
        return e.詰めかMAN_COM移動() != FlagOff;
    });
}

// Whether the COM piece on (x1, y1) can move onto one of the marked squares
// after which no MAN piece reaches the COM general. Each trial reruns the
// survey, which rewrites the check marks, so the marks of the position under
// test are passed in.
bool com_piece_defends(Engine& e, int x1, int y1, const SquareTable<int>& marks) {
    return !e.for_each_legal_move_from(x1, y1, [&](const Move& m) {
        if (marks[m.toX][m.toY] <= 0) return true;
        const Engine::TrialMove trial(e, x1, y1, m.toX, m.toY);
        e.勢力調査();
        const Square general = e.com_general();
        return e.man_influence()[general.x][general.y] != 0;
    });
}

}  // namespace

int Engine::詰めかMAN_COM移動() const {
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y)
            if (Board[x][y] >= ComSoldier &&
                移動チェック(x, y, ManGeneralX, ManGeneralY, Board[x][y]) == FlagOn)
                return FlagOn;
    return FlagOff;
}

int Engine::詰めかMAN() {
    if (ComInfluence[ManGeneralX][ManGeneralY] == 0) return FlagOff;
    if (man_general_escapes(*this)) return FlagOff;
    for (int x1 = 1; x1 <= BoardFiles; ++x1)
        for (int y1 = 1; y1 <= BoardRanks; ++y1)
            if (is_man_defender(Board[x1][y1]) && man_piece_defends(*this, x1, y1)) return FlagOff;
    return FlagOn;
}

// Leaves the influence tables of the last position it tried behind.
int Engine::詰めかCOM() {
    if (ManInfluence[ComGeneralX][ComGeneralY] == 0) return FlagOff;
    if (com_general_escapes(*this)) return FlagOff;
    SquareTable<int> marks;
    for (int x = 0; x <= BoardFiles; ++x)
        for (int y = 0; y <= BoardRanks; ++y) marks[x][y] = ComGeneralCheck[x][y];
    for (int x1 = 1; x1 <= BoardFiles; ++x1)
        for (int y1 = 1; y1 <= BoardRanks; ++y1)
            if (is_com_defender(Board[x1][y1]) && com_piece_defends(*this, x1, y1, marks)) return FlagOff;
    return FlagOn;
}

}  // namespace zenko
