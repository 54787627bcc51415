// Reading PGN. A scan splits the text into games and each game into its
// tags and the tokens of its movetext; the game is then built by playing
// the moves on a scratch board. Comments, NAGs, move numbers ("1." and
// "1..."), results, skipped variations and escape lines are told apart by
// their first character, as PGN defines them; everything else is a move.
#include <cctype>
#include <vector>

#include "record/formats/game_builder.h"
#include "record/formats/readers.h"
#include "record/formats/record_texts.h"
#include "record/formats/utf8.h"

namespace zenko::formats {

namespace {

constexpr std::size_t MaxTagNameBytes = 64;
// Moves, comments and NAGs of one game: room for the most moves a game may
// have, each with a comment and a NAG, and more.
constexpr std::size_t MaxTokensPerGame = 4 * MaxMovesPerGame;

enum class TokenKind { Move, Comment, Nag, Variations };

struct Token {
    TokenKind kind;
    std::string_view text;  // the move or the comment
    int value = 0;          // the NAG, or the number of variations
};

struct RawGame {
    std::vector<std::pair<std::string, std::string>> tags;
    std::vector<Token> tokens;
    std::string_view result;
    bool endedEarly = false;  // the text ended inside a comment or a variation
    bool overflowed = false;  // more tokens than a game may hold; the rest were dropped

    void clear() {
        tags.clear(), tokens.clear(), result = {};
        endedEarly = overflowed = false;
    }
    void add(const Token& token) {
        if (tokens.size() < MaxTokensPerGame)
            tokens.push_back(token);
        else
            overflowed = true;
    }
    bool empty() const { return tags.empty() && tokens.empty(); }
};

bool same_name(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool is_result(std::string_view word) {
    return word == "1-0" || word == "0-1" || word == "1/2-1/2" || word == "*" || word == "½-½";
}

// The annotation marks a move may carry, as the NAGs PGN gives them.
int suffix_nag(std::string_view& word) {
    struct Suffix {
        std::string_view text;
        int nag;
    };
    static constexpr Suffix Suffixes[] = {{"!!", 3}, {"??", 4}, {"!?", 5}, {"?!", 6}, {"!", 1}, {"?", 2}};
    for (const Suffix& s : Suffixes)
        if (word.size() > s.text.size() && word.ends_with(s.text)) {
            word.remove_suffix(s.text.size());
            return s.nag;
        }
    return 0;
}

// WXF writes a pawn stacked on two files with the file first (33.4, 3+.4),
// which looks like a move number; such a word is a move as a whole.
bool is_wxf_with_file_first(std::string_view word) {
    return word.size() == 4 && word[0] >= '1' && word[0] <= '9' &&
           (word[1] == '+' || word[1] == '-' || word[1] == word[0]) &&
           (word[2] == '.' || word[2] == '=' || word[2] == '+' || word[2] == '-') && word[3] >= '1' &&
           word[3] <= '9';
}

// Takes a move number ("12.", "12...", "12．") off the front of a word.
std::string_view without_move_number(std::string_view word) {
    if (is_wxf_with_file_first(word)) return word;
    std::size_t digits = 0;
    while (digits < word.size() && word[digits] >= '0' && word[digits] <= '9') ++digits;
    std::size_t at = digits;
    for (;;) {
        if (at < word.size() && word[at] == '.')
            ++at;
        else if (word.substr(at).starts_with("．") || word.substr(at).starts_with("…"))
            at += 3;
        else
            break;
    }
    if (at == digits) return word;  // no dots: not a number (or a bare number, kept to fail as a move)
    return word.substr(at);
}

class Scanner {
public:
    explicit Scanner(std::string_view text) : source_(text) {}

    // Reads the next game; false when the text holds no more.
    bool next_game(RawGame& game) {
        game.clear();
        bool inMovetext = false;
        while (skip_space()) {
            const char c = source_[at_];
            if (c == '[') {
                if (inMovetext) break;  // the next game's tags
                read_tag(game);
                continue;
            }
            inMovetext = true;
            if (c == '{') {
                read_braced_comment(game);
            } else if (c == ';') {
                const std::size_t end = line_end();
                game.add({TokenKind::Comment, trim(source_.substr(at_ + 1, end - at_ - 1))});
                at_ = end;
            } else if (c == '%' && (at_ == 0 || source_[at_ - 1] == '\n')) {
                at_ = line_end();
            } else if (c == '(') {
                skip_variation(game);
            } else if (c == ')' || c == '}') {
                ++at_;  // a stray closing bracket
            } else if (c == '$') {
                read_nag(game);
            } else if (read_word(game)) {
                break;  // a result ends the game
            }
        }
        return !game.empty();
    }

private:
    bool at_end() const { return at_ >= source_.size(); }

    // Moves past white space (ASCII, the ideographic space, no-break space
    // and a byte order mark); false at the end of the text.
    bool skip_space() {
        while (!at_end()) {
            const char c = source_[at_];
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
                ++at_;
            } else if (static_cast<unsigned char>(c) >= 0x80) {
                std::size_t next = at_;
                if (!is_space(next_code_point(source_, next))) return true;
                at_ = next;
            } else {
                return true;
            }
        }
        return false;
    }

    std::size_t line_end() const {
        const std::size_t end = source_.find('\n', at_);
        return end == std::string_view::npos ? source_.size() : end;
    }

    static std::string_view trim(std::string_view s) {
        while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
        while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
        return s;
    }

    // [Name "Value"], the value with \" and \\ escaped; a tag broken off at
    // the end of its line keeps what it has.
    void read_tag(RawGame& game) {
        ++at_;
        const std::size_t end = line_end();
        while (at_ < end && (source_[at_] == ' ' || source_[at_] == '\t')) ++at_;
        const std::size_t nameStart = at_;
        while (at_ < end && source_[at_] != ' ' && source_[at_] != '\t' && source_[at_] != '"' &&
               source_[at_] != ']')
            ++at_;
        const std::string_view name = source_.substr(nameStart, std::min(at_ - nameStart, MaxTagNameBytes));
        while (at_ < end && source_[at_] != '"' && source_[at_] != ']') ++at_;
        std::string value;
        if (at_ < end && source_[at_] == '"') {
            for (++at_; at_ < end && source_[at_] != '"'; ++at_) {
                if (source_[at_] == '\\' && at_ + 1 < end) ++at_;
                if (value.size() < MaxTagValueBytes) value += source_[at_];
            }
        }
        const std::size_t close = source_.substr(0, end).find(']', at_);  // on this line only
        at_ = close != std::string_view::npos ? close + 1 : end;
        if (!name.empty() && game.tags.size() < MaxTagsPerGame)
            game.tags.emplace_back(std::string(name), std::string(utf8_prefix(value, MaxTagValueBytes)));
    }

    void read_braced_comment(RawGame& game) {
        const std::size_t close = source_.find('}', at_);
        if (close == std::string_view::npos) {
            game.add({TokenKind::Comment, trim(source_.substr(at_ + 1))});
            game.endedEarly = true;
            at_ = source_.size();
            return;
        }
        game.add({TokenKind::Comment, trim(source_.substr(at_ + 1, close - at_ - 1))});
        at_ = close + 1;
    }

    // Skips a variation with the variations and comments inside it; each
    // opening parenthesis is one variation.
    void skip_variation(RawGame& game) {
        int depth = 0, count = 0;
        while (!at_end()) {
            const char c = source_[at_];
            if (c == '(') {
                ++depth, ++count, ++at_;
            } else if (c == ')') {
                ++at_;
                if (--depth == 0) break;
            } else if (c == '{') {
                const std::size_t close = source_.find('}', at_);
                at_ = close == std::string_view::npos ? source_.size() : close + 1;
            } else if (c == ';') {
                at_ = line_end();
            } else {
                ++at_;
            }
        }
        if (depth > 0) game.endedEarly = true;
        game.add({TokenKind::Variations, {}, count});
    }

    void read_nag(RawGame& game) {
        ++at_;
        int nag = 0;
        for (; !at_end() && source_[at_] >= '0' && source_[at_] <= '9'; ++at_)
            if (nag < 1000) nag = nag * 10 + (source_[at_] - '0');
        game.add({TokenKind::Nag, {}, nag});
    }

    // A word runs to white space or to a character that starts something
    // else. True when it is a result.
    bool read_word(RawGame& game) {
        const std::size_t start = at_;
        while (!at_end()) {
            const char c = source_[at_];
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '{' || c == '}' || c == '(' ||
                c == ')' || c == ';' || c == '[' || c == '$')
                break;
            if (static_cast<unsigned char>(c) >= 0x80) {
                std::size_t next = at_;
                if (is_space(next_code_point(source_, next))) break;
                at_ = next;
            } else {
                ++at_;
            }
        }
        std::string_view word = source_.substr(start, at_ - start);
        if (is_result(word)) {
            game.result = word;
            return true;
        }
        word = without_move_number(word);
        if (word.empty()) return false;
        const int nag = suffix_nag(word);
        game.add({TokenKind::Move, word});
        if (nag) game.add({TokenKind::Nag, {}, nag});
        return false;
    }

    std::string_view source_;
    std::size_t at_ = 0;
};

// The tags that say how the file writes the game, not what the game was.
bool is_format_tag(std::string_view name) {
    for (std::string_view n : {"Game", "Format", "Variant", "FEN", "SetUp"})
        if (same_name(name, n)) return true;
    return false;
}

std::string_view tag_of(const RawGame& raw, std::string_view name) {
    for (const auto& [key, value] : raw.tags)
        if (same_name(key, name)) return value;
    return {};
}

// The rank count of the game's coordinates, when a square shows it ("a0"
// only exists counting from 0, "a10" only counting from 1).
bool rank_hint(const RawGame& raw, int& firstRank) {
    for (const Token& t : raw.tokens)
        if (t.kind == TokenKind::Move && coordinate_rank_hint(t.text, firstRank)) return true;
    return false;
}

bool has_coordinates(const RawGame& raw) {
    for (const Token& t : raw.tokens)
        if (t.kind == TokenKind::Move && !t.text.empty() && static_cast<unsigned char>(t.text[0]) < 0x80 &&
            t.text.find_first_of("0123456789") != std::string_view::npos &&
            t.text.find_first_of("abcdefghi") != std::string_view::npos)
            return true;
    return false;
}

void play_tokens(const RawGame& raw, GameBuilder& builder, int firstRank) {
    GameRecord& game = builder.record();
    for (const Token& t : raw.tokens) {
        switch (t.kind) {
            case TokenKind::Move:
                builder.play_written(t.text, firstRank);
                break;
            case TokenKind::Comment:
                builder.add_comment(t.text);
                break;
            case TokenKind::Nag:
                builder.set_nag(t.value);
                break;
            case TokenKind::Variations:
                game.skippedVariations += t.value;
                break;
        }
    }
    if (raw.endedEarly) builder.cut_here("", CutFileText);
    if (raw.overflowed) builder.cut_here("", TooManyMovesText);
}

enum class Built { Game, NotAGame, BadStart };

// Builds the game of the raw tokens into `game`.
Built build_game(const RawGame& raw, std::size_t& movesLeft, GameRecord& game) {
    BoardArray start = full_set_board();
    bool redToMove = true;
    if (const std::string_view fen = tag_of(raw, "FEN"); !fen.empty()) {
        Engine engine;
        if (!engine.set_fen(std::string(fen), &redToMove)) return Built::BadStart;
        start = engine.board();
    }
    int firstRank = IccsFirstRank;
    const bool hinted = rank_hint(raw, firstRank);
    std::size_t budget = movesLeft;
    GameBuilder builder(budget);
    if (!builder.start(start, redToMove)) return Built::BadStart;
    play_tokens(raw, builder, firstRank);
    if (builder.is_cut() && !hinted && has_coordinates(raw)) {
        // The coordinates may count ranks from 1: keep whichever reading goes further.
        std::size_t otherBudget = movesLeft;
        GameBuilder other(otherBudget);
        other.start(start, redToMove);
        play_tokens(raw, other, FairyFirstRank);
        if (other.moves() > builder.moves()) {
            game = std::move(other.record());
            budget = otherBudget;
        } else {
            game = std::move(builder.record());
        }
    } else {
        game = std::move(builder.record());
    }
    // A text without tags is a game only when its first word is a move.
    if (raw.tags.empty() && game.moves.empty() && (!game.cut || game.cut->reason == UnreadableMoveText))
        return Built::NotAGame;
    movesLeft = budget;
    for (const auto& [name, value] : raw.tags) {
        if (is_format_tag(name) || value.empty() || (same_name(name, "Result") && value == "*")) continue;
        if (game.tag(name).empty()) game.tags.emplace_back(name, value);
    }
    if (game.tag("Result").empty() && !raw.result.empty() && raw.result != "*")
        game.tags.emplace_back("Result", raw.result == "½-½" ? "1/2-1/2" : std::string(raw.result));
    return Built::Game;
}

}  // namespace

RecordContents read_pgn(std::string_view text) {
    RecordContents file;
    file.format = RecordFormat::Pgn;
    Scanner scanner(text);
    RawGame raw;
    std::size_t movesLeft = MaxMovesPerFile;
    while (scanner.next_game(raw)) {
        if (file.games.size() >= MaxGamesPerFile) {
            if (file.leftOutGames++ == 0) file.leftOutReason = TooManyGamesText;
            continue;
        }
        GameRecord game;
        switch (build_game(raw, movesLeft, game)) {
            case Built::Game:
                file.games.push_back(std::move(game));
                break;
            case Built::BadStart:
                if (file.leftOutGames++ == 0) file.leftOutReason = BadPositionText;
                break;
            case Built::NotAGame:
                break;
        }
    }
    if (file.games.empty()) file.error = file.leftOutGames > 0 ? file.leftOutReason : NotRecordText;
    return file;
}

}  // namespace zenko::formats
