#include "ui/qt/qt_dialogs.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QSpacerItem>
#include <QTime>
#include <QTranslator>

namespace zenko {
namespace {

// Room beside the title for the title bar's icon and buttons.
constexpr int TitleBarExtras = 160;

// A box as narrow as its short text would cut its title ("その他" shown as
// "そ…"). The window manager draws the title in its own font, often bold and
// larger than the box's, so the box makes room for it at 1.25 times its size.
void widen_to_title(QMessageBox& box) {
    QFont titleFont = box.font();
    titleFont.setBold(true);
    if (titleFont.pointSizeF() > 0) titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + TitleBarExtras;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(),
                      0, 1, grid->columnCount());
}

}  // namespace

Answer QtDialogs::message_box(const std::string& text, const std::string& title, Buttons buttons,
                              BoxIcon icon) {
    QMessageBox::StandardButtons standard = QMessageBox::Ok;
    if (buttons == Buttons::YesNo) standard = QMessageBox::Yes | QMessageBox::No;
    if (buttons == Buttons::OKCancel) standard = QMessageBox::Ok | QMessageBox::Cancel;
    QMessageBox box(icon == BoxIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
                    QString::fromStdString(title), QString::fromStdString(text), standard, owner_);
    if (buttons == Buttons::YesNo) {
        box.setDefaultButton(QMessageBox::Yes);
        // Escape and the close button keep the game going: they answer Yes.
        box.setEscapeButton(QMessageBox::Yes);
    }
    if (buttons == Buttons::OKCancel) {
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
    }
    widen_to_title(box);
    const int pressed = box.exec();
    switch (buttons) {
        case Buttons::OK:
            return Answer::OK;
        case Buttons::YesNo:
            return pressed == QMessageBox::No ? Answer::No : Answer::Yes;
        case Buttons::OKCancel:
            return pressed == QMessageBox::Ok ? Answer::OK : Answer::Cancel;
    }
    return Answer::OK;
}

double QtTimeOfDay::seconds_since_midnight() { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }

bool install_japanese_translation(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace zenko
