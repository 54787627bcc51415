// The main window object: all game state beyond the engine's position, and
// every handler and procedure of the program by its own name. It never
// touches a widget: it draws, asks, plays sounds and reads the time through
// the platform interfaces. Its methods are defined in the folder of their
// subsystem (game/, record/, ui/, settings/, sound/).
//
// Each subsystem has its own section below; add helpers of a subsystem to
// its own section only. The state is private, one group per subsystem:
// only that subsystem's folder writes it (scripts/check-source enforces
// this); everyone else, tests included, reads it through the const views and
// changes it through the subsystem's procedures.
#pragma once

#include <memory>
#include <sstream>
#include <string>

#include "game/engine_player.h"
#include "game/game_review.h"
#include "game/game_state.h"
#include "record/history_state.h"
#include "rules/engine.h"
#include "rules/types.h"
#include "settings/options.h"
#include "sound/sound_handles.h"
#include "ui/counting_dialogs.h"
#include "ui/platform.h"
#include "ui/presentation.h"
#include "ui/screen_state.h"

namespace zenko {

struct SavedGame;
namespace formats {
struct GameRecord;
struct RecordContents;
}  // namespace formats

class Form1 {
public:
    explicit Form1(Platform platform);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // ===== What the other subsystems and the tests read =====
    // The position; it changes only through Form1's procedures.
    const Engine& engine() const { return engine_; }
    const PlayState& play() const { return play_; }
    const SelectionState& selection() const { return selection_; }
    const ClockState& clock() const { return clock_; }
    const EngineTurnState& engine_turn() const { return engineTurn_; }
    const HistoryState& history() const { return history_; }
    const HandicapState& handicap() const { return handicap_; }
    const Options& options() const { return options_; }
    const TextState& text_state() const { return text_; }
    const ScreenState& screen() const { return screen_; }
    const SoundHandles& sounds() const { return sounds_; }

    // ===== Board model (rules) =====
    void 初期設定();
    // 初期設定 without the repaint: no game, the full set on the board.
    void reset_to_full_set();
    void 駒移動(int fromX, int fromY, int toX, int toY, int piece);

    // ===== Computer move and levels (game/) =====
    // The computer's turn on the position as it stands (the engine takes its
    // own pre-move copy).
    void com_ban();
    void レベル_設定(int level);
    void LEVEL1_Click();
    void LEVEL2_Click();
    void LEVEL3_Click();
    void show_thinking_notice();
    // Plays, records and announces the chosen move, then hands the turn back.
    void play_computer_move(const SearchResult& move);
    void hand_turn_back(int fromX, int fromY, int toX, int toY);

    // ===== Engine levels and ヒント (game/) =====
    // LEVEL4-6 ask the engine process for the computer's move: the turn
    // starts the question and returns, and the answer is played when it
    // comes. Commands that change the position stop the search first.
    void LEVEL4_Click();
    void LEVEL5_Click();
    void LEVEL6_Click();
    void HINT_Click();
    bool engine_found() const;
    // Why LEVEL4-6 and ヒント cannot be chosen, when engine_found() is false.
    std::string engine_missing_reason() const;
    // The level beside the board: the engine level when one is chosen.
    int chosen_level() const;
    bool computer_thinking() const;
    // Stops the engine's search (the computer's move or a hint) at once, its
    // answer ignored; true when the computer was thinking about its move.
    bool stop_engine_search();
    // After a stopped search: the computer starts its turn again if it is to move.
    void resume_computer_turn();
    // Called after every event: an engine answer that came while a box was
    // open is played now that none is (unless the search was stopped since).
    void play_held_answer();
    // The engine process ends (it starts again when next needed).
    void end_engine();

    // ===== The review (検討, game/review_commands.cpp) =====
    // 棋譜 → 検討: the engine reviews the main line of the history in the
    // background; each position's result goes into the history's notes as
    // it comes. Starting a game, loading a record, replacing a reviewed move
    // or 中止 (CHUUSHI) ends it; what was found so far stays.
    void KENTOU_Click();
    void CHUUSHI_Click();
    // The review under way; nullptr when none runs.
    const ReviewSession* review_session() const;

    // ===== Game flow and board input (game/) =====
    void Form_MouseDown(int button, int shift, double X, double Y);
    void START_Click();
    void SENTE_Click();
    void GOTE_Click();
    void TAIKYOKU_Click();
    void MATCH_MAN_Click();
    void OWARI_Click();
    void SIDOU_Click();
    void 終了(const std::string& winner);
    // The end of a game with its own first box ("…の勝ちです", a draw), then
    // the question whether to play again.
    void announce_end(const std::string& text);
    // ===== The standard rules in play (game/standard_play.cpp) =====
    // After a move under the standard rules, with `manToMove` the bottom army
    // to move: ends the game (mate, no move, repetition, the move limit) and
    // returns true, or shows a check beside the board.
    bool judge_standard_position(bool manToMove);
    void TOURYOU_Click();
    void HYOUJUN_Click();
    void start_game_against_computer(Side personSide);
    // ===== Elapsed-time clock (game/) =====
    void Timer1_Timer();
    double 調査_経過秒(double start, double now) const;
    std::string 調査_時間秒追加結果(double seconds) const;
    std::string 変換_数字から文字(int n) const;
    void 描画_所有時間(int side, double seconds);
    void 消去_所有時間(int side);
    void 処理_経過時間();
    void KEIKA_Click();
    void stop_clock();
    // Both totals as a recorded move left them (the clocks are not redrawn).
    void set_clock_totals(double manTime, double comTime);

    // ===== Move history and navigation (record/) =====
    // Notes the position on the board as the start of the history.
    void note_history_start();
    // Puts the history's start on the board with its flags.
    void restore_history_start();
    bool history_starts_from_full_set() const;
    // The army that made the last move on the board: TopArmy, BottomArmy, or
    // NoArmy when the board shows the history's start (BottomArmy when the
    // top army is to move first there).
    int army_of_last_move() const;
    void 手順保存(int fromX, int fromY, int toX, int toY, int piece, int placed, double manTimeBefore,
                  double manTimeAfter, double comTimeBefore, double comTimeAfter);
    // One more move played: the count goes up and is redrawn.
    void count_move();
    // Back to the history's start, its moves kept for 進; no record mode, not turned.
    void rewind_history();
    // No history at all, and no record being stepped through.
    void clear_history();
    // A new game is played, not a loaded record stepped through.
    void leave_record_mode();
    // The position becomes the start of an empty history, no game running;
    // the start commands play from it with the army to move first as given.
    void set_up_position(const BoardArray& board, bool topToMove);
    void REPLAY_Click();
    void AFTER_Click();
    void CANCEL_Click();
    void REVERSE_Click();
    // The history and its start turned half round with the board, every
    // piece to the other army, so that 戻, 進 and 最初 go on across a 反転.
    void turn_history();
    void STOP_Click();
    // 描画_可視 all off, then 描画_棋譜_IO(1).
    void hide_record_panel();
    void stop_play_for_navigation();
    // The position after move `ply` (0: the start) as that many 戻 or 進
    // would show it, with one sound however far it is: a click in the move
    // list, and the Home and End keys.
    void go_to_ply(int ply);

    // ===== Record files (record/) =====
    void KIFU_READ_Click();
    void KIFU_WRITE_Click();
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void Command1_Click();
    void 描画_棋譜_IO(int mode);
    int 読込_棋譜ファイル(std::string& line);
    double 取得_棋譜のX座標(const std::string& text) const;

    // ===== The game kept for the next start (record/) =====
    // Writes the whole game to its file when it changed since the last write.
    void keep_game();
    // Form_Load's last step: offers the kept game back, or sets aside a
    // file that is no kept game.
    void offer_kept_game();
    void restore_history(const SavedGame& game);
    // A finished game comes back as a loaded record at its start.
    void open_kept_game_as_record();

    // ===== Records other programs exchange (record/) =====
    // Opens a record file of any kind the game reads as clicking it in the
    // record panel does (a .棋譜 included): a file named on the command line
    // or dropped on the window.
    void open_record_file(const std::string& path);
    void KIFU_COPY_Click();
    void KIFU_PASTE_Click();
    void FEN_COPY_Click();
    // ===== Position editor (record/) =====
    // 局面 → 局面編集, outside a game: the position set up in the editor
    // becomes the start of an empty history, the army to move as chosen.
    void HENSYU_Click();

    // ===== Handicap levels (record/) =====
    void LBEL_UP_Click();
    void LEBEL_DOWN_Click();
    void 描画_ハンデレベル(int level);
    void clear_handicap();

    // ===== Board geometry and ruled lines (ui/) =====
    void 描画_罫線(int colour, int x, int y);
    void 描画_罫線_十字(int colour, int x, int y);
    void 描画_罫線_上(int colour, int x, int y);
    void 描画_罫線_下(int colour, int x, int y);
    void 描画_罫線_左(int colour, int x, int y);
    void 描画_罫線_右(int colour, int x, int y);
    void 描画_罫線_左上(int colour, int x, int y);
    void 描画_罫線_右上(int colour, int x, int y);
    void 描画_罫線_左下(int colour, int x, int y);
    void 描画_罫線_右下(int colour, int x, int y);
    void 描画_罫線_斜左上(int colour, int x, int y);
    void 描画_罫線_斜右上(int colour, int x, int y);
    void 描画_罫線_斜左下(int colour, int x, int y);
    void 描画_罫線_斜右下(int colour, int x, int y);
    void 描画_罫線_横全(int colour, int x, int y);
    void 描画_罫線_縦全(int colour, int x, int y);
    void 描画_罫線_横左(int colour, int x, int y);
    void 描画_罫線_横右(int colour, int x, int y);
    void 描画_罫線_縦上(int colour, int x, int y);
    void 描画_罫線_縦下(int colour, int x, int y);
    void 描画_罫線_斜左上無(int colour, int x, int y);
    void 描画_罫線_斜左上有(int colour, int x, int y);
    void 描画_罫線_斜右上無(int colour, int x, int y);
    void 描画_罫線_斜右上有(int colour, int x, int y);
    void 描画_罫線_斜左下無(int colour, int x, int y);
    void 描画_罫線_斜左下有(int colour, int x, int y);
    void 描画_罫線_斜右下無(int colour, int x, int y);
    void 描画_罫線_斜右下有(int colour, int x, int y);

    // ===== Pieces, backgrounds and highlights (ui/) =====
    void 描画_絵(int code, double x, double y);
    void 描画_盤();
    void 描画_背景(int code);
    void 画面_再描画();
    // 画面_再描画, then the texts and marks beside and on the board that it
    // wiped: the move count, both last moves, the record's headers and the
    // computer's last destination.
    void redraw_with_game_texts();
    // The whole window for a game put back: the count, each army's last move,
    // the record's headers and the computer's last destination.
    void redraw_restored_game();
    void 描画_桝輪郭(int colour, int x, int y);
    void 描画_移動可能桝色(int fromX, int fromY, int colour, int piece);
    void 消去_移動可能桝色();
    // No square is marked as outlined by the guidance.
    void forget_guidance_outlines();

    // ===== Main window and menus (ui/) =====
    // Before Form_Load. An installed game (its sound files stand in
    // `installedSounds`) works in the player's data folder; a game built from
    // source, in its current directory. False, after a box saying why, when
    // the data folder cannot be made: the game does not start then.
    bool enter_player_data_folder(const std::string& installedSounds);
    // Form_Load in two steps, so that the window can show between them: the
    // first picture, then the sound, the music and the kept game.
    void Form_Load();
    void load_first_picture();
    // With a record file named, that file opens instead of the kept game
    // being offered, and the run leaves the kept game's file alone.
    void load_after_first_picture(const std::string& recordFile = {});
    void Form_Unload();
    void Form_KeyDown(int keyCode, int shift);
    // Escape: closes the record panel when any of it shows, otherwise ends the program.
    void close_panel_or_end();
    void 処理_終了();
    void チェック設定(int code);
    void MIDORI_Click();
    void TATAMI_Click();
    void TAKE_Click();
    void UCHU_Click();
    void RENGA_Click();
    void OPTION_Click();
    void VER_Click();
    void 描画_可視(bool drive, bool folder, bool files);

    // ===== Text, numbers and messages (ui/) =====
    void 描画_数値(double gx, double gy, double value, int colour, int style, int size);
    void 描画_数値(double gx, double gy, const std::string& text, int colour, int style, int size);
    void 描画_移動駒種類(double gx, double gy, const std::string& text, int colour);
    void 描画_文字列(double gx, double gy, int code, int colour, int size);
    std::string 文字列変換(int code) const;
    void 描画_移動結果(int side, int x, int y, int piece, int colour);
    void 消去_移動結果(int side);
    void 描画_桝_数値();
    void 描画_手数(int n, int colour = ColorWhite);
    void 描画_レベル(int level);
    void 描画_メッセージ(int kind);
    // The loaded record's game name and player names beside the board.
    void draw_record_headers();
    // "標準" under the level caption (erasing its place first), or only printed.
    void draw_rules_caption();
    void print_rules_caption();
    // Prints text at the current position with the current font and colour.
    void print_text(const std::string& text);
    // Prints text at a place given in twips, in the current boldness.
    void print_text_at(double x, double y, const std::string& text, int size, int colour);

    // ===== Settings file and options (settings/) =====
    void 読込_環境設定ファイル();
    void 書込_環境設定ファイル();
    // Move guidance follows its menu mark.
    int GuidanceOn() const { return options_.SIDOU.Checked ? FlagOn : FlagOff; }
    int GuidanceColor() const { return options_.SIDOU.Checked ? ColorWhite : SquareLineColor; }
    void set_guidance(bool on);
    void set_clock_shown(bool on);
    void set_music(bool on);
    // A check mark of its own (標準ルール, 棋譜一覧).
    void set_option(MenuItem Options::*item, bool on);
    void set_list_notation(ListNotation notation);
    // ｵﾌﾟｼｮﾝ → 棋譜一覧 and 表記; the window shows the list as the marks say.
    void KIFU_ICHIRAN_Click();
    void NIHONSHIKI_Click();
    void CHUUGOKUSHIKI_Click();
    void WXF_Click();
    // The background's mark alone, or no mark for an unknown code.
    void mark_background(int code);
    void use_background(int code);

    // ===== Sound (sound/) =====
    // Form_Load's first step: opens the device and makes the four buffers.
    void start_sound();
    // Frees the buffers and closes the device; nothing plays afterwards.
    void release_sound();
    void 処理_BGM();
    void BGM_Click();

private:
    // Tests and benchmarks set a position or a level up directly through
    // tests/form_test_access.h; nothing else is a friend.
    friend struct FormTestAccess;

    CountingDialogs boxes_;  // counts the boxes open; platform.dialogs is this
    Platform platform;
    Engine engine_;

    // ===== Game flow and board input (game/) =====
    // The steps of a board click, and the turn changes history/ asks for.
    void click_outside_game();
    bool has_game_to_resume() const;
    void resume_game();
    void choose_piece(int x, int y);
    void choose_destination(int x, int y);
    void reselect_after_refusal(int x, int y);
    void play_move();
    void after_move_vs_com(int captured);
    void after_move_vs_man(int captured);
    bool belongs_to_mover(int code) const;
    bool belongs_to_opponent(int code) const;
    // Ends the timing of a turn: MoveSeconds = time since TurnStartTime.
    void measure_move_seconds();
    // The armies changed sides of the board: the one that did not make the
    // last move moves next.
    void pass_turn_to_other_army();
    // No one is to move until a click resumes the game.
    void suspend_turn();
    void drop_selection();
    void forget_computer_mark();
    // The last move's start square gets thin corners; both marks of the last
    // move (those corners and the computer's destination) go together.
    void mark_last_move_start(int x, int y);
    void erase_last_move_marks();
    // The sides of a new start: the person at the bottom, moving second.
    void reset_sides();
    // The turn's clock starts now; it runs when 経過時間 is on.
    void start_turn_clock();
    // The army that did not make the last move on the board moves first:
    // tells so and hands the turn over (the computer moves at once).
    void let_other_army_start(const std::string& message, Side firstSide);
    // The game, sides, turn, clocks, level and position of a kept game.
    void restore_play(const SavedGame& game);
    // A kept game goes on: the computer moves if it is its turn.
    void continue_restored_game();
    // The standard rules (game/standard_play.cpp).
    void show_check(int army);
    void erase_check();
    void adopt_rules();
    // The engine levels (game/engine_turn.cpp).
    void choose_engine_level(int level);
    void give_up_engine();
    UciClient& engine_client();
    void ask_engine_for_computer_move();
    void engine_answered(const EngineAnswer& answer);
    void play_engine_choice(const ComputerMove& move);
    void ask_engine_for_hint();
    void show_hint(const EngineAnswer& answer);
    void outline_hint(int fromX, int fromY, int toX, int toY);
    void erase_hint();
    void end_hint();
    // The review (game/review_commands.cpp): stops when move `ply` of the
    // history changes (0: the whole history); outlines the engine's better
    // move when the move on the board has a mark.
    void review_history_changed(int ply);
    void outline_review_best();

    // ===== Records other programs exchange (record/) =====
    // The games of a file or a pasted text (`source` names it in the boxes):
    // one chosen when there are several, loaded, and the boxes after it.
    void open_record_contents(const formats::RecordContents& contents, const std::string& source);
    // The game becomes the history, with the board at its start.
    void load_game_record(const formats::GameRecord& game);
    // A review's results so far become the history's.
    void take_review(const std::vector<ReviewedPosition>& review);

    // ===== Pictures (ui/) =====
    // Covers the tiles firstX..lastX of row y (a text area) with the background.
    void erase_tiles(int firstX, int lastX, int y);
    // Short lines at the four corners of a square, inside it.
    void draw_square_corners(int colour, int x, int y);
    // The marks of the last move as the selection holds them.
    void draw_last_move_marks();

    PlayState play_;                // game/
    SelectionState selection_;      // game/
    ClockState clock_;              // game/
    EngineTurnState engineTurn_;    // game/
    HistoryState history_;          // record/
    HandicapState handicap_;        // record/
    KeptGameState kept_;            // record/
    std::istringstream RecordFile;  // record/: the bytes of the file being loaded, during one load
    Options options_;               // settings/
    TextState text_;                // ui/
    ScreenState screen_;            // ui/
    SoundHandles sounds_;           // sound/
    // game/: the engine's client, made when the engine is first needed.
    std::unique_ptr<UciClient> uci_;
    // game/: the review, made at the first 検討.
    std::unique_ptr<GameReview> review_;
};

}  // namespace zenko
