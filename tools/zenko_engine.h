// Subcommands of the engine tool. Each returns the process exit status:
// 0 on success, 2 after printing a one-line error on stderr for bad input.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace zenko::tool {

using Args = std::vector<std::string>;  // the words after the subcommand

int perft_command(const Args& args);   // perft FEN DEPTH [--standard]
int status_command(const Args& args);  // status FEN [--standard]
int survey_command(const Args& args);  // survey FEN
int moves_command(const Args& args);   // moves FEN LEVEL
int best_command(const Args& args);    // best FEN LEVEL
int mate_command(const Args& args);    // mate FEN
int bench_command(const Args& args);   // bench [FILE]
// Record files; these return 1 when a record was read only in part.
int record_command(const Args& args);   // record FILE
int convert_command(const Args& args);  // convert IN OUT [--iccs]
int fen_command(const Args& args);      // fen FILE [PLY]
int review_command(const Args& args);   // review FILE [NODES]

// The bytes of a record file, at most one byte past what a record may hold
// (so the reader can refuse it as too large); false when it cannot be read.
bool read_record_bytes(const std::string& path, std::string& bytes);

// Prints "zenko-engine: MESSAGE" on stderr and returns 2.
int usage_error(const std::string& message);

// Removes every word `flag` from args; true when there was one.
bool take_flag(Args& args, const std::string& flag);

// The FEN of words args[0..count): one quoted word, or several when an
// unquoted FEN was split at its spaces.
std::string join_fen(const Args& args, std::size_t count);

}  // namespace zenko::tool
