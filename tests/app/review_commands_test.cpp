// 検討 in the game: the review's results come into the history as the
// engine answers, travel in a PGN and come back from it, and end when the
// game on the board changes.
#include <gtest/gtest.h>

#include <sstream>

#include "fakes.h"

namespace zenko {
namespace {

using Strings = std::vector<std::string>;

// Red's third move (h0g2) throws the game away; the engine wanted b0c2.
const std::string Game = "h2e2 h7e7 h0g2 h9g7";
// Each position's score for the side to move, by the moves before it.
const char* const Scores[] = {"cp 0", "cp 0", "cp 0", "cp 600", "cp -600"};

std::size_t moves_in(const std::string& position) {
    const std::size_t at = position.find(" moves ");
    if (at == std::string::npos) return 0;
    std::istringstream words(position.substr(at + 7));
    std::size_t count = 0;
    for (std::string w; words >> w;) ++count;
    return count;
}

class ReviewCommand : public ::testing::Test {
public:
    testing::TemporaryWorkingDirectory folder{"zenko-review"};
    testing::FormFixture f;
    Form1& form = f.form;
    std::size_t answered = 5;  // positions the engine answers; the rest it thinks about for ever

    void SetUp() override {
        f.panel.filePath = folder.path().string();
        testing::open_sounds(form, f.sound);
        form.初期設定();
        form.offer_kept_game();
        f.reviewProcess.search = [this](const std::string& position) -> Strings {
            const std::size_t k = moves_in(position);
            if (k >= answered) return {};
            const std::string pv = k == 2 ? "b1c3 h10g8" : "a4a5";
            return {testing::ScriptedEngineProcess::info_line(Scores[k], "", pv),
                    "bestmove " + pv.substr(0, 4)};
        };
    }
    void paste_game() {
        f.clipboard.contents = Game;
        form.KIFU_PASTE_Click();
        ASSERT_EQ(form.history().HistoryLen, 4);
    }
    std::vector<int> marks() const {
        std::vector<int> out;
        for (const ReviewedPosition& p : form.history().Notes.Review) out.push_back(p.mark);
        return out;
    }
};

TEST_F(ReviewCommand, TheReviewMarksTheMovesAndComesBackFromThePgnItWrites) {
    paste_game();
    form.KENTOU_Click();
    ASSERT_NE(form.review_session(), nullptr);
    f.reviewProcess.deliver();
    EXPECT_EQ(form.review_session(), nullptr);
    ASSERT_EQ(marks(), (std::vector<int>{0, 0, 0, MarkBlunder, 0}));
    const std::vector<ReviewedPosition> review = form.history().Notes.Review;
    EXPECT_NEAR(review[3].redExpected, 0.1, 1e-12);
    EXPECT_EQ(review[2].line.front(), (ReviewMove{2, 10, 3, 8}));  // b0c2 on the board's squares

    form.KIFU_COPY_Click();
    const std::string pgn = f.clipboard.contents;
    EXPECT_NE(pgn.find("马二进三 $4 {[%eval 0.100] 最善: 马八进七 马８进７}"), std::string::npos) << pgn;
    EXPECT_NE(pgn.find("{[%eval 0.500]}"), std::string::npos) << pgn;

    form.初期設定();
    form.KIFU_PASTE_Click();
    const HistoryState& read = form.history();
    ASSERT_EQ(read.Notes.Review.size(), review.size());
    for (std::size_t n = 0; n < review.size(); ++n) {
        EXPECT_NEAR(read.Notes.Review[n].redExpected, review[n].redExpected, 5e-4) << n;
        EXPECT_EQ(read.Notes.Review[n].mark, review[n].mark) << n;
    }
    EXPECT_EQ(read.Notes.Review[2].line, review[2].line);
    for (const std::string& comment : read.Notes.Comments)
        EXPECT_EQ(comment, "");  // the review's text is not a comment

    // Played on and turned, the review turns with the game.
    form.START_Click();
    form.REVERSE_Click();
    EXPECT_NEAR(form.history().Notes.Review[3].redExpected, 0.9, 5e-4);
    EXPECT_EQ(form.history().Notes.Review[2].line.front(), (ReviewMove{8, 1, 7, 3}));
}

// 中止 or a game started ends the review: what was found stays, and
// nothing the engine answers later counts.
TEST_F(ReviewCommand, StoppingOrChangingTheGameEndsTheReview) {
    answered = 2;
    paste_game();
    const std::function<void()> ends[] = {[&] { form.CHUUSHI_Click(); }, [&] { form.START_Click(); }};
    for (std::size_t row = 0; row < 2; ++row) {
        form.KENTOU_Click();
        f.reviewProcess.deliver();
        ASSERT_EQ(form.history().Notes.Review.size(), 2u) << row;
        ends[row]();
        EXPECT_EQ(form.review_session(), nullptr) << row;
        EXPECT_EQ(f.reviewProcess.written.back(), "stop") << row;
        f.reviewProcess.say(testing::ScriptedEngineProcess::info_line("cp 900", "", "a4a5"));
        f.reviewProcess.say("bestmove a4a5");
        f.reviewProcess.deliver();
        EXPECT_EQ(form.history().Notes.Review.size(), 2u) << row;
    }
}

// A comment that only looks like a review's stays a comment.
TEST_F(ReviewCommand, AMalformedReviewCommentIsKeptAsAComment) {
    for (const std::string comment : {"[%eval abc]", "[%eval 1.5] 最善: 炮二平五", "[%eval 0.5"}) {
        f.clipboard.contents = "1. 炮二平五 {" + comment + "} 马８进７";
        form.KIFU_PASTE_Click();
        EXPECT_TRUE(form.history().Notes.Review.empty()) << comment;
        EXPECT_EQ(form.history().Notes.comment(1), comment);
    }
    f.clipboard.contents = "1. 炮二平五 {[%eval 0.4] 最善: 不明\n良い手}";
    form.KIFU_PASTE_Click();
    ASSERT_EQ(form.history().Notes.Review.size(), 2u);
    EXPECT_TRUE(form.history().Notes.Review[0].line.empty());
    EXPECT_EQ(form.history().Notes.comment(1), "良い手");
}

TEST_F(ReviewCommand, TheKeptGameKeepsTheReview) {
    paste_game();
    form.KENTOU_Click();
    f.reviewProcess.deliver();
    const std::vector<ReviewedPosition> review = form.history().Notes.Review;
    form.Form_KeyDown(27, 0);  // quits, keeping the game
    testing::FormFixture next;
    next.form.Form_Load();
    const std::vector<ReviewedPosition>& kept = next.form.history().Notes.Review;
    ASSERT_EQ(kept.size(), review.size());
    for (std::size_t n = 0; n < review.size(); ++n) {
        EXPECT_NEAR(kept[n].redExpected, review[n].redExpected, 1e-6) << n;
        EXPECT_EQ(kept[n].mark, review[n].mark) << n;
        EXPECT_EQ(kept[n].line, review[n].line) << n;
    }
}

TEST_F(ReviewCommand, AGameWithoutMovesIsNotReviewed) {
    form.START_Click();
    form.KENTOU_Click();
    EXPECT_EQ(form.review_session(), nullptr);
    ASSERT_FALSE(f.dialogs.shown.empty());
    EXPECT_EQ(f.dialogs.shown.back().text, "検討する手がありません");
}

}  // namespace
}  // namespace zenko
