// The computer's move at every level. LEVEL1-3 are the game's own search;
// LEVEL4-6 ask a UCI engine, within this game's rules: the computer takes
// the person's general itself when it can, the engine is never shown a
// position it could not be shown under standard rules, and each of its
// moves must pass 移動チェック. Whatever goes wrong with the engine, LEVEL3's
// move is played instead.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "game/uci_client.h"
#include "rules/engine.h"

namespace zenko {

inline constexpr int FirstEngineLevel = 4, LastEngineLevel = 6;
constexpr bool is_engine_level(int level) { return level >= FirstEngineLevel && level <= LastEngineLevel; }

// Why the engine levels and ヒント cannot be chosen: the engine named is
// not there, or it never became ready.
std::string engine_missing_text(const std::string& named);
std::string engine_silent_text(const std::string& named);

// The engine's settings for LEVEL4..6 (and ヒント at LEVEL6).
EngineSettings engine_settings(int level);

// How the computer's move was chosen.
enum class MoveSource {
    Search,          // the game's own search (LEVEL1-3)
    GeneralCapture,  // the person's general could be taken: taken
    Engine,          // the engine's move
    Level3,          // LEVEL3's move where the engine may not be asked or has no move
    Fallback,        // LEVEL3's move because the engine failed: tell the player once
};

struct ComputerMove {
    bool found = false;  // false: COM has no legal move at all
    int fromX = 0, fromY = 0, toX = 0, toY = 0, piece = 0;
    MoveSource source = MoveSource::Search;
};

// First step of the computer's turn at an engine level (COM to move); it
// takes the pre-move copies itself. Either the move is decided at once (`ask` false),
// or `fen` is the position to send to the engine.
struct EngineTurn {
    bool ask = false;
    std::string fen;
    ComputerMove decided;
};
// `standardRules`: the game is played by the standard rules of Xiangqi, and
// LEVEL3's move in its place is chosen among the moves they allow.
EngineTurn begin_engine_turn(Engine& engine, bool standardRules = false);

// Second step: the engine's answer turned into the move to play.
ComputerMove finish_engine_turn(Engine& engine, const EngineAnswer& answer, bool standardRules = false);

// LEVEL3's move, whatever level the game is played at.
ComputerMove level3_move(Engine& engine, MoveSource source, bool standardRules = false);

// The whole computer's turn in one call, for tools: levels 1-3 search here;
// 4-6 ask `client` and call `wait_for_event` until it has answered.
// `settings` replaces the level's own (the match runner tries others).
ComputerMove computer_move(Engine& engine, int level, UciClient* client,
                           const std::function<void()>& wait_for_event,
                           const std::optional<EngineSettings>& settings = std::nullopt);

}  // namespace zenko
