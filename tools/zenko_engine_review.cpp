// review FILE [NODES]: the engine's review of the first game of a record,
// one line a move as it is judged, then the summary of each side.
#include <cstdio>
#include <optional>
#include <stdexcept>

#include "game/review_session.h"
#include "game/uci_notation.h"
#include "record/formats/game_record.h"
#include "record/formats/record_texts.h"
#include "record/formats/writers.h"
#include "tools/posix_engine_process.h"
#include "tools/zenko_engine.h"

namespace zenko::tool {

namespace {

constexpr int MaxNodes = 100000000;
constexpr int IccsFirstRank = 0;  // ICCS counts ranks 0-9, as Pikafish does

// The first game of any record file the game opens, read whole or up to the
// move that cannot be played. An empty `error` on success.
ReviewGame review_input_from_file(const std::string& path, std::string& error) {
    std::string bytes;
    if (!read_record_bytes(path, bytes)) {
        error = "cannot read '" + path + "'";
        return {};
    }
    const formats::RecordContents contents = formats::read_record_file(bytes, path);
    if (!contents.error.empty() || contents.games.empty() || contents.games.front().moves.empty()) {
        error = "'" + path + "' holds no game" + (contents.error.empty() ? "" : ": " + contents.error);
        return {};
    }
    const formats::GameRecord& record = contents.games.front();
    ReviewGame game;
    game.startFen = formats::fen_of(record.start, record.redToMove);
    for (const formats::RecordedMove& m : record.moves)
        game.moves.push_back({m.fromX, m.fromY, m.toX, m.toY});
    return game;
}

std::string iccs(const PlayedMove& m) { return uci_move_text(m.fromX, m.fromY, m.toX, m.toY, IccsFirstRank); }

void print_move(const MoveJudgement& j) {
    const std::string best = j.best ? iccs(*j.best) : "-";
    if (j.judged) {
        std::printf("ply %d %s before %.3f after %.3f mark %s best %s\n", j.ply, iccs(j.move).c_str(),
                    j.before, j.after, mark_text(j.mark), best.c_str());
    } else {
        std::printf("ply %d %s before - after - mark - best %s\n", j.ply, iccs(j.move).c_str(), best.c_str());
    }
    std::fflush(stdout);
}

void print_side(const char* name, const SideSummary& side) {
    std::printf("summary %s ?! %d ? %d ?? %d accuracy ", name, side.inaccuracies, side.mistakes,
                side.blunders);
    if (side.judged > 0)
        std::printf("%.1f\n", side.accuracy);
    else
        std::printf("-\n");
}

}  // namespace

int review_command(const Args& args) {
    if (args.empty() || args.size() > 2) return usage_error("usage: zenko-engine review FILE [NODES]");
    int nodes = ReviewSession::DefaultNodes;
    if (args.size() == 2) {
        try {
            std::size_t used = 0;
            nodes = std::stoi(args[1], &used);
            if (used != args[1].size()) nodes = 0;
        } catch (const std::exception&) {
            nodes = 0;
        }
        if (nodes < 1 || nodes > MaxNodes) return usage_error("review: NODES must be 1 to 100000000");
    }
    std::string error;
    const ReviewGame game = review_input_from_file(args[0], error);
    if (!error.empty()) return usage_error("review: " + error);
    const EngineLocation engine = find_engine();
    if (engine.command.empty()) return usage_error("review: no engine (" + engine.named + ")");

    PosixEngineProcess process;
    ReviewSession session(process, engine.command, nodes);
    std::optional<EngineFailure> ended;
    session.moveJudged = print_move;
    session.finished = [&](EngineFailure failure) { ended = failure; };
    if (!session.start(game)) return usage_error("review: the moves of '" + args[0] + "' cannot be played");
    while (!ended && session.running()) process.wait_for_event();
    if (ended != EngineFailure::None)
        return usage_error("review: the engine (" + engine.named + ") failed after " +
                           std::to_string(session.done()) + " of " + std::to_string(session.total()) +
                           " positions");
    const ReviewSummary summary = session.summary();
    print_side("red", summary.red);
    print_side("black", summary.black);
    return 0;
}

}  // namespace zenko::tool
