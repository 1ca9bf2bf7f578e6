// The run sheet through the main window: "Файл" -> "Рабочий лист ..." with
// its order dialog and the real file dialog writes what the batch tool
// writes for the same seed (and a PDF), and "Импорт" -> "Из рабочего листа
// ..." puts the filled sheet into the responses window or refuses it by row.
#include "plan/RaruRuro.h"
#include "runsheetwindows/RunSheetDialog.h"
#include "shell/MainForm.h"
#include "shell/PlanWindows.h"
#include "shell/QtPlanHost.h"

#include "GuiScript.h"
#include "MainWindowScript.h"
#include "TempFolder.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QMenu>
#include <QProcess>
#include <QSpinBox>
#include <QStringList>
#include <QtTest>

#include <fstream>

using namespace orvanta;

namespace {

const QString Example = QStringLiteral(ORVAN_EXAMPLES_DIR "/ccr2-strength.mpl");

// Answers the file dialog with `path` and the filter entry `filter`.
std::function<void(QWidget*)> ChooseFile(const std::string& path, int filter) {
    return [path, filter](QWidget* w) {
        auto* dialog = static_cast<QFileDialog*>(w);
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        types->setCurrentIndex(filter);
        emit types->activated(filter);
        // Selected, not only typed: the dialog's own selection of the last
        // sheet would replace the typed name once the folder is listed.
        dialog->selectFile(QString::fromStdString(path));
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QTimer::singleShot(0, edit, [edit] { QTest::keyClick(edit, Qt::Key_Return); });
    };
}

// Every response of the sheet: 100 x run + repeat; `wrong` changes the
// first setting of the first row.
std::string Filled(const std::string& sheet, bool wrong) {
    QStringList lines = QString::fromStdString(sheet).split(QStringLiteral("\r\n"));
    for (int i = 1; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        QStringList cells = lines[i].split(QLatin1Char(','));
        cells.last() = QString::number(100 * cells[1].toInt() + cells[2].toInt());
        if (wrong && i == 1)
            cells[3] += QStringLiteral("1");
        lines[i] = cells.join(QLatin1Char(','));
    }
    return lines.join(QStringLiteral("\r\n")).toStdString();
}

} // namespace

class TRunSheetWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> Main;
    std::unique_ptr<test::TWindowPerson> Person;
    std::vector<std::string> Boxes;

    void Trigger(const char* item) {
        QAction* action = Main->findChild<QAction*>(QString::fromLatin1(item));
        QVERIFY(action && action->isEnabled());
        action->trigger();
    }

private slots:
    void cleanup() {
        Person.reset();
        test::EndSession(Main);
    }

    void SheetGoesOutAndComesBackThroughTheMenus() {
        test::CatchMessageBoxes(Boxes, [] { return TAnswer::Yes; });
        Main = test::StartMainWindowOn(Example);
        Person = std::make_unique<test::TWindowPerson>();
        const QList<QAction*> file = Main->findChild<QMenu*>(QStringLiteral("FileMenu"))->actions();
        QCOMPARE(file.indexOf(Main->findChild<QAction*>(QStringLiteral("RunSheetItem"))),
                 file.indexOf(Main->findChild<QAction*>(QStringLiteral("SaveAsItem"))) + 1);

        test::TTempFolder folder("orvan-runsheet-window");
        int drawn = -1;
        Person->Acts[QStringLiteral("RunSheetDialog")] = [&](QWidget* w) {
            auto* dialog = static_cast<TRunSheetDialog*>(w);
            QVERIFY(dialog->RandomBox->isChecked());
            dialog->SeedEdit->setValue(2026);
            dialog->NewSeedButton->click();
            drawn = dialog->SeedEdit->value();
            dialog->SeedEdit->setValue(2026);
            dialog->OkButton->click();
        };
        for (int filter : {0, 2}) {
            Person->Acts[QStringLiteral("SaveDialog")] = ChooseFile(folder.File("sheet"), filter);
            Trigger("RunSheetItem");
        }
        QVERIFY(drawn != 2026 && drawn > 0);
        QCOMPARE(Main->StatusPanelText(0), QStringLiteral("Рабочий лист сохранен."));
        QVERIFY(test::ReadAll(folder.File("sheet.pdf")).rfind("%PDF", 0) == 0);
        const std::string sheet = test::ReadAll(folder.File("sheet.csv"));
        QProcess orvan;
        orvan.start(QStringLiteral(ORVAN_BIN_DIR "/orvan"),
                    {QStringLiteral("runsheet"), Example, QStringLiteral("--randomize"),
                     QStringLiteral("--seed"), QStringLiteral("2026"), QStringLiteral("-o"),
                     QString::fromStdString(folder.File("batch.csv"))});
        orvan.waitForFinished(60000);
        QCOMPARE(sheet, test::ReadAll(folder.File("batch.csv")));

        // Filled in and read back: the responses window shows the values.
        std::ofstream(folder.File("filled.csv"), std::ios::binary) << Filled(sheet, false);
        Person->Acts[QStringLiteral("OpenDialog")] = ChooseFile(folder.File("filled.csv"), 0);
        Trigger("ImportRunSheetItem");
        QVERIFY2(Boxes.empty(), Boxes.empty() ? "" : Boxes.front().c_str());
        QCOMPARE(Main->StatusPanelText(0), QStringLiteral("Отклики загружены из рабочего листа."));
        const TRaruRuro& plan = Main->Plan();
        for (int i = 0; i < 9; ++i)
            for (int j = 0; j < 2; ++j)
                QCOMPARE(plan.YMatrix.Get(i, j), 100.0 * (i + 1) + j + 1);
        QAbstractItemModel* grid =
            Main->Host().Windows().Editor(TDataWindow::Responses)->MatrixGrid->model();
        QStringList shown;
        for (int r = 0; r < grid->rowCount(); ++r)
            for (int c = 0; c < grid->columnCount(); ++c)
                shown << grid->index(r, c).data().toString();
        QVERIFY2(shown.contains(QStringLiteral("101")) && shown.contains(QStringLiteral("902")),
                 qPrintable(shown.join(QLatin1Char(' '))));

        // A sheet whose first row (run 2, repeat 2) has another setting.
        std::ofstream(folder.File("wrong.csv"), std::ios::binary) << Filled(sheet, true);
        Person->Acts[QStringLiteral("OpenDialog")] = ChooseFile(folder.File("wrong.csv"), 0);
        Trigger("ImportRunSheetItem");
        QCOMPARE(Boxes, std::vector<std::string>{"Строка 2 рабочего листа: значения факторов не "
                                                 "совпадают с опытом 2 плана."});
        QCOMPARE(plan.YMatrix.Get(1, 1), 202.0);
    }
};

QTEST_MAIN(TRunSheetWindowTest)
#include "RunSheetWindowTest.moc"
