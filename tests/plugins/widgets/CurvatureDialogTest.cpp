#include "DialogHarness.h"
#include "FakePlanService.h"

#include "numeric/Cp1251.h"
#include "plugins/common/SafeLineFileWriter.h"
#include "plugins/rheobend/CurvatureDialog.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using orvanta::TCurvatureDialog;
using orvanta::test::ReadCrLfLines;
using orvanta::test::TDialogHarness;
using orvanta::test::TFakePlanService;

class CurvatureDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        Fake.ModelNameBytes = orvanta::Utf8ToCp1251("Сумма линейной функции и экспоненты");
        Fake.HasModel = true;
        Fake.Dimension = 1;
        Fake.Coefficients = {0.5, 1.0, 2.0};
        QVERIFY(Dir.isValid());
        Path = Dir.filePath(QStringLiteral("curvature.csv"));
        QFile::remove(Path);
    }

    void writesFiveLinesWithTheDefaults() {
        TCurvatureDialog dialog(Fake.Service(), Writer);
        TDialogHarness harness;
        harness.Answer = CFileSaveDialog::TAnswer{Path.toStdString(), 1};
        const auto [result, stillOpen] =
            harness.Run(dialog, [&] { dialog.Button(TCurvatureDialog::IdCompute)->Click(); });
        QVERIFY(!stillOpen);
        QCOMPARE(result, int(TCurvatureDialog::IdCompute));
        QVERIFY(harness.Boxes.empty());
        QCOMPARE(harness.SaveTitles, std::vector<std::string>{"Сохранить значения в файл"});
        QCOMPARE(harness.SaveFilters,
                 std::vector<std::string>{"Текстовые базы данных (*.csv)|*.csv"});
        const auto lines = ReadCrLfLines(Path);
        QVERIFY(lines);
        QCOMPARE(lines->size(), 5);
        const double xs[] = {-1.0, -0.6, -0.2, 0.2, 0.6};
        for (int i = 0; i < 5; ++i) {
            const QStringList fields = lines->at(i).split(QLatin1Char(';'));
            QCOMPARE(fields.size(), 2);
            QVERIFY(std::abs(fields[0].toDouble() - xs[i]) < 1e-12);
            // y = 0.5 + x + 2 e^x: y' = 1 + 2 e^x, y'' = 2 e^x.
            const double slope = 1.0 + 2.0 * std::exp(xs[i]);
            const double expected = 2.0 * std::exp(xs[i]) / std::pow(1.0 + slope * slope, 1.5);
            QVERIFY2(std::abs(fields[1].toDouble() - expected) < 1e-5 * expected,
                     qPrintable(lines->at(i)));
        }
    }

    void refusesBadFields_data() {
        QTest::addColumn<QString>("divisions");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("warning");
        const QString divisions =
            QStringLiteral("В поле 'Делений' должно находится число от 3 до 100.");
        const QString interval = QStringLiteral("Неверный интервал изменения аргумента.");
        QTest::newRow("emptyInterval")
            << QStringLiteral("5") << QStringLiteral("1") << QStringLiteral("1") << interval;
        QTest::newRow("reversed") << QStringLiteral("5") << QStringLiteral("2")
                                  << QStringLiteral("-2") << interval;
        QTest::newRow("hundredAndOne") << QStringLiteral("101") << QStringLiteral("-1.0")
                                       << QStringLiteral("1.0") << divisions;
        QTest::newRow("letters") << QStringLiteral("abc") << QStringLiteral("-1.0")
                                 << QStringLiteral("1.0") << divisions;
    }

    void refusesBadFields() {
        QFETCH(QString, divisions);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, warning);
        TCurvatureDialog dialog(Fake.Service(), Writer);
        TDialogHarness harness;
        harness.Answer = CFileSaveDialog::TAnswer{Path.toStdString(), 1};
        const auto [result, stillOpen] = harness.Run(dialog, [&] {
            dialog.SetItemText(TCurvatureDialog::IdDivisions, divisions.toStdString());
            dialog.SetItemText(TCurvatureDialog::IdFrom, from.toStdString());
            dialog.SetItemText(TCurvatureDialog::IdTo, to.toStdString());
            dialog.Button(TCurvatureDialog::IdCompute)->Click();
        });
        Q_UNUSED(result);
        QVERIFY(stillOpen);
        QVERIFY(harness.SaveTitles.empty());
        QCOMPARE(harness.Boxes.size(), std::size_t(1));
        QCOMPARE(harness.Boxes[0].Kind, TMessageKind::Warning);
        QCOMPARE(QString::fromStdString(harness.Boxes[0].Text), warning);
        QVERIFY(!QFile::exists(Path));
    }

    void closesWithoutAFileWhenTheChoiceIsCancelled() {
        TCurvatureDialog dialog(Fake.Service(), Writer);
        TDialogHarness harness;
        const auto [result, stillOpen] =
            harness.Run(dialog, [&] { dialog.Button(TCurvatureDialog::IdCompute)->Click(); });
        QVERIFY(!stillOpen);
        QCOMPARE(result, int(TCurvatureDialog::IdCompute));
        QVERIFY(harness.Boxes.empty());
        QCOMPARE(harness.SaveTitles.size(), std::size_t(1));
    }

    void reportsAMissingModelAndCloses() {
        Fake.HasModel = false;
        TCurvatureDialog dialog(Fake.Service(), Writer);
        TDialogHarness harness;
        harness.Answer = CFileSaveDialog::TAnswer{Path.toStdString(), 1};
        const auto [result, stillOpen] =
            harness.Run(dialog, [&] { dialog.Button(TCurvatureDialog::IdCompute)->Click(); });
        QVERIFY(!stillOpen);
        QCOMPARE(harness.Boxes.size(), std::size_t(1));
        QCOMPARE(harness.Boxes[0].Kind, TMessageKind::Error);
        QCOMPARE(harness.Boxes[0].Text,
                 std::string("Внутренняя ошибка: GetMainServer()->GetModel()==NULL"));
        const auto lines = ReadCrLfLines(Path);
        QVERIFY(lines);
        QVERIFY(lines->isEmpty());
    }

    void extremumButtonDoesNothing() {
        TCurvatureDialog dialog(Fake.Service(), Writer);
        TDialogHarness harness;
        const auto [result, stillOpen] =
            harness.Run(dialog, [&] { dialog.Button(TCurvatureDialog::IdExtremum)->Click(); });
        Q_UNUSED(result);
        QVERIFY(stillOpen);
        QVERIFY(harness.Boxes.empty());
        QVERIFY(harness.SaveTitles.empty());
    }

private:
    TFakePlanService Fake;
    orvanta::TSafeLineFileWriter Writer;
    QTemporaryDir Dir;
    QString Path;
};

QTEST_MAIN(CurvatureDialogTest)
#include "CurvatureDialogTest.moc"
