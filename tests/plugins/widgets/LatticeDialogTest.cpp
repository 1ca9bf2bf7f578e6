#include "DialogHarness.h"
#include "FakePlanService.h"

#include "numeric/Cp1251.h"
#include "plugins/common/SafeLineFileWriter.h"
#include "plugins/trilattice/LatticeDialog.h"

#include <QTemporaryDir>
#include <QtTest>

using orvanta::TLatticeDialog;
using orvanta::test::ReadCrLfLines;
using orvanta::test::TDialogHarness;
using orvanta::test::TFakePlanService;

namespace {

const char* const DivisionsWarning = "В поле 'Делений' должно находится число от 3 до 100.";
const char* const FileWarning = "В поле 'Файл' должно находится имя файла.";

} // namespace

class LatticeDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        Fake.ModelNameBytes = orvanta::Utf8ToCp1251("Полином Шеффе линейный");
        // 2 x1 + 3 x2 + 5 x3: the corners read 2, 3 and 5.
        Fake.Response = [](const double* x) { return 2 * x[0] + 3 * x[1] + 5 * x[2]; };
        Fake.Predictions = 0;
        QVERIFY(Dir.isValid());
        Path = Dir.filePath(QStringLiteral("lattice.csv"));
        QFile::remove(Path);
    }

    void opensWithItsDefaults() {
        TLatticeDialog dialog(Fake.Service(), Writer);
        TDialogHarness harness;
        harness.Run(dialog, [&] {
            QCOMPARE(dialog.GetItemText(TLatticeDialog::IdDivisions), std::string("5"));
            QCOMPARE(dialog.GetItemText(TLatticeDialog::IdFile),
                     std::string("РешеткаСимплекса.csv"));
        });
        QCOMPARE(dialog.Template().Caption, std::string("Расчет значений на симплекс-решетке"));
    }

    void writesTheLatticeForThreeDivisions() {
        TLatticeDialog dialog(Fake.Service(), Writer);
        TDialogHarness harness;
        const auto [result, stillOpen] = harness.Run(dialog, [&] {
            dialog.SetItemText(TLatticeDialog::IdDivisions, "3");
            dialog.SetItemText(TLatticeDialog::IdFile, Path.toStdString());
            dialog.Button(TLatticeDialog::IdOk)->Click();
        });
        QVERIFY(!stillOpen);
        QCOMPARE(result, int(TLatticeDialog::IdOk));
        QVERIFY(harness.Boxes.empty());
        const auto lines = ReadCrLfLines(Path);
        QVERIFY(lines);
        QCOMPARE(lines->size(), 10);
        QCOMPARE(lines->front(), QStringLiteral("1.000000;0.000000;0.000000;2.000000"));
        QCOMPARE(lines->at(1), QStringLiteral("0.666667;0.000000;0.333333;3.000000"));
        QCOMPARE(lines->back(), QStringLiteral("0.000000;1.000000;0.000000;3.000000"));
    }

    void refusesBadFields_data() {
        QTest::addColumn<QString>("divisions");
        QTest::addColumn<bool>("withFile");
        QTest::addColumn<QString>("warning");
        const QString divisions = QString::fromUtf8(DivisionsWarning);
        QTest::newRow("two") << QStringLiteral("2") << true << divisions;
        QTest::newRow("hundredAndOne") << QStringLiteral("101") << true << divisions;
        QTest::newRow("letters") << QStringLiteral("abc") << true << divisions;
        QTest::newRow("noFile") << QStringLiteral("5") << false << QString::fromUtf8(FileWarning);
    }

    void refusesBadFields() {
        QFETCH(QString, divisions);
        QFETCH(bool, withFile);
        QFETCH(QString, warning);
        TLatticeDialog dialog(Fake.Service(), Writer);
        TDialogHarness harness;
        const auto [result, stillOpen] = harness.Run(dialog, [&] {
            dialog.SetItemText(TLatticeDialog::IdDivisions, divisions.toStdString());
            dialog.SetItemText(TLatticeDialog::IdFile, withFile ? Path.toStdString() : "");
            dialog.Button(TLatticeDialog::IdOk)->Click();
        });
        Q_UNUSED(result);
        QVERIFY(stillOpen);
        QCOMPARE(harness.Boxes.size(), std::size_t(1));
        QCOMPARE(harness.Boxes[0].Kind, TMessageKind::Warning);
        QCOMPARE(QString::fromStdString(harness.Boxes[0].Text), warning);
        QVERIFY(!QFile::exists(Path));
    }

    void choosesTheFileWithTheSaveDialog() {
        TLatticeDialog dialog(Fake.Service(), Writer);
        TDialogHarness harness;
        harness.Answer = CFileSaveDialog::TAnswer{Path.toStdString(), 1};
        const auto [result, stillOpen] = harness.Run(dialog, [&] {
            dialog.Button(TLatticeDialog::IdChoose)->Click();
            QCOMPARE(dialog.GetItemText(TLatticeDialog::IdFile), Path.toStdString());
            dialog.Button(TLatticeDialog::IdOk)->Click();
        });
        QVERIFY(!stillOpen);
        QCOMPARE(harness.SaveTitles, std::vector<std::string>{"Сохранить в файл"});
        QCOMPARE(harness.SaveFilters,
                 std::vector<std::string>{"Текстовые базы данных (*.csv)|*.csv"});
        const auto lines = ReadCrLfLines(Path);
        QVERIFY(lines);
        QCOMPARE(lines->size(), 21);
    }

    void keepsTheFieldWhenTheChoiceIsCancelled() {
        TLatticeDialog dialog(Fake.Service(), Writer);
        TDialogHarness harness;
        harness.Run(dialog, [&] {
            dialog.Button(TLatticeDialog::IdChoose)->Click();
            QCOMPARE(dialog.GetItemText(TLatticeDialog::IdFile),
                     std::string("РешеткаСимплекса.csv"));
        });
    }

    void reportsAFileThatCannotBeWritten() {
        TLatticeDialog dialog(Fake.Service(), Writer);
        TDialogHarness harness;
        const std::string missing = Dir.filePath(QStringLiteral("no/such/dir.csv")).toStdString();
        const auto [result, stillOpen] = harness.Run(dialog, [&] {
            dialog.SetItemText(TLatticeDialog::IdFile, missing);
            dialog.Button(TLatticeDialog::IdOk)->Click();
        });
        QVERIFY(stillOpen);
        QCOMPARE(harness.Boxes.size(), std::size_t(1));
        QCOMPARE(harness.Boxes[0].Kind, TMessageKind::Error);
        QCOMPARE(harness.Boxes[0].Text, "Не удается открыть файл '" + missing + "' для записи.");
    }

    void cancelWritesNothing() {
        TLatticeDialog dialog(Fake.Service(), Writer);
        TDialogHarness harness;
        const auto [result, stillOpen] = harness.Run(dialog, [&] {
            dialog.SetItemText(TLatticeDialog::IdFile, Path.toStdString());
            dialog.Button(TLatticeDialog::IdCancel)->Click();
        });
        QVERIFY(!stillOpen);
        QCOMPARE(result, int(TLatticeDialog::IdCancel));
        QVERIFY(!QFile::exists(Path));
        QCOMPARE(Fake.Predictions, 0);
    }

private:
    TFakePlanService Fake;
    orvanta::TSafeLineFileWriter Writer;
    QTemporaryDir Dir;
    QString Path;
};

QTEST_MAIN(LatticeDialogTest)
#include "LatticeDialogTest.moc"
