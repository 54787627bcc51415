#include "tools/zenko_engine.h"

namespace zenko::tool {
int survey_command(const Args&) { return usage_error("survey: not available yet"); }
int moves_command(const Args&) { return usage_error("moves: not available yet"); }
int mate_command(const Args&) { return usage_error("mate: not available yet"); }
int bench_command(const Args&) { return usage_error("bench: not available yet"); }
}  // namespace zenko::tool
