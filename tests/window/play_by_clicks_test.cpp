// Games played on the real window with mouse clicks, as a person plays them:
// menu commands through their QActions, clicks at the centres of squares on
// the canvas, message boxes answered as they open, and the result checked in
// the game's state and in the retained image.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>
#include <utility>

#include "fakes.h"
#include "ui/qt/main_window.h"
#include "window/qt_test_support.h"

namespace zenko {
namespace {

using testing::enter_folder_with_sounds;
using testing::RecordingSound;
using testing::rgb_of;

// Answers every message box as it opens (OK, or Yes to a question) and
// keeps "title|text" of each, so a test states exactly which boxes a step
// brought up.
class BoxAnswerer {
public:
    QStringList seen;
    BoxAnswerer() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            seen << box->windowTitle() + "|" + box->text();
            QAbstractButton* ok = box->button(QMessageBox::Ok);
            (ok ? ok : box->button(QMessageBox::Yes))->click();
        });
        timer_.start(5);
    }
    // The boxes seen since the last call.
    QStringList take() { return std::exchange(seen, {}); }

private:
    QTimer timer_;
};

struct Square {
    int x, y;
};

class PlayByClicksTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString previousFolder = QDir::currentPath();
    RecordingSound sound;
    BoxAnswerer boxes;
    std::unique_ptr<MainWindow> window;

    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        enter_folder_with_sounds(folder);
        window = std::make_unique<MainWindow>(sound);
        // Clicks are placed in widget pixels and compared with the 1x pictures.
        ASSERT_EQ(window->canvas().pixel_ratio(), 1.0);
        ASSERT_TRUE(window->start());
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        ASSERT_EQ(boxes.take(), QStringList());
    }
    void TearDown() override {
        EXPECT_EQ(boxes.take(), QStringList()) << "a box that no step expected";
        window.reset();
        QDir::setCurrent(previousFolder);
    }

    Form1& form() { return window->form(); }

    void choose(const char* actionName) {
        QAction* action = window->findChild<QAction*>(actionName);
        ASSERT_NE(action, nullptr) << actionName;
        action->trigger();
    }

    // A left click at the centre of a square, in the canvas's own pixels.
    void click(Square s) {
        const double centreX = grid_to_twips_x(s.x) + SquareWidth / 2.0;
        const double centreY = grid_to_twips_y(s.y) + SquareHeight / 2.0;
        const QPoint at(static_cast<int>(centreX / TwipsPerPixel), static_cast<int>(centreY / TwipsPerPixel));
        QTest::mouseClick(&window->canvas(), Qt::LeftButton, Qt::NoModifier, at);
    }

    // How many of twelve points on the outline one pixel inside the square
    // (corners, and quarter points of each side) are in the colour: 12 when
    // the square is outlined in it, 0 when it is not.
    int outline_points(int colour, Square s) {
        const QtCanvas& canvas = window->canvas();
        const int left = grid_to_twips_x(s.x), top = grid_to_twips_y(s.y);
        const int inset = TwipsPerPixel;
        const int near[] = {inset, SquareWidth / 4, SquareWidth * 3 / 4, SquareWidth - inset};
        int hits = 0;
        auto count = [&](int u, int v) {
            hits +=
                canvas.image().pixel(canvas.to_device(left + u), canvas.to_device(top + v)) == rgb_of(colour);
        };
        for (int along : near) {
            count(along, inset);                 // top side
            count(along, SquareHeight - inset);  // bottom side
        }
        for (int along : {near[1], near[2]}) {
            count(inset, along);                // left side
            count(SquareWidth - inset, along);  // right side
        }
        return hits;
    }

    // Whether the middle of the square shows the picture of the code. The
    // middle is clear of the outline, the ruled-line stubs and the palace
    // diagonals that are drawn over an occupied square.
    bool shows_picture(int code, Square s) {
        const QImage piece = QImage(QStringLiteral(":/pictures/%1.png").arg(picture_holder_name(code)))
                                 .convertToFormat(QImage::Format_RGB32);
        if (piece.isNull()) return false;
        const QtCanvas& canvas = window->canvas();
        const int left = canvas.to_device(grid_to_twips_x(s.x)), top = canvas.to_device(grid_to_twips_y(s.y));
        constexpr int First = 9, Last = 29;
        for (int u = First; u <= Last; ++u)
            for (int v = First; v <= Last; ++v)
                if (canvas.image().pixel(left + u, top + v) != piece.pixel(u, v)) return false;
        return true;
    }
};

// One move of the person's in a game against the computer and the boxes
// that it and the computer's reply bring up.
struct ManMove {
    const char* name;
    Square from, to;
    QStringList boxes;
};

// The computer's replies are fixed (its search is deterministic): a chariot
// move, the cannon to the centre, then the central soldier taken with check.
TEST_F(PlayByClicksTest, PersonMovesFirstAndTheComputerAnswersEachMove) {
    choose("SENTE");
    EXPECT_EQ(boxes.take(), QStringList{" |あなたの番です"});
    ASSERT_EQ(form().play().Turn, form().play().ManSide);

    const ManMove moves[] = {
        {"central cannon", {8, 8}, {5, 8}, {}},
        {"horse to the edge", {2, 10}, {1, 8}, {}},
        {"general steps up", {5, 10}, {5, 9}, {"王手|   ** 将(Jiang) **"}},
    };
    Square lastMark{0, 0};
    for (const ManMove& move : moves) {
        SCOPED_TRACE(move.name);
        const int piece = form().engine().piece_at(move.from.x, move.from.y);
        ASSERT_LE(piece, -1) << "not a MAN piece";
        const int movesBefore = form().history().MoveNumber;
        const int piecesSounded = sound.count("dsPlay", form().sounds().SoundPiece);

        click(move.from);
        EXPECT_EQ(form().selection().SelectState, 1);
        EXPECT_EQ(outline_points(ColorLightRed, move.from), 12);
        if (lastMark.x != 0) {
            EXPECT_EQ(form().selection().ComMarkX, 0);
            EXPECT_EQ(outline_points(ColorYellow, lastMark), 0) << "the computer's mark stayed";
        }
        click(move.to);

        EXPECT_EQ(boxes.take(), move.boxes);
        EXPECT_EQ(form().engine().piece_at(move.to.x, move.to.y), piece);
        EXPECT_EQ(form().engine().piece_at(move.from.x, move.from.y), PieceEmpty);
        EXPECT_EQ(form().history().MoveNumber, movesBefore + 2) << "the computer did not reply";
        EXPECT_EQ(form().play().Turn, form().play().ManSide);
        EXPECT_EQ(sound.count("dsPlay", form().sounds().SoundPiece), piecesSounded + 2);
        EXPECT_TRUE(shows_picture(piece, move.to));
        EXPECT_FALSE(shows_picture(piece, move.from));
        EXPECT_EQ(outline_points(ColorLightRed, move.from), 0);

        const MoveRecord& reply = form().history().MoveHistory[form().history().HistoryPos];
        lastMark = {form().selection().ComMarkX, form().selection().ComMarkY};
        EXPECT_EQ(std::make_pair(lastMark.x, lastMark.y), std::make_pair(reply.toX, reply.toY));
        EXPECT_EQ(form().engine().piece_at(reply.toX, reply.toY), reply.piece);
        EXPECT_EQ(outline_points(ColorYellow, lastMark), 12);
        EXPECT_TRUE(shows_picture(reply.piece, lastMark));
    }
    // The check was the cannon taking the central soldier.
    EXPECT_EQ(form().engine().piece_at(5, 7), ComCannon);
}

// Two people share the mouse: each move takes two clicks, the first one
// outlining the chosen piece; a click on the other side's piece only shows it.
TEST_F(PlayByClicksTest, TwoPeoplePlayByTwoClicksEach) {
    choose("SIDOU");  // guidance on: the chosen piece's destinations are outlined
    choose("START");
    EXPECT_EQ(boxes.take(), QStringList{" |先手の番です"});
    ASSERT_EQ(form().play().Turn, FirstPlayer);
    const int forbidden = sound.count("dsPlay", form().sounds().SoundForbidden);

    click({2, 3});  // 後手's cannon: shown in white, not 先手's to move
    EXPECT_EQ(outline_points(ColorWhite, {2, 3}), 12);
    click({8, 8});  // 先手's own cannon: the selection moves to it silently
    EXPECT_EQ(outline_points(ColorWhite, {2, 3}), 0);
    EXPECT_EQ(outline_points(ColorLightRed, {8, 8}), 12);
    EXPECT_EQ(outline_points(ColorWhite, {5, 8}), 12) << "no guidance";
    EXPECT_EQ(sound.count("dsPlay", form().sounds().SoundForbidden), forbidden);

    struct Move {
        const char* name;
        Square from, to;
        int captured;
        int turnAfter;
    };
    const Move moves[] = {
        {"先手 central cannon", {8, 8}, {5, 8}, PieceEmpty, SecondPlayer},
        {"後手 central cannon", {2, 3}, {5, 3}, PieceEmpty, FirstPlayer},
        {"先手 cannon takes the central soldier", {5, 8}, {5, 4}, ComSoldier, SecondPlayer},
    };
    for (const Move& move : moves) {
        SCOPED_TRACE(move.name);
        const int piece = form().engine().piece_at(move.from.x, move.from.y);
        ASSERT_EQ(form().engine().piece_at(move.to.x, move.to.y), move.captured);
        const int movesBefore = form().history().MoveNumber;
        if (form().selection().SelectState == 0) click(move.from);
        EXPECT_EQ(outline_points(ColorLightRed, move.from), 12);
        click(move.to);
        EXPECT_EQ(form().engine().piece_at(move.to.x, move.to.y), piece);
        EXPECT_EQ(form().engine().piece_at(move.from.x, move.from.y), PieceEmpty);
        EXPECT_EQ(form().history().MoveNumber, movesBefore + 1);
        EXPECT_EQ(form().play().Turn, move.turnAfter);
        EXPECT_TRUE(shows_picture(piece, move.to));
        EXPECT_FALSE(shows_picture(piece, move.from));
        EXPECT_EQ(outline_points(ColorLightRed, move.from), 0);
        EXPECT_EQ(outline_points(ColorWhite, move.to), 0) << "guidance left behind";
    }
    EXPECT_EQ(sound.count("dsPlay", form().sounds().SoundForbidden), forbidden);
}

}  // namespace
}  // namespace zenko
