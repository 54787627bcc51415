// Runs a fuzz target without libFuzzer: on every file given (or found in a
// folder given), then on a fixed number of mutations of them, chosen by a
// seeded generator so that every run tries the same inputs. Mutations flip
// bits, overwrite, cut, repeat and insert bytes, and splice in the words
// the record formats are made of, so that they reach past the first check
// of a reader.
//
//   fuzz_target [--runs N] [--seed S] FILE|FOLDER...
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/fuzz_target.h"

namespace {

constexpr std::size_t MaxInputBytes = 64 * 1024;

// Words of the formats: PGN's brackets and results, notation characters,
// DhtmlXQ's fields, XQF's mark, FEN letters.
const char* const Words[] = {
    "[",
    "]",
    "{",
    "}",
    "(",
    ")",
    "\"",
    "$12",
    "1-0",
    "*",
    "1.",
    "...",
    ";",
    "\n%",
    "[FEN \"",
    "[Variant \"xiangqi\"]",
    "[Format \"ICCS\"]",
    "炮二平五",
    "马８进７",
    "前",
    "后",
    "中",
    "兵",
    "卒",
    "进",
    "退",
    "平",
    "一",
    "９",
    "C2.5",
    "++.4",
    "33.4",
    "H2-E2",
    "h2e2",
    "Rxa10",
    "a0",
    "[DhtmlXQ]",
    "[/DhtmlXQ]",
    "[DhtmlXQ_movelist]",
    "[/DhtmlXQ_movelist]",
    "[DhtmlXQ_binit]",
    "[DhtmlXQ_comment1]",
    "XQ\x12",
    "moves ",
    "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR w",
    "\xEF\xBB\xBF",
    "\xFF\xFE",
    "\xE3\x80\x80",
    "\x81",
    "\xA4\x40",
};

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed ? seed : 1) {}
    std::uint64_t next() {
        state_ ^= state_ << 13, state_ ^= state_ >> 7, state_ ^= state_ << 17;
        return state_;
    }
    std::size_t below(std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(next() % n); }

private:
    std::uint64_t state_;
};

void mutate(std::string& input, Random& random) {
    const std::size_t steps = 1 + random.below(4);
    for (std::size_t s = 0; s < steps; ++s) {
        const std::size_t at = random.below(input.size() + 1);
        switch (random.below(7)) {
            case 0:
                if (!input.empty())
                    input[random.below(input.size())] ^= static_cast<char>(1u << random.below(8));
                break;
            case 1:
                if (!input.empty()) input[random.below(input.size())] = static_cast<char>(random.next());
                break;
            case 2:
                input.erase(at, random.below(16));
                break;
            case 3:
                input.insert(at, random.below(8) + 1, static_cast<char>(random.next()));
                break;
            case 4: {
                const std::size_t from = random.below(input.size() + 1);
                input.insert(at, input.substr(from, random.below(64)));
                break;
            }
            case 5:
                input.insert(at, Words[random.below(std::size(Words))]);
                break;
            default:
                input.resize(random.below(input.size() + 1));
                break;
        }
    }
    if (input.size() > MaxInputBytes) input.resize(MaxInputBytes);
}

void collect(const std::filesystem::path& path, std::vector<std::string>& seeds) {
    if (std::filesystem::is_directory(path)) {
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path))
            if (entry.is_regular_file()) files.push_back(entry.path());
        std::sort(files.begin(), files.end());  // the same order on every machine
        for (const auto& file : files) collect(file, seeds);
        return;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "fuzz: cannot read %s\n", path.c_str());
        std::exit(2);
    }
    seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The input being tried, for the report of a run that fails.
const std::string* current = nullptr;

// A failing input is kept in fuzz-failure.bin in the current folder (the
// build tree under ctest), to be tried again with the target alone.
extern "C" void keep_failing_input(int signal) {
    const int fd = open("fuzz-failure.bin", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0 && current) {
        if (write(fd, current->data(), current->size()) < 0) {
        }
        close(fd);
    }
    const char note[] = "fuzz: the failing input is in fuzz-failure.bin\n";
    if (write(STDERR_FILENO, note, sizeof note - 1) < 0) {
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void run(const std::string& input) {
    current = &input;
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

}  // namespace

int main(int argc, char** argv) {
    long runs = 1000;
    std::uint64_t seed = 20240501;
    std::vector<std::string> seeds{""};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc)
            runs = std::strtol(argv[++i], nullptr, 10);
        else if (arg == "--seed" && i + 1 < argc)
            seed = std::strtoull(argv[++i], nullptr, 10);
        else
            collect(arg, seeds);
    }
    for (int signal : {SIGILL, SIGSEGV, SIGABRT, SIGFPE, SIGBUS}) std::signal(signal, keep_failing_input);
    for (const std::string& s : seeds) run(s);
    Random random(seed);
    for (long n = 0; n < runs; ++n) {
        std::string input = seeds[random.below(seeds.size())];
        mutate(input, random);
        run(input);
    }
    std::printf("fuzz: %zu seeds and %ld mutations\n", seeds.size(), runs);
    return 0;
}
