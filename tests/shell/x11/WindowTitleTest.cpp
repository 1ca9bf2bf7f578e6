// The titles of the program's windows as the desktop gets them, on a real
// X server: exactly the program's captions, with nothing appended.
#include "shell/ApplicationSetup.h"
#include "shell/FormList.h"
#include "shell/MessageBoxes.h"
#include "shell/OptionsForm.h"

#include <QApplication>
#include <QTimer>
#include <QtTest>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

using namespace orvanta;

namespace {

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

// The window's name as the window manager reads it.
QString DesktopTitle(QWidget& window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return QStringLiteral("(no X server)");
    xcb_connection_t* connection = x11->connection();
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, static_cast<xcb_window_t>(window.winId()),
                         Atom(connection, "_NET_WM_NAME"), Atom(connection, "UTF8_STRING"), 0, 256);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
    QString title;
    if (reply)
        title = QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(reply)),
                                  xcb_get_property_value_length(reply));
    std::free(reply);
    return title;
}

} // namespace

class TWindowTitleTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { SetUpApplication(*qApp); }

    void DialogsCarryTheirOwnCaptions() {
        TOptionsForm options;
        TShowDialog show;
        for (QWidget* dialog : {static_cast<QWidget*>(&options), static_cast<QWidget*>(&show)}) {
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
        }
        QCOMPARE(DesktopTitle(options), QStringLiteral("Параметры"));
        QCOMPARE(DesktopTitle(show), QStringLiteral("Показать"));
    }

    void MessageBoxesKeepTheProgramsName() {
        QString title;
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            if (QWidget* box = QApplication::activeModalWidget(); box && box->isVisible()) {
                title = DesktopTitle(*box);
                box->close();
            }
        });
        answer.start(20);
        ShowMessageBox(nullptr, TBoxKind::Info, "Отчет сохранен.");
        QCOMPARE(title, QStringLiteral("Орванта"));
    }
};

QTEST_MAIN(TWindowTitleTest)
#include "WindowTitleTest.moc"
