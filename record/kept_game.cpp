// The game kept for the next start: written after every change to the game,
// offered back when the program starts, set aside when it is no kept game.
// Quitting therefore never asks and never loses a game.
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "record/saved_game.h"
#include "settings/file_access.h"
#include "ui/form1.h"

namespace zenko {
namespace {

constexpr const char* ContinueQuestion = "前回の対局を続けますか？";
constexpr const char* OpenRecordQuestion = "前回の対局の棋譜を開きますか？";
constexpr const char* ResumeTitle = "再開";
// Steps appended before the file is written whole again.
constexpr int MaxStepsAppended = 500;

SavedGame snapshot(const Form1& form) {
    SavedGame g;
    g.board = form.engine().board();
    const HistoryState& h = form.history();
    g.origin = h.HistoryOrigin;
    const int length = std::min<int>(h.HistoryLen, static_cast<int>(h.MoveHistory.size()) - 1);
    g.moves.assign(h.MoveHistory.begin() + 1, h.MoveHistory.begin() + 1 + length);
    g.historyPos = std::min(h.HistoryPos, length);
    g.recordMode = h.RecordMode;
    g.reversed = h.Reversed;
    g.headers = h.RecordHeaders;
    g.notes = h.Notes;
    g.handicapSet = form.handicap().HandicapSet;
    g.handicapLevel = form.handicap().HandicapLevel;
    const PlayState& p = form.play();
    g.gameMode = p.GameMode, g.manSide = p.ManSide, g.comSide = p.ComSide, g.turn = p.Turn;
    g.standardRules = p.StandardRules;
    g.level = form.chosen_level();
    g.manTime = form.clock().ManTime;
    g.comTime = form.clock().ComTime;
    g.comMarkX = form.selection().ComMarkX;
    g.comMarkY = g.comMarkX != 0 ? form.selection().ComMarkY : 0;
    // A finished game is one played to its end, not a loaded record.
    g.finished = p.GameOver && length > 0 && h.RecordMode == FlagOff;
    return g;
}

// A fresh start holds nothing worth asking about.
bool worth_offering(const SavedGame& g) {
    if (g.finished) return true;
    return g.gameMode != NoGame || !g.moves.empty() || g.handicapSet == FlagOn || g.reversed == FlagOn ||
           g.recordMode == FlagOn;
}

// Renamed, never deleted: whatever it was, the user may still want it.
void set_aside() {
    const std::string aside = std::string(SavedGameFile) + SetAsideSuffix;
    std::rename(SavedGameFile, aside.c_str());
}

}  // namespace

// A change of the position alone (戻, 進, a turn passing) is appended to the
// file as a step; anything else, or a file grown long with steps, is
// written whole and replaces the file at once.
void Form1::keep_game() {
    if (!kept_.Armed) return;
    auto game = std::make_shared<const SavedGame>(snapshot(*this));
    const std::shared_ptr<const SavedGame>& written = kept_.Written;
    if (written && *game == *written) return;
    if (written && same_history(*game, *written) && kept_.StepsAppended < MaxStepsAppended &&
        append_to_file(SavedGameFile, write_saved_step(*game))) {
        kept_.Written = std::move(game);
        ++kept_.StepsAppended;
        return;
    }
    // Failing that, the next change is written whole too: a failed append
    // may have left part of a step at the end of the file.
    if (!write_file_atomically(SavedGameFile, write_saved_game(*game))) {
        kept_.Written.reset();
        return;
    }
    kept_.Written = std::move(game);
    kept_.StepsAppended = 0;
}

void Form1::offer_kept_game() {
    std::string bytes;
    const ReadStatus status = read_regular_file(SavedGameFile, MaxSavedGameBytes, bytes);
    std::optional<SavedGame> game;
    if (status == ReadStatus::Ok) game = parse_saved_game(bytes);
    if (status != ReadStatus::Missing && !game) set_aside();
    if (!game || !worth_offering(*game)) {
        kept_.Armed = true;
        return;
    }
    const char* question = game->finished ? OpenRecordQuestion : ContinueQuestion;
    const Answer answer = platform.dialogs.message_box(question, ResumeTitle, Buttons::YesNo);
    // Ended while asking (a signal, the window closed): the file stays as it is.
    if (screen().Terminated) return;
    kept_.Armed = true;
    if (answer == Answer::No) {
        std::remove(SavedGameFile);
        return;
    }
    restore_history(*game);
    restore_play(*game);
    if (game->finished) {
        open_kept_game_as_record();
    } else {
        redraw_restored_game();
        continue_restored_game();
    }
    keep_game();
}

void Form1::restore_history(const SavedGame& game) {
    const std::size_t entries = std::max<std::size_t>(501, game.moves.size() + 1);
    history_.MoveHistory.assign(entries, MoveRecord{});
    std::copy(game.moves.begin(), game.moves.end(), history_.MoveHistory.begin() + 1);
    history_.HistoryLen = static_cast<int>(game.moves.size());
    history_.HistoryPos = game.historyPos;
    history_.MoveNumber = game.historyPos;
    history_.RecordMode = game.recordMode;
    history_.Reversed = game.reversed;
    history_.HistoryOrigin = game.origin;
    history_.RecordHeaders = game.headers;
    history_.Notes = game.notes;
    handicap_.HandicapSet = game.handicapSet;
    handicap_.HandicapLevel = game.handicapLevel;
}

void Form1::open_kept_game_as_record() {
    reset_to_full_set();
    restore_history_start();
    history_.RecordMode = FlagOn;
    画面_再描画();
    platform.dialogs.message_box("棋譜を '進 'で進めて下さい", "棋譜", Buttons::OK);
}

}  // namespace zenko
