// The standard rules of Xiangqi in play, for the games started while
// 標準ルール is on: a move may not leave the mover's general in check, a
// check is shown beside the board, and the game ends when the side to move
// has no move (mate or stalemate, a loss either way), when a position comes
// round a third time (perpetual check loses, anything else is drawn), or
// after 120 plies without a capture (drawn). Also 投了, resigning.
#include <algorithm>
#include <string>
#include <vector>

#include "rules/standard_rules.h"
#include "ui/form1.h"

namespace zenko {
namespace {

constexpr const char* MateText = "詰みです。";
constexpr const char* NoMoveText = "指す手がありません。";
constexpr const char* PerpetualCheckText = "連続王手の千日手: ";
constexpr const char* RepetitionDrawText = "千日手: 引き分けです";
constexpr const char* MoveLimitDrawText = "自然限着: 引き分けです";
constexpr const char* CheckText = "王手";
// Plies without a capture after which the game is drawn (the sixty-move rule).
constexpr int MoveLimitPlies = 120;

constexpr const char* ResignTitle = "投了";
constexpr const char* ResignQuestion = "投了しますか？";
constexpr const char* ResignOutsideGame = "対局中に使えます";
constexpr const char* ResignOnComputersTurn = "ｺﾝﾋﾟｭｰﾀの番です";

// Where the check is shown: on the free row right of the board nearest the
// army in check (under the move count, or under the bottom army's move).
constexpr double CheckTextX = 11.5;
constexpr int TopCheckRow = 4, BottomCheckRow = 9;
constexpr int CheckTextSize = 14;

// The plies since the last capture (or the history's start), oldest first,
// as the repetition judgement reads them, with the key of the position they
// start from.
struct PliesSinceCapture {
    PositionKey start = 0;
    std::vector<RepetitionPly> plies;
};

PliesSinceCapture plies_since_capture(const Engine& now, const HistoryState& history, bool manToMove) {
    PliesSinceCapture out;
    Engine position = now;
    for (int n = history.HistoryPos; n >= 1; --n) {
        const MoveRecord& m = history.MoveHistory[static_cast<std::size_t>(n)];
        if (m.captured != PieceEmpty) break;
        const bool manMoved = m.piece < 0;
        // The key of the position after the move, the other army to move;
        // the move checked when it left the other army's general in check.
        out.plies.push_back(
            {position_key(position, !manMoved), manMoved, standard_check(position, manMoved)});
        position.take_back(m.fromX, m.fromY, m.toX, m.toY, m.piece, m.captured);
        manToMove = manMoved;
    }
    std::reverse(out.plies.begin(), out.plies.end());
    out.start = position_key(position, manToMove);
    return out;
}

// Who the bottom or the top army is in the boxes.
std::string army_name(const PlayState& play, bool bottom) {
    if (play.GameMode == ModeVsCom) return bottom ? "あなた" : "ｺﾝﾋﾟｭｰﾀ";
    return bottom ? "先手" : "後手";  // two people: the bottom pieces are 先手's
}

}  // namespace

// An army's name as the end of a game calls it.

bool Form1::judge_standard_position(bool manToMove) {
    erase_check();
    const GameStatus status = standard_status(engine_, manToMove);
    if (status != GameStatus::Play) {
        const std::string reason = status == GameStatus::Checkmate ? MateText : NoMoveText;
        announce_end(reason + army_name(play_, !manToMove) + "の勝ちです");
        return true;
    }
    const PliesSinceCapture since = plies_since_capture(engine_, history(), manToMove);
    switch (judge_repetition(since.start, since.plies)) {
        case Repetition::ManLoses:
            announce_end(PerpetualCheckText + army_name(play_, true) + "の負けです");
            return true;
        case Repetition::ComLoses:
            announce_end(PerpetualCheckText + army_name(play_, false) + "の負けです");
            return true;
        case Repetition::Draw:
            announce_end(RepetitionDrawText);
            return true;
        case Repetition::None:
            break;
    }
    if (static_cast<int>(since.plies.size()) >= MoveLimitPlies) {
        announce_end(MoveLimitDrawText);
        return true;
    }
    if (standard_check(engine_, !manToMove)) show_check(manToMove ? BottomArmy : TopArmy);
    return false;
}

void Form1::show_check(int army) {
    play_.CheckedArmy = army;
    const double y = (army == TopArmy ? TopCheckRow : BottomCheckRow) + 0.1;
    描画_数値(CheckTextX + 0.1, y + 0.1, CheckText, ColorBlack, 0, CheckTextSize);
    描画_数値(CheckTextX, y, CheckText, ColorLightRed, 0, CheckTextSize);
}

void Form1::erase_check() {
    if (play_.CheckedArmy == NoArmy) return;
    erase_tiles(11, 13, play_.CheckedArmy == TopArmy ? TopCheckRow : BottomCheckRow);
    play_.CheckedArmy = NoArmy;
}

// The person resigns on their turn; in a game of two people the side to move does.
void Form1::TOURYOU_Click() {
    const char* refusal = nullptr;
    if (play_.Turn == NoGame)
        refusal = ResignOutsideGame;
    else if (play_.GameMode == ModeVsCom && play_.Turn != play_.ManSide)
        refusal = ResignOnComputersTurn;
    if (refusal) {
        platform.sound.dsPlay(sounds().SoundForbidden);
        platform.dialogs.message_box(refusal, ResignTitle, Buttons::OK);
        return;
    }
    if (platform.dialogs.message_box(ResignQuestion, ResignTitle, Buttons::YesNo) != Answer::Yes) return;
    end_hint();
    const bool bottomResigns = play_.Turn == play_.ManSide;
    終了(army_name(play_, !bottomResigns));
}

}  // namespace zenko
