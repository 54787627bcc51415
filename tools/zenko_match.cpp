// zenko-match A B [GAMES] [A=SETTINGS] [B=SETTINGS]: levels A and B (1-6)
// play each other from a fixed
// set of openings, each opening once with A as red (MAN, moving first) and
// once with B as red, and the score table and the thinking times of the
// engine levels are printed. Moves are chosen exactly as the game chooses
// them (computer_move); the side to move is turned to the top first.
// SETTINGS try other engine settings for a level while choosing them, as
// comma-separated words: skill=N, elo=N, depth=N, nodes=N, movetime=N, cap=N,
// e.g. 4=skill=10,depth=2.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game/engine_player.h"
#include "game/uci_notation.h"
#include "tools/posix_engine_process.h"

namespace zenko::tool {
namespace {

// Common first moves of both sides (Fairy-Stockfish's ranks 1-10, red first).
const char* const Openings[] = {
    "h3e3 h10g8",
    "h3e3 b10c8",
    "h3e3 h8e8",
    "h3e3 b8e8",
    "b3e3 h10g8",
    "c4c5 g7g6",
    "c4c5 b8c8",
    "g1e3 h8e8",
    "g1e3 c7c6",
    "b1c3 h10g8",
    "h1g3 b10c8",
    "b3d3 h10g8",
    "h3f3 b10c8",
    "g4g5 c7c6",
    "h3e3 h10g8 h1g3 i10h10",
    "h3e3 h10g8 h1g3 c7c6",
    "h3e3 b10c8 h1g3 h10g8",
    "c4c5 b8c8 b1c3 h10g8",
    "h3e3 h8e8 h1g3 h10g8",
    "c1e3 h10g8",
};
constexpr int OpeningCount = sizeof Openings / sizeof Openings[0];

constexpr int MaxPlies = 300;                // a longer game is a draw
constexpr int MaxPliesWithoutCapture = 120;  // sixty moves each without a capture: a draw
constexpr int RepetitionsForDraw = 3;

struct Player {
    explicit Player(int lvl) : level(lvl), client(process, find_engine().command) {}
    int level;
    std::optional<EngineSettings> settings;
    PosixEngineProcess process;
    UciClient client;
    std::vector<double> thinkingMs;
    std::vector<double> startingMs;  // answers that started the engine first
    int fallbacks = 0;
};

// The move of the side to move; for MAN the board is turned so that the
// mover is the top army, and the move is turned back.
ComputerMove choose(Player& player, const Engine& board, bool manToMove) {
    Engine view = board;
    if (manToMove) view.反転();
    const bool starting = !player.client.running();
    const auto start = std::chrono::steady_clock::now();
    ComputerMove move = computer_move(
        view, player.level, &player.client, [&] { player.process.wait_for_event(); }, player.settings);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (move.source == MoveSource::Engine || move.source == MoveSource::Fallback)
        (starting ? player.startingMs : player.thinkingMs).push_back(ms);
    if (move.source == MoveSource::Fallback) ++player.fallbacks;
    if (manToMove && move.found) {
        move.fromX = BoardFiles + 1 - move.fromX, move.toX = BoardFiles + 1 - move.toX;
        move.fromY = BoardRanks + 1 - move.fromY, move.toY = BoardRanks + 1 - move.toY;
        move.piece = board.piece_at(move.fromX, move.fromY);
    }
    return move;
}

bool play_opening(Engine& board, const std::string& moves, bool& manToMove) {
    board.初期配置();
    manToMove = true;
    std::size_t at = 0;
    while (at < moves.size()) {
        std::size_t end = moves.find(' ', at);
        if (end == std::string::npos) end = moves.size();
        int fx, fy, tx, ty;
        if (!read_uci_move(moves.substr(at, end - at), 1, fx, fy, tx, ty)) return false;
        const int piece = board.piece_at(fx, fy);
        if (piece == PieceEmpty || (piece < 0) != manToMove ||
            board.移動チェック(fx, fy, tx, ty, piece) != FlagOn)
            return false;
        board.駒移動(fx, fy, tx, ty, piece);
        manToMove = !manToMove;
        at = end + 1;
    }
    return true;
}

struct Outcome {
    int redScore2;  // 2 red won, 1 draw, 0 black won
    const char* why;
    int plies;
};

Outcome play_game(Player& red, Player& black, const std::string& opening) {
    Engine board;
    bool manToMove = true;
    if (!play_opening(board, opening, manToMove)) return {1, "bad opening", 0};
    std::map<std::string, int> seen;
    int plies = 0, quiet = 0;
    for (;; ++plies) {
        if (plies >= MaxPlies) return {1, "move limit", plies};
        const ComputerMove move = choose(manToMove ? red : black, board, manToMove);
        if (!move.found) return {manToMove ? 0 : 2, "no move", plies};
        const int captured = board.piece_at(move.toX, move.toY);
        board.駒移動(move.fromX, move.fromY, move.toX, move.toY, move.piece);
        if (captured == ManGeneral || captured == ComGeneral)
            return {manToMove ? 2 : 0, "general taken", plies + 1};
        quiet = captured == PieceEmpty ? quiet + 1 : 0;
        if (quiet >= MaxPliesWithoutCapture) return {1, "no capture", plies + 1};
        manToMove = !manToMove;
        if (++seen[board.fen(manToMove)] >= RepetitionsForDraw) return {1, "repetition", plies + 1};
    }
}

double median_of(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void print_thinking(const Player& player) {
    if (!is_engine_level(player.level)) return;
    const auto& t = player.thinkingMs;
    const auto& s = player.startingMs;
    std::printf(
        "LEVEL%d thinking: %zu moves, median %.1f ms, longest %.1f ms; %zu starts, longest %.1f ms; "
        "fallbacks %d\n",
        player.level, t.size(), median_of(t), t.empty() ? 0.0 : *std::max_element(t.begin(), t.end()),
        s.size(), s.empty() ? 0.0 : *std::max_element(s.begin(), s.end()), player.fallbacks);
}

// "skill=10,depth=2" over the level's own settings; false for an unknown word.
bool parse_settings(const std::string& text, EngineSettings& settings) {
    using Limit = EngineSettings::Limit;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find(',', at);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(at, end - at);
        const std::size_t equals = word.find('=');
        if (equals == std::string::npos) return false;
        const std::string name = word.substr(0, equals);
        const int value = std::atoi(word.c_str() + equals + 1);
        if (name == "skill")
            settings.skillLevel = value;
        else if (name == "elo")
            settings.elo = value;
        else if (name == "depth")
            settings.limit = Limit::Depth, settings.amount = value;
        else if (name == "nodes")
            settings.limit = Limit::Nodes, settings.amount = value;
        else if (name == "movetime")
            settings.limit = Limit::MoveTime, settings.amount = value;
        else if (name == "cap")
            settings.capMs = value;
        else
            return false;
        at = end + 1;
    }
    return true;
}

bool parse_level(const char* text, int& level) {
    level = text[0] - '0';
    return text[0] && !text[1] && level >= 1 && level <= LastEngineLevel;
}

}  // namespace
}  // namespace zenko::tool

int main(int argc, char** argv) {
    using namespace zenko;
    using namespace zenko::tool;
    int levelA = 0, levelB = 0;
    if (argc < 3 || !parse_level(argv[1], levelA) || !parse_level(argv[2], levelB)) {
        std::fprintf(stderr,
                     "usage: zenko-match LEVEL_A LEVEL_B [GAMES] [LEVEL=SETTINGS]...  (levels 1-6)\n");
        return 2;
    }
    const int games = argc >= 4 ? std::max(2, std::atoi(argv[3])) : 2 * OpeningCount;
    Player a(levelA), b(levelB);
    for (int i = 4; i < argc; ++i) {
        const std::string arg = argv[i];
        int level = 0;
        Player* player = arg.size() > 2 && arg[1] == '=' && parse_level(arg.substr(0, 1).c_str(), level)
                             ? (level == levelA   ? &a
                                : level == levelB ? &b
                                                  : nullptr)
                             : nullptr;
        EngineSettings settings = engine_settings(level);
        if (!player || !is_engine_level(level) || !parse_settings(arg.substr(2), settings)) {
            std::fprintf(stderr, "zenko-match: cannot read '%s'\n", argv[i]);
            return 2;
        }
        player->settings = settings;
    }
    int wins = 0, draws = 0, losses = 0;
    std::map<std::string, int> reasons;
    for (int game = 0; game < games; ++game) {
        const int opening = (game / 2) % OpeningCount;
        const bool aIsRed = game % 2 == 0;
        const Outcome o = play_game(aIsRed ? a : b, aIsRed ? b : a, Openings[opening]);
        const int aScore2 = aIsRed ? o.redScore2 : 2 - o.redScore2;
        (aScore2 == 2 ? wins : aScore2 == 1 ? draws : losses)++;
        ++reasons[o.why];
        std::printf("game %2d opening %2d LEVEL%d %s: %s (%s, %d plies)\n", game + 1, opening + 1, levelA,
                    aIsRed ? "red  " : "black",
                    aScore2 == 2   ? "win "
                    : aScore2 == 1 ? "draw"
                                   : "loss",
                    o.why, o.plies);
        std::fflush(stdout);
    }
    const double score = wins + draws / 2.0;
    std::printf("\nLEVEL%d vs LEVEL%d  games %d  wins %d  draws %d  losses %d  score %.1f/%d (%.1f %%)\n",
                levelA, levelB, games, wins, draws, losses, score, games, 100.0 * score / games);
    std::printf("endings:");
    for (const auto& [why, count] : reasons) std::printf(" %s %d;", why.c_str(), count);
    std::printf("\n");
    print_thinking(a);
    print_thinking(b);
    return 0;
}
