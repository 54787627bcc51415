// review FILE [NODES]: the engine's review of the first game of a record,
// one line a move as it is judged, then the summary of each side.
#include <cstdio>
#include <fstream>
#include <optional>
#include <stdexcept>

#include "game/review_session.h"
#include "game/uci_notation.h"
#include "record/record_line.h"
#include "tools/posix_engine_process.h"
#include "tools/zenko_engine.h"

namespace zenko::tool {

namespace {

constexpr std::size_t MaxRecordBytes = 2 * 1024 * 1024;
constexpr int RecordHeaderLines = 3;
constexpr int MaxNodes = 100000000;
constexpr int IccsFirstRank = 0;  // ICCS counts ranks 0-9, as Pikafish does

// The lines of a text, each ended by CR LF, LF or a lone CR.
std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            line += text[i];
            continue;
        }
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        lines.push_back(line);
        line.clear();
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// A .棋譜 file: three header lines (the game's and the players' names, in
// Shift_JIS, not needed here), then one line of 32 columns a move, played
// from the full set; the army of the first move moves first. Blank lines
// may end the file. An empty `error` on success.
ReviewGame review_input_from_file(const std::string& path, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read '" + path + "'";
        return {};
    }
    std::string bytes(MaxRecordBytes + 1, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    if (bytes.size() > MaxRecordBytes) {
        error = "'" + path + "' is too large for a record";
        return {};
    }
    ReviewGame game;
    const std::vector<std::string> lines = lines_of(bytes);
    bool ended = false;
    for (std::size_t n = RecordHeaderLines; n < lines.size(); ++n) {
        if (lines[n].find_first_not_of(" \t") == std::string::npos) {
            ended = true;
            continue;
        }
        const std::optional<MoveRecord> move = parse_move_line(lines[n]);
        if (ended || !move || !is_playable_move(*move)) {
            error = "line " + std::to_string(n + 1) + " of '" + path + "' is no move";
            return {};
        }
        game.moves.push_back({move->fromX, move->fromY, move->toX, move->toY});
    }
    if (lines.size() < RecordHeaderLines || game.moves.empty()) {
        error = "'" + path + "' holds no game";
        return {};
    }
    Engine start;
    start.初期配置();
    const bool redFirst = start.piece_at(game.moves[0].fromX, game.moves[0].fromY) < 0;
    game.startFen = uci_fen(start, redFirst);
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
