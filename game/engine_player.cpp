// The computer's move at the engine levels, kept within this game's rules.
#include "game/engine_player.h"

#include "game/uci_notation.h"
#include "rules/standard_rules.h"

namespace zenko {

namespace {

using Limit = EngineSettings::Limit;

// LEVEL4, LEVEL5, LEVEL6, chosen by matches against the level below
// (tools/zenko_match.cpp: 40 games from 20 openings with both colours).
// One thread and limits in plies or nodes, so the strength does not depend
// on the machine; LEVEL6 stops after a second anyway on a slow or busy one.
// The answer bound leaves a few seconds above the longest thinking time.
//  LEVEL4: one ply at Skill Level 0, which picks among the best few moves at
//          random: 38.5, 37.5 and 37.5 of 40 against LEVEL3 in three
//          matches, yet a weak player.
//  LEVEL5: 1000 nodes, about five plies: 40 and 39.5 of 40 against LEVEL4.
//  LEVEL6: 100000 nodes: 40 of 40 against LEVEL5, 0.7 s a move (median) on
//          a busy two-core machine.
// Columns: Skill Level, UCI_Elo (0: no limit), limit, amount, cap (ms), answer bound (ms).
const EngineSettings EngineLevels[] = {
    {0, 0, Limit::Depth, 1, 0, 3000},
    {20, 0, Limit::Nodes, 1000, 0, 3000},
    {20, 0, Limit::Nodes, 100000, 1000, 4000},
};

ComputerMove found_move(int fromX, int fromY, int toX, int toY, int piece, MoveSource source) {
    return {true, fromX, fromY, toX, toY, piece, source};
}

bool generals_on_board(const Engine& engine) {
    const Square com = engine.com_general(), man = engine.man_general();
    return on_board(com.x, com.y) && engine.piece_at(com.x, com.y) == ComGeneral && on_board(man.x, man.y) &&
           engine.piece_at(man.x, man.y) == ManGeneral;
}

// The first COM move, in search order, that takes the MAN general.
bool find_general_capture(const Engine& engine, ComputerMove& capture) {
    const Square general = engine.man_general();
    return !engine.for_each_legal_move(true, [&](const Move& m) {
        if (m.toX != general.x || m.toY != general.y) return true;
        capture = found_move(m.fromX, m.fromY, m.toX, m.toY, m.piece, MoveSource::GeneralCapture);
        return false;
    });
}

// Standard rules would let COM take the MAN general here, but this game
// refuses every such capture, because it would leave the generals facing:
// they share a file with nothing between them (the COM general would fly),
// or the one piece between them is a COM chariot or a COM soldier right
// above the MAN general, which takes it along the file. Called only when
// no capture is allowed.
bool only_standard_rules_take_the_general(const Engine& engine) {
    const Square com = engine.com_general(), man = engine.man_general();
    if (com.x != man.x) return false;
    int between = 0, lastY = 0;
    for (int y = com.y + 1; y < man.y; ++y)
        if (engine.piece_at(com.x, y) != PieceEmpty) ++between, lastY = y;
    if (between == 0) return true;
    if (between > 1) return false;
    const int piece = engine.piece_at(com.x, lastY);
    return piece == ComChariot || (piece == ComSoldier && lastY == man.y - 1);
}

ComputerMove searched_move(Engine& engine, int level, MoveSource source, bool standardRules = false) {
    const SearchResult best = engine.start_computer_turn({level, standardRules});
    if (!best.found) return {};
    return found_move(best.fromX, best.fromY, best.toX, best.toY, best.piece, source);
}

}  // namespace

std::string engine_missing_text(const std::string& named) {
    return "思考ｴﾝｼﾞﾝ (" + named + ") が見つかりません";
}

std::string engine_silent_text(const std::string& named) {
    return "思考ｴﾝｼﾞﾝ (" + named + ") が応答しません";
}

EngineSettings engine_settings(int level) {
    return EngineLevels[(is_engine_level(level) ? level : LastEngineLevel) - FirstEngineLevel];
}

ComputerMove level3_move(Engine& engine, MoveSource source, bool standardRules) {
    return searched_move(engine, 3, source, standardRules);
}

// The turn notes the position before the computer's move, as every turn of
// the computer does, so that a later turn at LEVEL1-3 judges attacks by it.
EngineTurn begin_engine_turn(Engine& engine, bool standardRules) {
    engine.待避_移動前盤();
    EngineTurn turn;
    if (find_general_capture(engine, turn.decided)) return turn;
    if (!generals_on_board(engine) || only_standard_rules_take_the_general(engine)) {
        turn.decided = level3_move(engine, MoveSource::Level3, standardRules);
        return turn;
    }
    turn.ask = true;
    turn.fen = uci_fen(engine, false);
    return turn;
}

ComputerMove finish_engine_turn(Engine& engine, const EngineAnswer& answer, bool standardRules) {
    if (!answer.ok()) return level3_move(engine, MoveSource::Fallback, standardRules);
    // The engine finds no move when COM is mated by standard rules; this
    // game plays on until a general is taken.
    if (answer.move == "(none)") return level3_move(engine, MoveSource::Level3, standardRules);
    int fromX = 0, fromY = 0, toX = 0, toY = 0;
    if (!read_uci_move(answer.move, answer.firstRank, fromX, fromY, toX, toY))
        return level3_move(engine, MoveSource::Fallback, standardRules);
    const int piece = engine.piece_at(fromX, fromY);
    if (piece <= 0 || engine.移動チェック(fromX, fromY, toX, toY, piece) != FlagOn ||
        (standardRules && !standard_legal(engine, fromX, fromY, toX, toY)))
        return level3_move(engine, MoveSource::Fallback, standardRules);
    return found_move(fromX, fromY, toX, toY, piece, MoveSource::Engine);
}

ComputerMove computer_move(Engine& engine, int level, UciClient* client,
                           const std::function<void()>& wait_for_event,
                           const std::optional<EngineSettings>& settings) {
    if (!is_engine_level(level)) return searched_move(engine, level, MoveSource::Search);
    const EngineTurn turn = begin_engine_turn(engine);
    if (!turn.ask) return turn.decided;
    if (!client) return level3_move(engine, MoveSource::Fallback);
    client->think(turn.fen, settings.value_or(engine_settings(level)));
    while (client->waiting()) wait_for_event();
    const std::optional<EngineAnswer> answer = client->take_answer();
    return finish_engine_turn(engine, answer ? *answer : EngineAnswer{EngineFailure::TimedOut, "", 1});
}

}  // namespace zenko
