// The real window on Qt's offscreen platform: menus, keys, the retained
// image, message boxes and the record panel.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <functional>
#include <sstream>

#include "fakes.h"
#include "settings/shift_jis.h"
#include "ui/qt/main_window.h"
#include "window/qt_test_support.h"

namespace zenko {
namespace {

using testing::enter_folder_with_sounds;
using testing::RecordingSound;
using testing::rgb_of;

QImage picture(const char* name) {
    return QImage(QStringLiteral(":/pictures/%1.png").arg(QLatin1String(name)))
        .convertToFormat(QImage::Format_RGB32);
}

// Closes and remembers any message box that a test did not expect, so that
// a stray box fails the test instead of blocking it.
class BoxCloser {
public:
    QStringList seen;
    BoxCloser() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen << box->windowTitle() + ": " + box->text();
                box->done(QMessageBox::Ok);
            }
        });
        timer_.start(20);
    }

private:
    QTimer timer_;
};

// Every test starts the game in its own empty working folder holding only
// the sound files, so the settings file starts missing.
class WindowTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString previousFolder = QDir::currentPath();
    RecordingSound sound;
    BoxCloser boxes;
    std::unique_ptr<MainWindow> window;

    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        enter_folder_with_sounds(folder);
        window = std::make_unique<MainWindow>(sound);
    }
    void TearDown() override {
        EXPECT_TRUE(boxes.seen.isEmpty()) << boxes.seen.join('\n').toStdString();
        window.reset();
        QDir::setCurrent(previousFolder);
    }
    void start() {
        ASSERT_TRUE(window->start());
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    QAction* action(const char* name) { return window->findChild<QAction*>(name); }
    QMenu* menu(const char* name) { return window->findChild<QMenu*>(name); }
    QRgb pixel(int x, int y) { return window->canvas().image().pixel(x, y); }
    std::vector<std::string> settings_lines() {
        std::ifstream in(folder.filePath("ZENKO中国象棋.ini").toStdString(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return split_sjis_lines(bytes.str());
    }
};

// One line per item: depth, caption, name.
void describe_menu(const QList<QAction*>& actions, int depth, std::string& out) {
    for (QAction* a : actions) {
        if (a->isSeparator()) continue;
        out += std::to_string(depth) + " " + a->text().toStdString() + " " + a->objectName().toStdString() +
               "\n";
        if (a->menu()) describe_menu(a->menu()->actions(), depth + 1, out);
    }
}

TEST_F(WindowTest, WindowHasItsCaptionAndOpensAtTheDesignedClientArea) {
    start();
    EXPECT_EQ(window->windowTitle(), "ZENKO 中国象棋");
    EXPECT_EQ(window->canvas().size(), QSize(ClientWidthPixels, ClientHeightPixels));
    EXPECT_NE(window->minimumSize(), window->maximumSize()) << "the window may be resized";
    EXPECT_EQ(window->canvas().palette().color(QPalette::Window), QColor(rgb_of(LineColor)));
}

TEST_F(WindowTest, MenuBarHasEveryItemInOrderWithItsNesting) {
    std::string shown;
    describe_menu(window->menuBar()->actions(), 1, shown);
    EXPECT_EQ(shown,
              "1 対局 TAIKYOKU\n"
              "2 対局(人間) MATCH_MAN\n"
              "3 スタート START\n"
              "2 対局(COM) START2\n"
              "3 先手 SENTE\n"
              "3 後手 GOTE\n"
              "2 COM対局ﾚﾍﾞﾙ LEVEL\n"
              "3 LEVEL1 LEVEL1\n"
              "3 LEVEL2 LEVEL2\n"
              "3 LEVEL3 LEVEL3\n"
              "3 LEVEL4 LEVEL4\n"
              "3 LEVEL5 LEVEL5\n"
              "3 LEVEL6 LEVEL6\n"
              "2 ヒント HINT\n"
              "2 投了 TOURYOU\n"
              "2 終わり OWARI\n"
              "1 局面 STOP\n"
              "2 最初 CANCEL\n"
              "2 反転 REVERSE\n"
              "2 局面編集 HENSYU\n"
              "2 FENをコピー FEN_COPY\n"
              "1 戻 REPLAY\n"
              "1 進 AFTER\n"
              "1 △ LBEL_UP\n"
              "1 ▽ LEBEL_DOWN\n"
              "1 棋譜 KIFU\n"
              "2 読込 KIFU_READ\n"
              "2 書込 KIFU_WRITE\n"
              "2 棋譜をコピー KIFU_COPY\n"
              "2 棋譜を貼り付け KIFU_PASTE\n"
              "2 検討 KENTOU\n"
              "1 ｵﾌﾟｼｮﾝ OPTION\n"
              "2 背景画 HAIKEI_GA\n"
              "3 緑 MIDORI\n"
              "3 畳 TATAMI\n"
              "3 竹 TAKE\n"
              "3 宇宙 UCHU\n"
              "3 煉瓦 RENGA\n"
              "2 移動指導 SIDOU\n"
              "2 経過時間 KEIKA\n"
              "2 BGM BGM\n"
              "2 標準ルール HYOUJUN\n"
              "2 棋譜一覧 KIFU_ICHIRAN\n"
              "2 表記 HYOUKI\n"
              "3 日本式 NIHONSHIKI\n"
              "3 中国式 CHUUGOKUSHIKI\n"
              "3 WXF WXF\n"
              "1 その他 VER\n");
    for (QAction* a : window->menuBar()->actions()) EXPECT_TRUE(a->isEnabled() && a->isVisible());
}

TEST_F(WindowTest, CheckMarksAfterStartWithoutSettingsAreTheDefaults) {
    start();
    QStringList checked;
    for (QAction* a : window->findChildren<QAction*>())
        if (a->isChecked() && !a->objectName().isEmpty()) checked << a->objectName();
    checked.sort();
    EXPECT_EQ(checked.join(' ').toStdString(), "BGM KEIKA KIFU_ICHIRAN LEVEL3 MIDORI NIHONSHIKI");
}

// Form1 holds the marks: an item whose handler leaves its mark alone stays as it was.
TEST_F(WindowTest, CheckMarksFollowTheGameNotTheActionsOwnToggle) {
    start();
    action("SIDOU")->trigger();
    EXPECT_TRUE(window->form().options().SIDOU.Checked);
    EXPECT_TRUE(action("SIDOU")->isChecked());
    action("LEVEL3")->trigger();  // choosing the current level keeps it chosen
    EXPECT_EQ(window->form().chosen_level(), 3);
    EXPECT_TRUE(action("LEVEL3")->isChecked());
}

TEST_F(WindowTest, OpeningOptionOrPositionMenuHidesTheRecordLists) {
    start();
    for (const char* name : {"OPTION", "STOP"}) {
        SCOPED_TRACE(name);
        for (PanelControl list : {PanelControl::Drive1, PanelControl::Dir1, PanelControl::File1})
            window->panel().set_visible(list, true);
        menu(name)->popup(window->mapToGlobal(QPoint(0, 0)));
        QCoreApplication::processEvents();
        menu(name)->hide();
        for (PanelControl list : {PanelControl::Drive1, PanelControl::Dir1, PanelControl::File1})
            EXPECT_FALSE(window->panel().is_visible(list));
    }
}

TEST_F(WindowTest, F1TogglesMusicAndF2TheClockWhereverTheFocusIs) {
    start();
    struct Row {
        const char* name;
        Qt::Key key;
        MenuItem Options::*item;
    };
    const Row rows[] = {{"F1 music", Qt::Key_F1, &Options::BGM}, {"F2 clock", Qt::Key_F2, &Options::KEIKA}};
    auto* field = window->panel().widget(PanelControl::Text1);
    window->panel().set_visible(PanelControl::Text1, true);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const bool before = (window->form().options().*row.item).Checked;
        QTest::keyClick(&window->canvas(), row.key);
        EXPECT_EQ((window->form().options().*row.item).Checked, !before);
        EXPECT_EQ(action(row.key == Qt::Key_F1 ? "BGM" : "KEIKA")->isChecked(), !before);
        field->setFocus();
        QTest::keyClick(field, row.key);
        EXPECT_EQ((window->form().options().*row.item).Checked, before);
    }
    EXPECT_EQ(sound.count("dsPlayLooping", window->form().sounds().SoundBgm),
              2);  // at start and after the second F1
}

// With the record panel open, Escape closes it wherever the focus is, the
// drive list dropped down included, and the program goes on.
TEST_F(WindowTest, EscapeClosesTheRecordPanelBeforeItEndsTheProgram) {
    start();
    RecordPanel& panel = window->panel();
    window->forward([this] { window->form().KIFU_WRITE_Click(); });
    QWidget* field = panel.widget(PanelControl::Text2);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_FALSE(panel.is_visible(PanelControl::Text2));
    EXPECT_FALSE(window->finished());

    window->forward([this] { window->form().KIFU_READ_Click(); });
    auto* drives = qobject_cast<QComboBox*>(panel.widget(PanelControl::Drive1));
    ASSERT_NE(drives, nullptr);
    drives->setFocus();
    drives->showPopup();
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    QTest::keyClick(drives->view(), Qt::Key_Escape);  // the list in the drop-down has the focus
    QTest::qWait(50);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_FALSE(panel.is_visible(PanelControl::Drive1));
    EXPECT_FALSE(window->finished());
}

// Escape and closing the window both end the game: the sound is released
// once and no later event reaches the game.
TEST_F(WindowTest, EscapeOrClosingEndsTheProgram) {
    const std::pair<const char*, std::function<void(MainWindow&)>> ways[] = {
        {"Escape", [](MainWindow& w) { QTest::keyClick(&w.canvas(), Qt::Key_Escape); }},
        {"close", [](MainWindow& w) { w.close(); }},
    };
    for (const auto& [name, end] : ways) {
        SCOPED_TRACE(name);
        sound.clear();
        window = std::make_unique<MainWindow>(sound);
        start();
        end(*window);
        EXPECT_TRUE(window->form().screen().Terminated && window->finished());
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(std::count_if(sound.events.begin(), sound.events.end(),
                                [](const auto& e) { return e.call == "dsTerminate"; }),
                  1);
        const bool music = window->form().options().BGM.Checked;
        QTest::keyClick(&window->canvas(), Qt::Key_F1);
        EXPECT_EQ(window->form().options().BGM.Checked, music);
    }
}

TEST_F(WindowTest, RetainedImageShowsBoardAndBackgroundAfterStart) {
    start();
    // General's square (5, 10): top-left corner (3350, 5830) twips = pixel (223, 389).
    const QImage general = picture("SITA_SI");
    ASSERT_FALSE(general.isNull());
    EXPECT_EQ(pixel(223 + 19, 389 + 19), general.pixel(19, 19));
    EXPECT_EQ(pixel(223 + 5, 389 + 30), general.pixel(5, 30));
    // The crossing of the empty square (5, 5): (3650, 3230) twips.
    EXPECT_EQ(pixel(243, 215), rgb_of(LineColor));
    // Background tile (0, 5), left of the board, top-left at pixel (30, 195).
    const QImage green = picture("HAIKEI_MIDORI");
    ASSERT_FALSE(green.isNull());
    EXPECT_EQ(pixel(30 + 20, 195 + 20), green.pixel(20, 20));
}

TEST_F(WindowTest, ChoosingABackgroundRepaintsAndRewritesTheSettings) {
    start();
    const int paintsBefore = window->canvas().paint_count();
    action("TAKE")->trigger();
    QCoreApplication::processEvents();
    const QImage bamboo = picture("HAIKEI_TAKE");
    ASSERT_FALSE(bamboo.isNull());
    EXPECT_EQ(pixel(30 + 20, 195 + 20), bamboo.pixel(20, 20));
    EXPECT_GT(window->canvas().paint_count(), paintsBefore);
    for (const char* other : {"MIDORI", "TATAMI", "UCHU", "RENGA"})
        EXPECT_FALSE(action(other)->isChecked()) << other;
    EXPECT_TRUE(action("TAKE")->isChecked());
    const auto lines = settings_lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "背景画=竹");
}

TEST_F(WindowTest, MouseDownReachesTheGameInTwips) {
    struct Press {
        int button, shift;
        double x, y;
    } got{};
    window->canvas().onMouseDown = [&](int b, int s, double x, double y) { got = {b, s, x, y}; };
    QTest::mouseClick(&window->canvas(), Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier,
                      QPoint(100, 50));
    EXPECT_EQ(std::tie(got.button, got.shift, got.x, got.y), std::make_tuple(2, 3, 1500.0, 750.0));
}

// ---- The canvas on its own ----

TEST(QtCanvasTest, LinesAndBoxesAreOneDevicePixelInPaletteColours) {
    QtCanvas canvas;
    ASSERT_EQ(canvas.pixel_ratio(), 1.0);
    canvas.draw_line(450, 300, 1500, 300, ColorYellow);  // pixels (30, 20) .. (100, 20)
    const QImage& image = canvas.image();
    EXPECT_EQ(image.pixel(30, 20), rgb_of(ColorYellow));
    EXPECT_EQ(image.pixel(100, 20), rgb_of(ColorYellow));
    EXPECT_NE(image.pixel(65, 19), rgb_of(ColorYellow));
    EXPECT_NE(image.pixel(65, 21), rgb_of(ColorYellow));
    canvas.draw_box(150, 600, 600, 900, ColorWhite);  // pixels (10, 40) .. (40, 60)
    canvas.image();                                   // the calls are played onto the image when it is read
    for (QPoint corner : {QPoint(10, 40), QPoint(40, 40), QPoint(10, 60), QPoint(40, 60)})
        EXPECT_EQ(image.pixel(corner), rgb_of(ColorWhite)) << corner.x() << "," << corner.y();
    EXPECT_NE(image.pixel(25, 50), rgb_of(ColorWhite));
    EXPECT_NE(image.pixel(41, 50), rgb_of(ColorWhite));
}

TEST(QtCanvasTest, TextHangsBelowItsTopLeftPoint) {
    QtCanvas canvas;
    canvas.draw_text(300, 300, "局面", 12, true, ColorWhite);  // top-left at pixel (20, 20)
    const QImage& image = canvas.image();
    int inkTop = image.height(), inkBottom = -1, inkLeft = image.width();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qRed(image.pixel(x, y)) > 128) {
                inkTop = std::min(inkTop, y);
                inkBottom = std::max(inkBottom, y);
                inkLeft = std::min(inkLeft, x);
            }
    ASSERT_GE(inkBottom, 0) << "no text drawn";
    EXPECT_GE(inkTop, 20);
    EXPECT_LE(inkBottom, 20 + 16);  // 12 points is 16 pixels
    EXPECT_GE(inkLeft, 20);
    EXPECT_LE(inkLeft, 24);
}

TEST(QtDialogsTest, MessageBoxesHaveJapaneseButtonsAndReturnTheAnswer) {
    struct Row {
        Buttons buttons;
        BoxIcon icon;
        QMessageBox::StandardButton press;
        const char* captions;  // without the access keys Qt adds, as in はい(&Y)
        Answer expected;
    };
    const Row rows[] = {
        {Buttons::YesNo, BoxIcon::None, QMessageBox::No, "はい いいえ", Answer::No},
        {Buttons::YesNo, BoxIcon::None, QMessageBox::Yes, "はい いいえ", Answer::Yes},
        {Buttons::OK, BoxIcon::Warning, QMessageBox::Ok, "OK", Answer::OK},
        {Buttons::OKCancel, BoxIcon::None, QMessageBox::Ok, "OK キャンセル", Answer::OK},
        {Buttons::OKCancel, BoxIcon::None, QMessageBox::Cancel, "OK キャンセル", Answer::Cancel},
    };
    QWidget owner;
    QtDialogs dialogs(&owner);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.captions);
        QStringList captions;
        QString shown;
        QTimer::singleShot(50, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            for (QAbstractButton* b : box->buttons())
                captions << b->text().remove(QRegularExpression(R"(\(&.\)$)"));
            shown = box->windowTitle() + "|" + box->text() + "|" + QString::number(box->icon());
            box->button(row.press)->click();
        });
        EXPECT_EQ(dialogs.message_box("続けますか？", "終了", row.buttons, row.icon), row.expected);
        const int icon = row.icon == BoxIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon;
        EXPECT_EQ(shown, "終了|続けますか？|" + QString::number(icon));
        EXPECT_EQ(captions.join(' '), row.captions);
    }
}

// Escape and the window's close button answer a Yes/No box with Yes (the
// answer that keeps the game) and an OK/Cancel box with Cancel.
TEST(QtDialogsTest, ABoxClosedWithoutAButtonKeepsTheGame) {
    struct Row {
        Buttons buttons;
        bool escape;  // else the close button
        Answer expected;
    };
    const Row rows[] = {
        {Buttons::YesNo, true, Answer::Yes},
        {Buttons::YesNo, false, Answer::Yes},
        {Buttons::OKCancel, true, Answer::Cancel},
        {Buttons::OKCancel, false, Answer::Cancel},
    };
    QWidget owner;
    QtDialogs dialogs(&owner);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.escape ? "Escape" : "close");
        QTimer::singleShot(50, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            if (row.escape)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->close();
        });
        EXPECT_EQ(dialogs.message_box("続けますか？", "再ゲーム", row.buttons, BoxIcon::None), row.expected);
    }
}

// The title bar shows the whole title: a box with a short text is still as
// wide as its title in a bold title font, with room for the bar's buttons.
TEST(QtDialogsTest, ABoxIsWiderThanItsTitle) {
    QWidget owner;
    QtDialogs dialogs(&owner);
    const QString title = QStringLiteral("データフォルダを作れません");
    int boxWidth = 0;
    QTimer::singleShot(50, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        boxWidth = box->width();
        box->done(QMessageBox::Ok);
    });
    dialogs.message_box("OK", title.toStdString(), Buttons::OK, BoxIcon::None);
    QFont titleFont = owner.font();
    titleFont.setBold(true);
    EXPECT_GE(boxWidth, QFontMetrics(titleFont).horizontalAdvance(title) + 100);
}

}  // namespace
}  // namespace zenko
