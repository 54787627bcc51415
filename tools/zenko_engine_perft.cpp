// zenko-engine perft FEN DEPTH [--standard]: the number of leaves of the move
// tree, by the game's own rules or, with --standard, by the standard rules.
#include <charconv>
#include <iostream>

#include "rules/engine.h"
#include "rules/standard_rules.h"
#include "tools/zenko_engine.h"

namespace zenko::tool {

namespace {

bool read_depth(const std::string& text, int& depth) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, depth);
    return error == std::errc() && stop == end && depth >= 0;
}

}  // namespace

// The FEN may come as one quoted word or as several (an unquoted FEN with
// its side to move); the last word other than --standard is the depth.
int perft_command(const Args& given) {
    Args args = given;
    const bool standard = take_flag(args, "--standard");
    if (args.size() < 2) return usage_error("usage: zenko-engine perft FEN DEPTH [--standard]");
    const std::string fen = join_fen(args, args.size() - 1);
    int depth = 0;
    if (!read_depth(args.back(), depth)) return usage_error("perft: bad depth '" + args.back() + "'");
    Engine engine;
    bool manToMove = true;
    if (!engine.set_fen(fen, &manToMove)) return usage_error("perft: bad FEN '" + fen + "'");
    std::cout << (standard ? standard_perft(engine, depth, manToMove) : engine.perft(depth, manToMove))
              << '\n';
    return 0;
}

}  // namespace zenko::tool
