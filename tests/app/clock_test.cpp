// The thinking clock: elapsed time across midnight, the clock text, the
// tick that redraws only on a new whole second, and the 経過時間 toggle.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes.h"

namespace zenko {
namespace {

using testing::DrawCall;
using Texts = std::vector<std::string>;

TEST(ThinkingClock, ElapsedSecondsAndTextAcrossMidnightAndPastNinetyNineHours) {
    testing::FormFixture f;
    EXPECT_DOUBLE_EQ(f.form.調査_経過秒(100, 160.5), 60.5);
    EXPECT_DOUBLE_EQ(f.form.調査_経過秒(86390, 5), 15);
    const struct {
        double seconds;
        const char* text;
    } rows[] = {{0, "00:00:00"},    {59.99, "00:00:59"},  {3725.6, "01:02:05"},
                {3700, "01:01:40"}, {359999, "99:59:59"}, {360000, ":00:00"}};
    for (const auto& r : rows) EXPECT_EQ(f.form.調査_時間秒追加結果(r.seconds), r.text) << r.seconds;
}

// A game in progress, MAN to move since 10:00:00, both clocks shown.
struct RunningClock : testing::FormFixture {
    RunningClock() {
        form.KEIKA.Checked = true;
        form.Timer1.Enabled = true;
        form.Turn = form.ManSide;
        form.TurnStartTime = 36000;
        form.ManTime = 100;
        form.ComTime = 50;
    }
    void tick_at(double seconds) {
        clock.now = seconds;
        form.Timer1_Timer();
    }
};

TEST(ThinkingClock, TickRedrawsTheSideToMoveOnlyOnANewWholeSecond) {
    RunningClock f;
    f.tick_at(36000.95);
    EXPECT_TRUE(f.canvas.calls.empty());
    EXPECT_NEAR(f.form.MoveSeconds, 0.95, 1e-6);

    f.tick_at(36001.2);
    const auto tiles = f.canvas.of_kind(DrawCall::Picture);
    ASSERT_EQ(tiles.size(), 3u);  // MAN's clock squares erased first
    EXPECT_EQ(tiles[0].y1, grid_to_twips_y(7));
    const auto texts = f.canvas.of_kind(DrawCall::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(std::vector<int>({texts[0].x1, texts[0].y1, texts[0].colour, texts[1].x1, texts[1].y1,
                                texts[1].colour, texts[1].pointSize}),
              std::vector<int>({grid_to_twips_x(11.1), grid_to_twips_y(7.3), ColorBlack, grid_to_twips_x(11),
                                grid_to_twips_y(7.2), ColorWhite, 12}));
    EXPECT_EQ(texts[1].text, "00:01:41");
    EXPECT_EQ(f.canvas.refreshes, 1);

    f.canvas.clear();
    f.tick_at(36001.9);
    EXPECT_TRUE(f.canvas.calls.empty());
    f.tick_at(36002.0);
    EXPECT_EQ(f.canvas.texts().back(), "00:01:42");
    EXPECT_EQ(f.canvas.refreshes, 2);
}

TEST(ThinkingClock, TickForTheComputerAcrossMidnight) {
    RunningClock f;
    f.form.Turn = f.form.ComSide;
    f.form.TurnStartTime = 86390;
    f.tick_at(5);
    EXPECT_EQ(f.canvas.texts(), (Texts{"00:01:05", "00:01:05"}));
    EXPECT_EQ(f.canvas.of_kind(DrawCall::Text).back().y1, grid_to_twips_y(5.2));
}

TEST(ThinkingClock, TickDisabledDoesNothingAndWithoutAGameOnlyMeasures) {
    RunningClock f;
    f.form.Timer1.Enabled = false;
    f.tick_at(36010);
    EXPECT_EQ(f.form.MoveSeconds, 0);
    f.form.Timer1.Enabled = true;
    f.form.Turn = NoGame;
    f.tick_at(36010);
    EXPECT_DOUBLE_EQ(f.form.MoveSeconds, 10);
    f.form.描画_所有時間(NoGame, 10);  // neither side: no text
    EXPECT_TRUE(f.canvas.texts().empty());
}

TEST(ThinkingClock, ToggleErasesBothClocksThenRedrawsThemWithTheTick) {
    RunningClock f;
    f.form.Background = BackgroundSpace;
    f.form.処理_経過時間();
    EXPECT_FALSE(f.form.KEIKA.Checked || f.form.Timer1.Enabled);
    const auto tiles = f.canvas.of_kind(DrawCall::Picture);
    ASSERT_EQ(tiles.size(), 6u);
    EXPECT_EQ(tiles[0].y1, grid_to_twips_y(7));  // MAN first, then COM
    EXPECT_EQ(tiles[5].y1, grid_to_twips_y(5));
    EXPECT_EQ(tiles[5].code, BackgroundSpace);
    f.form.描画_所有時間(f.form.ManSide, 10);  // hidden clocks draw nothing
    EXPECT_TRUE(f.canvas.texts().empty());

    f.form.KEIKA_Click();
    EXPECT_TRUE(f.form.KEIKA.Checked && f.form.Timer1.Enabled);
    EXPECT_EQ(f.canvas.texts(), (Texts{"00:00:50", "00:00:50", "00:01:40", "00:01:40"}));
}

}  // namespace
}  // namespace zenko
