// Reading DhtmlXQ, the game blocks of Chinese Xiangqi web pages:
// [DhtmlXQ] ... [/DhtmlXQ] holding fields [DhtmlXQ_name]value[/DhtmlXQ_name].
// binit places the 32 pieces (red chariot, horse, elephant, advisor,
// general, advisor, elephant, horse, chariot, two cannons, five soldiers,
// then black the same) as two digits each, the file from the left (0-8)
// and the rank from the top (0-9), "99" for a piece off the board; without
// binit the game starts from the full set. movelist is the main line, four
// digits a move (from file, from rank, to file, to rank); move_A_B_C fields
// are variations; comment0 is the start comment and commentN the comment
// after move N (commentA_N belong to variations).
#include <cctype>

#include "record/formats/game_builder.h"
#include "record/formats/readers.h"
#include "record/formats/record_texts.h"
#include "record/formats/utf8.h"

namespace zenko::formats {

namespace {

constexpr std::string_view BlockOpen = "[DhtmlXQ]", BlockClose = "[/DhtmlXQ]";
constexpr std::string_view FieldOpen = "[DhtmlXQ_", FieldClose = "[/DhtmlXQ_";
constexpr int PieceCount = 32;

constexpr int PieceKinds[16] = {ComChariot,  ComHorse,   ComElephant, ComAdvisor, ComGeneral, ComAdvisor,
                                ComElephant, ComHorse,   ComChariot,  ComCannon,  ComCannon,  ComSoldier,
                                ComSoldier,  ComSoldier, ComSoldier,  ComSoldier};

struct TagName {
    std::string_view field, tag;
};
// The event is kept over the title when a block has both.
constexpr TagName TagNames[] = {
    {"event", "Event"},         {"title", "Event"},  {"date", "Date"},       {"place", "Site"},
    {"round", "Round"},         {"red", "Red"},      {"redteam", "RedTeam"}, {"black", "Black"},
    {"blackteam", "BlackTeam"}, {"open", "Opening"}, {"result", "Result"},
};

struct Field {
    std::string_view name, value;
};

// The fields of one block, in order. A value runs to the next closing
// field mark, which must close its own field; the search for that mark
// moves only forward, so a block full of unclosed fields still reads in
// one pass.
std::vector<Field> fields_of(std::string_view block) {
    std::vector<Field> fields;
    std::size_t nextClose = block.find(FieldClose);
    for (std::size_t at = block.find(FieldOpen);
         at != std::string_view::npos && nextClose != std::string_view::npos;
         at = block.find(FieldOpen, at)) {
        const std::size_t nameStart = at + FieldOpen.size(), nameEnd = block.find(']', nameStart);
        if (nameEnd == std::string_view::npos) break;
        at = nameEnd + 1;
        if (nextClose < at) nextClose = block.find(FieldClose, at);
        if (nextClose == std::string_view::npos) break;
        const std::string_view name = block.substr(nameStart, nameEnd - nameStart);
        const std::string_view closing = block.substr(nextClose + FieldClose.size());
        if (!closing.starts_with(name) || closing.substr(name.size()).substr(0, 1) != "]") continue;
        fields.push_back({name, block.substr(at, nextClose - at)});
        at = nextClose + FieldClose.size() + name.size() + 1;
    }
    return fields;
}

// The digits of a field, white space and anything else left out.
std::string digits_of(std::string_view value) {
    std::string digits;
    for (char c : value)
        if (c >= '0' && c <= '9') digits += c;
    return digits;
}

bool read_binit(std::string_view value, BoardArray& board) {
    const std::string digits = digits_of(value);
    if (digits.size() != 2 * PieceCount) return false;
    board = {};
    for (int i = 0; i < PieceCount; ++i) {
        const int file = digits[2 * static_cast<std::size_t>(i)] - '0';
        const int rank = digits[2 * static_cast<std::size_t>(i) + 1] - '0';
        if (file == 9 && rank == 9) continue;  // off the board
        if (file > 8) return false;
        int& square = board[file + 1][rank + 1];
        if (square != PieceEmpty) return false;
        square = i < 16 ? -PieceKinds[i % 16] : PieceKinds[i % 16];
    }
    return true;
}

std::string result_of(std::string_view value) {
    for (std::string_view r : {"1-0", "0-1", "1/2-1/2"})
        if (value == r) return std::string(r);
    for (std::string_view w : {"红胜", "紅勝", "红先胜", "紅先勝", "黑负", "黑負"})
        if (value.find(w) != std::string_view::npos) return "1-0";
    for (std::string_view w : {"黑胜", "黑勝", "红负", "紅負", "红先负", "紅先負"})
        if (value.find(w) != std::string_view::npos) return "0-1";
    if (value.find("和") != std::string_view::npos) return "1/2-1/2";
    return "";
}

// commentN for a move N of the main line; -1 for any other field.
int main_line_comment(std::string_view name) {
    if (!name.starts_with("comment") || name.size() == 7 || name.size() > 12) return -1;
    int n = 0;
    for (char c : name.substr(7)) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

bool read_block(std::string_view block, std::size_t& movesLeft, GameRecord& game) {
    const std::vector<Field> fields = fields_of(block);
    BoardArray start = full_set_board();
    std::string moves;
    int variations = 0;
    for (const Field& f : fields) {
        if (f.name == "binit" && !read_binit(f.value, start)) return false;
        if (f.name == "movelist") moves = digits_of(f.value);
        if (f.name.starts_with("move_")) ++variations;
    }
    // The army of the first move's piece moves first.
    const bool redFirst =
        moves.size() < 4 || moves[0] > '8' || start[moves[0] - '0' + 1][moves[1] - '0' + 1] <= 0;
    GameBuilder builder(movesLeft);
    if (!builder.start(start, redFirst)) return false;
    std::vector<std::string_view> comments;
    for (const Field& f : fields) {
        const int n = main_line_comment(f.name);
        if (n < 0 || static_cast<std::size_t>(n) > MaxMovesPerGame) continue;
        if (comments.size() <= static_cast<std::size_t>(n)) comments.resize(static_cast<std::size_t>(n) + 1);
        comments[static_cast<std::size_t>(n)] = f.value;
    }
    auto comment = [&](std::size_t n) { return n < comments.size() ? comments[n] : std::string_view(); };
    builder.add_comment(comment(0));
    for (std::size_t at = 0; at + 4 <= moves.size(); at += 4) {
        const std::string_view written = std::string_view(moves).substr(at, 4);
        const int fromFile = written[0] - '0', fromRank = written[1] - '0', toFile = written[2] - '0',
                  toRank = written[3] - '0';
        if (fromFile > 8 || toFile > 8) {
            builder.cut_here(written, UnreadableMoveText);
            break;
        }
        if (!builder.play(fromFile + 1, fromRank + 1, toFile + 1, toRank + 1, written)) break;
        builder.add_comment(comment(builder.moves()));
    }
    if (moves.size() % 4 != 0) builder.cut_here("", CutFileText);
    game = std::move(builder.record());
    game.skippedVariations = variations;
    for (const TagName& t : TagNames)
        for (const Field& f : fields)
            if (f.name == t.field && game.tag(t.tag).empty())
                game.set_tag(t.tag, t.tag == "Result" ? result_of(f.value)
                                                      : std::string(utf8_prefix(f.value, MaxTagValueBytes)));
    return true;
}

}  // namespace

bool contains_dhtmlxq(std::string_view text) { return text.find(BlockOpen) != std::string_view::npos; }

RecordContents read_dhtmlxq(std::string_view text) {
    RecordContents file;
    file.format = RecordFormat::DhtmlXq;
    std::size_t movesLeft = MaxMovesPerFile;
    for (std::size_t at = text.find(BlockOpen); at != std::string_view::npos; at = text.find(BlockOpen, at)) {
        at += BlockOpen.size();
        const std::size_t end = text.find(BlockClose, at);
        const std::string_view block = text.substr(at, end == std::string_view::npos ? text.npos : end - at);
        if (file.games.size() >= MaxGamesPerFile) {
            if (file.leftOutGames++ == 0) file.leftOutReason = TooManyGamesText;
        } else if (GameRecord game; read_block(block, movesLeft, game)) {
            if (end == std::string_view::npos && !game.cut)
                game.cut = CutShort{static_cast<int>(game.moves.size()) + 1, "", CutFileText};
            file.games.push_back(std::move(game));
        } else if (file.leftOutGames++ == 0) {
            file.leftOutReason = BadPositionText;
        }
        if (end == std::string_view::npos) break;
        at = end + BlockClose.size();
    }
    if (file.games.empty()) file.error = file.leftOutGames > 0 ? file.leftOutReason : NotRecordText;
    return file;
}

}  // namespace zenko::formats
