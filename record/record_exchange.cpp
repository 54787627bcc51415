// The records other programs exchange, in the game: a file or pasted text
// of any format the record formats read opens as a .棋譜 does (record mode
// at the record's start, 進 replays it, the names beside the board), a
// position opens to be played from, and the game goes out as PGN or FEN
// through the clipboard.
#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

#include "record/exchanged_game.h"
#include "record/formats/record_texts.h"
#include "record/formats/utf8.h"
#include "record/formats/writers.h"
#include "record/review_notes.h"
#include "ui/form1.h"

namespace zenko {
namespace {

constexpr const char* RecordTitle = "棋譜";
constexpr const char* ClipboardSource = "クリップボード";
constexpr const char* EmptyClipboardText = "クリップボードが空です";
constexpr const char* ReadText = " 読み込みました";  // as after a .棋譜
constexpr const char* StepOnText = "棋譜を '進 'で進めて下さい";
constexpr const char* PositionReadText = "局面を読み込みました";
// The names beside the board are kept with the game, which takes a header
// of at most this many bytes (so characters) back.
constexpr std::size_t MaxHeaderBytes = 1000;

std::string today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y.%m.%d", &local);
    return text;
}

std::string header_of(const formats::GameRecord& game, const char* tag) {
    return std::string(formats::utf8_prefix(game.tag(tag), MaxHeaderBytes));
}

// Comments[n] follows move n; none at all when the record has none.
// A review the record holds is taken out of its comments.
RecordNotes notes_of(formats::GameRecord game) {
    RecordNotes notes;
    notes.Tags = game.tags;
    notes.Review = take_review_out(game);
    const bool commented = !game.startComment.empty() ||
                           std::any_of(game.moves.begin(), game.moves.end(),
                                       [](const formats::RecordedMove& m) { return !m.comment.empty(); });
    if (!commented) return notes;
    notes.Comments.reserve(game.moves.size() + 1);
    notes.Comments.push_back(game.startComment);
    for (const formats::RecordedMove& m : game.moves) notes.Comments.push_back(m.comment);
    return notes;
}

// The boxes after a load: what was not read (the move that could not be
// played, variations and games left out), one line each, or that all was.
std::string reading_notes(const formats::RecordContents& contents, const formats::GameRecord& game) {
    std::vector<std::string> lines;
    if (game.cut) lines.push_back(formats::cut_short_text(*game.cut));
    if (game.skippedVariations > 0) lines.push_back(formats::skipped_variations_text(game.skippedVariations));
    if (contents.leftOutGames > 0)
        lines.push_back(formats::left_out_games_text(contents.leftOutGames, contents.leftOutReason));
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
    return text;
}

std::vector<GameListing> listing_of(const std::vector<formats::GameRecord>& games) {
    std::vector<GameListing> listing;
    listing.reserve(games.size());
    for (const formats::GameRecord& game : games)
        listing.push_back({game.tag("Red"), game.tag("Black"), game.tag("Event"), game.tag("Result")});
    return listing;
}

// The value given, else the record's tag, else the header of a loaded record.
void set_name(formats::GameRecord& game, const char* tag, const std::string& given,
              const std::string& header) {
    if (!given.empty())
        game.set_tag(tag, given);
    else if (game.tag(tag).empty())
        game.set_tag(tag, header);
}

}  // namespace

bool red_to_move_on_board(const Form1& form) {
    const PlayState& play = form.play();
    if (play.Turn != NoGame) return play.Turn == play.ManSide;  // the person's army is the bottom one
    return form.army_of_last_move() != BottomArmy;
}

formats::GameRecord game_record_of(const Form1& form, const RecordNames& names) {
    const HistoryState& h = form.history();
    formats::GameRecord game;
    game.tags = h.Notes.Tags;
    const int shown = h.HistoryPos > 0 ? h.HistoryPos : h.HistoryLen;
    const int last = std::min<int>(shown, static_cast<int>(h.MoveHistory.size()) - 1);
    if (last < 1) {
        game.start = form.engine().board();
        game.redToMove = red_to_move_on_board(form);
    } else {
        game.start = h.HistoryOrigin.board;
        game.redToMove = h.MoveHistory[1].placed <= -1;
        game.startComment = h.Notes.comment(0);
        for (int n = 1; n <= last; ++n) {
            const MoveRecord& m = h.MoveHistory[static_cast<std::size_t>(n)];
            game.moves.push_back({m.fromX, m.fromY, m.toX, m.toY, "", h.Notes.comment(n), 0});
        }
    }
    const bool record = h.RecordMode == FlagOn;
    set_name(game, "Event", names.event, record ? h.RecordHeaders[0] : "");
    set_name(game, "Red", names.bottom, record ? h.RecordHeaders[2] : "");
    set_name(game, "Black", names.top, record ? h.RecordHeaders[1] : "");
    if (game.tag("Date").empty()) game.set_tag("Date", today());
    // A game played to its end was won by the army that made the last move.
    const bool whole = last >= 1 && last == h.HistoryLen;
    write_review(game, h.Notes.Review);
    if (whole && !record && form.play().GameOver)
        game.set_tag("Result", h.MoveHistory[static_cast<std::size_t>(last)].placed <= -1 ? "1-0" : "0-1");
    else if (!(whole && record))
        game.set_tag("Result", "");
    return game;
}

void Form1::open_record_contents(const formats::RecordContents& contents, const std::string& source) {
    Dialogs& dialogs = platform.dialogs;
    if (!contents.error.empty() || contents.games.empty()) {  // the game on the board stays as it was
        const std::string error = contents.error.empty() ? formats::NotRecordText : contents.error;
        dialogs.message_box(source + "\n" + error, RecordTitle, Buttons::OK, BoxIcon::Warning);
        return;
    }
    std::size_t chosen = 0;
    if (contents.games.size() > 1 && platform.gameChooser != nullptr) {
        const std::vector<GameListing> listing = listing_of(contents.games);
        const int index =
            boxes_.while_open([&] { return platform.gameChooser->choose_game(source, listing); });
        if (screen().Terminated || index < 0 || index >= static_cast<int>(listing.size())) return;
        chosen = static_cast<std::size_t>(index);
    }
    const formats::GameRecord& game = contents.games[chosen];
    load_game_record(game);
    // The records of the field are played by the standard rules; a game
    // played on from one keeps them.
    history_.Notes.StandardRules = contents.format != formats::RecordFormat::Kifu;
    keep_game();
    const std::string notes = reading_notes(contents, game);
    if (!notes.empty())
        dialogs.message_box(notes, RecordTitle, Buttons::OK, BoxIcon::Warning);
    else
        dialogs.message_box(game.moves.empty() ? PositionReadText : ReadText, RecordTitle, Buttons::OK);
    if (!game.moves.empty()) dialogs.message_box(StepOnText, RecordTitle, Buttons::OK);
}

// A game with moves is a record stepped through with 進; a position alone
// is set up to be played from, the army to move first as the record says.
void Form1::load_game_record(const formats::GameRecord& game) {
    stop_engine_search();
    reset_to_full_set();
    clear_history();
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y) engine_.put_piece(x, y, game.start[x][y]);
    history_.HistoryOrigin.topMovesFirst = !game.redToMove;
    history_.RecordHeaders = {header_of(game, "Event"), header_of(game, "Black"), header_of(game, "Red")};
    history_.Notes = notes_of(game);
    const std::vector<MoveRecord> moves = formats::history_moves(game);
    history_.MoveHistory.assign(std::max<std::size_t>(501, moves.size() + 1), MoveRecord{});
    std::copy(moves.begin(), moves.end(), history_.MoveHistory.begin() + 1);
    history_.HistoryLen = static_cast<int>(moves.size());
    history_.RecordMode = moves.empty() ? FlagOff : FlagOn;
    note_history_start();
    画面_再描画();
    if (history_.RecordMode == FlagOn) draw_record_headers();
    keep_game();
}

void Form1::KIFU_COPY_Click() {
    if (platform.clipboard == nullptr) return;
    platform.clipboard->set_text(formats::write_pgn(game_record_of(*this, {})));
}

void Form1::KIFU_PASTE_Click() {
    hide_record_panel();
    if (platform.clipboard == nullptr) return;
    const std::string text = platform.clipboard->text();
    formats::RecordContents contents;
    if (text.find_first_not_of(" \t\r\n") == std::string::npos)
        contents.error = EmptyClipboardText;
    else
        contents = formats::read_record_file(text, "");
    open_record_contents(contents, ClipboardSource);
}

void Form1::FEN_COPY_Click() {
    if (platform.clipboard == nullptr) return;
    platform.clipboard->set_text(formats::fen_of(engine().board(), red_to_move_on_board(*this)));
}

}  // namespace zenko
