// The record panel's controls on the client area: the place, folder and
// file lists, the four labelled text fields and the RETURN button. They
// start hidden; the game shows and hides them. They are made when first
// needed, so that the window's first picture does not wait for them.
#pragma once

#include <QPointF>
#include <QString>
#include <functional>
#include <map>

#include "ui/platform.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace zenko {

class RecordPanel : public Panel {
public:
    // The controls become children of the client area; the lists show the
    // working folder.
    explicit RecordPanel(QWidget* clientArea);
    // The lists show the working folder as it is now.
    void show_working_folder();

    void set_visible(PanelControl control, bool visible) override;
    bool is_visible(PanelControl control) override;
    std::string text(PanelControl field) override;
    void set_text(PanelControl field, const std::string& text) override;
    std::string drive() override;
    std::string dir_path() override;
    PathResult set_dir_path(const std::string& path) override;
    std::string file_path() override;
    void set_file_path(const std::string& path) override;
    std::string file_name() override;
    void refresh_files() override;

    QWidget* widget(PanelControl control);
    // Called once the controls have been made.
    std::function<void()> onControlsCreated;
    // Places and sizes the controls for a client area drawn at this scale
    // (widget pixels per designed pixel) with its top-left at origin.
    void fit(double scale, QPointF origin);

    // What the user did; the window forwards these to the game.
    std::function<void()> onDrive1Change, onDir1Change, onFile1Click, onCommand1Click;

private:
    void ensure_controls();
    void create_controls(QWidget* clientArea);
    void fill_drives();
    void list_folders();
    void show_folder_line();
    void enter_folder(const QString& entry);

    QWidget* clientArea_;
    double scale_ = 1.0;
    QPointF origin_;
    std::map<PanelControl, QWidget*> widgets_;  // empty until the controls are made
    QComboBox* drive1_ = nullptr;
    QListWidget* dir1_ = nullptr;
    QListWidget* file1_ = nullptr;
    QString dirPath_, filePath_, fileName_;
    int driveIndex_ = 0;  // the place last chosen successfully
};

}  // namespace zenko
