// zenko-engine status FEN [--standard]: whether the side to move may play on,
// is checkmated or is stalemated.
#include <cstdio>

#include "rules/engine.h"
#include "rules/standard_rules.h"
#include "tools/zenko_engine.h"

namespace zenko::tool {

namespace {

// By the game's own rules, where a move may leave the general attacked: mated
// when the general is attacked and no move shields it (a missing general
// included), stalemated when 移動チェック allows no move at all. A general
// that is attacked with no move at all is mated rather than stalemated, as
// under the standard rules.
GameStatus own_rules_status(Engine& engine, bool comSide) {
    if (engine.general_attacked(comSide) && !engine.has_safe_move(comSide)) return GameStatus::Checkmate;
    const bool anyMove = !engine.for_each_legal_move(comSide, [](const Move&) { return false; });
    return anyMove ? GameStatus::Play : GameStatus::Stalemate;
}

const char* name_of(GameStatus status) {
    switch (status) {
        case GameStatus::Checkmate:
            return "checkmate";
        case GameStatus::Stalemate:
            return "stalemate";
        case GameStatus::Play:
            break;
    }
    return "play";
}

}  // namespace

int status_command(const Args& given) {
    Args args = given;
    const bool standard = take_flag(args, "--standard");
    if (args.empty()) return usage_error("usage: zenko-engine status FEN [--standard]");
    const std::string fen = join_fen(args, args.size());
    Engine engine;
    bool manToMove = true;
    if (!engine.set_fen(fen, &manToMove)) return usage_error("status: bad FEN '" + fen + "'");
    const GameStatus status =
        standard ? standard_status(engine, manToMove) : own_rules_status(engine, !manToMove);
    std::printf("%s\n", name_of(status));
    return 0;
}

}  // namespace zenko::tool
