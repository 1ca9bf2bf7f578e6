// The plan's host in the desktop program: message boxes, input dialogs and
// file dialogs as the person sees and answers them.
#include "shell/QtPlanHost.h"
#include "numeric/NumberText.h"
#include "services/PlanService.h"
#include "shell/InputDialogs.h"
#include "shell/MainForm.h"
#include "shell/MessageBoxes.h"

#include "TempFolder.h"

#include "MainWindowScript.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace orvanta;

namespace {

// Runs `act` on the first modal window that appears (polled, since the
// modal loop only starts inside the call under test).
void WhenModal(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        }
    });
    timer->start();
}

QAbstractButton* ButtonNamed(QMessageBox* box, const QString& text) {
    for (QAbstractButton* b : box->buttons())
        if (b->text() == text)
            return b;
    return nullptr;
}

} // namespace

class TQtPlanHostTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> Main;

private slots:
    void init() { Main = test::CreateMainForm(); }
    void cleanup() {
        SetMessageBoxHook({});
        Main.reset();
    }

    void MessageBoxesHaveTheProgramsCaptionIconsAndButtons_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QString>("press");
        QTest::addColumn<int>("answer");
        const auto ok = QStringList{QStringLiteral("OK")};
        const auto yn = QStringList{QStringLiteral("Да"), QStringLiteral("Нет")};
        const auto ync = yn + QStringList{QStringLiteral("Отмена")};
        QTest::newRow("info") << int(TBoxKind::Info) << int(QMessageBox::Information) << ok
                              << QStringLiteral("OK") << int(TAnswer::Yes);
        QTest::newRow("warning") << int(TBoxKind::Warning) << int(QMessageBox::Warning) << ok
                                 << QStringLiteral("OK") << int(TAnswer::Yes);
        QTest::newRow("error") << int(TBoxKind::Error) << int(QMessageBox::Critical) << ok
                               << QStringLiteral("OK") << int(TAnswer::Yes);
        QTest::newRow("yes/no: no") << int(TBoxKind::YesNo) << int(QMessageBox::Warning) << yn
                                    << QStringLiteral("Нет") << int(TAnswer::No);
        QTest::newRow("yes/no: escape") << int(TBoxKind::YesNo) << int(QMessageBox::Warning) << yn
                                        << QString() << int(TAnswer::No);
        QTest::newRow("yes/no/cancel: yes")
            << int(TBoxKind::YesNoCancel) << int(QMessageBox::Warning) << ync
            << QStringLiteral("Да") << int(TAnswer::Yes);
        QTest::newRow("yes/no/cancel: escape")
            << int(TBoxKind::YesNoCancel) << int(QMessageBox::Warning) << ync << QString()
            << int(TAnswer::Cancel);
    }

    void MessageBoxesHaveTheProgramsCaptionIconsAndButtons() {
        QFETCH(int, kind);
        QFETCH(int, icon);
        QFETCH(QStringList, buttons);
        QFETCH(QString, press);
        QFETCH(int, answer);
        QString title, text;
        QStringList shown;
        int shownIcon = -1;
        WhenModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            shownIcon = box->icon();
            for (QAbstractButton* b : box->buttons())
                shown << b->text();
            if (press.isEmpty())
                QTest::keyClick(box, Qt::Key_Escape);
            else
                ButtonNamed(box, press)->click();
        });
        const TAnswer got =
            ShowMessageBox(Main.get(), static_cast<TBoxKind>(kind), "Строка 1\nСтрока 2");
        QCOMPARE(title, QStringLiteral("Орванта"));
        QCOMPARE(text, QStringLiteral("Строка 1\nСтрока 2"));
        QCOMPARE(shownIcon, icon);
        shown.sort();
        buttons.sort();
        QCOMPARE(shown, buttons);
        QCOMPARE(int(got), answer);
    }

    void RealInputChecksItsFieldAndCancelGivesNothing() {
        std::vector<std::string> warnings;
        SetMessageBoxHook([&](TBoxKind, const std::string& text) {
            warnings.push_back(text);
            return TAnswer::Yes;
        });
        WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<TFloatInputDlg*>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Значение"));
            dialog->Edit->setText(QStringLiteral("1,5"));
            dialog->OKButton->click();
            QVERIFY(dialog->isVisible());
            dialog->Edit->setText(QStringLiteral("-2.25e1"));
            QTest::keyClick(dialog->Edit, Qt::Key_Return);
        });
        const auto value = Main->Host().InputReal("0", "Значение");
        QCOMPARE(warnings, std::vector<std::string>{"Поле должно содержать действительное число."});
        QVERIFY(value.has_value());
        QCOMPARE(*value, -22.5);

        WhenModal([](QWidget* modal) {
            auto* dialog = qobject_cast<TFloatInputDlg*>(modal);
            dialog->Edit->setText(QStringLiteral("oops"));
            dialog->CancelButton->click();
        });
        QVERIFY(!Main->Host().InputReal("3", "").has_value());
        QCOMPARE(warnings.size(), std::size_t(1));
        QVERIFY(Main->findChild<TFloatInputDlg*>()->Edit->text().isEmpty());
    }

    void StringInputGivesTheEditedTextOrNothing() {
        WhenModal([](QWidget* modal) {
            auto* dialog = qobject_cast<TStringInputDlg*>(modal);
            QCOMPARE(dialog->Edit->text(), QStringLiteral("Отклик"));
            dialog->Edit->setText(QStringLiteral("Прочность, МПа"));
            QTest::keyClick(dialog->Edit, Qt::Key_Return);
        });
        QCOMPARE(Main->Host().InputString("Отклик", "Имя отклика"),
                 std::optional<std::string>("Прочность, МПа"));
        WhenModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
        QVERIFY(!Main->Host().InputString("x", "").has_value());
    }

    void FileDialogsOfferTheFiltersAndReportTheFirstEntry_data() {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("first");
        QTest::addColumn<bool>("pickFirst");
        QTest::newRow("plan, first entry")
            << int(TFileFilter::Plan) << QStringLiteral("Файлы планирования (*.mpl)") << true;
        QTest::newRow("text, all files")
            << int(TFileFilter::Text) << QStringLiteral("Текстовые файлы (*.txt)") << false;
        QTest::newRow("grid, first entry")
            << int(TFileFilter::SurferGrid)
            << QStringLiteral("ASCII-файлы сетки для Surfer (*.grd)") << true;
    }

    void FileDialogsOfferTheFiltersAndReportTheFirstEntry() {
        QFETCH(int, filter);
        QFETCH(QString, first);
        QFETCH(bool, pickFirst);
        test::TTempFolder folder("orvan-dialog");
        QStringList filters;
        QString title;
        WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog);
            title = dialog->windowTitle();
            // The entries as they read.
            auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            QVERIFY(types);
            for (int i = 0; i < types->count(); ++i)
                filters << types->itemText(i);
            if (!pickFirst) {
                types->setCurrentIndex(1);
                emit types->activated(1);
            }
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->setText(QString::fromStdString(folder.File("exp1")));
            static_cast<QDialog*>(dialog)->accept();
        });
        TFileDialogRequest request;
        request.Title = "Сохранить как новый файл планирования";
        request.Filter = static_cast<TFileFilter>(filter);
        const auto choice = Main->Host().RunSaveDialog(request);
        QCOMPARE(title, QStringLiteral("Сохранить как новый файл планирования"));
        QCOMPARE(filters, (QStringList{first, QStringLiteral("Все файлы (*.*)")}));
        QVERIFY(choice.has_value());
        QCOMPARE(choice->Path, folder.File("exp1"));
        QCOMPARE(choice->FirstFilterEntry, pickFirst);
        const char* extension = filter == int(TFileFilter::Plan)         ? ".mpl"
                                : filter == int(TFileFilter::SurferGrid) ? ".grd"
                                                                         : ".txt";
        QCOMPARE(ApplyDefaultExtension(choice->Path, request.Filter, choice->FirstFilterEntry),
                 folder.File(pickFirst ? std::string("exp1") + extension : "exp1"));
    }
};

QTEST_MAIN(TQtPlanHostTest)
#include "QtPlanHostTest.moc"
