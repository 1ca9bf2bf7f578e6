// The program's file dialogs as a person meets them: a name typed into the
// real dialog and confirmed with Enter, the program's own question before a
// file is replaced, and every file listed under "Все файлы (*.*)".
#include "diagrams/GraphForm.h"
#include "dialogs/ReportForm.h"
#include "numeric/NumberText.h"
#include "plan/RaruRuro.h"
#include "services/PlanService.h"
#include "shell/MainForm.h"
#include "surface3d/GLBitSize.h"

#include "TempFolder.h"

#include "MainWindowScript.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <functional>

using namespace orvanta;

namespace {

// A person at the screen. Each step is either a path, typed into the file
// dialog's name field and confirmed with Enter, or the text of the button
// that answers the next message box. Every box's text is kept; a window that
// no step is left for is cancelled.
class TPerson {
public:
    explicit TPerson(QStringList steps) : Steps(std::move(steps)) {
        QObject::connect(&Timer, &QTimer::timeout, [this] { Act(); });
        Timer.start(10);
    }
    QStringList Boxes;

private:
    QString Next(bool path) {
        if (Steps.isEmpty() || Steps.front().startsWith(QLatin1Char('/')) != path)
            return {};
        return Steps.takeFirst();
    }
    void Act() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            Boxes << box->text();
            const QString answer = Next(false);
            for (QAbstractButton* button : box->buttons())
                if (button->text() == answer)
                    return button->click();
            box->reject();
        } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
            auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            // Typed into the name field: the file selected in the list (the
            // initial name) gives way to the name typed.
            if (!name->hasFocus() && ++FocusTries < 100) {
                files->activateWindow();
                name->setFocus();
                return;
            }
            FocusTries = 0;
            const QString path = Next(true);
            if (path.isEmpty())
                return files->reject();
            name->setText(path);
            // Enter may open a box with its own loop: pressed from a timer
            // of its own, this one keeps watching.
            QTimer::singleShot(0, name, [name] { QTest::keyClick(name, Qt::Key_Return); });
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        }
    }
    QTimer Timer;
    QStringList Steps;
    int FocusTries = 0;
};

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The commands that open or save through a file dialog, with the extension
// the program gives a bare name.
struct TCommand {
    const char* Name;
    const char* Extension;
    std::function<bool(TMainForm&)> Run;
};

const std::string Example = ORVAN_EXAMPLES_DIR "/ffe23-yield.mpl";

const TCommand OpenCommands[] = {
    {"open plan", "mpl", [](TMainForm& main) { return main.Service().OpenPlan(std::nullopt); }},
    {"import code matrix", "txt",
     [](TMainForm& main) { return main.Service().ImportCodeMatrix(); }},
};

const TCommand SaveCommands[] = {
    {"plan, save as", "mpl", [](TMainForm& main) { return main.Service().SavePlanAs(); }},
    {"code matrix export", "txt",
     [](TMainForm& main) { return main.Service().ExportCodeMatrix(); }},
    {"report", "rtf",
     [](TMainForm&) {
         TReportForm form;
         form.LoadReport("Отчет");
         return form.SaveReportAs();
     }},
    {"chart picture", "svg",
     [](TMainForm&) {
         TGraphForm form;
         form.show();
         form.SetData({{-1, 1}, {1, 3}}, {{0, 2}}, QStringLiteral("x1"), QStringLiteral("y"));
         form.TeeExportItemClick();
         return !form.ExportFileName().empty();
     }},
    {"surface raster", "bmp",
     [](TMainForm&) {
         const auto path = AskBitmapFileName(nullptr);
         QImage image(2, 2, QImage::Format_RGB888);
         image.fill(Qt::white);
         return path && WriteBitmapFile(image, *path);
     }},
};

// One row a command, by its index.
template <std::size_t N> void AddRows(const TCommand (&commands)[N]) {
    QTest::addColumn<int>("command");
    for (std::size_t i = 0; i < N; ++i)
        QTest::newRow(commands[i].Name) << int(i);
}

} // namespace

class TFileDialogsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> Main;

private slots:
    void init() { Main = test::CreateMainForm(); }
    void cleanup() { Main.reset(); }

    void NamesTypedWithoutTheExtensionOpen_data() { AddRows(OpenCommands); }
    void NamesTypedWithoutTheExtensionOpen() {
        QFETCH(int, command);
        const TCommand& c = OpenCommands[command];
        test::TTempFolder folder("orvan-open");
        const std::string file = folder.File(std::string("good.") + c.Extension);
        if (c.Extension == std::string("mpl"))
            std::filesystem::copy_file(Example, file);
        else
            WriteText(file,
                      "Matrix \"codes\" 4 2\n\n-1\t-1\t\n\n1\t-1\t\n\n-1\t1\t\n\n1\t1\t\n\n\n\n");
        TPerson person({Q(folder.File("good"))});
        QVERIFY(c.Run(*Main));
        QCOMPARE(person.Boxes, QStringList());
        QVERIFY(Main->Plan().HasCodeMatrix);
    }

    void ReplacingAFileIsAskedFirst_data() { AddRows(SaveCommands); }
    // The name is typed bare: the file the program writes gets its extension
    // after the dialog, and that is the file asked about. "Нет" goes back to
    // the dialog, "Да" replaces the file.
    void ReplacingAFileIsAskedFirst() {
        QFETCH(int, command);
        const TCommand& c = SaveCommands[command];
        test::TTempFolder folder("orvan-save");
        std::filesystem::copy_file(Example, folder.File("plan.mpl"));
        QVERIFY(Main->Service().OpenPlan(folder.File("plan.mpl")));
        const std::string file = folder.File(std::string("g2.") + c.Extension);
        WriteText(file, "old");
        const QString typed = Q(folder.File("g2"));
        TPerson person({typed, QStringLiteral("Нет"), typed, QStringLiteral("Да")});
        QVERIFY(c.Run(*Main));
        const QString question =
            QStringLiteral("Файл \"%1\" уже существует.\nЗаменить его?").arg(Q(file));
        QCOMPARE(person.Boxes, (QStringList{question, question}));
        QVERIFY(test::ReadAll(file) != "old");
    }

    // Files without an extension are listed under "Все файлы (*.*)", which
    // still reads so.
    void AllFilesListsFilesWithoutAnExtension() {
        test::TTempFolder folder("orvan-all");
        for (const char* name : {"plan.mpl", "notes", "data.txt"})
            WriteText(folder.File(name), "x");
        QStringList entries;
        QStringList listed;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->setDirectory(Q(folder.Path));
            auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            for (int i = 0; i < types->count(); ++i)
                entries << types->itemText(i);
            types->setCurrentIndex(1);
            emit types->activated(1);
            auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
            // The folder is read in the background.
            for (int wait = 0; wait < 200 && listed.size() < 3; ++wait) {
                QTest::qWait(10);
                listed.clear();
                for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
                    listed << view->model()->index(row, 0, view->rootIndex()).data().toString();
            }
            dialog->reject();
        });
        QVERIFY(!Main->Service().OpenPlan(std::nullopt));
        QCOMPARE(entries, (QStringList{QStringLiteral("Файлы планирования (*.mpl)"),
                                       QStringLiteral("Все файлы (*.*)")}));
        listed.sort();
        QCOMPARE(listed, (QStringList{QStringLiteral("data.txt"), QStringLiteral("notes"),
                                      QStringLiteral("plan.mpl")}));
    }
};

QTEST_MAIN(TFileDialogsTest)
#include "FileDialogsTest.moc"
