// zenko-engine perft FEN DEPTH: the number of leaves of the move tree.
#include <charconv>
#include <iostream>

#include "rules/engine.h"
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
// its side to move); the last word is always the depth.
int perft_command(const Args& args) {
    if (args.size() < 2) return usage_error("usage: zenko-engine perft FEN DEPTH");
    std::string fen = args.front();
    for (std::size_t i = 1; i + 1 < args.size(); ++i) fen += ' ' + args[i];
    int depth = 0;
    if (!read_depth(args.back(), depth)) return usage_error("perft: bad depth '" + args.back() + "'");
    Engine engine;
    bool manToMove = true;
    if (!engine.set_fen(fen, &manToMove)) return usage_error("perft: bad FEN '" + fen + "'");
    std::cout << engine.perft(depth, manToMove) << '\n';
    return 0;
}

}  // namespace zenko::tool
