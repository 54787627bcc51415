// The engine tool's answers on recorded positions (openings and random play
// from the start): every recorded run of the tool is repeated and its output
// must match the recording byte for byte, so a change inside the engine that
// alters a survey table, a mate verdict, a candidate's score or the order of
// the search shows up here.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace zenko::testing {
namespace {

struct Recording {
    std::string args;      // the words after the tool's name, shell-quoted
    std::string expected;  // the exact output
};

// Records start with a line "$ ARGS"; the lines up to the next one are its output.
std::vector<Recording> read_recordings(const std::string& path) {
    std::ifstream in(path);
    std::vector<Recording> recordings;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("$ ", 0) == 0)
            recordings.push_back({line.substr(2), ""});
        else if (!recordings.empty())
            recordings.back().expected += line + '\n';
    }
    return recordings;
}

std::string run_tool(const std::string& args) {
    const std::string command = std::string(ZENKO_ENGINE_TOOL) + " " + args + " 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string out;
    if (!pipe) return out;
    std::array<char, 4096> chunk;
    for (std::size_t n; (n = std::fread(chunk.data(), 1, chunk.size(), pipe.get())) > 0;)
        out.append(chunk.data(), n);
    return out;
}

class EngineAnswers : public ::testing::TestWithParam<const char*> {};

TEST_P(EngineAnswers, MatchTheRecording) {
    const std::string command = GetParam();
    const auto recordings = read_recordings(ZENKO_SOURCE_DIR "/tests/engine/fixtures/engine_answers.txt");
    ASSERT_GT(recordings.size(), 1000u);
    int compared = 0, differing = 0;
    for (const Recording& r : recordings) {
        if (r.args.rfind(command + " ", 0) != 0) continue;
        ++compared;
        const std::string actual = run_tool(r.args);
        if (actual == r.expected) continue;
        if (++differing <= 3)
            ADD_FAILURE() << r.args << "\nexpected:\n" << r.expected << "actual:\n" << actual;
    }
    EXPECT_EQ(differing, 0) << "of " << compared << " runs";
    EXPECT_GT(compared, 20);
}

INSTANTIATE_TEST_SUITE_P(Tool, EngineAnswers, ::testing::Values("survey", "moves", "mate", "perft"),
                         [](const auto& row) { return std::string(row.param); });

}  // namespace
}  // namespace zenko::testing
