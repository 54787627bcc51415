#include "tools/zenko_engine.h"

namespace zenko::tool {
int perft_command(const Args&) { return usage_error("perft: not available yet"); }
}  // namespace zenko::tool
