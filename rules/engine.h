// The position and its judgement: board, general squares, influence tables,
// pre-move copies and the computer level, with the legality test, the mate
// tests, the influence survey, the evaluation and the computer's search.
// Pure computation on fixed arrays: no drawing, no clock, no allocation.
#pragma once

#include <string>

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

struct SearchResult {
    bool found = false;  // false: the computer has no legal move
    int fromX = 0, fromY = 0, toX = 0, toY = 0, piece = 0;
    Score score = 0;
};

class Engine {
public:
    // ---- Board model ----
    SquareTable<int> Board{};
    int ManGeneralX = 5, ManGeneralY = 10;
    int ComGeneralX = 5, ComGeneralY = 1;

    // Empties the board and sets up the starting position and general squares.
    void 初期配置();

    // Reads a Xiangqi FEN (first rank is y = 1, lowercase = COM pieces).
    // On success sets Board and the general squares, stores the side to move
    // (FirstPlayer-style: true when MAN is to move) and returns true.
    bool set_fen(const std::string& fen, bool* manToMove = nullptr);

    // ---- Move legality ----
    int 移動チェック(int x1, int y1, int x2, int y2, int piece);
    int 移動チェック車(int x1, int y1, int x2, int y2) const;
    int 移動チェック砲取(int x1, int y1, int x2, int y2) const;
    int 移動チェック斜(int x1, int y1, int x2, int y2) const;
    int 移動チェック馬(int x1, int y1, int x2, int y2) const;
    int 移動チェック象相(int x1, int y1, int x2, int y2) const;
    int 移動チェック_王不見王(int x1, int y1, int x2, int y2);
    void 取得_駒移動座標(int piece, int x, int y, int& xMin, int& xMax, int& yMin, int& yMax) const;
    // Leaves of the tree of legal move sequences `depth` plies deep (perft):
    // each side in turn moves every piece to every square 移動チェック allows;
    // the tree goes on below captures of a general. Board and general squares
    // are as before when it returns.
    long long perft(int depth, bool manToMove);

    // ---- Move execution (board part), check and mate ----
    // Changes the board only; the application repaints the two squares.
    void 駒移動(int fromX, int fromY, int toX, int toY, int piece);
    int 詰めかMAN_COM移動();
    int 詰めかMAN();
    int 詰めかCOM();

    // ---- Influence survey ----
    SquareTable<int> ManInfluence{};
    SquareTable<int> ComInfluence{};
    SquareTable<int> ManAttacker{};
    SquareTable<int> ManAttackerX{};
    SquareTable<int> ManAttackerY{};
    SquareTable<int> ComAttacker{};
    SquareTable<int> ComAttackerX{};
    SquareTable<int> ComAttackerY{};
    SquareTable<int> ComGuard{};
    SquareTable<int> ComGeneralCheck{};
    SquareTable<int> ManGeneralCheck{};
    SquareTable<int> BoardBeforeMove{};
    SquareTable<int> SavedManInfluence{};
    SquareTable<int> SavedComInfluence{};

    void 勢力調査();
    void 勢力設定_MAN(int x, int y, int tx, int ty);
    void 勢力設定_COM(int x, int y, int tx, int ty);
    void 勢力設定_自炮(int x, int y, int tx, int ty);
    void 勢力設定_敵砲(int x, int y, int tx, int ty);
    void 勢力確定上直進(int code, int x, int y);
    void 勢力確定下直進(int code, int x, int y);
    void 勢力確定右直進(int code, int x, int y);
    void 勢力確定左直進(int code, int x, int y);
    int 調査_移動可場所数(int x, int y, int code);
    bool 調査_自守駒MAN_直進駒(int x, int y);
    void 待避_移動前盤();

    // ---- Evaluation (scores in tenths) ----
    int Level = 3;
    Score 盤評価(int captured, int moving, int fromX, int fromY, int toX, int toY);
    Score 盤評価_COM危険座標(int moving, int toX, int toY);

    // ---- The computer's choice (steps 3-4 of the computer's turn) ----
    // Tries every legal COM move, scores it and returns the best; the board
    // and the general squares are as before when it returns.
    SearchResult 探索(SearchObserver* observer = nullptr);
};

}  // namespace zenko
