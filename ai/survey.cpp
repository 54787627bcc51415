// The influence survey: which squares each side reaches, which pieces are
// attacked or guarded and by what, and the squares a check runs through.
// Every registration makes its temporary board change and undoes it before
// the next one, so the board is the same after a survey as before.
#include <algorithm>
#include <cstdlib>

#include "rules/engine.h"

namespace zenko {
namespace {

// Cleared values of the attacker and guard tables: "nobody reaches it".
constexpr int NoManAttacker = -999;
constexpr int NoComAttacker = 999;
constexpr int NoComGuard = 999;

// Check marks: the square of a checking piece, and a square a chariot's
// check runs through.
constexpr int CheckerMark = 9;
constexpr int CheckLineMark = 1;

struct Step {
    int dx, dy;
};

// Candidate squares of the step pieces, in registration order; the order
// decides which of two equal attackers the tables keep.
constexpr Step GeneralSteps[] = {{0, -1}, {0, 1}, {1, 0}, {-1, 0}, {-1, -1}, {-1, 1}, {1, -1}, {1, 1}};
constexpr Step HorseJumps[] = {{-1, -2}, {-1, 2}, {-2, -1}, {-2, 1}, {1, -2}, {1, 2}, {2, -1}, {2, 1}};
constexpr Step ElephantSteps[] = {{-2, -2}, {-2, 2}, {2, -2}, {2, 2}};
constexpr Step AdvisorSteps[] = {{-1, -1}, {-1, 1}, {1, -1}, {1, 1}};

template <typename T>
void fill(SquareTable<T>& table, T value) {
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y) table[x][y] = value;
}

int sign(int v) { return (v > 0) - (v < 0); }

// Marks with `mark` the squares strictly between (x, y) and (gx, gy), which
// share a file or a rank; with emptyOnly, occupied squares are skipped.
void mark_between(const Engine& e, SquareTable<int>& marks, int x, int y, int gx, int gy, int mark,
                  bool emptyOnly) {
    const int dx = sign(gx - x), dy = sign(gy - y);
    for (int i = x + dx, j = y + dy; i != gx || j != gy; i += dx, j += dy)
        if (!emptyOnly || e.piece_at(i, j) == PieceEmpty) marks[i][j] = mark;
}

void register_steps(Engine& e, int p, int x, int y, const Step* steps, int count) {
    for (int i = 0; i < count; ++i) {
        if (p < 0)
            e.勢力設定_MAN(x, y, x + steps[i].dx, y + steps[i].dy);
        else
            e.勢力設定_COM(x, y, x + steps[i].dx, y + steps[i].dy);
    }
}

template <int N>
void register_steps(Engine& e, int p, int x, int y, const Step (&steps)[N]) {
    register_steps(e, p, x, y, steps, N);
}

// A soldier steps forward, and sideways once across the river; on the far
// edge it can only step sideways.
void register_soldier(Engine& e, int p, int x, int y) {
    const bool man = p < 0;
    const int forward = man ? -1 : 1;
    const bool onFarEdge = man ? y == 1 : y == BoardRanks;
    const bool acrossRiver = man ? y <= LastComRank : y >= FirstManRank;
    Step steps[3];
    int count = 0;
    if (!onFarEdge) steps[count++] = {0, forward};
    if (onFarEdge || acrossRiver) {
        steps[count++] = {-1, 0};
        steps[count++] = {1, 0};
    }
    register_steps(e, p, x, y, steps, count);
}

// A cannon tries every square of its rank, then every square of its file.
void register_cannon(Engine& e, int p, int x, int y) {
    for (int i = 1; i <= BoardFiles; ++i) {
        if (p < 0)
            e.勢力設定_自炮(x, y, i, y);
        else
            e.勢力設定_敵砲(x, y, i, y);
    }
    for (int j = 1; j <= BoardRanks; ++j) {
        if (p < 0)
            e.勢力設定_自炮(x, y, x, j);
        else
            e.勢力設定_敵砲(x, y, x, j);
    }
}

void register_piece(Engine& e, int p, int x, int y) {
    switch (std::abs(p)) {
        case ComSoldier:
            return register_soldier(e, p, x, y);
        case ComAdvisor:
            return register_steps(e, p, x, y, AdvisorSteps);
        case ComCannon:
            return register_cannon(e, p, x, y);
        case ComElephant:
            return register_steps(e, p, x, y, ElephantSteps);
        case ComHorse:
            return register_steps(e, p, x, y, HorseJumps);
        case ComChariot:
            e.勢力確定下直進(p, x, y);
            e.勢力確定上直進(p, x, y);
            e.勢力確定右直進(p, x, y);
            e.勢力確定左直進(p, x, y);
            return;
        case ComGeneral:
            return register_steps(e, p, x, y, GeneralSteps);
        default:
            return;
    }
}

}  // namespace

void Engine::clear_survey_tables() {
    fill(ManInfluence, 0);
    fill(ComInfluence, 0);
    fill(ComGeneralCheck, 0);
    fill(ManGeneralCheck, 0);
    fill(ManAttackerX, 0);
    fill(ManAttackerY, 0);
    fill(ManAttacker, NoManAttacker);
    fill(ComAttacker, NoComAttacker);
    fill(ComGuard, NoComGuard);
}

// A MAN piece p on (x, y) reaches the COM piece on (tx, ty): keep the
// attacker closest to zero, the first one found among equals.
void Engine::note_man_attacker(int p, int x, int y, int tx, int ty) {
    if (ManAttacker[tx][ty] < p) {
        ManAttacker[tx][ty] = p;
        ManAttackerX[tx][ty] = x;
        ManAttackerY[tx][ty] = y;
    }
}

void Engine::note_com_attacker(int p, int x, int y, int tx, int ty) {
    if (ComAttacker[tx][ty] > p) {
        ComAttacker[tx][ty] = p;
        ComAttackerX[tx][ty] = x;
        ComAttackerY[tx][ty] = y;
    }
}

// Counts a legal MAN reach of (tx, ty). Attacks are classified by the board
// before the computer's move; the check mark goes on the piece's own square
// unless the caller marks the line itself (the MAN cannon).
void Engine::register_man_reach(int p, int x, int y, int tx, int ty, bool markChecker) {
    ManInfluence[tx][ty] += 1;
    const int before = BoardBeforeMove[tx][ty];
    if (before < ComSoldier) return;
    note_man_attacker(p, x, y, tx, ty);
    if (before == ComGeneral && markChecker) ComGeneralCheck[x][y] = CheckerMark;
}

void Engine::register_com_reach(int p, int x, int y, int tx, int ty) {
    ComInfluence[tx][ty] += 1;
    const int before = BoardBeforeMove[tx][ty];
    if (before >= ComSoldier) {
        ComGuard[tx][ty] = std::min(ComGuard[tx][ty], p);
    } else if (before <= ManSoldier) {
        note_com_attacker(p, x, y, tx, ty);
        if (before == ManGeneral) ManGeneralCheck[x][y] = CheckerMark;
    }
}

// One square of a chariot's ray, classified by the live board. Returns
// whether the ray goes on: past empty squares and through the enemy general,
// whose check it marks (1 on the squares between, 9 on the chariot).
bool Engine::register_ray_square(int p, int x, int y, int i, int j) {
    const int target = piece_at(i, j);
    if (p < 0) {
        ManInfluence[i][j] += 1;
        if (target >= ComSoldier) note_man_attacker(p, x, y, i, j);
        if (target == ComGeneral) {
            mark_between(*this, ComGeneralCheck, x, y, i, j, CheckLineMark, false);
            ComGeneralCheck[x][y] = CheckerMark;
        }
        return target == PieceEmpty || target == ComGeneral;
    }
    ComInfluence[i][j] += 1;
    if (target >= ComSoldier) ComGuard[i][j] = std::min(ComGuard[i][j], p);
    if (target <= ManSoldier) note_com_attacker(p, x, y, i, j);
    if (target == ManGeneral) {
        mark_between(*this, ManGeneralCheck, x, y, i, j, CheckLineMark, false);
        ManGeneralCheck[x][y] = CheckerMark;
    }
    return target == PieceEmpty || target == ManGeneral;
}

void Engine::register_ray(int p, int x, int y, int dx, int dy) {
    for (int i = x + dx, j = y + dy; on_board(i, j); i += dx, j += dy)
        if (!register_ray_square(p, x, y, i, j)) return;
}

// A general's square is taken from the board as the scan reaches it, so the
// pieces scanned before it test the facing rule against the square it had.
void Engine::勢力調査() {
    clear_survey_tables();
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y) {
            const int p = Board[x][y];
            if (p == PieceEmpty) continue;
            note_general(p, x, y);
            register_piece(*this, p, x, y);
        }
}

void Engine::勢力設定_MAN(int x, int y, int tx, int ty) {
    if (!on_board(tx, ty)) return;
    const auto trial = TrialMove::stand_in(
        *this, tx, ty, PieceEmpty);  // so that defending one's own piece passes the legality test
    const int p = Board[x][y];
    if (移動チェック(x, y, tx, ty, p) == FlagOn) register_man_reach(p, x, y, tx, ty, true);
}

void Engine::勢力設定_COM(int x, int y, int tx, int ty) {
    if (!on_board(tx, ty)) return;
    const auto trial = TrialMove::stand_in(*this, tx, ty, PieceEmpty);
    const int p = Board[x][y];
    if (移動チェック(x, y, tx, ty, p) == FlagOn) register_com_reach(p, x, y, tx, ty);
}

// The MAN cannon reaches a square only by capturing over one screen, so the
// target is filled with a COM soldier for the legality test. Its check is
// marked on the empty squares between it and the COM general, where a
// defender could step in.
void Engine::勢力設定_自炮(int x, int y, int tx, int ty) {
    if (!on_board(tx, ty)) return;
    const auto trial = TrialMove::stand_in(*this, tx, ty, ComSoldier);
    const int p = Board[x][y];
    if (移動チェック(x, y, tx, ty, p) == FlagOn) {
        register_man_reach(p, x, y, tx, ty, false);
        if (BoardBeforeMove[tx][ty] == ComGeneral)
            mark_between(*this, ComGeneralCheck, x, y, tx, ty, CheckerMark, true);
    }
}

void Engine::勢力設定_敵砲(int x, int y, int tx, int ty) {
    if (!on_board(tx, ty)) return;
    const auto trial = TrialMove::stand_in(*this, tx, ty, ManSoldier);
    const int p = Board[x][y];
    if (移動チェック(x, y, tx, ty, p) == FlagOn) register_com_reach(p, x, y, tx, ty);
}

void Engine::勢力確定上直進(int code, int x, int y) { register_ray(code, x, y, 0, -1); }
void Engine::勢力確定下直進(int code, int x, int y) { register_ray(code, x, y, 0, 1); }
void Engine::勢力確定右直進(int code, int x, int y) { register_ray(code, x, y, 1, 0); }
void Engine::勢力確定左直進(int code, int x, int y) { register_ray(code, x, y, -1, 0); }

// Squares the piece could move to that no enemy piece reaches, by the
// tables of the last survey.
int Engine::調査_移動可場所数(int x, int y, int code) const {
    Square to[MaxDestinations];
    const int moves = legal_destinations(x, y, code, to);
    int count = 0;
    for (int i = 0; i < moves; ++i) {
        const int enemyReach =
            code >= ComSoldier ? ManInfluence[to[i].x][to[i].y] : ComInfluence[to[i].x][to[i].y];
        if (enemyReach == 0) count += 1;
    }
    return count;
}

// Whether a MAN chariot below (x, y) on its file could move onto it, with the
// square itself emptied. The search stops at rank 9: a chariot on the bottom
// rank is not seen.
bool Engine::調査_自守駒MAN_直進駒(int x, int y) {
    bool guarded = false;
    const auto trial = TrialMove::stand_in(*this, x, y, PieceEmpty);
    for (int j = y + 1; j <= BoardRanks - 1; ++j) {
        if (Board[x][j] >= ComSoldier) break;
        if (Board[x][j] == ManChariot) {
            guarded = 移動チェック(x, j, x, y, ManChariot) == FlagOn;
            break;
        }
    }
    return guarded;
}

void Engine::待避_移動前盤() {
    勢力調査();
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y) {
            BoardBeforeMove[x][y] = Board[x][y];
            SavedManInfluence[x][y] = ManInfluence[x][y];
            SavedComInfluence[x][y] = ComInfluence[x][y];
        }
}

void Engine::settle_before_move() {
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y) BoardBeforeMove[x][y] = Board[x][y];
}

bool Engine::before_move_is_board() const {
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y)
            if (BoardBeforeMove[x][y] != Board[x][y]) return false;
    return true;
}

}  // namespace zenko
