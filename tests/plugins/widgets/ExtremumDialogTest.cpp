#include "DialogHarness.h"
#include "FakePlanService.h"

#include "plugins/trilattice/ExtremumDialog.h"

#include <QtTest>

using orvanta::TExtremumDialog;
using orvanta::test::TDialogHarness;
using orvanta::test::TFakePlanService;

class ExtremumDialogTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheResult_data() {
        QTest::addColumn<bool>("maximum");
        QTest::addColumn<QString>("text");
        // x1 x2 x3 peaks at the centroid (1/27), which is not a lattice
        // point for n = 3; every corner reads 0 and (1, 0, 0) comes first.
        QTest::newRow("maximum") << true
                                 << QStringLiteral("Координаты точки максимума:\r\n0.333333\r\n"
                                                   "0.333333\r\n0.333333\r\nЗначение: 0.037037");
        QTest::newRow("minimum") << false
                                 << QStringLiteral("Координаты точки минимума:\r\n1.000000\r\n"
                                                   "0.000000\r\n0.000000\r\nЗначение: 0.000000");
    }

    void showsTheResult() {
        QFETCH(bool, maximum);
        QFETCH(QString, text);
        TFakePlanService fake;
        fake.Response = [](const double* x) { return x[0] * x[1] * x[2]; };
        TExtremumDialog dialog(fake.Service());
        TDialogHarness harness;
        const auto [result, stillOpen] = harness.Run(dialog, [&] {
            QVERIFY(dialog.IsChecked(TExtremumDialog::IdMinimum));
            QVERIFY(!dialog.IsChecked(TExtremumDialog::IdMaximum));
            dialog.SetItemText(TExtremumDialog::IdDivisions, "3");
            if (maximum)
                dialog.Button(TExtremumDialog::IdMaximum)->Click();
            dialog.Button(TExtremumDialog::IdFind)->Click();
            QCOMPARE(QString::fromStdString(dialog.GetItemText(TExtremumDialog::IdResult)), text);
        });
        Q_UNUSED(result);
        QVERIFY(stillOpen);
        QVERIFY(harness.Boxes.empty());
    }

    void warnsAboutTheDivisionsAndKeepsTheResult() {
        TFakePlanService fake;
        TExtremumDialog dialog(fake.Service());
        TDialogHarness harness;
        harness.Run(dialog, [&] {
            dialog.Button(TExtremumDialog::IdFind)->Click();
            const std::string found = dialog.GetItemText(TExtremumDialog::IdResult);
            QVERIFY(!found.empty());
            dialog.SetItemText(TExtremumDialog::IdDivisions, "abc");
            dialog.Button(TExtremumDialog::IdFind)->Click();
            QCOMPARE(dialog.GetItemText(TExtremumDialog::IdResult), found);
        });
        QCOMPARE(harness.Boxes.size(), std::size_t(1));
        QCOMPARE(harness.Boxes[0].Kind, TMessageKind::Warning);
        QCOMPARE(harness.Boxes[0].Text,
                 std::string("В поле 'Делений' должно находится число от 3 до 100."));
    }

    void closeEndsTheDialog() {
        TFakePlanService fake;
        TExtremumDialog dialog(fake.Service());
        TDialogHarness harness;
        const auto [result, stillOpen] =
            harness.Run(dialog, [&] { dialog.Button(TExtremumDialog::IdClose)->Click(); });
        QVERIFY(!stillOpen);
        QCOMPARE(result, int(TExtremumDialog::IdClose));
        QCOMPARE(fake.Predictions, 0);
    }
};

QTEST_MAIN(ExtremumDialogTest)
#include "ExtremumDialogTest.moc"
