// best FEN LEVEL: the computer's move at any level, through the same choice
// as the game (the general capture, the engine, its legality check, LEVEL3
// when the engine fails).
#include <cstdio>
#include <memory>

#include "game/engine_player.h"
#include "tools/posix_engine_process.h"
#include "tools/zenko_engine.h"

namespace zenko::tool {

int best_command(const Args& args) {
    if (args.size() != 2) return usage_error("usage: zenko-engine best FEN LEVEL");
    auto engine = std::make_unique<Engine>();
    if (!engine->set_fen(args[0])) return usage_error("best: malformed FEN '" + args[0] + "'");
    const std::string& text = args[1];
    if (text.size() != 1 || text[0] < '1' || text[0] > '0' + LastEngineLevel)
        return usage_error("best: LEVEL must be 1 to 6");
    const int level = text[0] - '0';

    PosixEngineProcess process;
    UciClient client(process, find_engine().command);
    const ComputerMove move = computer_move(*engine, level, &client, [&] { process.wait_for_event(); });
    if (move.source == MoveSource::Fallback)
        std::fprintf(stderr, "zenko-engine: the engine did not answer; LEVEL3's move\n");
    if (!move.found) {
        std::printf("best none\n");
    } else {
        std::printf("best %d %d %d %d\n", move.fromX, move.fromY, move.toX, move.toY);
    }
    return 0;
}

}  // namespace zenko::tool
