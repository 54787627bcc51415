// The game's own record, .棋譜: Shift_JIS text with CR LF line ends; the game
// name, the top player and the bottom player, then one 32-column line per
// move (record/record_line.h). It always starts from the full set; the army
// of the first move's piece moved first.
#include "record/formats/game_builder.h"
#include "record/formats/readers.h"
#include "record/formats/record_texts.h"
#include "record/formats/text_encoding.h"
#include "record/formats/writers.h"
#include "record/record_line.h"

namespace zenko::formats {

namespace {

constexpr int HeaderLines = 3;
constexpr int MaxHeaderChars = 1000;  // as the game's own reader allows
// The header lines' tags: the game name, the top (black) and bottom (red) players.
constexpr const char* HeaderTags[HeaderLines] = {"Event", "Black", "Red"};

// The file's lines as bytes, ended as the game ends them (CR LF, LF or CR).
std::vector<std::string_view> lines_of(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n", at), bytes.size());
        lines.push_back(bytes.substr(at, end - at));
        at = end + 1;
        if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n') ++at;
    }
    return lines;
}

bool is_blank(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

std::optional<MoveRecord> move_of(std::string_view line) {
    if (line.size() > 2 * RecordLineWidth) return std::nullopt;
    std::optional<MoveRecord> move = parse_move_line(std::string(line));
    if (!move || !is_playable_move(*move)) return std::nullopt;
    return move;
}

std::string single_line(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

}  // namespace

bool looks_like_kifu(std::string_view bytes, bool headersAlone) {
    const std::vector<std::string_view> lines =
        lines_of(bytes.substr(0, std::min<std::size_t>(bytes.size(), 64 * 1024)));
    bool anyMove = false;
    for (std::size_t i = HeaderLines; i < lines.size(); ++i) {
        if (is_blank(lines[i])) continue;
        if (!move_of(lines[i])) return false;
        anyMove = true;
    }
    return anyMove || (headersAlone && lines.size() <= static_cast<std::size_t>(HeaderLines));
}

RecordContents read_kifu(std::string_view bytes) {
    RecordContents file;
    file.format = RecordFormat::Kifu;
    file.encoding = encoding_name(TextEncoding::ShiftJis);
    const std::vector<std::string_view> lines = lines_of(bytes);
    if (lines.empty()) {
        file.error = EmptyFileText;
        return file;
    }
    std::optional<MoveRecord> first;
    for (std::size_t i = HeaderLines; i < lines.size() && !first; ++i)
        if (!is_blank(lines[i])) first = move_of(lines[i]);
    std::size_t movesLeft = MaxMovesPerFile;
    GameBuilder builder(movesLeft);
    builder.start(full_set_board(), !first || first->piece < 0);
    for (std::size_t i = HeaderLines; i < lines.size() && !builder.is_cut(); ++i) {
        if (is_blank(lines[i])) continue;
        const std::optional<MoveRecord> move = move_of(lines[i]);
        const std::string written =
            decode_as(lines[i].substr(0, MaxWrittenMoveBytes), TextEncoding::ShiftJis, MaxWrittenMoveBytes)
                .value_or("");
        if (!move) {
            builder.cut_here(written, UnreadableMoveText);
        } else if (builder.position().piece_at(move->fromX, move->fromY) != move->piece) {
            builder.cut_here(written, IllegalMoveText);
        } else {
            builder.play(move->fromX, move->fromY, move->toX, move->toY, written);
        }
    }
    GameRecord& game = builder.record();
    for (int i = 0; i < HeaderLines && i < static_cast<int>(lines.size()); ++i) {
        const std::string_view header = lines[static_cast<std::size_t>(i)].substr(0, MaxTagValueBytes);
        game.set_tag(HeaderTags[i], decode_as(header, TextEncoding::ShiftJis, header.size()).value_or(""));
    }
    file.games.push_back(std::move(game));
    return file;
}

KifuText write_kifu(const GameRecord& game) {
    if (!game.starts_from_full_set()) return {"", KifuNeedsFullSetText};
    std::string bytes;
    for (const char* tag : HeaderTags) {
        const std::string header = single_line(game.tag(tag));
        if (utf8_length(header) > MaxHeaderChars) return {"", KifuTooLongText};
        const std::optional<std::string> encoded = encode_as(header, TextEncoding::ShiftJis);
        if (!encoded) return {"", KifuCharacterText};
        bytes += *encoded + "\r\n";
    }
    for (const MoveRecord& line : history_moves(game)) bytes += format_move_line(line) + "\r\n";
    return {bytes, ""};
}

}  // namespace zenko::formats
