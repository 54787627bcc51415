// The engine levels in the game: LEVEL4-6 from the menu, the computer's turn
// as a question to the engine process whose answer arrives later as an
// event, the search stopped by the commands that change the position, and
// ヒント, the engine's move for the person.
#include <string>
#include <vector>

#include "game/uci_notation.h"
#include "rules/standard_rules.h"
#include "ui/form1.h"

namespace zenko {

namespace {

using Question = EngineTurnState::Question;

constexpr const char* LevelTitle = "COM対局ﾚﾍﾞﾙ";
constexpr const char* FallbackText = "思考ｴﾝｼﾞﾝが応答しません。LEVEL3 で指します";
constexpr const char* HintTitle = "ヒント";
constexpr const char* HintOutsideGame = "対局(COM)中に使えます";
constexpr const char* HintOnComputersTurn = "ｺﾝﾋﾟｭｰﾀの番です";
constexpr const char* HintEngineFailed = "思考ｴﾝｼﾞﾝが応答しません";
constexpr const char* NoHint = "ヒントがありません";
constexpr int HintLevel = LastEngineLevel;

SearchResult as_search_result(const Engine& engine, const ComputerMove& move) {
    SearchResult result;
    result.found = move.found;
    result.fromX = move.fromX;
    result.fromY = move.fromY;
    result.toX = move.toX;
    result.toY = move.toY;
    result.piece = move.piece;
    result.captured = engine.piece_at(move.toX, move.toY);
    return result;
}

// The person's move that takes the COM general, which this game allows and
// an engine is never asked about.
bool find_man_general_capture(const Engine& engine, Move& capture) {
    const Square general = engine.com_general();
    if (!on_board(general.x, general.y) || engine.piece_at(general.x, general.y) != ComGeneral) return false;
    return !engine.for_each_legal_move(false, [&](const Move& m) {
        if (m.toX != general.x || m.toY != general.y) return true;
        capture = m;
        return false;
    });
}

// What the engine is told: the position after the last capture (within the
// last 120 plies, the span of the sixty-move rule) and the moves played
// since, so it sees which positions repeat. Moves are taken back on a copy
// only while the record matches the board, the armies alternate, ending
// with the other army's move, and each move was legal by the standard
// rules: this game lets a move leave its own general attacked, and an
// engine stops reading the list at such a move. A record that does not
// match gives the position alone.
struct EnginePosition {
    std::string fen;
    std::vector<PlayedMove> played;
};
constexpr int MaxRecentPlies = 120;

EnginePosition recent_play(const Engine& engine, const HistoryState& history, bool manToMove) {
    Engine before = engine;
    bool moverIsMan = !manToMove;  // the army that made the move taken back next
    int first = history.HistoryPos + 1;
    for (int i = history.HistoryPos; i >= 1 && history.HistoryPos - i < MaxRecentPlies; --i) {
        const MoveRecord& m = history.MoveHistory[i];
        if (m.captured != PieceEmpty || (m.placed < 0) != moverIsMan || !on_board(m.fromX, m.fromY) ||
            !on_board(m.toX, m.toY) || before.piece_at(m.toX, m.toY) != m.placed ||
            before.piece_at(m.fromX, m.fromY) != PieceEmpty)
            break;
        Engine earlier = before;
        earlier.take_back(m.fromX, m.fromY, m.toX, m.toY, m.placed, PieceEmpty);
        if (!standard_legal(earlier, m.fromX, m.fromY, m.toX, m.toY)) break;
        before = earlier;
        first = i;
        moverIsMan = !moverIsMan;
    }
    EnginePosition position{uci_fen(before, !moverIsMan), {}};
    for (int i = first; i <= history.HistoryPos; ++i) {
        const MoveRecord& m = history.MoveHistory[i];
        position.played.push_back({m.fromX, m.fromY, m.toX, m.toY});
    }
    return position;
}

}  // namespace

bool Form1::engine_found() const {
    return platform.engineProcess != nullptr && !platform.engine.command.empty() &&
           !engineTurn_.EngineUnusable;
}

std::string Form1::engine_missing_reason() const {
    const std::string& named = platform.engine.named;
    return engineTurn_.EngineUnusable ? engine_silent_text(named) : engine_missing_text(named);
}

// An engine that never became ready is of no use this run: its levels are
// greyed out like a missing engine's, and an engine level gives way to LEVEL3,
// as the fallback box says.
void Form1::give_up_engine() {
    engineTurn_.EngineUnusable = true;
    if (!is_engine_level(play_.Level)) return;
    erase_tiles(-2, 0, 0);
    レベル_設定(3);
}

int Form1::chosen_level() const { return play_.Level; }

bool Form1::computer_thinking() const { return engineTurn_.asked == Question::ComputerMove; }

void Form1::LEVEL4_Click() { choose_engine_level(4); }
void Form1::LEVEL5_Click() { choose_engine_level(5); }
void Form1::LEVEL6_Click() { choose_engine_level(6); }

// The menu greys the engine levels out without an engine; refused here too.
void Form1::choose_engine_level(int level) {
    if (!engine_found()) {
        platform.sound.dsPlay(sounds().SoundForbidden);
        platform.dialogs.message_box(engine_missing_reason(), LevelTitle, Buttons::OK);
        return;
    }
    erase_tiles(-2, 0, 0);
    レベル_設定(level);
}

UciClient& Form1::engine_client() {
    if (!uci_) {
        uci_ = std::make_unique<UciClient>(*platform.engineProcess, platform.engine.command);
        uci_->answered = [this](const EngineAnswer& answer) { engine_answered(answer); };
    }
    return *uci_;
}

// The moves the game decides itself (a general capture, a position standard
// rules cannot show) are played at once; otherwise the engine is asked and
// the turn goes on when it answers.
void Form1::ask_engine_for_computer_move() {
    const EngineTurn turn = begin_engine_turn(engine_, play_.StandardRules);
    if (!turn.ask) {
        play_engine_choice(turn.decided);
        return;
    }
    if (!engine_found()) {
        play_engine_choice(level3_move(engine_, MoveSource::Fallback, play_.StandardRules));
        return;
    }
    engineTurn_.asked = Question::ComputerMove;
    // An engine that cannot be started answers at once, from inside think.
    EnginePosition position = recent_play(engine_, history(), false);
    engine_client().think(position.fen, engine_settings(play_.Level), std::move(position.played));
}

// An answer that comes while a box is open waits for the box to close: the
// box runs its own event loop, and the move would be played behind it.
void Form1::engine_answered(const EngineAnswer& answer) {
    if (boxes_.any_open()) {
        engineTurn_.HeldAnswer = answer;
        return;
    }
    const Question asked = engineTurn_.asked;
    engineTurn_.asked = Question::None;
    if (answer.handshakeFailed) give_up_engine();
    if (asked == Question::ComputerMove)
        play_engine_choice(finish_engine_turn(engine_, answer, play_.StandardRules));
    else if (asked == Question::Hint)
        show_hint(answer);
}

void Form1::play_engine_choice(const ComputerMove& move) {
    if (move.source == MoveSource::Fallback && !engineTurn_.FallbackTold) {
        engineTurn_.FallbackTold = true;
        platform.dialogs.message_box(FallbackText, LevelTitle, Buttons::OK);
    }
    if (!move.found) {  // no legal move left: the computer has lost
        終了("あなた");
        return;
    }
    play_computer_move(as_search_result(engine_, move));
}

// The thinking notice goes with the search.
bool Form1::stop_engine_search() {
    const bool wasThinking = computer_thinking();
    if (engineTurn_.asked != Question::None && uci_) uci_->stop();
    engineTurn_.asked = Question::None;
    engineTurn_.HeldAnswer.reset();
    if (wasThinking) erase_tiles(11, 13, 6);
    return wasThinking;
}

void Form1::play_held_answer() {
    if (!engineTurn_.HeldAnswer || boxes_.any_open()) return;
    const EngineAnswer answer = *engineTurn_.HeldAnswer;
    engineTurn_.HeldAnswer.reset();
    if (engineTurn_.asked != Question::None) engine_answered(answer);
}

void Form1::resume_computer_turn() {
    if (play_.GameMode == ModeVsCom && play_.Turn == play_.ComSide && !computer_thinking()) com_ban();
}

void Form1::end_engine() {
    engineTurn_.asked = Question::None;
    engineTurn_.HeldAnswer.reset();
    if (uci_) uci_->quit();
}

void Form1::HINT_Click() {
    std::string refusal;
    if (!engine_found())
        refusal = engine_missing_reason();
    else if (play_.GameMode != ModeVsCom || play_.Turn == NoGame)
        refusal = HintOutsideGame;
    else if (play_.Turn != play_.ManSide)
        refusal = HintOnComputersTurn;
    if (!refusal.empty()) {
        platform.sound.dsPlay(sounds().SoundForbidden);
        platform.dialogs.message_box(refusal, HintTitle, Buttons::OK);
        return;
    }
    if (engineTurn_.asked == Question::Hint) return;  // the engine is on it
    erase_hint();
    ask_engine_for_hint();
}

// The engine is asked with the person to move, at LEVEL6's strength.
void Form1::ask_engine_for_hint() {
    Move capture{};
    if (find_man_general_capture(engine_, capture)) {
        outline_hint(capture.fromX, capture.fromY, capture.toX, capture.toY);
        return;
    }
    engineTurn_.asked = Question::Hint;
    EnginePosition position = recent_play(engine_, history(), true);
    engine_client().think(position.fen, engine_settings(HintLevel), std::move(position.played));
}

void Form1::show_hint(const EngineAnswer& answer) {
    if (!answer.ok()) {
        platform.dialogs.message_box(HintEngineFailed, HintTitle, Buttons::OK);
        return;
    }
    int fromX = 0, fromY = 0, toX = 0, toY = 0;
    const bool readable = read_uci_move(answer.move, answer.firstRank, fromX, fromY, toX, toY);
    const int piece = readable ? engine_.piece_at(fromX, fromY) : PieceEmpty;
    if (piece > -1 || engine_.移動チェック(fromX, fromY, toX, toY, piece) != FlagOn) {
        platform.dialogs.message_box(NoHint, HintTitle, Buttons::OK);
        return;
    }
    outline_hint(fromX, fromY, toX, toY);
}

void Form1::outline_hint(int fromX, int fromY, int toX, int toY) {
    engineTurn_.HintFromX = fromX;
    engineTurn_.HintFromY = fromY;
    engineTurn_.HintToX = toX;
    engineTurn_.HintToY = toY;
    描画_桝輪郭(ColorLightCyan, fromX, fromY);
    描画_桝輪郭(ColorLightCyan, toX, toY);
}

// The two squares are drawn afresh; the marks of the last move stay.
void Form1::erase_hint() {
    EngineTurnState& t = engineTurn_;
    if (t.HintFromX == 0) return;
    for (const Square s : {Square{t.HintFromX, t.HintFromY}, Square{t.HintToX, t.HintToY}}) {
        描画_絵(engine_.piece_at(s.x, s.y), s.x, s.y);
        描画_罫線(LineColor, s.x, s.y);
    }
    t.HintFromX = 0;
    draw_last_move_marks();
}

// A click ends the hint: a question still open is dropped, the outline erased.
void Form1::end_hint() {
    if (engineTurn_.asked == Question::Hint) stop_engine_search();
    erase_hint();
}

}  // namespace zenko
