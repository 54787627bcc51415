// Message boxes and the time of day for the real window.
#pragma once

#include <QWidget>

#include "ui/platform.h"

class QCoreApplication;

namespace zenko {

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* owner) : owner_(owner) {}
    Answer message_box(const std::string& text, const std::string& title, Buttons buttons,
                       BoxIcon icon) override;

private:
    QWidget* owner_;
};

class QtTimeOfDay : public TimeOfDay {
public:
    double seconds_since_midnight() override;
};

// Installs Qt's own Japanese translation on the application, so the standard
// buttons read はい, いいえ and OK. Returns false when it is not installed.
bool install_japanese_translation(QCoreApplication& app);

}  // namespace zenko
