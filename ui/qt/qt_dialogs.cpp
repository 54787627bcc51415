#include "ui/qt/qt_dialogs.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTime>
#include <QTranslator>

namespace zenko {

Answer QtDialogs::message_box(const std::string& text, const std::string& title, Buttons buttons,
                              BoxIcon icon) {
    const auto standard = buttons == Buttons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok;
    QMessageBox box(icon == BoxIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
                    QString::fromStdString(title), QString::fromStdString(text), standard, owner_);
    if (buttons == Buttons::YesNo) box.setDefaultButton(QMessageBox::Yes);
    const int pressed = box.exec();
    if (buttons == Buttons::OK) return Answer::OK;
    // Closing a Yes/No box without a button answers No, its escape button.
    return pressed == QMessageBox::Yes ? Answer::Yes : Answer::No;
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
