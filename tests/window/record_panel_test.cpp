// The record panel's controls on their own: placement, folder and file
// lists, and which user actions reach the game.
#include "ui/qt/record_panel.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <map>

#include "ui/presentation.h"

namespace zenko {
namespace {

class RecordPanelTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QWidget client;
    std::unique_ptr<RecordPanel> panel;
    QStringList events;

    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        QDir(folder.path()).mkdir("対局集");
        QDir(folder.path()).mkdir("other");
        for (const char* name : {"一局目.棋譜", "notes.doc"})
            QFile(folder.filePath(name)).open(QIODevice::WriteOnly);
        client.resize(ClientWidthPixels, ClientHeightPixels);
        panel = std::make_unique<RecordPanel>(&client);
        panel->onDrive1Change = [this] { events << "Drive1_Change"; };
        panel->onDir1Change = [this] { events << "Dir1_Change"; };
        panel->onFile1Click = [this] { events << "File1_Click"; };
        panel->onCommand1Click = [this] { events << "Command1_Click"; };
        client.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&client));
    }
    QListWidget* list(PanelControl control) { return static_cast<QListWidget*>(panel->widget(control)); }
    QStringList entries(PanelControl control) {
        QStringList out;
        for (int i = 0; i < list(control)->count(); ++i) out << list(control)->item(i)->text();
        return out;
    }
    void double_click(PanelControl control, const QString& entry) {
        QListWidget* l = list(control);
        QCoreApplication::processEvents();  // lets the list lay out its rows
        QListWidgetItem* item = l->findItems(entry, Qt::MatchExactly).value(0);
        ASSERT_NE(item, nullptr) << entry.toStdString();
        // A double click is a click followed by the double-click event.
        const QPoint at = l->visualItemRect(item).center();
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, at);
    }
};

TEST_F(RecordPanelTest, ControlsSitAtTheirTwipPositionsHiddenOnLightYellow) {
    struct Row {
        PanelControl control;
        QRect pixels;
    };
    const Row rows[] = {
        {PanelControl::Drive1, {16, 24, 169, 20}}, {PanelControl::Dir1, {16, 40, 169, 114}},
        {PanelControl::File1, {16, 152, 169, 62}}, {PanelControl::Label1_0, {8, 208, 57, 17}},
        {PanelControl::Text1, {64, 208, 153, 18}}, {PanelControl::Command1, {224, 200, 57, 25}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(panel->widget(row.control)->geometry(), row.pixels) << int(row.control);
        EXPECT_FALSE(panel->is_visible(row.control));
    }
    EXPECT_EQ(panel->widget(PanelControl::Text1)->palette().color(QPalette::Base), QColor(255, 255, 192));
    EXPECT_EQ(panel->text(PanelControl::Label1_2), "先    手 ：");
}

TEST_F(RecordPanelTest, ListsShowSubfoldersAndRecordsAndRefuseMissingFolders) {
    ASSERT_EQ(panel->set_dir_path(folder.path().toStdString()), PathResult::Ok);
    panel->set_file_path(folder.path().toStdString());
    // The first row names the open folder, its start cut off when it is long.
    const QStringList folders = entries(PanelControl::Dir1);
    ASSERT_FALSE(folders.isEmpty());
    EXPECT_TRUE(folders[0].endsWith(QDir(folder.path()).dirName() + "]")) << folders[0].toStdString();
    EXPECT_EQ(folders.mid(1), QStringList({"..", "other", "対局集"}));
    EXPECT_EQ(list(PanelControl::Dir1)->toolTip(), folder.path());
    EXPECT_EQ(entries(PanelControl::File1), QStringList({"一局目.棋譜"}));
    QFile(folder.filePath("二局目.棋譜")).open(QIODevice::WriteOnly);
    panel->refresh_files();
    EXPECT_EQ(entries(PanelControl::File1), QStringList({"一局目.棋譜", "二局目.棋譜"}));

    for (const QString& bad : {folder.filePath("gone"), folder.filePath("notes.doc"), QString()})
        EXPECT_EQ(panel->set_dir_path(bad.toStdString()), PathResult::DeviceUnavailable) << bad.toStdString();
    EXPECT_EQ(panel->dir_path(), folder.path().toStdString());
}

// Every kind of record file the game opens is listed, whatever the case of
// its extension; nothing else is.
TEST_F(RecordPanelTest, TheFileListShowsTheRecordsOfEveryFormat) {
    for (const char* name :
         {"a.pgn", "B.PGN", "c.xqf", "d.fen", "e.txt", "f.htm", "g.html", "h.pgn.bak", "i.jpg"})
        QFile(folder.filePath(name)).open(QIODevice::WriteOnly);
    panel->set_file_path(folder.path().toStdString());
    EXPECT_EQ(entries(PanelControl::File1),
              QStringList({"a.pgn", "B.PGN", "c.xqf", "d.fen", "e.txt", "f.htm", "g.html", "一局目.棋譜"}));
}

TEST_F(RecordPanelTest, UserActionsReachTheGame) {
    ASSERT_EQ(panel->set_dir_path(folder.path().toStdString()), PathResult::Ok);
    panel->set_file_path(folder.path().toStdString());
    for (PanelControl c : {PanelControl::Dir1, PanelControl::File1, PanelControl::Text1})
        panel->set_visible(c, true);

    double_click(PanelControl::Dir1, "対局集");
    EXPECT_EQ(panel->dir_path(), folder.filePath("対局集").toStdString());
    double_click(PanelControl::Dir1, "..");
    EXPECT_EQ(panel->dir_path(), folder.path().toStdString());

    QListWidget* files = list(PanelControl::File1);
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(files->item(0)).center());
    EXPECT_EQ(panel->file_name(), "一局目.棋譜");

    QTest::keyClick(panel->widget(PanelControl::Text1), Qt::Key_Return);
    EXPECT_EQ(events, QStringList({"Dir1_Change", "Dir1_Change", "File1_Click", "Command1_Click"}));
}

double luminance(QColor c) {
    auto linear = [](int channel) {
        const double v = channel / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.red()) + 0.7152 * linear(c.green()) + 0.0722 * linear(c.blue());
}
double contrast(QColor a, QColor b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The contrast of a row's text with its ground: the commonest colour of the
// row is the ground, the colour standing out most from it the text's.
double row_contrast(QAbstractItemView* view, const QModelIndex& row) {
    const QImage shot = view->viewport()->grab().toImage();
    const QRect area = view->visualRect(row).intersected(shot.rect());
    std::map<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) ++counts[shot.pixel(x, y)];
    const QColor ground(std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                            return a.second < b.second;
                        })->first);
    double best = 1;
    for (const auto& [colour, n] : counts) best = std::max(best, contrast(ground, QColor(colour)));
    return best;
}

TEST_F(RecordPanelTest, HoveredAndSelectedRowsOfEveryListAreReadable) {
    ASSERT_EQ(panel->set_dir_path(folder.path().toStdString()), PathResult::Ok);
    panel->set_file_path(folder.path().toStdString());
    auto* drive = static_cast<QComboBox*>(panel->widget(PanelControl::Drive1));
    for (PanelControl c : {PanelControl::Drive1, PanelControl::Dir1, PanelControl::File1})
        panel->set_visible(c, true);
    drive->showPopup();
    QTest::qWait(50);
    for (QAbstractItemView* view : {drive->view(), static_cast<QAbstractItemView*>(list(PanelControl::Dir1)),
                                    static_cast<QAbstractItemView*>(list(PanelControl::File1))}) {
        const QModelIndex first = view->model()->index(view->model()->rowCount() - 1, 0);
        QTest::mouseMove(view->viewport(), view->visualRect(first).center());
        QTest::qWait(20);
        EXPECT_GE(row_contrast(view, first), 4.5) << "hovered, list " << view->model()->rowCount();
        view->setCurrentIndex(first);
        QTest::mouseMove(view->viewport(), QPoint(1, 1));
        QTest::qWait(20);
        EXPECT_GE(row_contrast(view, first), 4.5) << "selected, list " << view->model()->rowCount();
    }
    drive->hidePopup();
}

// A long folder line keeps its end, the open folder's own name: two paths
// that differ only there look different, two that differ only at the
// start look the same.
TEST_F(RecordPanelTest, ALongFolderLineShowsTheFoldersOwnName) {
    const QString deep = QStringLiteral("/a-long-folder-name-that-fills-the-list/and-another-one-below-it/");
    QDir(folder.path()).mkpath("one" + deep + "対局集一");
    QDir(folder.path()).mkpath("one" + deep + "対局集二");
    QDir(folder.path()).mkpath("two" + deep + "対局集一");
    panel->set_visible(PanelControl::Dir1, true);
    auto folder_line = [&](const QString& path) {
        EXPECT_EQ(panel->set_dir_path(folder.filePath(path).toStdString()), PathResult::Ok);
        QListWidget* dir = list(PanelControl::Dir1);
        QCoreApplication::processEvents();
        return dir->viewport()->grab(dir->visualItemRect(dir->item(0))).toImage();
    };
    const QImage first = folder_line("one" + deep + "対局集一");
    EXPECT_NE(first, folder_line("one" + deep + "対局集二"));
    EXPECT_EQ(first, folder_line("two" + deep + "対局集一"));
}

}  // namespace
}  // namespace zenko
