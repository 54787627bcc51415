// zenko-engine: inspects the engine from the command line.
#include "tools/zenko_engine.h"

#include <cstdio>
#include <iostream>

namespace zenko::tool {

int usage_error(const std::string& message) {
    std::cerr << "zenko-engine: " << message << '\n';
    return 2;
}

}  // namespace zenko::tool

int main(int argc, char** argv) {
    using namespace zenko::tool;
    struct Command {
        const char* name;
        int (*run)(const Args&);
    };
    static constexpr Command commands[] = {
        {"perft", perft_command}, {"survey", survey_command}, {"moves", moves_command},
        {"best", best_command},   {"mate", mate_command},     {"bench", bench_command},
    };
    if (argc < 2) return usage_error("usage: zenko-engine perft|survey|moves|best|mate|bench ...");
    const std::string name = argv[1];
    const Args args(argv + 2, argv + argc);
    for (const Command& c : commands)
        if (name == c.name) return c.run(args);
    return usage_error("unknown command '" + name + "'");
}
