// Every question the computer player asks makes its trial changes on the
// live board; over positions of random play, each one must leave the board
// and the general squares exactly as it found them.
#include <gtest/gtest.h>

#include "test_positions.h"

namespace zenko::testing {
namespace {

// Asks `what` of the engine and checks that the position is unchanged.
template <typename Ask>
void leaves_position(Engine& engine, const char* what, Ask ask) {
    const Position before(engine);
    ask();
    ASSERT_EQ(Position(engine), before) << what;
}

// The evaluation sees a COM move made and surveyed, as in the search.
void check_evaluation(Engine& engine, const Move& m) {
    const int piece = engine.piece_at(m.fromX, m.fromY), captured = engine.piece_at(m.toX, m.toY);
    const Engine::TrialMove trial(engine, m.fromX, m.fromY, m.toX, m.toY);
    engine.勢力調査();
    leaves_position(engine, "盤評価",
                    [&] { engine.盤評価(captured, piece, m.fromX, m.fromY, m.toX, m.toY, 3); });
    leaves_position(engine, "盤評価_COM危険座標", [&] { engine.盤評価_COM危険座標(piece, m.toX, m.toY); });
}

void check_position(Engine& engine, std::mt19937& random) {
    leaves_position(engine, "勢力調査", [&] { engine.勢力調査(); });
    leaves_position(engine, "待避_移動前盤", [&] { engine.待避_移動前盤(); });
    leaves_position(engine, "詰めかMAN", [&] { engine.詰めかMAN(); });
    leaves_position(engine, "詰めかCOM", [&] { engine.詰めかCOM(); });
    engine.待避_移動前盤();
    leaves_position(engine, "探索", [&] { engine.探索(); });
    const int x = 1 + static_cast<int>(random() % BoardFiles),
              y = 1 + static_cast<int>(random() % BoardRanks);
    leaves_position(engine, "調査_自守駒MAN_直進駒", [&] { engine.調査_自守駒MAN_直進駒(x, y); });
    if (engine.piece_at(x, y) != PieceEmpty)
        leaves_position(engine, "調査_移動可場所数",
                        [&] { engine.調査_移動可場所数(x, y, engine.piece_at(x, y)); });
    const std::vector<Move> comMoves = legal_moves(engine, false);
    if (!comMoves.empty()) check_evaluation(engine, comMoves[random() % comMoves.size()]);
}

TEST(BoardInvariance, QuestionsLeaveTheBoardAndGeneralSquaresAsTheyFoundThem) {
    std::mt19937 random(2024);
    int positions = 0;
    for_random_positions(11, 12, 60, [&](Engine& engine, bool) {
        ++positions;
        check_position(engine, random);
    });
    EXPECT_GT(positions, 300);
}

}  // namespace
}  // namespace zenko::testing
