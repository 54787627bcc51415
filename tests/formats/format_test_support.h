// Helpers of the record format tests: the committed test files, positions
// from FEN, and a game's moves in ICCS for comparing at a glance.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "record/formats/game_record.h"
#include "record/formats/notation.h"
#include "rules/engine.h"

namespace zenko::testing {

inline std::string data_file(const std::string& name) {
    std::ifstream in(std::string(ZENKO_SOURCE_DIR) + "/tests/formats/data/" + name, std::ios::binary);
    EXPECT_TRUE(in) << "missing test file " << name;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline Engine position_of(const std::string& fen, bool* redToMove = nullptr) {
    Engine engine;
    EXPECT_TRUE(engine.set_fen(fen, redToMove)) << "FEN refused: " << fen;
    return engine;
}

inline BoardArray board_of(const std::string& fen) { return position_of(fen).board(); }

inline std::string moves_of(const formats::GameRecord& game) {
    std::string text;
    for (const formats::RecordedMove& m : game.moves)
        text += (text.empty() ? "" : " ") + formats::iccs_text(m.fromX, m.fromY, m.toX, m.toY);
    return text;
}

inline const std::string FullSetFen = "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR w - - 0 1";

}  // namespace zenko::testing
