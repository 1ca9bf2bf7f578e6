#pragma once

// The person of the walkthrough: acts in the modal windows by name as the
// other session tests do, answers every file dialog with the next name of
// a queue (noting the dialog's title and the name it offered), and closes a
// window that nobody answers, so that a broken step fails the test instead
// of hanging it.

#include "GuiScript.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimer>

#include <deque>
#include <vector>

namespace orvanta::test {

class TSessionPerson : public TWindowPerson {
public:
    struct TFileDialogSeen {
        QString Title;
        QString Offered;
    };

    // Names typed into the coming file dialogs, in order; a file dialog
    // with none left is cancelled.
    std::deque<QString> FileNames;
    std::vector<TFileDialogSeen> FileDialogs;
    // Windows that stayed open unanswered and were closed.
    QStringList Stuck;

    TSessionPerson() {
        const auto answerFile = [this](QWidget* w) { AnswerFileDialog(w); };
        for (const QString& name : {QStringLiteral("SaveDialog"), QStringLiteral("OpenDialog")})
            Acts[name] = answerFile;
        connect(&Guard, &QTimer::timeout, this, [this] { CloseStuckWindow(); });
        Guard.start(250);
    }

private:
    void AnswerFileDialog(QWidget* w) {
        auto* dialog = static_cast<QDialog*>(w);
        auto* edit = w->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        FileDialogs.push_back({w->windowTitle(), edit ? edit->text() : QString()});
        if (!edit || FileNames.empty()) {
            dialog->reject();
            return;
        }
        // The name the dialog offered is selected in its file list, and a
        // selection wins over the typed name unless typing into the focused
        // field drops it; without a window manager the field may not get
        // the focus, so the person clears the list's selection as well.
        w->activateWindow();
        edit->setFocus();
        for (auto* view : w->findChildren<QAbstractItemView*>())
            view->clearSelection();
        edit->setText(FileNames.front());
        FileNames.pop_front();
        dialog->accept();
    }

    void CloseStuckWindow() {
        QWidget* window = QApplication::activeModalWidget();
        if (window != Watched) {
            Watched = window;
            Since.start();
            return;
        }
        if (!window || Since.elapsed() < 20000)
            return;
        Stuck << window->objectName();
        if (auto* dialog = qobject_cast<QDialog*>(window))
            dialog->reject();
        else
            window->close();
        Since.start();
    }

    QTimer Guard;
    QPointer<QWidget> Watched;
    QElapsedTimer Since;
};

} // namespace orvanta::test
