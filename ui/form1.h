// The main window object: all game state beyond the engine's position, and
// every handler and procedure of the program by its own name. It never
// touches a widget: it draws, asks, plays sounds and reads the time through
// the platform interfaces. Its methods are defined in the folder of their
// subsystem (game/, record/, ui/, settings/, sound/).
//
// Each subsystem has its own section below; add helpers of a subsystem to
// its own section only.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "record/move_record.h"
#include "rules/engine.h"
#include "rules/types.h"
#include "ui/platform.h"
#include "ui/presentation.h"

namespace zenko {

struct MenuItem {
    bool Checked = false;
};

struct TimerControl {
    bool Enabled = false;
};

class Form1 {
public:
    explicit Form1(Platform platform);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    Platform platform;
    Engine engine;

    // Menu items that carry a check mark. Form1 holds the marks; the shell mirrors them.
    MenuItem LEVEL1, LEVEL2, LEVEL3;
    MenuItem MIDORI, TATAMI, TAKE, UCHU, RENGA;
    MenuItem SIDOU, KEIKA, BGM;

    // ===== Board model (rules) =====
    SquareTable<int> MovableSquares{};
    int Turn = NoGame;
    int ManSide = SecondPlayer;
    int ComSide = FirstPlayer;
    int GameMode = NoGame;
    void 初期設定();
    // 初期設定 without the repaint: no game, the full set on the board.
    void reset_to_full_set();
    void 駒移動(int fromX, int fromY, int toX, int toY, int piece);

    // ===== Computer move and levels (game/) =====
    int ComMarkX = 0, ComMarkY = 0;
    void com_ban();
    void レベル_設定(int level);
    void LEVEL1_Click();
    void LEVEL2_Click();
    void LEVEL3_Click();
    void show_thinking_notice();
    // Plays, records and announces the chosen move, then hands the turn back.
    void play_computer_move(int fromX, int fromY, int toX, int toY, int piece);

    // ===== Game flow and board input (game/) =====
    int SelectState = 0;
    int MoveWork[9]{};
    int GuidanceOn = FlagOff;
    int GuidanceColor = SquareLineColor;
    void Form_MouseDown(int button, int shift, double X, double Y);
    void START_Click();
    void SENTE_Click();
    void GOTE_Click();
    void TAIKYOKU_Click();
    void MATCH_MAN_Click();
    void OWARI_Click();
    void SIDOU_Click();
    void 終了(const std::string& winner);
    void start_game_against_computer(int personSide);
    // The steps of a board click.
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

    // ===== Elapsed-time clock (game/) =====
    TimerControl Timer1;
    double ManTime = 0, ComTime = 0, TurnStartTime = 0, MoveSeconds = 0;
    int ShownSeconds = 0;
    void Timer1_Timer();
    double 調査_経過秒(double start, double now) const;
    std::string 調査_時間秒追加結果(double seconds) const;
    std::string 変換_数字から文字(int n) const;
    void 描画_所有時間(int side, double seconds);
    void 消去_所有時間(int side);
    void 処理_経過時間();
    void KEIKA_Click();

    // ===== Move history and navigation (record/) =====
    // Entry 0 is unused; move n lives in entry n. The history grows past its
    // first 500 entries when a game goes on that long.
    std::vector<MoveRecord> MoveHistory = std::vector<MoveRecord>(501);
    int HistoryPos = 0;
    int HistoryLen = 0;
    int MoveNumber = 0;
    int RecordMode = FlagOff;
    int Reversed = FlagOff;
    int HandicapSet = FlagOff;
    // What the history starts from: the position before its first move, the
    // flags that describe that position, and the game it was played in.
    struct HistoryStart {
        BoardArray board{};
        int reversed = FlagOff, handicapSet = FlagOff, handicapLevel = 0;
        int mode = NoGame, manSide = SecondPlayer, comSide = FirstPlayer;
    };
    HistoryStart HistoryOrigin;
    // Notes the position on the board as the start of the history.
    void note_history_start();
    // Puts the history's start on the board with its flags.
    void restore_history_start();
    bool history_starts_from_full_set() const;
    void 手順保存(int fromX, int fromY, int toX, int toY, int piece, int placed, double manTimeBefore,
                  double manTimeAfter, double comTimeBefore, double comTimeAfter);
    void REPLAY_Click();
    void AFTER_Click();
    void CANCEL_Click();
    void REVERSE_Click();
    void STOP_Click();
    // 描画_可視 all off, then 描画_棋譜_IO(1).
    void hide_record_panel();
    void stop_play_for_navigation();
    void pass_turn_to_other_army();

    // ===== Record files (record/) =====
    std::istringstream RecordFile;  // the bytes of the file being loaded, during one load
    void KIFU_READ_Click();
    void KIFU_WRITE_Click();
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void Command1_Click();
    void 描画_棋譜_IO(int mode);
    int 読込_棋譜ファイル(std::string& line);
    double 取得_棋譜のX座標(const std::string& text) const;

    // ===== Handicap levels (record/) =====
    int HandicapLevel = 0;
    void LBEL_UP_Click();
    void LEBEL_DOWN_Click();
    void 描画_ハンデレベル(int level);

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
    int Background = 0;  // 0 until the settings choose one: tiles with the empty square
    void 描画_絵(int code, double x, double y);
    void 描画_盤();
    void 描画_背景(int code);
    void 画面_再描画();
    void 描画_桝輪郭(int colour, int x, int y);
    void 描画_移動可能桝色(int fromX, int fromY, int colour, int piece);
    void 消去_移動可能桝色();

    // ===== Main window and menus (ui/) =====
    void Form_Load();
    void Form_Unload();
    void Form_KeyDown(int keyCode, int shift);
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
    bool Terminated = false;  // set by 処理_終了; the shell then closes the window

    // ===== Text, numbers and messages (ui/) =====
    // The window's current print position (twips), font and text colour.
    double CurrentX = 0, CurrentY = 0;
    int FontSize = 9;
    bool FontBold = false;
    int ForeColor = ColorBlack;
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
    // Prints text at the current position with the current font and colour.
    void print_text(const std::string& text);

    // ===== Settings file (settings/) =====
    void 読込_環境設定ファイル();
    void 書込_環境設定ファイル();
    bool SettingsUnsavedTold = false;  // the player was told the options could not be saved

    // ===== Sound (sound/) =====
    int SoundDevice = 0;
    int SoundOther = 0, SoundForbidden = 0, SoundPiece = 0, SoundBgm = 0;
    // Form_Load's first step: opens the device and makes the four buffers.
    void start_sound();
    void 処理_BGM();
    void BGM_Click();
};

}  // namespace zenko
