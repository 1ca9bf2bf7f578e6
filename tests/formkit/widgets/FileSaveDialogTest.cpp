// The save-file dialog: the default extension goes to a name typed without
// one, the filter entries read as their descriptions, and a test can answer
// in the dialog's place.
#include "formkit/FileSaveDialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

const std::string CsvFilter = "Текстовые базы данных (*.csv)|*.csv|Все файлы (*.*)|*.*";

// Acts in the modal window that comes up next, once.
void WhenModal(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        if (QWidget* window = QApplication::activeModalWidget()) {
            timer->deleteLater();
            timer->stop();
            act(window);
        }
    });
    timer->start();
}

// Types a name as the user would; selectFile leaves a focused name field alone.
void TypeName(QFileDialog* dialog, const QString& path) {
    dialog->setDirectory(QFileInfo(path).absolutePath());
    dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
        ->setText(QFileInfo(path).fileName());
}

} // namespace

class FileSaveDialogTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { CFileSaveDialog::SetHook({}); }

    void DefaultExtensionGoesToABareName_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QString>("saved");
        QTest::newRow("bare") << "/data/exp1"
                              << "csv"
                              << "/data/exp1.csv";
        QTest::newRow("own extension") << "/data/exp1.dat"
                                       << "csv"
                                       << "/data/exp1.dat";
        QTest::newRow("point in the folder") << "/data/v1.2/exp1"
                                             << "csv"
                                             << "/data/v1.2/exp1.csv";
        QTest::newRow("written with its point") << "/data/exp1"
                                                << ".txt"
                                                << "/data/exp1.txt";
        QTest::newRow("no default") << "/data/exp1"
                                    << ""
                                    << "/data/exp1";
        QTest::newRow("cyrillic") << QStringLiteral("/данные/Решетка") << "csv"
                                  << QStringLiteral("/данные/Решетка.csv");
    }
    void DefaultExtensionGoesToABareName() {
        QFETCH(QString, typed);
        QFETCH(QString, ext);
        QFETCH(QString, saved);
        CFileSaveDialog::SetHook([&](const CFileSaveDialog&) {
            return CFileSaveDialog::TAnswer{typed.toStdString(), 2};
        });
        CFileSaveDialog dialog;
        dialog.SetDefaultExt(ext.toStdString());
        QVERIFY(dialog.DoModal(nullptr));
        QCOMPARE(QString::fromStdString(dialog.FileName()), saved);
        QCOMPARE(dialog.FilterIndex(), 2);
    }

    void HookSeesTheDialogAndCanCancel() {
        std::string title;
        std::string filter;
        CFileSaveDialog::SetHook([&](const CFileSaveDialog& asked) {
            title = asked.GetTitle();
            filter = asked.GetFilter();
            return std::optional<CFileSaveDialog::TAnswer>();
        });
        CFileSaveDialog dialog;
        dialog.SetTitle("Сохранить в файл");
        dialog.SetFilter(CsvFilter);
        dialog.SetFileName("РешеткаСимплекса.csv");
        QVERIFY(!dialog.DoModal(nullptr));
        QCOMPARE(title, std::string("Сохранить в файл"));
        QCOMPARE(filter, CsvFilter);
        QCOMPARE(dialog.FileName(), std::string("РешеткаСимплекса.csv"));
    }

    void RealDialogShowsTitleAndFilterAndAddsTheExtension() {
        QTemporaryDir folder;
        QString title;
        QStringList entries;
        WhenModal([&](QWidget* window) {
            auto* fileDialog = qobject_cast<QFileDialog*>(window);
            QVERIFY(fileDialog);
            title = fileDialog->windowTitle();
            auto* types = fileDialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            for (int i = 0; types && i < types->count(); ++i)
                entries << types->itemText(i);
            TypeName(fileDialog, folder.filePath(QStringLiteral("exp1")));
            static_cast<QDialog*>(fileDialog)->accept();
        });
        CFileSaveDialog dialog;
        dialog.SetTitle("Сохранить значения в файл");
        dialog.SetFilter(CsvFilter);
        dialog.SetDefaultExt("csv");
        QVERIFY(dialog.DoModal(nullptr));
        QCOMPARE(title, QStringLiteral("Сохранить значения в файл"));
        QCOMPARE(entries, QStringList({QStringLiteral("Текстовые базы данных (*.csv)"),
                                       QStringLiteral("Все файлы (*.*)")}));
        QCOMPARE(QString::fromStdString(dialog.FileName()),
                 folder.filePath(QStringLiteral("exp1.csv")));
    }

    void AllFilesListsFilesWithoutAnExtension() {
        QTemporaryDir folder;
        for (const char* name : {"blend.csv", "notes"}) {
            QFile file(folder.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QStringList listed;
        WhenModal([&](QWidget* window) {
            auto* fileDialog = qobject_cast<QFileDialog*>(window);
            fileDialog->setDirectory(folder.path());
            auto* types = fileDialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            types->setCurrentIndex(1);
            emit types->activated(1);
            auto* view = fileDialog->findChild<QListView*>(QStringLiteral("listView"));
            // The folder is read in the background.
            for (int wait = 0; wait < 200 && listed.size() < 2; ++wait) {
                QTest::qWait(10);
                listed.clear();
                for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
                    listed << view->model()->index(row, 0, view->rootIndex()).data().toString();
            }
            fileDialog->reject();
        });
        CFileSaveDialog dialog;
        dialog.SetFilter(CsvFilter);
        QVERIFY(!dialog.DoModal(nullptr));
        listed.sort();
        QCOMPARE(listed, QStringList({QStringLiteral("blend.csv"), QStringLiteral("notes")}));
    }

    void RealDialogAsksBeforeOverwriting() {
        QTemporaryDir folder;
        QFile existing(folder.filePath(QStringLiteral("exp1.csv")));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.close();
        bool asked = false;
        WhenModal([&](QWidget* window) {
            auto* fileDialog = qobject_cast<QFileDialog*>(window);
            WhenModal([&, fileDialog](QWidget* question) {
                asked = qobject_cast<QMessageBox*>(question) != nullptr;
                if (asked)
                    static_cast<QMessageBox*>(question)->button(QMessageBox::No)->click();
                QTimer::singleShot(0, fileDialog, &QFileDialog::reject);
            });
            TypeName(fileDialog, folder.filePath(QStringLiteral("exp1")));
            static_cast<QDialog*>(fileDialog)->accept();
        });
        CFileSaveDialog dialog;
        dialog.SetFilter(CsvFilter);
        dialog.SetDefaultExt("csv");
        QVERIFY(!dialog.DoModal(nullptr));
        QVERIFY(asked);
    }
};

QTEST_MAIN(FileSaveDialogTest)
#include "FileSaveDialogTest.moc"
