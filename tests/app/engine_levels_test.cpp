// The engine levels in the game, with a scripted engine: the answer played
// as LEVEL3's move is played, the search stopped by commands and by the
// end of the program, the fallback told once, and ヒント.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "fakes.h"
#include "game/uci_notation.h"
#include "rules/standard_rules.h"
#include "ui/key_codes.h"

namespace zenko {
namespace {

using testing::DrawCall;
using testing::FormFixture;

const std::string StartPlacement = "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR";

// A game against the computer at `level`, the person moving first.
struct EngineGame : FormFixture {
    explicit EngineGame(void (Form1::*chooseLevel)()) {
        testing::open_sounds(form, sound);
        form.初期設定();
        (form.*chooseLevel)();
        form.SENTE_Click();
        canvas.clear();
        sound.clear();
        dialogs.shown.clear();
    }
    void move(int fx, int fy, int tx, int ty) {
        testing::click_square(form, fx, fy);
        testing::click_square(form, tx, ty);
    }
    bool sent(const std::string& line) const {
        const auto& w = engineProcess.written;
        return std::find(w.begin(), w.end(), line) != w.end();
    }
    int forbidden_sounds() const { return sound.count("dsPlay", form.sounds().SoundForbidden); }
    std::vector<std::string> boxes() const {
        std::vector<std::string> out;
        for (const auto& b : dialogs.shown) out.push_back(b.text + " / " + b.title);
        return out;
    }
    // Everything the player sees and hears, and the game's record.
    std::string observed() const {
        std::ostringstream out;
        for (const DrawCall& c : canvas.calls)
            out << c.kind << ' ' << c.code << ' ' << c.x1 << ',' << c.y1 << ',' << c.x2 << ',' << c.y2 << ' '
                << c.colour << ' ' << c.text << '\n';
        for (const auto& e : sound.events) out << e.call << ' ' << e.handle << '\n';
        for (const std::string& b : boxes()) out << b << '\n';
        const HistoryState& h = form.history();
        for (int i = 1; i <= h.HistoryLen; ++i) {
            const MoveRecord& m = h.MoveHistory[i];
            out << m.fromX << m.fromY << m.toX << m.toY << ' ' << m.piece << ' ' << m.captured << ' '
                << m.comTimeAfter << '\n';
        }
        out << form.play().Turn << ' ' << form.selection().ComMarkX << form.selection().ComMarkY << ' '
            << form.engine().fen(true);
        return out.str();
    }
};

TEST(EngineLevels, TheEnginesAnswerIsPlayedExactlyAsLevel3PlaysItsMove) {
    EngineGame level3(&Form1::LEVEL3_Click);
    level3.move(3, 7, 3, 6);
    const MoveRecord reply = level3.form.history().MoveHistory[2];

    EngineGame level4(&Form1::LEVEL4_Click);
    level4.engineProcess.bestmove = uci_move_text(reply.fromX, reply.fromY, reply.toX, reply.toY, 1);
    level4.move(3, 7, 3, 6);
    EXPECT_TRUE(level4.form.computer_thinking());
    EXPECT_EQ(level4.form.history().HistoryLen, 1) << "the turn returns before the engine answers";
    const auto texts = level4.canvas.texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "思考中"), texts.end());
    const std::string asked = "position fen " + StartPlacement + " w - - 0 1 moves c4c5";

    level4.engineProcess.deliver();
    EXPECT_TRUE(level4.sent(asked));
    EXPECT_FALSE(level4.form.computer_thinking());
    EXPECT_EQ(level4.observed(), level3.observed());
}

// A board click while the engine thinks changes nothing; 戻 or Escape stops
// the search: its late answer plays nothing, and the end of the program
// ends the engine process.
TEST(EngineLevels, CommandsStopTheSearchAndNoMoveIsPlayedLater) {
    struct Row {
        const char* name;
        std::function<void(Form1&)> command;
        bool takesBack;
    } rows[] = {
        {"戻", [](Form1& f) { f.REPLAY_Click(); }, true},
        {"Escape", [](Form1& f) { f.Form_KeyDown(KeyEscape, 0); }, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EngineGame g(&Form1::LEVEL5_Click);
        g.engineProcess.bestmove = "";  // it thinks until told to stop
        g.move(3, 7, 3, 6);
        g.engineProcess.deliver();
        ASSERT_TRUE(g.sent("go nodes 1000"));
        ASSERT_TRUE(g.form.computer_thinking());
        const std::string board = g.form.engine().fen(true);

        g.canvas.clear();
        testing::click_square(g.form, 2, 7);
        EXPECT_EQ(g.forbidden_sounds(), 1);
        EXPECT_TRUE(g.canvas.calls.empty());
        EXPECT_EQ(g.form.selection().SelectState, 0);

        r.command(g.form);
        EXPECT_FALSE(g.form.computer_thinking());
        EXPECT_TRUE(g.sent("stop"));
        const std::string afterCommand = g.form.engine().fen(true);
        g.engineProcess.say("bestmove h10g8");  // the stopped search's answer
        g.engineProcess.deliver();
        EXPECT_EQ(g.form.engine().fen(true), afterCommand) << "the late answer played a move";
        EXPECT_EQ(g.form.history().HistoryLen, 1);
        EXPECT_EQ(afterCommand != board, r.takesBack);

        g.form.Form_KeyDown(KeyEscape, 0);
        EXPECT_TRUE(g.sent("quit"));
        EXPECT_FALSE(g.engineProcess.running) << "the engine process outlived the game";
        EXPECT_EQ(g.app.quits, 1);
    }
}

// A level chosen while the engine thinks stops that search and asks again
// at the new level: the computer still answers the move.
TEST(EngineLevels, ALevelChosenWhileTheEngineThinksAsksAgainAtThatLevel) {
    EngineGame g(&Form1::LEVEL5_Click);
    g.engineProcess.bestmove = "";
    g.move(3, 7, 3, 6);
    g.engineProcess.deliver();
    ASSERT_TRUE(g.sent("go nodes 1000"));

    g.engineProcess.bestmove = "h10g8";
    g.form.LEVEL6_Click();
    EXPECT_TRUE(g.sent("stop"));
    EXPECT_TRUE(g.form.computer_thinking());
    g.engineProcess.say("bestmove b10c8");  // the stopped search's answer
    g.engineProcess.deliver();
    EXPECT_TRUE(g.sent("go nodes 100000 movetime 1000"));
    ASSERT_EQ(g.form.history().HistoryLen, 2);
    const MoveRecord reply = g.form.history().MoveHistory[2];
    EXPECT_EQ(uci_move_text(reply.fromX, reply.fromY, reply.toX, reply.toY, 1), "h10g8");
    EXPECT_FALSE(g.form.computer_thinking());
}

// The engine is told the moves since the last capture, so it sees which
// positions repeat: the position after the capture, then the moves.
TEST(EngineLevels, TheEngineSeesTheMovesPlayedSinceTheLastCapture) {
    EngineGame g(&Form1::LEVEL4_Click);
    g.engineProcess.bestmove = "i10i9";
    g.move(2, 8, 2, 1);  // the cannon takes the horse
    g.engineProcess.deliver();
    const std::string afterCapture = g.engineProcess.written.at(g.engineProcess.written.size() - 2);
    ASSERT_EQ(afterCapture.rfind("position fen ", 0), 0u);
    EXPECT_EQ(afterCapture.find(" moves"), std::string::npos);

    g.engineProcess.bestmove = "i9i10";
    g.move(1, 10, 1, 9);
    g.engineProcess.deliver();
    g.move(1, 9, 1, 10);
    g.engineProcess.deliver();
    EXPECT_TRUE(g.sent(afterCapture + " moves i10i9 a1a2 i9i10 a2a1"));
    EXPECT_EQ(g.form.history().HistoryLen, 6);
}

// The list starts after a move that left its own general attacked (legal in
// this game, not in standard Xiangqi): an engine stops reading at such a
// move and would answer for an earlier position. Every list it is sent
// replays by the standard rules.
TEST(EngineLevels, TheEngineIsToldOnlyMovesItCanReplay) {
    FormFixture f;
    testing::open_sounds(f.form, f.sound);
    f.form.初期設定();
    f.form.START_Click();
    const int moves[][4] = {
        {5, 10, 5, 9}, {1, 1, 1, 2}, {1, 7, 1, 6}, {1, 2, 4, 2},
        {5, 9, 4, 9},  {9, 4, 9, 5}, {4, 9, 5, 9}};  // (5,9)-(4,9) steps into the chariot's file
    for (const auto& m : moves) {
        testing::click_square(f.form, m[0], m[1]);
        testing::click_square(f.form, m[2], m[3]);
    }
    ASSERT_EQ(f.form.history().HistoryLen, 7);
    f.form.LEVEL4_Click();
    f.engineProcess.bestmove = "";  // it thinks until asked again
    f.form.GOTE_Click();
    f.engineProcess.deliver();
    const auto& written = f.engineProcess.written;
    const auto asked = std::find_if(written.begin(), written.end(),
                                    [](const std::string& l) { return l.rfind("position fen ", 0) == 0; });
    ASSERT_NE(asked, written.end());
    std::istringstream words(asked->substr(13));
    std::string placement, side, word;
    words >> placement >> side;
    Engine replay;
    bool manToMove = true;
    ASSERT_TRUE(replay.set_fen(placement + " " + side, &manToMove));
    int replayed = 0;
    while (words >> word) {
        if (word == "-" || word == "0" || word == "1" || word == "moves") continue;
        int fx = 0, fy = 0, tx = 0, ty = 0;
        ASSERT_TRUE(read_uci_move(word, 1, fx, fy, tx, ty)) << word;
        ASSERT_TRUE(standard_legal(replay, fx, fy, tx, ty)) << *asked;
        replay.駒移動(fx, fy, tx, ty, replay.piece_at(fx, fy));
        ++replayed;
    }
    EXPECT_EQ(replayed, 2) << "the moves after the one into check";
    EXPECT_EQ(replay.board(), f.form.engine().board());
}

// A box runs an event loop of its own: the engine's answer arriving in it is
// held until the box has closed and its handler is done, and a command that
// makes it stale drops it. The clock ticks on meanwhile.
TEST(EngineLevels, NoMoveIsPlayedBehindABox) {
    EngineGame g(&Form1::LEVEL4_Click);
    g.form.set_clock_shown(true);
    g.move(3, 7, 3, 6);
    g.canvas.clear();
    g.dialogs.whileOpen = [&] {
        g.clock.now += 2;
        g.engineProcess.deliver();
        g.form.Timer1_Timer();
        EXPECT_EQ(g.form.history().HistoryLen, 1) << "played behind the box";
        EXPECT_TRUE(g.form.computer_thinking());
    };
    g.form.VER_Click();
    EXPECT_EQ(g.canvas.texts(), (std::vector<std::string>{"00:00:02", "00:00:02"})) << "only the clock moved";
    EXPECT_EQ(g.form.history().HistoryLen, 1);
    g.form.play_held_answer();
    EXPECT_EQ(g.form.history().HistoryLen, 2) << "played once the box closed";
    EXPECT_EQ(g.form.history().MoveHistory[2].comTimeAfter, 2) << "the box's time is the computer's";

    g.move(7, 7, 7, 6);
    g.dialogs.whileOpen = [&] { g.engineProcess.deliver(); };
    g.form.VER_Click();
    g.form.GOTE_Click();  // a new game makes the answer stale; the computer thinks afresh
    ASSERT_TRUE(g.form.computer_thinking());
    const int length = g.form.history().HistoryLen;
    g.form.play_held_answer();
    EXPECT_EQ(g.form.history().HistoryLen, length) << "a stale answer was played";
}

TEST(EngineLevels, AFailingEngineGivesLevel3sMoveAndIsToldOnce) {
    EngineGame g(&Form1::LEVEL6_Click);
    g.engineProcess.bestmove = "z0z0";
    g.move(1, 7, 1, 6);
    g.engineProcess.deliver();
    g.move(9, 7, 9, 6);
    g.engineProcess.deliver();
    EXPECT_EQ(g.form.history().HistoryLen, 4) << "the computer answered both moves";
    EXPECT_EQ(g.form.play().Turn, g.form.play().ManSide);
    EXPECT_EQ(g.boxes(),
              std::vector<std::string>{"思考ｴﾝｼﾞﾝが応答しません。LEVEL3 で指します / COM対局ﾚﾍﾞﾙ"});
}

// An engine named but not there is no engine: its levels and ヒント are
// refused at once, naming what was tried. One that never becomes ready is
// treated the same way once it has failed: LEVEL3 plays, as the box says.
TEST(EngineLevels, AMissingOrMuteEngineIsNoEngineAndSaysWhichOne) {
    {
        FormFixture f;
        Form1 form{Platform{f.canvas, f.dialogs, f.clock, f.sound, f.panel, f.app, &f.engineProcess,
                            EngineLocation{"", "/nonexistent"}}};
        form.初期設定();
        form.SENTE_Click();
        f.dialogs.shown.clear();
        EXPECT_FALSE(form.engine_found());
        form.LEVEL4_Click();
        ASSERT_EQ(f.dialogs.shown.size(), 1u);
        EXPECT_EQ(f.dialogs.shown[0].text, "思考ｴﾝｼﾞﾝ (/nonexistent) が見つかりません");
        EXPECT_EQ(form.chosen_level(), 3);
    }
    EngineGame g(&Form1::LEVEL5_Click);
    g.engineProcess.handshakes = false;
    g.move(1, 7, 1, 6);
    g.engineProcess.deliver();
    g.engineProcess.pass_deadline();
    EXPECT_EQ(g.form.history().HistoryLen, 2) << "LEVEL3 answered";
    EXPECT_EQ(g.boxes(),
              std::vector<std::string>{"思考ｴﾝｼﾞﾝが応答しません。LEVEL3 で指します / COM対局ﾚﾍﾞﾙ"});
    EXPECT_FALSE(g.form.engine_found());
    EXPECT_EQ(g.form.engine_missing_reason(), "思考ｴﾝｼﾞﾝ (fairy-stockfish) が応答しません");
    EXPECT_EQ(g.form.chosen_level(), 3);
    g.move(9, 7, 9, 6);
    EXPECT_EQ(g.form.history().HistoryLen, 4) << "the next turn plays LEVEL3 at once";
    EXPECT_EQ(g.engineProcess.starts, 1) << "the engine is not tried again";
}

TEST(Hint, TheEnginesMoveForThePersonIsOutlinedInLightCyanUntilTheNextClick) {
    EngineGame g(&Form1::LEVEL3_Click);
    g.engineProcess.bestmove = "h3e3";  // the right cannon to the centre
    g.form.HINT_Click();
    g.engineProcess.deliver();
    EXPECT_TRUE(g.sent("position fen " + StartPlacement + " w - - 0 1")) << "asked with the person to move";
    EXPECT_TRUE(g.sent("go nodes 100000 movetime 1000")) << "at LEVEL6's strength";
    auto outlined = [&](int colour) {
        std::vector<std::pair<int, int>> squares;
        for (const DrawCall& c : g.canvas.of_kind(DrawCall::Box))
            if (c.colour == colour)
                squares.emplace_back((c.x1 - BoardOriginX) / SquareWidth,
                                     (c.y1 - BoardOriginY) / SquareHeight);
        return squares;
    };
    EXPECT_EQ(outlined(ColorLightCyan), (std::vector<std::pair<int, int>>{{8, 8}, {5, 8}}));
    EXPECT_EQ(g.form.history().HistoryLen, 0) << "a hint plays nothing";

    g.canvas.clear();
    testing::click_square(g.form, 5, 5);
    std::vector<std::pair<int, int>> redrawn;
    for (const DrawCall& c : g.canvas.of_kind(DrawCall::Picture))
        redrawn.emplace_back((c.x1 - BoardOriginX) / SquareWidth, (c.y1 - BoardOriginY) / SquareHeight);
    EXPECT_EQ(redrawn, (std::vector<std::pair<int, int>>{{8, 8}, {5, 8}}));
    EXPECT_EQ(g.form.engine_turn().HintFromX, 0);
}

TEST(Hint, IsRefusedOutsideThePersonsTurnAndWithoutAnEngine) {
    const std::string title = " / ヒント";
    {
        FormFixture f;
        testing::open_sounds(f.form, f.sound);
        f.form.初期設定();
        f.form.HINT_Click();
        EXPECT_EQ(f.dialogs.shown.at(0).text + " / " + f.dialogs.shown.at(0).title,
                  "対局(COM)中に使えます" + title);
        EXPECT_EQ(f.sound.count("dsPlay", f.form.sounds().SoundForbidden), 1);
    }
    {
        EngineGame g(&Form1::LEVEL4_Click);
        g.move(3, 7, 3, 6);
        g.form.HINT_Click();
        EXPECT_EQ(g.boxes(), std::vector<std::string>{"ｺﾝﾋﾟｭｰﾀの番です" + title});
        EXPECT_EQ(g.forbidden_sounds(), 1);
        EXPECT_TRUE(g.form.computer_thinking()) << "the computer thinks on";
    }
    {
        testing::RecordingCanvas canvas;
        testing::ScriptedDialogs dialogs;
        testing::FakeClock clock;
        testing::RecordingSound sound;
        testing::FakePanel panel;
        testing::FakeApp app;
        Form1 form{Platform{canvas, dialogs, clock, sound, panel, app}};
        form.初期設定();
        form.SENTE_Click();
        dialogs.shown.clear();
        EXPECT_FALSE(form.engine_found());
        form.HINT_Click();
        form.LEVEL4_Click();
        ASSERT_EQ(dialogs.shown.size(), 2u);
        const std::string missing = "思考ｴﾝｼﾞﾝ (fairy-stockfish) が見つかりません";
        EXPECT_EQ(dialogs.shown[0].text + " / " + dialogs.shown[0].title, missing + title);
        EXPECT_EQ(dialogs.shown[1].text + " / " + dialogs.shown[1].title, missing + " / COM対局ﾚﾍﾞﾙ");
        EXPECT_EQ(form.chosen_level(), 3) << "the level stays";
    }
}

}  // namespace
}  // namespace zenko
