#pragma once

// A person working through a run of modal windows (the steps of a wizard
// and the dialogs they open), and the clicks they make.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QListWidget>
#include <QPointer>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include <deque>
#include <functional>

namespace orvanta::test {

inline QString operator""_q(const char* text, std::size_t size) {
    return QString::fromUtf8(text, static_cast<qsizetype>(size));
}

// ---- A person in front of the modal windows ----

// One window the person expects to see, and what they do in it.
struct TAct {
    QString Window;
    std::function<void(QWidget*)> Do;
};

// Acts in each modal window as it comes up, in the order given. The acts run
// from the event loop, so an act may open a further modal window (the
// bad-addens dialog) and the next act is done in that one. A window nobody
// expected, or one left open for five seconds, is cancelled and the test
// fails.
class TPerson : public QObject {
public:
    std::deque<TAct> Acts;
    QStringList Seen;
    QString Failure;

    TPerson() {
        Poller.setInterval(5);
        connect(&Poller, &QTimer::timeout, this, &TPerson::Poll);
        Poller.start();
        Since.start();
    }
    TPerson& Then(const QString& window, std::function<void(QWidget*)> act) {
        Acts.push_back({window, std::move(act)});
        return *this;
    }

private:
    void Poll() {
        if (Last && !Last->isVisible())
            Last = nullptr;
        QWidget* window = QApplication::activeModalWidget();
        if (!window)
            return;
        if (window == Last) {
            if (Since.elapsed() > 5000)
                GiveUp(window, QStringLiteral("left open: ") + window->objectName());
            return;
        }
        Last = window;
        Since.restart();
        Seen << window->objectName();
        if (Acts.empty() || Acts.front().Window != window->objectName()) {
            GiveUp(window, QStringLiteral("unexpected window: ") + window->objectName());
            return;
        }
        auto act = std::move(Acts.front().Do);
        Acts.pop_front();
        QTimer::singleShot(0, window, [window, act] {
            window->activateWindow();
            act(window);
        });
    }
    void GiveUp(QWidget* window, const QString& why) {
        if (Failure.isEmpty())
            Failure = why;
        if (auto* dialog = qobject_cast<QDialog*>(window))
            dialog->reject();
    }

    QTimer Poller;
    QElapsedTimer Since;
    QPointer<QWidget> Last;
};

inline void Click(QAbstractButton* button) {
    QVERIFY2(button->isEnabled(), qPrintable(button->text()));
    // Check boxes and radio buttons answer on their box and label only,
    // which start at the left; push buttons anywhere.
    const bool box = qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button);
    const QPoint at = box ? QPoint(button->height() / 2, button->height() / 2) : QPoint();
    QTest::mouseClick(button, Qt::LeftButton, {}, at);
}

inline void ClickItem(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(!items.isEmpty(), qPrintable(text));
    list->scrollToItem(items.front());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(items.front()).center());
    QVERIFY(items.front()->isSelected());
}

inline QStringList Texts(const QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

inline QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace orvanta::test
