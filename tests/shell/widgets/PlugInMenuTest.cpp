// The plug-ins' tools in the program's "До&полнения" menu: enabled by what
// the open plan is, after its analysis — the simplex tools for the mixture
// example, the curvature tool for the one-factor exponential example, none
// for a factorial plan — and a tool's dialog opening over the main window.
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "services/PlugIns.h"
#include "shell/MainForm.h"

#include "GuiScript.h"
#include "MainWindowScript.h"
#include "TempFolder.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace orvanta;

class TPlugInMenuTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> Main;
    std::unique_ptr<test::TWindowPerson> Person;
    std::vector<std::string> Boxes;

    // Each tool's caption and whether the menu offers it, as the menu shows
    // them when it opens.
    QMap<QString, bool> Offered() {
        auto* menu = Main->findChild<QMenu*>(QStringLiteral("PlugInsMenu"));
        Q_EMIT menu->aboutToShow();
        QMap<QString, bool> offered;
        for (QAction* item : menu->actions())
            offered[item->text()] = item->isEnabled();
        return offered;
    }

private slots:
    void init() {
        test::CatchMessageBoxes(Boxes, [] { return TAnswer::Yes; });
    }
    void cleanup() {
        Person.reset();
        test::EndSession(Main);
    }

    void ToolsFollowThePlan_data() {
        QTest::addColumn<QString>("plan");
        QTest::addColumn<int>("enabled");
        QTest::addColumn<QString>("kind");
        QTest::newRow("mixture: both simplex tools") << "simplex32-blend.mpl" << 2 << "simplex";
        QTest::newRow("one factor: the curvature tool") << "exp1-drying.mpl" << 1 << "curvature";
        QTest::newRow("factorial: none") << "ffe23-yield.mpl" << 0 << "";
    }

    void ToolsFollowThePlan() {
        QFETCH(QString, plan);
        QFETCH(int, enabled);
        QFETCH(QString, kind);
        Main = test::StartMainWindow(plan.toUtf8().constData());
        QCOMPARE(Main->PlugIns().ToolCount(), 3);
        // Before the analysis there are no coefficients: nothing to offer.
        QCOMPARE(Offered().values(), QList<bool>({false, false, false}));
        Person = std::make_unique<test::TWindowPerson>();
        Person->AnswerTheRest = true;
        Settings().CBFisherActivateReport = false;
        Main->findChild<QAction*>(QStringLiteral("AnalysisItem"))->trigger();
        const QMap<QString, bool> offered = Offered();
        QCOMPARE(offered.size(), 3);
        QCOMPARE(static_cast<int>(offered.values().count(true)), enabled);
        // The tools of one plug-in come one after the other: the two simplex
        // tools are the enabled pair, the curvature tool the lone one.
        if (kind == QStringLiteral("simplex"))
            QVERIFY(!Main->PlugIns().ToolEnabled(0) && Main->PlugIns().ToolEnabled(1) &&
                    Main->PlugIns().ToolEnabled(2));
        if (kind == QStringLiteral("curvature"))
            QVERIFY(Main->PlugIns().ToolEnabled(0) && !Main->PlugIns().ToolEnabled(1));
    }

    // The lattice tool of the mixture example, from the menu: its dialog over
    // the main window writes the fitted response at the lattice's points.
    void LatticeToolWritesTheLattice() {
        Main = test::StartMainWindow("simplex32-blend.mpl");
        Person = std::make_unique<test::TWindowPerson>();
        Person->AnswerTheRest = true;
        Settings().CBFisherActivateReport = false;
        Main->findChild<QAction*>(QStringLiteral("AnalysisItem"))->trigger();
        Person.reset();
        test::TTempFolder folder("orvan-lattice");
        const QString path = QString::fromStdString(folder.File("lattice.csv"));
        bool owned = false;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            owned = dialog->parentWidget() == Main.get();
            dialog->findChild<QLineEdit*>(QStringLiteral("Control1000"))
                ->setText(QStringLiteral("3"));
            dialog->findChild<QLineEdit*>(QStringLiteral("Control1002"))->setText(path);
            dialog->findChild<QPushButton*>(QStringLiteral("Control1008"))->click();
        });
        auto* menu = Main->findChild<QMenu*>(QStringLiteral("PlugInsMenu"));
        Q_EMIT menu->aboutToShow();
        QAction* lattice = menu->actions().at(1);
        QVERIFY(lattice->isEnabled());
        lattice->trigger();
        QVERIFY(owned);
        const std::string text = test::ReadAll(path.toStdString());
        QCOMPARE(std::count(text.begin(), text.end(), '\n'), 10);
        QVERIFY(text.rfind("1.000000;0.000000;0.000000;", 0) == 0);
        QVERIFY(text.find("\r\n") != std::string::npos);
    }
};

QTEST_MAIN(TPlugInMenuTest)
#include "PlugInMenuTest.moc"
