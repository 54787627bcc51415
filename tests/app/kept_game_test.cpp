// The game kept for the next start: quitting keeps it, the next start offers
// it back and puts everything back as it was; a finished game comes back as
// a record; a damaged or foreign file is set aside.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "fakes.h"
#include "form_test_access.h"
#include "game_state.h"
#include "record/saved_game.h"

namespace zenko::testing {
namespace {

namespace fs = std::filesystem;

struct Box {
    std::string text, title;
    Buttons buttons;
    bool operator==(const Box&) const = default;
};
std::vector<Box> boxes(const ScriptedDialogs& dialogs) {
    std::vector<Box> out;
    for (const ShownBox& b : dialogs.shown) out.push_back({b.text, b.title, b.buttons});
    return out;
}

class KeptGame : public ::testing::Test {
protected:
    TemporaryWorkingDirectory folder{"zenko-kept"};
    const Box continueBox{"前回の対局を続けますか？", "再開", Buttons::YesNo};
    const Box openRecordBox{"前回の対局の棋譜を開きますか？", "再開", Buttons::YesNo};
};

TEST_F(KeptGame, QuittingKeepsTheGameAndTheNextStartPutsItAllBack) {
    GameState before;
    {
        FormFixture first;
        first.form.Form_Load();
        first.form.LEVEL1_Click();
        first.form.SENTE_Click();
        for (int x : {1, 3, 7}) {
            first.clock.now += 5;
            click_square(first.form, x, 7);
            click_square(first.form, x, 6);
        }
        ASSERT_GE(first.form.history().HistoryLen, 4);
        before = state_of(first.form);
        first.dialogs.shown.clear();
        first.form.Form_KeyDown(27, 0);  // Escape: nothing is asked
        EXPECT_EQ(first.app.quits, 1);
        EXPECT_TRUE(first.dialogs.shown.empty());
    }
    FormFixture next;
    next.form.Form_Load();
    EXPECT_EQ(boxes(next.dialogs), std::vector<Box>{continueBox});
    EXPECT_EQ(state_of(next.form), before);
    EXPECT_EQ(next.form.history().MoveNumber, before.pos);
    EXPECT_EQ(next.form.chosen_level(), 1);
    // The person's turn: a move is played and the computer answers.
    click_square(next.form, 9, 7);
    click_square(next.form, 9, 6);
    EXPECT_EQ(next.form.history().HistoryLen, before.pos + 2);
    // 戻 to the start and 進 to the end go over the same moves.
    while (next.form.history().HistoryPos > 0) next.form.REPLAY_Click();
    Engine fullSet;
    fullSet.初期配置();
    EXPECT_EQ(next.form.engine().board(), fullSet.board());
    for (int n = 0; n < before.pos; ++n) next.form.AFTER_Click();
    EXPECT_EQ(next.form.engine().board(), before.board);
}

// An engine level comes back as the level chosen, and a game by the
// standard rules under them, whatever 標準ルール says at the next start.
TEST_F(KeptGame, TheLevelAndTheRulesComeBack) {
    {
        FormFixture first;
        first.form.Form_Load();
        first.form.LEVEL5_Click();
        first.form.HYOUJUN_Click();
        first.form.SENTE_Click();
        first.form.HYOUJUN_Click();
        first.form.Form_KeyDown(27, 0);
    }
    FormFixture next;
    next.form.Form_Load();
    EXPECT_EQ(boxes(next.dialogs), std::vector<Box>{continueBox});
    EXPECT_EQ(next.form.chosen_level(), 5);
    EXPECT_TRUE(next.form.play().StandardRules);
    EXPECT_FALSE(next.form.options().HYOUJUN.Checked);
}

// いいえ after the game: the program ends, and the next start offers the
// finished game as a record; いいえ to a kept game removes the file.
TEST_F(KeptGame, AFinishedGameComesBackAsARecordAtItsStart) {
    BoardArray end;
    {
        FormFixture first;
        first.form.Form_Load();
        ASSERT_TRUE(FormTestAccess::engine(first.form).set_fen("3k5/9/9/9/9/9/P8/9/8r/r3K3r w"));
        first.form.SENTE_Click();
        first.dialogs.answers = {Answer::No};  // 続けますか？
        click_square(first.form, 1, 7);
        click_square(first.form, 1, 6);  // the computer takes the general
        ASSERT_TRUE(first.form.screen().Terminated);
        end = first.form.engine().board();
    }
    FormFixture next;
    next.form.Form_Load();
    EXPECT_EQ(boxes(next.dialogs),
              (std::vector<Box>{openRecordBox, {"棋譜を '進 'で進めて下さい", "棋譜", Buttons::OK}}));
    EXPECT_EQ(next.form.history().RecordMode, FlagOn);
    EXPECT_EQ(next.form.history().HistoryPos, 0);
    EXPECT_EQ(next.form.play().Turn, NoGame);
    next.form.AFTER_Click();
    next.form.AFTER_Click();
    EXPECT_EQ(next.form.engine().board(), end);

    FormFixture declined;
    declined.dialogs.answers = {Answer::No};
    declined.form.Form_Load();
    // The record being stepped through was kept as it stood.
    EXPECT_EQ(boxes(declined.dialogs), std::vector<Box>{continueBox});
    EXPECT_FALSE(fs::exists(SavedGameFile));
}

// No box: the file is renamed aside whole and the game starts as usual.
TEST_F(KeptGame, ADamagedOrForeignFileIsSetAsideUntouched) {
    FormFixture played;
    played.form.Form_Load();
    played.form.START_Click();
    click_square(played.form, 1, 7);
    click_square(played.form, 1, 6);
    std::ostringstream kept;
    kept << std::ifstream(SavedGameFile, std::ios::binary).rdbuf();
    const std::string good = kept.str();
    const std::string damaged[] = {
        good.substr(0, good.size() / 2),  // cut short
        std::string(good).replace(good.find("move=1 7 1 6"), 12,
                                  "move=1 7 1 11"),  // a move off the board
        "[game]\nname=something else\n",             // foreign
        std::string(5 * 1024 * 1024, 'x'),           // too large
    };
    for (const std::string& bytes : damaged) {
        fs::remove(std::string(SavedGameFile) + SetAsideSuffix);
        std::ofstream(SavedGameFile, std::ios::binary) << bytes;
        FormFixture next;
        next.form.Form_Load();
        EXPECT_TRUE(next.dialogs.shown.empty());
        EXPECT_FALSE(fs::exists(SavedGameFile));
        std::ostringstream aside;
        aside << std::ifstream(std::string(SavedGameFile) + SetAsideSuffix, std::ios::binary).rdbuf();
        EXPECT_EQ(aside.str(), bytes);
        EXPECT_EQ(next.form.play().GameMode, NoGame);
    }
}

// Whatever a record file may hold, a game played on from it is kept: here
// a record whose move does not fit its squares (a cannon from an empty one).
TEST_F(KeptGame, AGamePlayedOnFromAnyLoadedRecordComesBack) {
    GameState before;
    {
        FormFixture first;
        first.form.Form_Load();
        load_record(first.form, first.panel, first.dialogs,
                    {MoveRecord{7, 3, 5, 3, 0, ComCannon, ComCannon}});
        first.form.AFTER_Click();
        first.form.SENTE_Click();
        click_square(first.form, 3, 7);
        click_square(first.form, 3, 6);
        ASSERT_EQ(first.form.history().HistoryLen, 3) << "the person and the computer moved";
        before = state_of(first.form);
        first.form.Form_KeyDown(27, 0);
    }
    FormFixture next;
    next.form.Form_Load();
    EXPECT_EQ(boxes(next.dialogs), std::vector<Box>{continueBox});
    EXPECT_EQ(state_of(next.form), before);
}

// 進 and 戻 through a long record append a step of the same small size
// whatever the record's length; a step cut short by a crash is ignored.
TEST_F(KeptGame, SteppingThroughARecordAppendsSmallStepsAndACutStepIsIgnored) {
    std::vector<MoveRecord> shuttle;
    for (int i = 0; i < 100; ++i) {
        const bool out = i % 2 == 0;
        shuttle.push_back({1, out ? 10 : 9, 1, out ? 9 : 10, 0, ManChariot, ManChariot});
        shuttle.push_back({1, out ? 1 : 2, 1, out ? 2 : 1, 0, ComChariot, ComChariot});
    }
    GameState afterTwo;
    std::string kept;
    {
        FormFixture first;
        first.form.Form_Load();
        load_record(first.form, first.panel, first.dialogs, shuttle);
        first.form.AFTER_Click();
        std::vector<std::uintmax_t> sizes{fs::file_size(SavedGameFile)};
        for (int i = 0; i < 3; ++i) {
            i == 1 ? first.form.REPLAY_Click() : first.form.AFTER_Click();
            sizes.push_back(fs::file_size(SavedGameFile));
            if (i == 1) afterTwo = state_of(first.form);
        }
        EXPECT_GT(sizes[0], 200u * 25) << "the record is in the file";
        for (int i = 1; i <= 3; ++i) EXPECT_LT(sizes[i] - sizes[i - 1], 700u) << "step " << i;
        std::ifstream in(SavedGameFile, std::ios::binary);
        kept.assign(std::istreambuf_iterator<char>(in), {});
    }
    std::ofstream(SavedGameFile, std::ios::binary) << kept.substr(0, kept.size() - 40);
    FormFixture next;
    next.form.Form_Load();
    EXPECT_EQ(boxes(next.dialogs), std::vector<Box>{continueBox});
    EXPECT_EQ(state_of(next.form), afterTwo) << "the cut step was not ignored";
}

}  // namespace
}  // namespace zenko::testing
