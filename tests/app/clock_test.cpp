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

// A game of two people, the bottom side (MAN) to move since 10:00:00, both
// clocks shown, with 100 seconds used by MAN and 50 by COM.
struct RunningClock : testing::FormFixture {
    RunningClock() {
        form.set_clock_shown(true);
        form.初期設定();
        form.START_Click();
        form.set_clock_totals(100, 50);
        canvas.clear();
    }
    // The bottom side's first soldier steps forward.
    void move_bottom_soldier_at(double seconds) {
        clock.now = seconds;
        testing::click_square(form, 1, 7);
        testing::click_square(form, 1, 6);
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
    EXPECT_NEAR(f.form.clock().MoveSeconds, 0.95, 1e-6);

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

TEST(ThinkingClock, TickForTheTopSideAcrossMidnight) {
    RunningClock f;
    f.move_bottom_soldier_at(86390);
    ASSERT_EQ(f.form.play().Turn, f.form.play().ComSide);
    f.canvas.clear();
    f.tick_at(5);
    EXPECT_EQ(f.canvas.texts(), (Texts{"00:01:05", "00:01:05"}));
    EXPECT_EQ(f.canvas.of_kind(DrawCall::Text).back().y1, grid_to_twips_y(5.2));
}

TEST(ThinkingClock, TickDisabledDoesNothingAndWithoutAGameOnlyMeasures) {
    RunningClock f;
    f.form.stop_clock();
    f.tick_at(36010);
    EXPECT_EQ(f.form.clock().MoveSeconds, 0);
    // After 戻 no one is to move; 経過時間 switched off and on runs the clock anyway.
    f.move_bottom_soldier_at(36010);
    f.form.REPLAY_Click();
    f.form.KEIKA_Click();
    f.form.KEIKA_Click();
    ASSERT_EQ(f.form.play().Turn, NoGame);
    f.canvas.clear();
    f.tick_at(36025);
    EXPECT_DOUBLE_EQ(f.form.clock().MoveSeconds, 15);
    f.form.描画_所有時間(NoGame, 10);  // neither side: no text
    EXPECT_TRUE(f.canvas.texts().empty());
}

TEST(ThinkingClock, ToggleErasesBothClocksThenRedrawsThemWithTheTick) {
    RunningClock f;
    f.form.UCHU_Click();
    f.canvas.clear();
    f.form.処理_経過時間();
    EXPECT_FALSE(f.form.options().KEIKA.Checked || f.form.clock().Timer1.Enabled);
    const auto tiles = f.canvas.of_kind(DrawCall::Picture);
    ASSERT_EQ(tiles.size(), 6u);
    EXPECT_EQ(tiles[0].y1, grid_to_twips_y(7));  // MAN first, then COM
    EXPECT_EQ(tiles[5].y1, grid_to_twips_y(5));
    EXPECT_EQ(tiles[5].code, BackgroundSpace);
    f.form.描画_所有時間(f.form.play().ManSide, 10);  // hidden clocks draw nothing
    EXPECT_TRUE(f.canvas.texts().empty());

    f.form.KEIKA_Click();
    EXPECT_TRUE(f.form.options().KEIKA.Checked && f.form.clock().Timer1.Enabled);
    EXPECT_EQ(f.canvas.texts(), (Texts{"00:00:50", "00:00:50", "00:01:40", "00:01:40"}));
}

}  // namespace
}  // namespace zenko
