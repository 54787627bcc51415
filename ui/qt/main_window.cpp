#include "ui/qt/main_window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QShortcut>
#include <QUrl>
#include <QWindow>
#include <algorithm>
#include <memory>
#include <utility>

#include "ui/key_codes.h"
#include "ui/qt/menu_table.h"
#include "zenko/version.h"

namespace zenko {

namespace {

constexpr const char* IconPicture = ":/pictures/ICON.png";
constexpr int TimerIntervalMs = 50;
constexpr int UnpaintedStartMs = 500;
// The window frame the window manager will add, as long as it is unknown
// (before the window is first shown): a title bar and thin borders.
const QMargins GuessedFrame(4, 32, 4, 4);

// The first local file among what is dragged; "" for none.
QString dragged_file(const QMimeData* data) {
    if (data == nullptr) return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) return url.toLocalFile();
    return {};
}

}  // namespace

MainWindow::MainWindow(SoundLibrary& sound, const EngineLocation& engine)
    : canvas_(new QtCanvas(this)),
      dialogs_(this),
      engineProcess_([this](const std::function<void()>& event) { forward(event); }),
      reviewProcess_([this](const std::function<void()>& event) { forward(event); }),
      gameChooser_(this),
      moveList_(new MoveListPanel(this)),
      positionEditor_(this, dialogs_) {
    setWindowTitle(QString::fromUtf8(ProgramName));
    if (QFile::exists(QString::fromLatin1(IconPicture)))
        setWindowIcon(QIcon(QString::fromLatin1(IconPicture)));
    // The drawing on the left, the move list right of it.
    auto* client = new QWidget(this);
    auto* row = new QHBoxLayout(client);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(canvas_, 1);
    row->addWidget(moveList_);
    setCentralWidget(client);
    panel_ = std::make_unique<RecordPanel>(canvas_);
    form_ = std::make_unique<Form1>(Platform{*canvas_, dialogs_, timeOfDay_, sound, *panel_, *this,
                                             &engineProcess_, engine, &gameChooser_, &clipboard_,
                                             &positionEditor_, &reviewProcess_});
    setAcceptDrops(true);
    moveList_->onPlyChosen = [this](int ply) { forward([&] { form_->go_to_ply(ply); }); };
    moveList_->onStopReview = [this] { forward([this] { form_->CHUUSHI_Click(); }); };

    build_menus();
    connect_panel();
    add_key(Qt::Key_Escape, KeyEscape);
    add_key(Qt::Key_F1, KeyF1);
    add_key(Qt::Key_F2, KeyF2);
    add_key(Qt::Key_Left, KeyLeft);
    add_key(Qt::Key_Right, KeyRight);
    add_key(Qt::Key_Home, KeyHome);
    add_key(Qt::Key_End, KeyEnd);
    canvas_->onMouseDown = [this](int button, int shift, double x, double y) {
        forward([&] { form_->Form_MouseDown(button, shift, x, y); });
    };
    timer_.setInterval(TimerIntervalMs);
    connect(&timer_, &QTimer::timeout, this, [this] { forward([this] { form_->Timer1_Timer(); }); });

    // The window may grow; the drawing and the panel scale with the client area.
    canvas_->onGeometryChanged = [this] { panel_->fit(canvas_->scale(), canvas_->origin()); };
    sync_menus();
}

MainWindow::~MainWindow() { timer_.stop(); }

bool MainWindow::enter_player_data_folder(const std::string& installedSounds) {
    if (!form_->enter_player_data_folder(installedSounds)) return false;
    panel_->show_working_folder();
    return true;
}

bool MainWindow::start(Startup startup, const std::string& recordFile) {
    forward([this] { form_->load_first_picture(); });
    if (finished_) return false;
    fit_to_screen();
    show();  // at the designed size if it fits; where is the window manager's choice
    canvas_->setFocus();
    timer_.start();
    if (startup == Startup::AllAtOnce) {
        forward([&] { form_->load_after_first_picture(recordFile); });
        return !finished_;
    }
    // After the first paint has reached the screen; a window that is not
    // painted soon (minimised, on another desktop) goes on anyway.
    auto rest = std::make_shared<bool>(false);
    auto finish = [this, rest, recordFile] {
        if (std::exchange(*rest, true)) return;
        canvas_->onPainted = nullptr;
        forward([&] { form_->load_after_first_picture(recordFile); });
    };
    canvas_->onPainted = [this, finish] { QTimer::singleShot(0, this, finish); };
    QTimer::singleShot(UnpaintedStartMs, this, finish);
    return true;
}

void MainWindow::build_menus() {
    menuBar()->setNativeMenuBar(false);  // 戻, 進, △ and ▽ must stay on the bar itself
    menuBar()->installEventFilter(this);
    const auto table = menu_table();
    std::vector<QMenu*> open(4, nullptr);  // the menu currently open at each depth
    for (size_t i = 0; i < table.size(); ++i) {
        const MenuEntry& entry = table[i];
        QMenu* parent = entry.depth > 1 ? open[entry.depth - 1] : nullptr;
        if (entry.name == nullptr) {
            if (parent) parent->addSeparator();
            continue;
        }
        const QString caption = QString::fromUtf8(entry.caption);
        const QString name = QString::fromLatin1(entry.name);
        const bool isMenu = i + 1 < table.size() && table[i + 1].depth > entry.depth;
        auto run = [this, handler = entry.handler] { forward([&] { (form_.get()->*handler)(); }); };
        if (isMenu) {
            QMenu* menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name);
            if (entry.handler) connect(menu, &QMenu::aboutToShow, this, run);
            open[entry.depth] = menu;
            continue;
        }
        QAction* action = parent ? parent->addAction(caption) : menuBar()->addAction(caption);
        action->setObjectName(name);
        if (entry.handler) connect(action, &QAction::triggered, this, run);
        if (entry.checkMark) {
            action->setCheckable(true);
            checkMarks_.emplace_back(action, entry.checkMark);
        }
        if (entry.level != 0) {
            action->setCheckable(true);
            levelMarks_.emplace_back(action, entry.level);
        }
        if (entry.needsEngine) {
            engineItems_.push_back(action);
            if (parent) parent->setToolTipsVisible(true);
        }
    }
}

void MainWindow::connect_panel() {
    panel_->onDrive1Change = [this] {
        const std::string before = panel_->dir_path();
        forward([this] { form_->Drive1_Change(); });
        // A new folder in Dir1 lists its records, as when the user picks it.
        if (panel_->dir_path() != before && panel_->file_path() != panel_->dir_path())
            forward([this] { form_->Dir1_Change(); });
    };
    panel_->onDir1Change = [this] { forward([this] { form_->Dir1_Change(); }); };
    panel_->onFile1Click = [this] { forward([this] { form_->File1_Click(); }); };
    panel_->onCommand1Click = [this] { forward([this] { form_->Command1_Click(); }); };
    // The drive list's drop-down takes Escape for itself; the game hears it too.
    panel_->onControlsCreated = [this] {
        if (auto* drives = qobject_cast<QComboBox*>(panel_->widget(PanelControl::Drive1))) {
            driveList_ = drives->view();
            driveList_->installEventFilter(this);
        }
    };
}

void MainWindow::add_key(int qtKey, int keyCode) {
    auto* shortcut = new QShortcut(QKeySequence(qtKey), this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this,
            [this, keyCode] { forward([&] { form_->Form_KeyDown(keyCode, 0); }); });
}

// A menu closed with Escape leaves the bar waiting for keys, and the bar
// would take the next Escape for itself. The game's Escape closes the panel
// or ends the program, so the bar lets it through to the window's shortcut
// unless a menu is open.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // Escape closes the drop-down, then the game's Escape closes the panel.
    if (watched == driveList_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        qobject_cast<QComboBox*>(panel_->widget(PanelControl::Drive1))->hidePopup();
        forward([this] { form_->Form_KeyDown(KeyEscape, 0); });
        return true;
    }
    if (watched == menuBar() && event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        QApplication::activePopupWidget() == nullptr)
        return true;  // not accepted: the shortcut runs
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::after_event() {
    form_->play_held_answer();
    sync_menus();
    sync_move_list();
    if (form_->screen().Terminated) quit();
}

// Form1 holds the check marks; a triggered action's own toggle is overwritten
// here. Without a usable engine its levels and ヒント are greyed out, and
// their tooltip says why.
void MainWindow::sync_menus() {
    const bool engine = form_->engine_found();
    const QString reason = engine ? QString() : QString::fromStdString(form_->engine_missing_reason());
    for (QAction* action : engineItems_) {
        action->setEnabled(engine);
        action->setToolTip(reason);
    }
    for (const auto& [action, item] : checkMarks_) action->setChecked((form_->options().*item).Checked);
    for (const auto& [action, level] : levelMarks_) action->setChecked(form_->chosen_level() == level);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!dragged_file(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

// The file opens once the drop is over: its boxes must not hold up the
// program the file was dragged from, which waits for the drop to finish.
void MainWindow::dropEvent(QDropEvent* event) {
    const QString file = dragged_file(event->mimeData());
    if (file.isEmpty()) return;
    event->acceptProposedAction();
    const std::string path = QFile::encodeName(file).toStdString();
    QTimer::singleShot(0, this, [this, path] { forward([&] { form_->open_record_file(path); }); });
}

void MainWindow::sync_move_list() {
    const bool shown = form_->options().KIFU_ICHIRAN.Checked;
    if (moveList_->isVisibleTo(this) != shown) {
        const int before = width();
        moveList_->setVisible(shown);
        // Only the list comes or goes: the drawing keeps its size and place.
        if (isVisible() && !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
            settle_layout();
            resize(before + (shown ? 1 : -1) * moveList_->width(), height());
        }
    }
    if (shown)
        moveList_->show_history(form_->history(), form_->options().list_notation(), form_->review_session());
}

// Only the drawing scales: the menu bar and the move list keep their sizes.
// The drawing may then be smaller than designed, as on no larger screen.
void MainWindow::fit_to_screen() {
    const QScreen* shownOn = screen();
    if (!shownOn) return;
    winId();  // the native window, whose frame may be known already
    QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    if (frame.isNull()) frame = GuessedFrame;
    const QSize room = shownOn->availableGeometry().size().shrunkBy(frame);
    const QSize wanted = sizeHint();
    // Asked for even when it fits: left to itself, a window takes at most
    // two thirds of the screen.
    if (wanted.width() <= room.width() && wanted.height() <= room.height()) return resize(wanted);
    const QSize fixed(wanted.width() - canvas_->sizeHint().width(),
                      wanted.height() - canvas_->sizeHint().height());
    const double scale = std::min((room.width() - fixed.width()) / double(ClientWidthPixels),
                                  (room.height() - fixed.height()) / double(ClientHeightPixels));
    const QSize drawing(static_cast<int>(ClientWidthPixels * scale),
                        static_cast<int>(ClientHeightPixels * scale));
    canvas_->setMinimumSize(drawing);
    settle_layout();
    resize(fixed + drawing);
}

// The window's smallest size follows a change of its contents now, not at
// the next pass of the event loop, so that a resize right after is not held
// to the old one.
void MainWindow::settle_layout() {
    centralWidget()->layout()->activate();
    layout()->activate();
}

void MainWindow::quit() {
    if (finished_) return;
    finished_ = true;
    timer_.stop();
    if (!closing_) close();
    QCoreApplication::quit();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    closing_ = true;
    forward([this] { form_->Form_Unload(); });
    quit();
    event->accept();
}

}  // namespace zenko
