// The standard rules: check read outward from the general's square, legal
// moves as the game's own moves that leave the mover's general safe, the end
// of the game, perft, position keys and the repetition judgement.
#include "rules/standard_rules.h"

namespace zenko {
namespace {

struct Step {
    int dx, dy;
};
constexpr Step Orthogonal[] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
constexpr Step HorseJumps[] = {{-1, -2}, {-1, 2}, {-2, -1}, {-2, 1}, {1, -2}, {1, 2}, {2, -1}, {2, 1}};

// The piece on (x, y) as seen by the side whose enemy has sign `enemy`: the
// kind (ComSoldier..ComGeneral) for an enemy piece, zero or less otherwise.
int enemy_kind(const Engine& e, int x, int y, int enemy) {
    return on_board(x, y) ? e.piece_at(x, y) * enemy : PieceEmpty;
}

// Chariots (first piece on a line), cannons (second piece) and the enemy
// general (first piece on the file: the generals face each other).
bool attacked_along_lines(const Engine& e, Square g, int enemy) {
    for (const Step& s : Orthogonal) {
        int x = g.x + s.dx, y = g.y + s.dy;
        while (on_board(x, y) && e.piece_at(x, y) == PieceEmpty) x += s.dx, y += s.dy;
        if (!on_board(x, y)) continue;
        const int first = enemy_kind(e, x, y, enemy);
        if (first == ComChariot || (first == ComGeneral && s.dx == 0)) return true;
        for (x += s.dx, y += s.dy; on_board(x, y); x += s.dx, y += s.dy) {
            if (e.piece_at(x, y) == PieceEmpty) continue;
            if (enemy_kind(e, x, y, enemy) == ComCannon) return true;
            break;
        }
    }
    return false;
}

bool attacked_by_horse(const Engine& e, Square g, int enemy) {
    for (const Step& s : HorseJumps) {
        const int hx = g.x + s.dx, hy = g.y + s.dy;
        if (enemy_kind(e, hx, hy, enemy) == ComHorse && e.移動チェック馬(hx, hy, g.x, g.y) == FlagOn)
            return true;
    }
    return false;
}

// An enemy soldier attacks from the square behind the general (as the
// soldier advances) and from either side: beside a general in its palace a
// soldier has always crossed the river.
bool attacked_by_soldier(const Engine& e, Square g, int enemy, bool comGeneral) {
    const int advance = comGeneral ? -1 : 1;  // the rank step of the enemy's soldiers
    return enemy_kind(e, g.x, g.y - advance, enemy) == ComSoldier ||
           enemy_kind(e, g.x - 1, g.y, enemy) == ComSoldier ||
           enemy_kind(e, g.x + 1, g.y, enemy) == ComSoldier;
}

}  // namespace

// A general never leaves its palace, and advisors and elephants never leave
// their own half, so they cannot reach the enemy general and are not tested.
bool standard_check(const Engine& engine, bool comGeneral) {
    const Square g = comGeneral ? engine.com_general() : engine.man_general();
    const int own = comGeneral ? ComGeneral : ManGeneral;
    if (!on_board(g.x, g.y) || engine.piece_at(g.x, g.y) != own) return true;
    const int enemy = comGeneral ? -1 : 1;
    return attacked_along_lines(engine, g, enemy) || attacked_by_horse(engine, g, enemy) ||
           attacked_by_soldier(engine, g, enemy, comGeneral);
}

bool general_safe_after(Engine& engine, const Move& move) {
    const bool com = engine.piece_at(move.fromX, move.fromY) > 0;
    const Engine::TrialMove trial(engine, move.fromX, move.fromY, move.toX, move.toY, Generals::Follow);
    return !standard_check(engine, com);
}

bool standard_legal(Engine& engine, int fromX, int fromY, int toX, int toY) {
    if (!on_board(fromX, fromY) || !on_board(toX, toY)) return false;
    const int piece = engine.piece_at(fromX, fromY);
    if (piece == PieceEmpty || engine.移動チェック(fromX, fromY, toX, toY, piece) != FlagOn) return false;
    return general_safe_after(engine, {fromX, fromY, toX, toY, piece});
}

bool has_standard_move(Engine& engine, bool comSide) {
    return !for_each_standard_move(engine, comSide, [](const Move&) { return false; });
}

GameStatus standard_status(Engine& engine, bool manToMove) {
    const bool com = !manToMove;
    if (has_standard_move(engine, com)) return GameStatus::Play;
    return standard_check(engine, com) ? GameStatus::Checkmate : GameStatus::Stalemate;
}

// Through the same generator as the game's list of moves, so that the
// published counts vouch for it; the last ply only counts.
long long standard_perft(Engine& engine, int depth, bool manToMove) {
    if (depth <= 0) return 1;
    long long leaves = 0;
    for_each_standard_move(engine, !manToMove, [&](const Move& m) {
        if (depth == 1) return void(++leaves);
        const Engine::TrialMove trial(engine, m.fromX, m.fromY, m.toX, m.toY, Generals::Follow);
        leaves += standard_perft(engine, depth - 1, !manToMove);
    });
    return leaves;
}

// ---- Position keys ----

namespace {

// One random number for every piece code on every square, and one for MAN to
// move, made at compile time by splitmix64 from a fixed seed so that keys are
// the same in every run and every build.
struct ZobristTable {
    std::uint64_t piece[2 * ComGeneral + 1][BoardFiles + 1][BoardRanks + 1];
    std::uint64_t manToMove;
};

constexpr std::uint64_t splitmix64(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

constexpr ZobristTable make_zobrist_table() {
    ZobristTable table{};
    std::uint64_t state = 0x5A454E4B4FULL;  // "ZENKO"
    for (auto& code : table.piece)
        for (auto& file : code)
            for (std::uint64_t& square : file) square = splitmix64(state);
    table.manToMove = splitmix64(state);
    return table;
}

constexpr ZobristTable Zobrist = make_zobrist_table();

}  // namespace

PositionKey position_key(const Engine& engine, bool manToMove) {
    PositionKey key = manToMove ? Zobrist.manToMove : 0;
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y)
            if (const int p = engine.piece_at(x, y); p != PieceEmpty)
                key ^= Zobrist.piece[p + ComGeneral][x][y];
    return key;
}

// ---- Repetition ----

// Position i is `start` for i = 0 and the position after ply i otherwise.
// The cycle is taken from the first of the three occurrences, not the
// second: it then holds every move played since the position began to
// repeat, both rounds of it, so a side counts as checking perpetually only
// if it checked throughout, not merely in the last round; and when the
// position came round by two different paths, both are judged.
Repetition judge_repetition(PositionKey start, std::span<const RepetitionPly> plies) {
    if (plies.empty()) return Repetition::None;
    const PositionKey now = plies.back().key;
    const auto key_at = [&](std::size_t i) { return i == 0 ? start : plies[i - 1].key; };
    std::size_t first = plies.size(), occurrences = 0;
    for (std::size_t i = 0; i <= plies.size(); ++i)
        if (key_at(i) == now) {
            if (occurrences++ == 0) first = i;
        }
    if (occurrences < 3) return Repetition::None;

    bool manAlwaysChecked = true, comAlwaysChecked = true;
    for (std::size_t i = first; i < plies.size(); ++i) {
        bool& always = plies[i].manMoved ? manAlwaysChecked : comAlwaysChecked;
        always = always && plies[i].gaveCheck;
    }
    if (manAlwaysChecked && !comAlwaysChecked) return Repetition::ManLoses;
    if (comAlwaysChecked && !manAlwaysChecked) return Repetition::ComLoses;
    return Repetition::Draw;
}

}  // namespace zenko
