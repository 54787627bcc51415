#include "ui/qt/record_panel.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QStyle>
#include <cmath>

#include "ui/presentation.h"

namespace zenko {

namespace {

enum class Kind { Places, Folders, Files, Label, Field, Button };

// The panel's controls: kind, position and size in twips, caption.
struct ControlPlace {
    PanelControl control;
    Kind kind;
    int left, top, width, height;
    const char* caption;
};

constexpr ControlPlace ControlPlaces[] = {
    {PanelControl::Drive1, Kind::Places, 240, 360, 2535, 300, ""},
    {PanelControl::Dir1, Kind::Folders, 240, 600, 2535, 1710, ""},
    {PanelControl::File1, Kind::Files, 240, 2280, 2535, 930, ""},
    {PanelControl::Label1_3, Kind::Label, 120, 2400, 855, 255, "対 局 名："},
    {PanelControl::Label1_2, Kind::Label, 120, 2640, 855, 255, "先    手 ："},
    {PanelControl::Label1_1, Kind::Label, 120, 2880, 855, 255, "後    手 ："},
    {PanelControl::Label1_0, Kind::Label, 120, 3120, 855, 255, "ﾌｧｲﾙ名 ："},
    {PanelControl::Text2, Kind::Field, 960, 2400, 2295, 270, ""},
    {PanelControl::Text3, Kind::Field, 960, 2640, 2295, 270, ""},
    {PanelControl::Text4, Kind::Field, 960, 2880, 2295, 270, ""},
    {PanelControl::Text1, Kind::Field, 960, 3120, 2295, 270, ""},
    {PanelControl::Command1, Kind::Button, 3360, 3000, 855, 375, "RETURN"},
};

// Keyboard order through the panel.
constexpr PanelControl TabOrder[] = {
    PanelControl::File1,    PanelControl::Dir1,  PanelControl::Drive1, PanelControl::Text1,
    PanelControl::Command1, PanelControl::Text2, PanelControl::Text3,  PanelControl::Text4,
};

const QColor ListBackground(255, 255, 192);
const QColor RowHighlight(0, 0, 128);
constexpr double ControlPointSize = 9;
// The record files the game opens: its own, and those other programs write.
constexpr const char* RecordPatterns[] = {"*.棋譜", "*.pgn", "*.xqf", "*.fen", "*.txt", "*.htm", "*.html"};
constexpr const char* ParentEntry = "..";

int pixels(int twips) { return static_cast<int>(std::lround(twips / double(TwipsPerPixel))); }

QWidget* make_control(const ControlPlace& place, QWidget* parent) {
    const QString caption = QString::fromUtf8(place.caption);
    switch (place.kind) {
        case Kind::Places:
            return new QComboBox(parent);
        case Kind::Folders:
        case Kind::Files:
            return new QListWidget(parent);
        case Kind::Label:
            return new QLabel(caption, parent);
        case Kind::Field:
            return new QLineEdit(parent);
        case Kind::Button:
            return new QPushButton(caption, parent);
    }
    return nullptr;
}

bool has_yellow_background(Kind kind) { return kind != Kind::Label && kind != Kind::Button; }

// Places a user picks records from: the root, the home folder and mounted
// removable or extra volumes.
QStringList places() {
    QStringList found{QStringLiteral("/"), QDir::homePath()};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        const bool userVolume = root.startsWith(QStringLiteral("/media/")) ||
                                root.startsWith(QStringLiteral("/mnt/")) ||
                                root.startsWith(QStringLiteral("/run/media/"));
        if (volume.isValid() && volume.isReady() && userVolume && !found.contains(root)) found << root;
    }
    return found;
}

bool inside(const QString& path, const QString& root) {
    const QString prefix = root.endsWith('/') ? root : root + '/';
    return (path + '/').startsWith(prefix);
}

}  // namespace

RecordPanel::RecordPanel(QWidget* clientArea) : clientArea_(clientArea) { show_working_folder(); }

void RecordPanel::show_working_folder() {
    const QString here = QDir::cleanPath(QDir::currentPath());
    dirPath_ = filePath_ = here;
    if (widgets_.empty()) return;
    fill_drives();
    list_folders();
    refresh_files();
}

void RecordPanel::ensure_controls() {
    if (!widgets_.empty()) return;
    create_controls(clientArea_);
    fill_drives();
    list_folders();
    refresh_files();
    fit(scale_, origin_);
    if (onControlsCreated) onControlsCreated();
}

QWidget* RecordPanel::widget(PanelControl control) {
    ensure_controls();
    return widgets_.at(control);
}

void RecordPanel::create_controls(QWidget* clientArea) {
    for (const ControlPlace& place : ControlPlaces) {
        QWidget* control = make_control(place, clientArea);
        control->setAutoFillBackground(true);
        // System colours, not the client area's dark green; the lists and
        // fields on light yellow.
        QPalette colours = control->palette();
        const QPalette system = QApplication::palette(control);
        for (QPalette::ColorRole role : {QPalette::Window, QPalette::WindowText, QPalette::Button,
                                         QPalette::ButtonText, QPalette::Base, QPalette::Text})
            colours.setColor(role, system.color(role));
        if (has_yellow_background(place.kind)) {
            colours.setColor(QPalette::Base, ListBackground);
            colours.setColor(QPalette::Button, ListBackground);
            colours.setColor(QPalette::Window, ListBackground);
            // Chosen and hovered rows white on navy, readable in a focused and an unfocused list alike.
            colours.setColor(QPalette::Highlight, RowHighlight);
            colours.setColor(QPalette::HighlightedText, Qt::white);
        }
        control->setPalette(colours);
        // The style paints a combo box as a button with its own gradient; a
        // border of its own makes it take the flat light yellow instead. Its
        // list then takes the row under the mouse's colours from the sheet too.
        if (place.kind == Kind::Places)
            control->setStyleSheet(QStringLiteral("QComboBox { background: %1; border: 1px solid gray; "
                                                  "padding-left: 2px; selection-background-color: %2; "
                                                  "selection-color: white; }")
                                       .arg(ListBackground.name(), RowHighlight.name()));
        control->hide();
        widgets_[place.control] = control;
    }
    for (size_t i = 1; i < std::size(TabOrder); ++i)
        QWidget::setTabOrder(widgets_[TabOrder[i - 1]], widgets_[TabOrder[i]]);

    drive1_ = static_cast<QComboBox*>(widgets_[PanelControl::Drive1]);
    dir1_ = static_cast<QListWidget*>(widgets_[PanelControl::Dir1]);
    file1_ = static_cast<QListWidget*>(widgets_[PanelControl::File1]);
    QObject::connect(drive1_, &QComboBox::activated, [this] {
        if (onDrive1Change) onDrive1Change();
        // A place that could not be opened does not stay chosen.
        if (!inside(dirPath_, drive1_->currentData().toString())) drive1_->setCurrentIndex(driveIndex_);
        driveIndex_ = drive1_->currentIndex();
    });
    QObject::connect(dir1_, &QListWidget::itemActivated,
                     [this](QListWidgetItem* item) { enter_folder(item->text()); });
    QObject::connect(file1_, &QListWidget::itemClicked, [this](QListWidgetItem* item) {
        fileName_ = item->text();
        if (onFile1Click) onFile1Click();
    });
    auto confirm = [this] {
        if (onCommand1Click) onCommand1Click();
    };
    QObject::connect(static_cast<QPushButton*>(widgets_[PanelControl::Command1]), &QPushButton::clicked,
                     confirm);
    QObject::connect(static_cast<QLineEdit*>(widgets_[PanelControl::Text1]), &QLineEdit::returnPressed,
                     confirm);
}

void RecordPanel::fit(double scale, QPointF origin) {
    scale_ = scale, origin_ = origin;
    if (widgets_.empty()) return;
    QFont font(QStringLiteral("IPAPMincho"));
    font.setPointSizeF(ControlPointSize * scale);
    auto at = [&](int twips, double offset) {
        return static_cast<int>(std::lround(offset + pixels(twips) * scale));
    };
    for (const ControlPlace& place : ControlPlaces) {
        const int left = at(place.left, origin.x()), top = at(place.top, origin.y());
        QWidget* control = widgets_.at(place.control);
        control->setGeometry(left, top, at(place.left + place.width, origin.x()) - left,
                             at(place.top + place.height, origin.y()) - top);
        control->setFont(font);
    }
    if (dir1_) show_folder_line();
}

void RecordPanel::fill_drives() {
    drive1_->clear();
    for (const QString& place : places()) drive1_->addItem(place, place);
    // Preselect the place holding the working folder (the longest matching root).
    const QString here = QDir::currentPath();
    int best = 0;
    for (int i = 0; i < drive1_->count(); ++i) {
        const QString root = drive1_->itemData(i).toString();
        if (inside(here, root) && root.size() > drive1_->itemData(best).toString().size()) best = i;
    }
    drive1_->setCurrentIndex(best);
    driveIndex_ = best;
}

void RecordPanel::set_visible(PanelControl control, bool visible) {
    if (!visible && widgets_.empty()) return;  // not made yet: hidden
    widget(control)->setVisible(visible);
}

bool RecordPanel::is_visible(PanelControl control) {
    return !widgets_.empty() && !widgets_.at(control)->isHidden();
}

std::string RecordPanel::text(PanelControl field) {
    if (widgets_.empty()) return {};
    QWidget* control = widgets_.at(field);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text().toStdString();
    if (auto* label = qobject_cast<QLabel*>(control)) return label->text().toStdString();
    return {};
}

void RecordPanel::set_text(PanelControl field, const std::string& text) {
    if (text.empty() && widgets_.empty()) return;
    QWidget* control = widget(field);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->setText(QString::fromStdString(text));
    if (auto* label = qobject_cast<QLabel*>(control)) label->setText(QString::fromStdString(text));
}

std::string RecordPanel::drive() {
    ensure_controls();
    return drive1_->currentData().toString().toStdString();
}

std::string RecordPanel::dir_path() { return dirPath_.toStdString(); }

PathResult RecordPanel::set_dir_path(const std::string& path) {
    const QFileInfo folder(QString::fromStdString(path));
    if (path.empty() || !folder.exists() || !folder.isDir() || !folder.isReadable() || !folder.isExecutable())
        return PathResult::DeviceUnavailable;
    dirPath_ = QDir::cleanPath(folder.absoluteFilePath());
    if (!widgets_.empty()) list_folders();
    return PathResult::Ok;
}

void RecordPanel::list_folders() {
    dir1_->clear();
    dir1_->setToolTip(dirPath_);
    const QDir folder(dirPath_);
    // The first row names the open folder, as a folder list shows it; it
    // cannot be chosen.
    auto* current = new QListWidgetItem(dir1_);
    current->setFlags(Qt::NoItemFlags);
    current->setForeground(QColor(0, 0, 128));
    if (!folder.isRoot()) dir1_->addItem(QString::fromLatin1(ParentEntry));
    dir1_->addItems(folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase));
    show_folder_line();
}

// The first row within the list's width: a long path loses its start, so
// the open folder's own name stays in sight (the whole path is the tooltip).
void RecordPanel::show_folder_line() {
    QListWidgetItem* line = dir1_->item(0);
    if (!line) return;
    // Room in a row, less the scroll bar's width when the rows overflow the list.
    const QStyle* style = dir1_->style();
    const bool overflows = dir1_->count() * dir1_->sizeHintForRow(0) > dir1_->contentsRect().height();
    const int room = dir1_->contentsRect().width() -
                     (overflows ? style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, dir1_) : 0) -
                     2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, dir1_) + 1);
    const QString text = QStringLiteral("[%1]").arg(QDir::toNativeSeparators(dirPath_));
    line->setText(QFontMetrics(dir1_->font()).elidedText(text, Qt::ElideLeft, room));
}

void RecordPanel::enter_folder(const QString& entry) {
    const QDir folder(dirPath_);
    const QString target =
        entry == QString::fromLatin1(ParentEntry) ? QFileInfo(dirPath_).path() : folder.filePath(entry);
    // A folder that cannot be opened is left alone; the list stays where it was.
    if (set_dir_path(target.toStdString()) == PathResult::Ok && onDir1Change) onDir1Change();
}

std::string RecordPanel::file_path() { return filePath_.toStdString(); }

void RecordPanel::set_file_path(const std::string& path) {
    filePath_ = QDir::cleanPath(QFileInfo(QString::fromStdString(path)).absoluteFilePath());
    refresh_files();
}

std::string RecordPanel::file_name() { return fileName_.toStdString(); }

void RecordPanel::refresh_files() {
    if (widgets_.empty()) return;
    file1_->clear();
    file1_->setToolTip(filePath_);
    const QDir folder(filePath_);
    QStringList patterns;
    for (const char* pattern : RecordPatterns) patterns << QString::fromUtf8(pattern);
    // Patterns match whatever the case of the name (QDir::CaseSensitive is not set).
    file1_->addItems(folder.entryList(patterns, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

}  // namespace zenko
