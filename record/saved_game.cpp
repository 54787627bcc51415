// The saved game's text: a first line naming the form, one "key=values" line
// per field in a fixed order, one line per move and a closing line, so that
// a cut or foreign file is never taken for a game.
#include "record/saved_game.h"

#include <charconv>
#include <cmath>
#include <sstream>

#include "game/engine_player.h"
#include "record/record_line.h"
#include "rules/engine.h"

namespace zenko {
namespace {

constexpr const char* FirstLine = "ZENKO中国象棋 続き 1";
constexpr const char* LastLine = "end";
// A step: the position lines again, between these two lines.
constexpr const char* StepLine = "step";
constexpr const char* StepEndLine = "step end";
constexpr std::size_t MaxMoves = 10000;
constexpr std::size_t MaxSteps = 100000;
constexpr std::size_t MaxHeaderChars = 1000;
constexpr double MaxSeconds = 1e9;
constexpr int MaxMoveField = 1000;  // far beyond any square or piece code, and safe to convert
constexpr int MaxHandicapLevel = 10;
constexpr std::size_t MaxReviewLine = 64;  // moves of an engine's line kept

void put_board(std::ostringstream& out, const char* key, const BoardArray& board) {
    out << key << '=';
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y) out << (x + y > 2 ? " " : "") << board[x][y];
    out << '\n';
}

std::string seconds_text(double seconds) {
    char digits[64];
    const auto end = std::to_chars(digits, digits + sizeof digits, seconds);
    return std::string(digits, end.ptr);
}

// Reads the lines in order; each read checks the key and splits the values.
class Reader {
public:
    explicit Reader(const std::string& text) : in_(text) {}
    bool line(std::string& out) {
        lastWhole_ = false;
        if (!std::getline(in_, out)) return false;
        lastWhole_ = !in_.eof();  // the line had its line end
        return true;
    }
    // The last line read ended with a line end (it was not cut).
    bool whole_line() const { return lastWhole_; }
    bool at_end() { return in_.peek() == std::char_traits<char>::eof(); }
    bool text(const char* key, std::string& value) {
        std::string l;
        if (!line(l) || l.rfind(std::string(key) + "=", 0) != 0) return false;
        value = l.substr(std::string(key).size() + 1);
        return true;
    }
    bool numbers(const char* key, std::vector<double>& values, std::size_t count) {
        return numbers(key, values, count, count);
    }
    // Lines written by later versions carry more values at their end.
    bool numbers(const char* key, std::vector<double>& values, std::size_t fewest, std::size_t most) {
        std::string l;
        if (!text(key, l)) return false;
        return split(l, values) && values.size() >= fewest && values.size() <= most;
    }
    // The next line starts with "key=" (it is not read).
    bool next_is(const char* key) {
        const std::streampos at = in_.tellg();
        std::string l;
        const bool is = static_cast<bool>(std::getline(in_, l)) && l.rfind(std::string(key) + "=", 0) == 0;
        in_.clear();
        in_.seekg(at);
        return is;
    }
    static bool split(const std::string& l, std::vector<double>& values) {
        values.clear();
        const char* p = l.data();
        const char* end = p + l.size();
        while (p < end) {
            if (*p == ' ') {
                ++p;
                continue;
            }
            double v = 0;
            const auto [next, error] = std::from_chars(p, end, v);
            if (error != std::errc() || !std::isfinite(v)) return false;
            values.push_back(v);
            p = next;
        }
        return true;
    }

private:
    std::istringstream in_;
    bool lastWhole_ = false;
};

bool whole_in(double v, int low, int high) { return v == std::trunc(v) && v >= low && v <= high; }
bool flag(double v) { return v == FlagOn || v == FlagOff; }
bool side(double v) { return v == static_cast<int>(FirstPlayer) || v == static_cast<int>(SecondPlayer); }
Side side_of(double v) { return static_cast<Side>(static_cast<int>(v)); }
bool mode(double v) { return v == static_cast<int>(NoGame) || v == ModeVsMan || v == ModeVsCom; }

bool read_board(Reader& reader, const char* key, BoardArray& board) {
    std::vector<double> v;
    if (!reader.numbers(key, v, BoardFiles * BoardRanks)) return false;
    std::size_t i = 0;
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y, ++i) {
            if (!whole_in(v[i], ManGeneral, ComGeneral)) return false;
            board[x][y] = static_cast<int>(v[i]);
        }
    return true;
}

// A move line passes the same check as a move line of a record file, so a
// game played on from any record that loads can be kept and brought back.
bool read_move(const std::vector<double>& v, MoveRecord& m) {
    if (v.size() != 11) return false;
    for (std::size_t i = 0; i < 7; ++i)
        if (!whole_in(v[i], -MaxMoveField, MaxMoveField)) return false;
    m = {static_cast<int>(v[0]),
         static_cast<int>(v[1]),
         static_cast<int>(v[2]),
         static_cast<int>(v[3]),
         static_cast<int>(v[4]),
         static_cast<int>(v[5]),
         static_cast<int>(v[6]),
         v[7],
         v[8],
         v[9],
         v[10]};
    return is_playable_move(m);
}

bool read_header_lines(Reader& reader, SavedGame& g) {
    for (std::string& header : g.headers)
        if (!reader.text("header", header) || utf8_length(header) > static_cast<int>(MaxHeaderChars))
            return false;
    return true;
}

// A loaded record's tags ("tag=NAME<tab>VALUE") and comments ("comment=N
// TEXT", line breaks and backslashes escaped), when it has any.
std::string escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c != '\r')
            out += c;
    }
    return out;
}

std::string unescaped(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        out += text[++i] == 'n' ? '\n' : text[i];
    }
    return out;
}

void put_notes(std::ostringstream& out, const RecordNotes& notes) {
    if (notes.StandardRules) out << "record_rules=standard\n";
    for (const auto& [name, value] : notes.Tags)
        out << "tag=" << escaped(name) << '\t' << escaped(value) << '\n';
    for (std::size_t n = 0; n < notes.Comments.size(); ++n)
        if (!notes.Comments[n].empty()) out << "comment=" << n << ' ' << escaped(notes.Comments[n]) << '\n';
    // One line a position reviewed, in order: valued, red's expected
    // score, the mark, then the engine's line as squares.
    for (const ReviewedPosition& p : notes.Review) {
        out << "review=" << (p.valued ? 1 : 0) << ' ' << p.redExpected << ' ' << p.mark;
        for (const ReviewMove& m : p.line)
            out << ' ' << m.fromX << ' ' << m.fromY << ' ' << m.toX << ' ' << m.toY;
        out << '\n';
    }
}

bool read_review_line(Reader& reader, ReviewedPosition& p) {
    std::vector<double> v;
    if (!reader.numbers("review", v, 3, 3 + 4 * MaxReviewLine) || (v.size() - 3) % 4 != 0 ||
        !whole_in(v[0], 0, 1) || !(v[1] >= 0 && v[1] <= 1) || !whole_in(v[2], NoReviewMark, MarkBlunder))
        return false;
    p.valued = v[0] == 1, p.redExpected = v[1], p.mark = int(v[2]);
    for (std::size_t at = 3; at < v.size(); at += 4) {
        if (!whole_in(v[at], 1, BoardFiles) || !whole_in(v[at + 1], 1, BoardRanks) ||
            !whole_in(v[at + 2], 1, BoardFiles) || !whole_in(v[at + 3], 1, BoardRanks))
            return false;
        p.line.push_back({int(v[at]), int(v[at + 1]), int(v[at + 2]), int(v[at + 3])});
    }
    return true;
}

bool read_notes(Reader& reader, RecordNotes& notes) {
    std::string value;
    if (reader.next_is("record_rules")) {
        if (!reader.text("record_rules", value) || value != "standard") return false;
        notes.StandardRules = true;
    }
    while (reader.next_is("tag")) {
        if (!reader.text("tag", value) || notes.Tags.size() == MaxMoves) return false;
        const std::size_t tab = value.find('\t');
        if (tab == std::string::npos) return false;
        notes.Tags.emplace_back(unescaped(value.substr(0, tab)), unescaped(value.substr(tab + 1)));
    }
    while (reader.next_is("comment")) {
        if (!reader.text("comment", value)) return false;
        std::size_t n = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), n);
        if (error != std::errc() || end == value.data() + value.size() || *end != ' ' || n > MaxMoves)
            return false;
        if (notes.Comments.size() <= n) notes.Comments.resize(n + 1);
        notes.Comments[n] = unescaped(value.substr(static_cast<std::size_t>(end + 1 - value.data())));
    }
    while (reader.next_is("review")) {
        if (notes.Review.size() == MaxMoves + 1 || !read_review_line(reader, notes.Review.emplace_back()))
            return false;
    }
    return true;
}

// The game, the clocks and the history's place and flags: with the board,
// the lines a step rewrites. `moveCount` is the number of moves the history holds.
bool read_play(Reader& reader, SavedGame& g, std::size_t& moveCount) {
    std::vector<double> v;
    if (!reader.numbers("game", v, 8, 9) || !mode(v[0]) || !side(v[1]) || !side(v[2]) || v[1] == v[2] ||
        !(v[3] == static_cast<int>(NoGame) || v[3] == v[1] || v[3] == v[2]) ||
        !whole_in(v[4], 1, LastEngineLevel) || !flag(v[5]) || !whole_in(v[6], 0, BoardFiles) ||
        !whole_in(v[7], 0, BoardRanks))
        return false;
    g.gameMode = int(v[0]), g.manSide = side_of(v[1]), g.comSide = side_of(v[2]), g.turn = side_of(v[3]);
    g.level = int(v[4]), g.finished = v[5] == FlagOn, g.comMarkX = int(v[6]), g.comMarkY = int(v[7]);
    if (v.size() > 8 && !flag(v[8])) return false;
    g.standardRules = v.size() > 8 && v[8] == FlagOn;
    if (!reader.numbers("clocks", v, 2) || v[0] < 0 || v[0] > MaxSeconds || v[1] < 0 || v[1] > MaxSeconds)
        return false;
    g.manTime = v[0], g.comTime = v[1];
    if (!reader.numbers("record", v, 6) || !whole_in(v[0], 0, int(MaxMoves)) || !flag(v[1]) || !flag(v[2]) ||
        !flag(v[3]) || !whole_in(v[4], -MaxHandicapLevel, MaxHandicapLevel) ||
        !whole_in(v[5], 0, int(MaxMoves)) || v[0] > v[5])
        return false;
    g.historyPos = int(v[0]), g.recordMode = int(v[1]), g.reversed = int(v[2]);
    g.handicapSet = int(v[3]), g.handicapLevel = int(v[4]);
    moveCount = static_cast<std::size_t>(v[5]);
    return true;
}

bool read_fields(Reader& reader, SavedGame& g) {
    std::size_t moveCount = 0;
    if (!read_play(reader, g, moveCount)) return false;
    std::vector<double> v;
    if (!reader.numbers("origin", v, 6, 7) || !flag(v[0]) || !flag(v[1]) ||
        !whole_in(v[2], -MaxHandicapLevel, MaxHandicapLevel) || !mode(v[3]) || !side(v[4]) || !side(v[5]) ||
        (v.size() > 6 && !flag(v[6])))
        return false;
    g.origin.reversed = int(v[0]), g.origin.handicapSet = int(v[1]), g.origin.handicapLevel = int(v[2]);
    g.origin.mode = int(v[3]), g.origin.manSide = side_of(v[4]), g.origin.comSide = side_of(v[5]);
    g.origin.topMovesFirst = v.size() > 6 && v[6] == FlagOn;
    if (!read_board(reader, "origin_board", g.origin.board) || !read_board(reader, "board", g.board))
        return false;
    if (!read_header_lines(reader, g) || !read_notes(reader, g.notes)) return false;
    g.moves.resize(moveCount);
    for (MoveRecord& m : g.moves)
        if (!reader.numbers("move", v, 11) || !read_move(v, m)) return false;
    return true;
}

void put_play(std::ostringstream& out, const SavedGame& g) {
    out << "game=" << g.gameMode << ' ' << g.manSide << ' ' << g.comSide << ' ' << g.turn << ' ' << g.level
        << ' ' << (g.finished ? FlagOn : FlagOff) << ' ' << g.comMarkX << ' ' << g.comMarkY << ' '
        << (g.standardRules ? FlagOn : FlagOff) << '\n';
    out << "clocks=" << seconds_text(g.manTime) << ' ' << seconds_text(g.comTime) << '\n';
    out << "record=" << g.historyPos << ' ' << g.recordMode << ' ' << g.reversed << ' ' << g.handicapSet
        << ' ' << g.handicapLevel << ' ' << g.moves.size() << '\n';
}

// Each step the file was given after its game, in order; the last one
// holds. A step cut short by a crash (no closing line) is ignored, which
// leaves the game as the step before it.
bool read_steps(Reader& reader, SavedGame& g) {
    std::string line;
    for (std::size_t steps = 0;; ++steps) {
        SavedGame step = g;
        std::size_t moveCount = 0;
        if (!reader.line(line) || !reader.whole_line()) return true;
        if (line != StepLine || steps == MaxSteps) return false;
        if (!read_play(reader, step, moveCount) || !read_board(reader, "board", step.board))
            return reader.at_end();
        if (!reader.line(line) || !reader.whole_line()) return true;
        if (line != StepEndLine || moveCount != g.moves.size()) return false;
        g = std::move(step);
    }
}

}  // namespace

bool same_history(const SavedGame& a, const SavedGame& b) {
    return a.origin == b.origin && a.headers == b.headers && a.notes == b.notes && a.moves == b.moves;
}

std::string write_saved_game(const SavedGame& g) {
    std::ostringstream out;
    out << FirstLine << '\n';
    put_play(out, g);
    const HistoryStart& o = g.origin;
    out << "origin=" << o.reversed << ' ' << o.handicapSet << ' ' << o.handicapLevel << ' ' << o.mode << ' '
        << o.manSide << ' ' << o.comSide << ' ' << (o.topMovesFirst ? FlagOn : FlagOff) << '\n';
    put_board(out, "origin_board", o.board);
    put_board(out, "board", g.board);
    for (const std::string& header : g.headers) out << "header=" << header << '\n';
    put_notes(out, g.notes);
    for (const MoveRecord& m : g.moves)
        out << "move=" << m.fromX << ' ' << m.fromY << ' ' << m.toX << ' ' << m.toY << ' ' << m.captured
            << ' ' << m.piece << ' ' << m.placed << ' ' << seconds_text(m.manTimeBefore) << ' '
            << seconds_text(m.manTimeAfter) << ' ' << seconds_text(m.comTimeBefore) << ' '
            << seconds_text(m.comTimeAfter) << '\n';
    out << LastLine << '\n';
    return out.str();
}

std::string write_saved_step(const SavedGame& g) {
    std::ostringstream out;
    out << StepLine << '\n';
    put_play(out, g);
    put_board(out, "board", g.board);
    out << StepEndLine << '\n';
    return out.str();
}

std::optional<SavedGame> parse_saved_game(const std::string& text) {
    Reader reader(text);
    std::string line;
    if (!reader.line(line) || line != FirstLine) return std::nullopt;
    SavedGame g;
    if (!read_fields(reader, g)) return std::nullopt;
    if (!reader.line(line) || line != LastLine) return std::nullopt;
    if (!read_steps(reader, g)) return std::nullopt;
    return g;
}

}  // namespace zenko
