// The position and its judgement: board, general squares, influence tables,
// pre-move copies and the computer level, with the legality test, the mate
// tests, the influence survey, the evaluation and the computer's search.
// Pure computation on fixed arrays: no drawing, no clock, no allocation.
#pragma once

#include <string>
#include <type_traits>

#include "rules/types.h"

namespace zenko {

// Hooks the search calls while it runs; all default to doing nothing.
class SearchObserver {
public:
    virtual ~SearchObserver() = default;
    // Called once before the search scans board column x (1..9); the game
    // ticks its clock here so the display advances while the computer thinks.
    virtual void column_started(int x) { (void)x; }
    // Called for every legal candidate in search order, after it is scored.
    virtual void candidate_scored(int fromX, int fromY, int toX, int toY, Score score) {
        (void)fromX, (void)fromY, (void)toX, (void)toY, (void)score;
    }
};

// What one search for the computer's move is asked: the level of its
// scoring, LEVEL1-3 (LEVEL3 adds the positional rules), and whether the game
// is played by the standard rules, under which a move that leaves COM's own
// general in check is no candidate (rules/standard_rules.h).
struct SearchRequest {
    int level = 3;
    bool standardRules = false;
};

struct SearchResult {
    bool found = false;  // false: the computer has no legal move (under the rules asked for)
    int fromX = 0, fromY = 0, toX = 0, toY = 0, piece = 0;
    Score score = 0;
    int captured = PieceEmpty;  // what stood on the destination before the move
};

// One move of a piece as the move generator yields it.
struct Move {
    int fromX, fromY, toX, toY, piece;
};

class Engine {
public:
    // ---- The position: read through queries, changed only by the operations below ----
    int piece_at(int x, int y) const { return Board[x][y]; }
    const BoardArray& board() const { return Board; }
    Square com_general() const { return {ComGeneralX, ComGeneralY}; }
    Square man_general() const { return {ManGeneralX, ManGeneralY}; }

    // Empties the board and sets up the starting position and general squares.
    void 初期配置();

    // Reads a Xiangqi FEN (first rank is y = 1, lowercase = COM pieces).
    // On success sets the board and the general squares, stores the side to
    // move (FirstPlayer-style: true when MAN is to move) and returns true.
    bool set_fen(const std::string& fen, bool* manToMove = nullptr);
    // The placement and side fields of the position's FEN, in the letters
    // set_fen reads first (k a b n r c p): "w" when MAN is to move, else "b".
    std::string fen(bool manToMove) const;

    // Plays a move on the board; the moving general's square follows it, a
    // captured general's square stays where it was taken.
    void 駒移動(int fromX, int fromY, int toX, int toY, int piece);
    // Takes a move back: `piece` returns to the origin and `captured` to the
    // destination; the general squares follow both.
    void take_back(int fromX, int fromY, int toX, int toY, int piece, int captured);
    // Turns the board half round: every piece changes sides and the general
    // squares are turned with it.
    void 反転();
    // Puts a piece on a square or empties it (code PieceEmpty), as the
    // handicap set-up does; a general put down takes its square with it.
    void put_piece(int x, int y, int code);

    // A move (or a stand-in piece on one square) made for as long as the
    // object lives, then taken back exactly, general squares included.
    // Every make / ask / undo of the rules, the survey, the mate tests and the
    // search goes through it. With Generals::Stay the general squares keep
    // their values during the trial (the search lets its survey move them);
    // with Generals::Follow a moving general takes its square along.
    class TrialMove;

    // ---- Move legality ----
    int 移動チェック(int x1, int y1, int x2, int y2, int piece) const;
    int 移動チェック車(int x1, int y1, int x2, int y2) const;
    int 移動チェック砲取(int x1, int y1, int x2, int y2) const;
    int 移動チェック斜(int x1, int y1, int x2, int y2) const;
    int 移動チェック馬(int x1, int y1, int x2, int y2) const;
    int 移動チェック象相(int x1, int y1, int x2, int y2) const;
    int 移動チェック_王不見王(int x1, int y1, int x2, int y2) const;
    void 取得_駒移動座標(int piece, int x, int y, int& xMin, int& xMax, int& yMin, int& yMax) const;

    // Calls visit(Move) for every move 移動チェック allows the piece on
    // (x, y), destinations in order of file, then rank. The destinations are
    // generated from the piece's own steps and lines, not by trying every
    // square. visit may return false to stop; the result is then false.
    template <typename Visit>
    bool for_each_legal_move_from(int x, int y, Visit visit) const;
    // The same for every piece of one side, origins in order of file, then rank.
    template <typename Visit>
    bool for_each_legal_move(bool comSide, Visit visit) const;
    // The destinations 移動チェック allows `piece` from (x, y), sorted by
    // file, then rank; returns their number.
    static constexpr int MaxDestinations = BoardFiles + BoardRanks;
    int legal_destinations(int x, int y, int piece, Square (&out)[MaxDestinations]) const;
    // Leaves of the tree of legal move sequences `depth` plies deep (perft):
    // each side in turn moves every piece to every square 移動チェック allows;
    // the tree goes on below captures of a general. Board and general squares
    // are as before when it returns.
    long long perft(int depth, bool manToMove);

    // ---- Check and mate ----
    // The referee's tests. A general is attacked when an enemy piece may move
    // onto its square (a general missing from the board counts as taken); a
    // move is safe when the mover's general is not attacked after it.
    bool general_attacked(bool comGeneral) const;
    bool has_safe_move(bool comSide);
    int 詰めかMAN_COM移動() const;
    // Reads the tables of the last survey and leaves them as they were.
    int 詰めかMAN();
    // Reads the tables of the last survey, and leaves behind the tables of
    // the last position it tried: survey again before reading them.
    int 詰めかCOM();

    // ---- Influence survey ----
    // The tables of the last 勢力調査, read-only; only the survey writes them.
    using Table = SquareTable<int>;
    const Table& man_influence() const { return ManInfluence; }
    const Table& com_influence() const { return ComInfluence; }
    const Table& man_attacker() const { return ManAttacker; }
    const Table& man_attacker_x() const { return ManAttackerX; }
    const Table& man_attacker_y() const { return ManAttackerY; }
    const Table& com_attacker() const { return ComAttacker; }
    const Table& com_attacker_x() const { return ComAttackerX; }
    const Table& com_attacker_y() const { return ComAttackerY; }
    const Table& com_guard() const { return ComGuard; }
    const Table& com_general_check() const { return ComGeneralCheck; }
    const Table& man_general_check() const { return ManGeneralCheck; }
    // The copies 待避_移動前盤 took before the computer's move.
    const Table& board_before_move() const { return BoardBeforeMove; }
    const Table& saved_man_influence() const { return SavedManInfluence; }
    const Table& saved_com_influence() const { return SavedComInfluence; }

    void 勢力調査();
    void 勢力設定_MAN(int x, int y, int tx, int ty);
    void 勢力設定_COM(int x, int y, int tx, int ty);
    void 勢力設定_自炮(int x, int y, int tx, int ty);
    void 勢力設定_敵砲(int x, int y, int tx, int ty);
    void 勢力確定上直進(int code, int x, int y);
    void 勢力確定下直進(int code, int x, int y);
    void 勢力確定右直進(int code, int x, int y);
    void 勢力確定左直進(int code, int x, int y);
    int 調査_移動可場所数(int x, int y, int code) const;
    bool 調査_自守駒MAN_直進駒(int x, int y);
    // Surveys the board (classifying attacks by the previous copy) and copies
    // the board and both influence tables as the position before the
    // computer's move. start_computer_turn does this itself; it stays public
    // only for the engine tool's mate and bench commands, the benchmarks and
    // the tests, which take the copy without searching.
    void 待避_移動前盤();
    // Makes the board its own pre-move copy without surveying, as if it had
    // stood unchanged since the computer's last turn: the next survey then
    // classifies attacks by what stands on the board. For positions loaded
    // from outside a game (the engine tool, tests, benchmarks).
    void settle_before_move();

    // ---- Evaluation (scores in tenths) ----
    // `level` is the computer level of the search (LEVEL3 adds the positional rules).
    Score 盤評価(int captured, int moving, int fromX, int fromY, int toX, int toY, int level);
    Score 盤評価_COM危険座標(int moving, int toX, int toY);

    // ---- The computer's choice (steps 3-4 of the computer's turn) ----
    // The computer's turn on the board as it stands: 待避_移動前盤, then
    // 探索. The game starts every computer move here.
    SearchResult start_computer_turn(const SearchRequest& request, SearchObserver* observer = nullptr);
    // Tries every legal COM move, scores it and returns the best; the board
    // and the general squares are as before when it returns. Expects the
    // pre-move copy to be of the board on it (checked in debug builds).
    // Under the standard rules the moves that leave COM's general in check
    // are passed over unscored; the others are scored and chosen among
    // exactly as under the game's own rules.
    SearchResult 探索(const SearchRequest& request = {}, SearchObserver* observer = nullptr);

private:
    // The survey's own bookkeeping (ai/survey.cpp).
    void clear_survey_tables();
    void note_man_attacker(int p, int x, int y, int tx, int ty);
    void note_com_attacker(int p, int x, int y, int tx, int ty);
    void register_man_reach(int p, int x, int y, int tx, int ty, bool markChecker);
    void register_com_reach(int p, int x, int y, int tx, int ty);
    bool register_ray_square(int p, int x, int y, int i, int j);
    void register_ray(int p, int x, int y, int dx, int dy);
    bool before_move_is_board() const;

    // Moves the square of the general of `code` to (x, y); other codes leave both.
    void note_general(int code, int x, int y) {
        if (code == ComGeneral) ComGeneralX = x, ComGeneralY = y;
        if (code == ManGeneral) ManGeneralX = x, ManGeneralY = y;
    }

    BoardArray Board{};
    int ManGeneralX = 5, ManGeneralY = 10;
    int ComGeneralX = 5, ComGeneralY = 1;

    Table ManInfluence{};
    Table ComInfluence{};
    Table ManAttacker{};
    Table ManAttackerX{};
    Table ManAttackerY{};
    Table ComAttacker{};
    Table ComAttackerX{};
    Table ComAttackerY{};
    Table ComGuard{};
    Table ComGeneralCheck{};
    Table ManGeneralCheck{};
    Table BoardBeforeMove{};
    Table SavedManInfluence{};
    Table SavedComInfluence{};
};

enum class Generals { Stay, Follow };

class Engine::TrialMove {
public:
    TrialMove(Engine& engine, int fromX, int fromY, int toX, int toY, Generals generals = Generals::Stay)
        : e(engine),
          x1(fromX),
          y1(fromY),
          x2(toX),
          y2(toY),
          moving(engine.Board[fromX][fromY]),
          kept(engine.Board[toX][toY]),
          com(engine.com_general()),
          man(engine.man_general()) {
        e.Board[fromX][fromY] = PieceEmpty;
        e.Board[toX][toY] = moving;
        if (generals == Generals::Stay) return;
        if (moving == ComGeneral) e.ComGeneralX = toX, e.ComGeneralY = toY;
        if (moving == ManGeneral) e.ManGeneralX = toX, e.ManGeneralY = toY;
    }
    // A stand-in piece (or an empty square) on (x, y) instead of what stands there.
    static TrialMove stand_in(Engine& engine, int x, int y, int code) {
        return TrialMove(engine, x, y, code);
    }
    ~TrialMove() {
        e.Board[x2][y2] = kept;
        e.Board[x1][y1] = moving;
        if (!movesPiece) return;
        e.ComGeneralX = com.x, e.ComGeneralY = com.y;
        e.ManGeneralX = man.x, e.ManGeneralY = man.y;
    }
    TrialMove(const TrialMove&) = delete;
    TrialMove& operator=(const TrialMove&) = delete;

private:
    TrialMove(Engine& engine, int x, int y, int code)
        : e(engine), x1(x), y1(y), x2(x), y2(y), moving(engine.Board[x][y]), kept(moving), movesPiece(false) {
        e.Board[x][y] = code;
    }
    Engine& e;
    int x1, y1, x2, y2, moving, kept;
    bool movesPiece = true;  // false for a stand-in, which leaves the general squares alone
    Square com{}, man{};
};

template <typename Visit>
bool Engine::for_each_legal_move_from(int x, int y, Visit visit) const {
    Square to[MaxDestinations];
    const int piece = Board[x][y], count = legal_destinations(x, y, piece, to);
    for (int i = 0; i < count; ++i) {
        const Move move{x, y, to[i].x, to[i].y, piece};
        if constexpr (std::is_same_v<decltype(visit(move)), bool>) {
            if (!visit(move)) return false;
        } else {
            visit(move);
        }
    }
    return true;
}

template <typename Visit>
bool Engine::for_each_legal_move(bool comSide, Visit visit) const {
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y) {
            const int piece = Board[x][y];
            if (comSide ? piece <= 0 : piece >= 0) continue;
            if (!for_each_legal_move_from(x, y, visit)) return false;
        }
    return true;
}

}  // namespace zenko
