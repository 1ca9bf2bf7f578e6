// The check lists of "Свернуть", "Показать" and "Расположить окна", and the
// window operations they lead to.
#include "shell/FormList.h"

#include "ScriptedHost.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "services/PlanService.h"
#include "shell/WindowArrangement.h"
#include "shell/WindowListHandler.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <string>
#include <vector>

using namespace orvanta;

namespace {

using W = TPlanWindow;

QString Caption(W window) {
    return QString::fromUtf8(PlanWindowCaption(window));
}

// Records what the lists do to the windows, one line per call.
class TRecordingOps : public TWindowListOps {
public:
    void ShowPlanWindow(W window) override { Calls << QStringLiteral("show ") + Caption(window); }
    void MinimizePlanWindow(W window) override {
        Calls << QStringLiteral("minimize ") + Caption(window);
    }
    void PlacePlanWindow(W window, const TWindowRect& r) override {
        Calls << QStringLiteral("place %1 %2,%3 - %4,%5")
                     .arg(Caption(window))
                     .arg(r.Left)
                     .arg(r.Top)
                     .arg(r.Right)
                     .arg(r.Bottom);
    }
    void ArrangeDiagram() override { Calls << QStringLiteral("arrange diagram"); }

    QStringList Calls;
};

const std::vector<W> AllWindows = {W::CodeMatrix, W::NaturalMatrix, W::BaseLevels, W::Intervals,
                                   W::Responses,  W::Report,        W::Diagram};

} // namespace

Q_DECLARE_METATYPE(TListOperation)

class FormListTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TScriptedHost> Host;
    std::unique_ptr<TRaruRuro> Plan;
    std::unique_ptr<TPlanService> Service;
    std::unique_ptr<TRecordingOps> Ops;
    std::unique_ptr<TWindowListHandler> Handler;
    bool DialogShown = false;

    // Every plan window open; minimized ones too when `minimized`.
    void OpenAll(bool minimized) {
        using D = TDataWindow;
        Host->OpenWindows = {D::CodeMatrix, D::NaturalMatrix, D::BaseLevels, D::Intervals,
                             D::Responses};
        Host->MinimizedWindows = minimized ? Host->OpenWindows : std::set<D>{};
        Host->ReportOpen = true;
        Host->ReportMinimized = minimized;
        Service->Graphs.CurveReady = true;
        Service->Graphs.Show(!minimized);
    }

    // What the person does in the operation's dialog once it is up; without
    // a visible dialog nothing happens (and DialogShown stays false).
    void Answer(TListOperation operation, std::function<void(TFormList&)> act) {
        TFormList& dialog = Handler->Dialog(operation);
        QTimer::singleShot(0, this, [this, &dialog, act] {
            if (!dialog.isVisible())
                return;
            DialogShown = true;
            act(dialog);
        });
    }

    bool Run(TListOperation operation) {
        switch (operation) {
        case TListOperation::Minimize:
            return Handler->Minimize();
        case TListOperation::Show:
            return Handler->Show();
        case TListOperation::Arrange:
            break;
        }
        return Handler->Arrange({0, 0, 800, 600});
    }

    static void Uncheck(TFormList& dialog, W window) {
        const QList<QListWidgetItem*> items =
            dialog.LBWindows->findItems(Caption(window), Qt::MatchExactly);
        QCOMPARE(items.size(), 1);
        items.front()->setCheckState(Qt::Unchecked);
    }

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void dialogsDifferOnlyInCaption_data();
    void dialogsDifferOnlyInCaption();
    void listShowsCaptionsAllChecked();
    void uncheckedWindowsAreLeftAlone_data();
    void uncheckedWindowsAreLeftAlone();
    void cancelLeavesEveryWindowAsItWas_data();
    void cancelLeavesEveryWindowAsItWas();
    void arrangeWithoutTheListActsAtOnce();
    void hiddenListLeavesTheSettingAlone();
    void arrangePlacesRowsFromTheBottomUp();
    void unavailableOperationShowsNothing();
    void optionsSetTheCheckBoxes();
};

void FormListTest::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

void FormListTest::init() {
    Settings().SetDefaults();
    Host = std::make_unique<test::TScriptedHost>();
    Plan = std::make_unique<TRaruRuro>(*Host);
    Service = std::make_unique<TPlanService>(*Plan);
    Ops = std::make_unique<TRecordingOps>();
    Handler = std::make_unique<TWindowListHandler>(*Service, *Ops, nullptr);
    DialogShown = false;
}

void FormListTest::cleanup() {
    Handler.reset();
    Ops.reset();
    Service.reset();
    Plan.reset();
    Host.reset();
    Settings().SetDefaults();
}

void FormListTest::dialogsDifferOnlyInCaption_data() {
    QTest::addColumn<TListOperation>("operation");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("minimize") << TListOperation::Minimize << QStringLiteral("MinimizeDialog")
                              << QStringLiteral("Свернуть");
    QTest::newRow("show") << TListOperation::Show << QStringLiteral("ShowDialog")
                          << QStringLiteral("Показать");
    QTest::newRow("arrange") << TListOperation::Arrange << QStringLiteral("ArrangeDialog")
                             << QStringLiteral("Расположить окна");
}

void FormListTest::dialogsDifferOnlyInCaption() {
    QFETCH(TListOperation, operation);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    TFormList& dialog = Handler->Dialog(operation);
    QCOMPARE(dialog.objectName(), name);
    QCOMPARE(dialog.windowTitle(), caption);
    QVERIFY(dialog.inherits("orvanta::TFormList"));

    const auto* group = dialog.findChild<QGroupBox*>();
    QVERIFY(group);
    QCOMPARE(group->title(), QStringLiteral(" Окна "));
    QCOMPARE(dialog.findChild<QListWidget*>(QStringLiteral("LBWindows"))->parentWidget(), group);
    auto* showAlways = dialog.findChild<QCheckBox*>(QStringLiteral("CBShowAlways"));
    QVERIFY(showAlways);
    QCOMPARE(showAlways->text(), QStringLiteral("Всегда выводить этот список"));
    QVERIFY(showAlways->isChecked());
    QStringList buttons;
    for (const QPushButton* button : dialog.findChildren<QPushButton*>())
        buttons << button->text() +
                       (button->isDefault() ? QStringLiteral(" (default)") : QString());
    buttons.sort();
    QCOMPARE(buttons, (QStringList{QStringLiteral("OK (default)"), QStringLiteral("Отмена")}));
}

void FormListTest::listShowsCaptionsAllChecked() {
    TMinimizeDialog dialog;
    dialog.SetWindows({W::NaturalMatrix, W::Report, W::Diagram});
    dialog.LBWindows->item(1)->setCheckState(Qt::Unchecked);
    // A new list starts all checked again, whatever was unchecked before.
    dialog.SetWindows(AllWindows);
    QStringList captions;
    for (int row = 0; row < dialog.LBWindows->count(); ++row) {
        captions << dialog.LBWindows->item(row)->text();
        QCOMPARE(dialog.LBWindows->item(row)->checkState(), Qt::Checked);
    }
    QCOMPARE(captions, (QStringList{QStringLiteral("Матрица плана в кодовом выражении"),
                                    QStringLiteral("Матрица плана в натуральном выражении"),
                                    QStringLiteral("Вектор основных уровней"),
                                    QStringLiteral("Вектор интервалов варьирования"),
                                    QStringLiteral("Матрица откликов"),
                                    QStringLiteral("Окно отчета"), QStringLiteral("Диаграмма")}));
    QCOMPARE(dialog.CheckedWindows(), AllWindows);
}

void FormListTest::uncheckedWindowsAreLeftAlone_data() {
    QTest::addColumn<TListOperation>("operation");
    QTest::addColumn<bool>("minimized");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("minimize") << TListOperation::Minimize << false
                              << QStringList{
                                     QStringLiteral("minimize Матрица плана в кодовом выражении"),
                                     QStringLiteral("minimize Вектор основных уровней"),
                                     QStringLiteral("minimize Вектор интервалов варьирования"),
                                     QStringLiteral("minimize Матрица откликов"),
                                     QStringLiteral("minimize Диаграмма")};
    QTest::newRow("show") << TListOperation::Show << true
                          << QStringList{QStringLiteral("show Матрица плана в кодовом выражении"),
                                         QStringLiteral("show Вектор основных уровней"),
                                         QStringLiteral("show Вектор интервалов варьирования"),
                                         QStringLiteral("show Матрица откликов"),
                                         QStringLiteral("show Диаграмма")};
    // The code matrix and the responses, alone in their rows, take the full width.
    QTest::newRow("arrange")
        << TListOperation::Arrange << false
        << QStringList{QStringLiteral("place Матрица откликов 0,360 - 800,600"),
                       QStringLiteral("place Вектор интервалов варьирования 400,210 - 800,360"),
                       QStringLiteral("place Вектор основных уровней 0,210 - 400,360"),
                       QStringLiteral("place Матрица плана в кодовом выражении 0,0 - 800,210"),
                       QStringLiteral("arrange diagram")};
}

void FormListTest::uncheckedWindowsAreLeftAlone() {
    QFETCH(TListOperation, operation);
    QFETCH(bool, minimized);
    QFETCH(QStringList, expected);
    OpenAll(minimized);
    Answer(operation, [](TFormList& dialog) {
        Uncheck(dialog, W::NaturalMatrix);
        Uncheck(dialog, W::Report);
        QTest::mouseClick(dialog.OKButton, Qt::LeftButton);
    });
    QVERIFY(Run(operation));
    QVERIFY(DialogShown);
    QCOMPARE(Ops->Calls, expected);
}

void FormListTest::cancelLeavesEveryWindowAsItWas_data() {
    QTest::addColumn<TListOperation>("operation");
    QTest::addColumn<bool>("minimized");
    QTest::newRow("minimize") << TListOperation::Minimize << false;
    QTest::newRow("show") << TListOperation::Show << true;
    QTest::newRow("arrange") << TListOperation::Arrange << false;
}

void FormListTest::cancelLeavesEveryWindowAsItWas() {
    QFETCH(TListOperation, operation);
    QFETCH(bool, minimized);
    OpenAll(minimized);
    // Even with "Всегда выводить этот список" unchecked on the way out.
    Answer(operation, [](TFormList& dialog) {
        dialog.CBShowAlways->setChecked(false);
        QTest::mouseClick(dialog.CancelButton, Qt::LeftButton);
    });
    QVERIFY(!Run(operation));
    QVERIFY(DialogShown);
    QCOMPARE(Ops->Calls, QStringList{});
    QVERIFY(Settings().CBShowHideList && Settings().CBShowShowList && Settings().CBShowArrangeList);
    QVERIFY(Handler->Dialog(operation).ShowAlways());

    // Escape cancels as well.
    Answer(operation, [](TFormList& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
    QVERIFY(!Run(operation));
    QCOMPARE(Ops->Calls, QStringList{});
}

void FormListTest::arrangeWithoutTheListActsAtOnce() {
    OpenAll(false);
    Answer(TListOperation::Arrange, [](TFormList& dialog) {
        Uncheck(dialog, W::Diagram);
        dialog.CBShowAlways->setChecked(false);
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    QVERIFY(Handler->Arrange({0, 0, 800, 600}));
    QVERIFY(DialogShown);
    QVERIFY(!Settings().CBShowArrangeList);
    QVERIFY(Settings().CBShowHideList && Settings().CBShowShowList);
    QCOMPARE(Ops->Calls.size(), 6);
    QVERIFY(!Ops->Calls.contains(QStringLiteral("arrange diagram")));

    // Next time: no dialog, and every listed window, the diagram included.
    Ops->Calls.clear();
    DialogShown = false;
    Answer(TListOperation::Arrange, [](TFormList& dialog) { dialog.reject(); });
    QVERIFY(Handler->Arrange({0, 0, 800, 600}));
    QTest::qWait(0);
    QVERIFY(!DialogShown);
    QCOMPARE(Ops->Calls.size(), 7);
    QCOMPARE(Ops->Calls.back(), QStringLiteral("arrange diagram"));
}

void FormListTest::hiddenListLeavesTheSettingAlone() {
    // The quiet arrange after New or Open switches the list off for one call.
    OpenAll(false);
    TFormList& dialog = Handler->Dialog(TListOperation::Arrange);
    dialog.SetShowAlways(false);
    QVERIFY(Handler->Arrange({0, 0, 800, 600}));
    QVERIFY(Settings().CBShowArrangeList);
    QCOMPARE(Ops->Calls.size(), 7);
}

void FormListTest::arrangePlacesRowsFromTheBottomUp() {
    OpenAll(false);
    Answer(TListOperation::Arrange,
           [](TFormList& dialog) { QTest::mouseClick(dialog.OKButton, Qt::LeftButton); });
    // 1000 x 800 at (10, 20): rows of 280, 200 and 320 pixels.
    QVERIFY(Handler->Arrange({10, 20, 1010, 820}));
    const QStringList expected = {
        QStringLiteral("place Окно отчета 510,500 - 1010,820"),
        QStringLiteral("place Матрица откликов 10,500 - 510,820"),
        QStringLiteral("place Вектор интервалов варьирования 510,300 - 1010,500"),
        QStringLiteral("place Вектор основных уровней 10,300 - 510,500"),
        QStringLiteral("place Матрица плана в натуральном выражении 510,20 - 1010,300"),
        QStringLiteral("place Матрица плана в кодовом выражении 10,20 - 510,300"),
        QStringLiteral("arrange diagram")};
    QCOMPARE(Ops->Calls, expected);
}

void FormListTest::unavailableOperationShowsNothing() {
    // No plan window at all: none of the three has anything to act on.
    for (TListOperation operation :
         {TListOperation::Minimize, TListOperation::Show, TListOperation::Arrange}) {
        Answer(operation, [](TFormList& dialog) { dialog.reject(); });
        QVERIFY(!Run(operation));
        QTest::qWait(0);
        QVERIFY(!DialogShown);
    }
    QCOMPARE(Ops->Calls, QStringList{});
}

void FormListTest::optionsSetTheCheckBoxes() {
    const bool values[][3] = {{false, true, true}, {true, false, true}, {true, true, false}};
    for (const auto& v : values) {
        Settings().CBShowHideList = v[0];
        Settings().CBShowShowList = v[1];
        Settings().CBShowArrangeList = v[2];
        Handler->ApplyOptions();
        QCOMPARE(Handler->Dialog(TListOperation::Minimize).CBShowAlways->isChecked(), v[0]);
        QCOMPARE(Handler->Dialog(TListOperation::Show).CBShowAlways->isChecked(), v[1]);
        QCOMPARE(Handler->Dialog(TListOperation::Arrange).CBShowAlways->isChecked(), v[2]);
    }
}

QTEST_MAIN(FormListTest)
#include "FormListTest.moc"
