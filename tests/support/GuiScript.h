#pragma once

// A person at the program's windows, for the tests that drive whole
// sessions: acting in each modal window by its object name as it comes up,
// and typing values into the grid editors.

#include "mteditor/MTEditForm.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <map>

namespace orvanta::test {

// Acts in each modal window by its name. A window with no act is left alone,
// or, with AnswerTheRest, confirmed with its "OkButton" (rejected when it has
// none). Windows named in Ignored are left to the test itself.
class TWindowPerson : public QObject {
public:
    std::map<QString, std::function<void(QWidget*)>> Acts;
    QStringList Seen;
    QStringList Ignored;
    bool AnswerTheRest = false;

    TWindowPerson() {
        connect(&Poller, &QTimer::timeout, this, [this] {
            QWidget* window = QApplication::activeModalWidget();
            if (!window || window == Last || Ignored.contains(window->objectName()))
                return;
            Last = window;
            Seen << window->objectName();
            auto act = Acts.find(window->objectName());
            if (act != Acts.end())
                act->second(window);
            else if (!AnswerTheRest)
                return;
            else if (auto* ok = window->findChild<QPushButton*>(QStringLiteral("OkButton")))
                ok->click();
            else if (auto* dialog = qobject_cast<QDialog*>(window))
                dialog->reject();
        });
        Poller.start(5);
    }

private:
    QTimer Poller;
    QPointer<QWidget> Last;
};

// Types a new value into a cell of a grid editor and confirms it with Enter;
// the closed cell editor is gone before the next one opens.
inline void EnterValue(TMTEditForm& form, TGridCell cell, const QString& value) {
    form.SetCurrentCell(cell);
    QTest::keyClick(form.MatrixGrid, Qt::Key_Return);
    auto* editor = form.MatrixGrid->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->setText(value);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace orvanta::test
