#pragma once

// What the dialog tests share: a person acting in a modal dialog, typing,
// and the message boxes they see.

#include "numeric/MessageHost.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace orvanta {

// Runs `run` (which calls the dialog's exec()) while `script` acts in the
// open dialog. A script that fails before closing the dialog leaves it to a
// watchdog that closes it without either closing step.
template <class TRun> auto RunScripted(QDialog& dialog, std::function<void()> script, TRun run) {
    constexpr int StuckCode = 100;
    QTimer::singleShot(0, &dialog, [&dialog, script = std::move(script)] {
        dialog.activateWindow();
        script();
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &dialog, [&dialog] {
        if (dialog.isVisible()) {
            QWARN("the script left the dialog open");
            dialog.done(StuckCode);
        }
    });
    watchdog.start(5000);
    return run();
}

// Types the text into the field one character at a time (Cyrillic cannot go
// through keyClicks).
inline void Type(QWidget* field, const QString& text) {
    for (QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// Selects the field's text and types over it.
inline void TypeOver(QWidget* field, const QString& text) {
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Backspace);
    Type(field, text);
}

// The messages the person saw; questions are answered No, inputs cancelled.
class TSeenMessages : public TMessageHost {
public:
    std::vector<std::pair<TMessageKind, std::string>> Messages;

    void ShowMessage(TMessageKind kind, const std::string& text) override {
        Messages.emplace_back(kind, text);
    }
    TAnswer AskYesNo(const std::string&) override { return TAnswer::No; }
    TAnswer AskYesNoCancel(const std::string&) override { return TAnswer::Cancel; }
    std::optional<std::string> InputString(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<double> InputReal(const std::string&, const std::string&) override {
        return std::nullopt;
    }
};

} // namespace orvanta
