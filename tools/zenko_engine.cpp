// zenko-engine: inspects the engine from the command line.
#include "tools/zenko_engine.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

#include "zenko/version.h"

namespace zenko::tool {

namespace {

constexpr const char* Usage =
    "Usage: zenko-engine COMMAND ARGUMENTS...\n"
    "Inspects the engine of ZENKO 中国象棋 and reads its record files.\n"
    "Positions are FEN strings.\n"
    "  perft FEN DEPTH [--standard]\n"
    "                    counts the legal move paths DEPTH plies deep (with\n"
    "                    --standard, of moves that leave the mover's general safe)\n"
    "  status FEN [--standard]\n"
    "                    prints play, checkmate or stalemate for the side to move\n"
    "  survey FEN        prints the influence survey of the position\n"
    "  moves FEN LEVEL   prints the computer's move at LEVEL 1, 2 or 3\n"
    "  mate FEN          prints whether each side is mated\n"
    "  bench [FILE]      times the search on built-in positions or those of FILE\n"
    "  record FILE       prints each game of a record file (PGN, XQF, DhtmlXQ, FEN, .棋譜):\n"
    "                    its tags, start FEN, moves in ICCS and a note when cut short\n"
    "  convert IN OUT [--iccs]\n"
    "                    writes the games of IN to OUT by its extension: .pgn (Chinese\n"
    "                    notation, or ICCS with --iccs), .棋譜, .fen (each game's end)\n"
    "  fen FILE [PLY]    prints the position after PLY moves of the first game (default: all)\n"
    "  review FILE [NODES]\n"
    "                    reviews the first game of a record with the Xiangqi engine\n"
    "                    (NODES a position): each move's expected scores, mark\n"
    "                    and the engine's best move, then each side's summary\n"
    "  --help, --version\n";

}  // namespace

int usage_error(const std::string& message) {
    std::cerr << "zenko-engine: " << message << '\n';
    return 2;
}

bool take_flag(Args& args, const std::string& flag) {
    const auto kept = std::remove(args.begin(), args.end(), flag);
    const bool found = kept != args.end();
    args.erase(kept, args.end());
    return found;
}

std::string join_fen(const Args& args, std::size_t count) {
    std::string fen;
    for (std::size_t i = 0; i < count && i < args.size(); ++i) fen += (i > 0 ? " " : "") + args[i];
    return fen;
}

}  // namespace zenko::tool

int main(int argc, char** argv) {
    using namespace zenko::tool;
    struct Command {
        const char* name;
        int (*run)(const Args&);
    };
    static constexpr Command commands[] = {
        {"perft", perft_command}, {"status", status_command}, {"survey", survey_command},
        {"moves", moves_command}, {"best", best_command},     {"mate", mate_command},
        {"bench", bench_command}, {"record", record_command}, {"convert", convert_command},
        {"fen", fen_command},     {"review", review_command},
    };
    if (argc < 2)
        return usage_error(
            "usage: zenko-engine perft|status|survey|moves|best|mate|bench|record|convert|fen|review ...");
    const std::string name = argv[1];
    if (name == "--help") return std::fputs(Usage, stdout) < 0;
    if (name == "--version") return std::printf("zenko-engine %s\n", zenko::ProgramVersion) < 0;
    const Args args(argv + 2, argv + argc);
    for (const Command& c : commands)
        if (name == c.name) return c.run(args);
    return usage_error("unknown command '" + name + "'");
}
