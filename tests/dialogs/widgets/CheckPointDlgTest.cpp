// The check-point window beside a main window: where it goes, the repeat
// count it insists on, and the editor windows it opens on its vectors.
#include "dialogs/CheckPointDlg.h"

#include "dialogs/WizardSpinEdit.h"
#include "mteditor/MTEditForm.h"
#include "numeric/NumberText.h"
#include "plan/Settings.h"

#include "DialogScript.h"
#include "ModalPerson.h"

#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>

using namespace orvanta;

namespace {

const std::string SizeWarning =
    "Размер вектора откликов изменен. Пожалуйста,\nопределите для него новые значения.";
const std::string RangeWarning = "Поле \"Повторений\" должно содержать\nчисло от 1 до 999.";

TNamedVector Vec(std::initializer_list<double> values) {
    TNamedVector v;
    v.Create(static_cast<std::int32_t>(values.size()));
    std::int32_t i = 0;
    for (double x : values)
        v.Set(i++, x);
    return v;
}

std::vector<double> Values(const TVector& v) {
    return {v.Elements(), v.Elements() + v.Size()};
}

QStringList CellTexts(TMTEditForm& form) {
    QStringList texts;
    for (std::int32_t col = 0; col < form.Grid().ColCount(); ++col)
        texts << QString::fromStdString(form.Grid().Text({col, 1}));
    return texts;
}

// Opens the cell of the vector's element and types over it; Enter when asked.
void TypeIntoCell(TMTEditForm& form, std::int32_t element, const QString& text, bool enter) {
    QApplication::setActiveWindow(form.window());
    form.MatrixGrid->setFocus();
    form.SetCurrentCell({element, 1});
    QTest::keyClick(form.MatrixGrid, Qt::Key_Return);
    QLineEdit* editor = nullptr;
    for (QLineEdit* edit : form.MatrixGrid->findChildren<QLineEdit*>())
        if (!edit->isHidden())
            editor = edit;
    QVERIFY(editor);
    editor->clear();
    Type(editor, text);
    if (enter)
        QTest::keyClick(editor, Qt::Key_Return);
}

} // namespace

class CheckPointDlgTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QMainWindow> Main;
    QMdiArea* Area = nullptr;
    QToolBar* Bar = nullptr;
    std::unique_ptr<TCheckPointDlg> Dlg;
    std::unique_ptr<TSeenMessages> Seen;
    std::unique_ptr<TMessageHostScope> Scope;
    // What the close handler saw.
    int Closes = 0;
    bool AcceptedAtClose = false;
    bool EditorAtClose = false;
    std::vector<double> CodedAtClose;
    std::vector<double> ResponsesAtClose;
    bool FrontRequest = false;

    std::vector<std::string> Warnings() const {
        std::vector<std::string> texts;
        for (const auto& [kind, text] : Seen->Messages)
            if (kind == TMessageKind::Warning)
                texts.push_back(text);
        return texts;
    }
    TMTEditForm& Editor() { return *Dlg->EditorForm(); }
    void CloseEditorWindow() {
        Dlg->EditorWindow()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private slots:
    void init() {
        SetDecimalSeparator('.');
        Settings().SetDefaults();
        Main = std::make_unique<QMainWindow>();
        Main->menuBar()->addMenu(QStringLiteral("&Файл"));
        Bar = Main->addToolBar(QStringLiteral("Инструменты"));
        Bar->addAction(QStringLiteral("Новый"));
        Area = new QMdiArea;
        Main->setCentralWidget(Area);
        Main->setGeometry(60, 40, 1000, 700);
        Main->show();
        QVERIFY(QTest::qWaitForWindowExposed(Main.get()));

        Seen = std::make_unique<TSeenMessages>();
        Scope = std::make_unique<TMessageHostScope>(*Seen);
        Closes = 0;
        FrontRequest = false;
        Dlg = std::make_unique<TCheckPointDlg>(Main.get(), *Area);
        // Base level 10 and interval 2 for both factors.
        Dlg->CodedToNatural = [](const double* x, double* z) {
            for (int i = 0; i < 2; ++i)
                z[i] = 10.0 + 2.0 * x[i];
        };
        Dlg->NaturalToCoded = [](const double* z, double* x) {
            for (int i = 0; i < 2; ++i)
                x[i] = (z[i] - 10.0) / 2.0;
        };
        Dlg->OnClose = [this] {
            ++Closes;
            AcceptedAtClose = Dlg->Accepted();
            EditorAtClose = Dlg->EditorWindow() != nullptr;
            CodedAtClose = Values(Dlg->CodedPoint());
            ResponsesAtClose = Values(Dlg->Observations());
        };
        Dlg->SetFrontRequest = [this](bool on) { FrontRequest = on; };
        Dlg->SetCodedPoint(Vec({1.5, -1.0}));
        Dlg->SetObservations(Vec({1.0, 2.0, 3.0}));
    }

    void cleanup() {
        Dlg.reset();
        Main.reset();
        Scope.reset();
    }

    void showsAtTheTopRightOfTheChildArea_data() {
        QTest::addColumn<bool>("toolBar");
        QTest::addColumn<bool>("menu");
        QTest::newRow("menu and tool bar") << true << true;
        QTest::newRow("tool bar hidden") << false << true;
        QTest::newRow("menu hidden") << true << false;
    }

    void showsAtTheTopRightOfTheChildArea() {
        QFETCH(bool, toolBar);
        QFETCH(bool, menu);
        Bar->setVisible(toolBar);
        Main->menuBar()->setVisible(menu);
        QApplication::processEvents();
        Dlg->ShowBesideMain();
        QVERIFY(Dlg->isVisible());
        QCOMPARE(Dlg->objectName(), QStringLiteral("CheckPointDlg"));
        QCOMPARE(Dlg->windowTitle(), QStringLiteral("Контрольная точка"));
        QVERIFY(!Dlg->isModal());
        QVERIFY(Dlg->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(Dlg->windowType(), Qt::Tool);
        QVERIFY(Dlg->OkButton->isDefault());
        QCOMPARE(Dlg->SERcp->Text(), QStringLiteral("3"));
        // Inside the main window's frame, level with the top of the child area.
        QCOMPARE(Dlg->frameGeometry().top(), Area->mapToGlobal(QPoint(0, 0)).y());
        QCOMPARE(Dlg->frameGeometry().right(), Main->geometry().right());
    }

    void openedAgainWhileVisibleKeepsWhatWasTyped() {
        QVERIFY(!Dlg->BringForward());
        Dlg->ShowBesideMain();
        TypeOver(Dlg->SERcp, QStringLiteral("7"));
        Dlg->move(Dlg->pos() + QPoint(-100, 50));
        const QPoint moved = Dlg->pos();
        QVERIFY(Dlg->BringForward());
        QCOMPARE(Dlg->SERcp->Text(), QStringLiteral("7"));
        QCOMPARE(Dlg->pos(), moved);
        QCOMPARE(Closes, 0);
    }

    void okInsistsOnTheRepeatCount_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("byEnter");
        QTest::addColumn<std::vector<std::string>>("warnings");
        QTest::newRow("count changed")
            << QStringLiteral("5") << false << std::vector<std::string>{SizeWarning};
        QTest::newRow("count changed, Enter")
            << QStringLiteral("2") << true << std::vector<std::string>{SizeWarning};
        QTest::newRow("out of range")
            << QStringLiteral("1000") << false << std::vector<std::string>{RangeWarning};
        QTest::newRow("no number")
            << QStringLiteral("x") << true << std::vector<std::string>{RangeWarning};
        QTest::newRow("count kept") << QStringLiteral("3") << false << std::vector<std::string>{};
    }

    void okInsistsOnTheRepeatCount() {
        QFETCH(QString, typed);
        QFETCH(bool, byEnter);
        QFETCH(std::vector<std::string>, warnings);
        Dlg->ShowBesideMain();
        TypeOver(Dlg->SERcp, typed);
        if (byEnter)
            QTest::keyClick(Dlg->SERcp, Qt::Key_Return);
        else
            test::Click(Dlg->OkButton);
        QCOMPARE(Warnings(), warnings);
        QCOMPARE(Dlg->isVisible(), !warnings.empty());
        QCOMPARE(Closes, warnings.empty() ? 1 : 0);
        QCOMPARE(AcceptedAtClose, warnings.empty());
        QCOMPARE(Values(Dlg->Observations()), (std::vector<double>{1.0, 2.0, 3.0}));
    }

    void cancelLeavesACountInRange_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("how");
        QTest::addColumn<QString>("kept");
        enum { Button, Escape, Caption };
        QTest::newRow("above") << QStringLiteral("1000") << int(Button) << QStringLiteral("999");
        QTest::newRow("below") << QStringLiteral("0") << int(Escape) << QStringLiteral("1");
        QTest::newRow("no number") << QStringLiteral("x") << int(Caption) << QStringLiteral("1");
        QTest::newRow("in range") << QStringLiteral("7") << int(Button) << QStringLiteral("7");
    }

    void cancelLeavesACountInRange() {
        QFETCH(QString, typed);
        QFETCH(int, how);
        QFETCH(QString, kept);
        Dlg->ShowBesideMain();
        TypeOver(Dlg->SERcp, typed);
        if (how == 0)
            test::Click(Dlg->CancelButton);
        else if (how == 1)
            QTest::keyClick(Dlg->SERcp, Qt::Key_Escape);
        else
            Dlg->close();
        QVERIFY(!Dlg->isVisible());
        QCOMPARE(Closes, 1);
        QVERIFY(!AcceptedAtClose);
        QVERIFY(Seen->Messages.empty());
        QCOMPARE(Dlg->SERcp->Text(), kept);
        // The OK flag stays cleared when the dialog is shown again.
        Dlg->ShowBesideMain();
        QVERIFY(!Dlg->Accepted());
    }

    void codedEditorWritesBack() {
        Dlg->ShowBesideMain();
        test::Click(Dlg->DefineCButton);
        QVERIFY(Dlg->EditorWindow());
        QCOMPARE(Area->subWindowList(), QList<QMdiSubWindow*>{Dlg->EditorWindow()});
        QCOMPARE(Dlg->EditorWindow()->windowTitle(),
                 QStringLiteral("Кодовые координаты контрольной точки"));
        QVERIFY(!Dlg->DefineCButton->isEnabled());
        QVERIFY(Dlg->DefineNButton->isEnabled());
        QCOMPARE(CellTexts(Editor()), (QStringList{QStringLiteral("1.5"), QStringLiteral("-1")}));
        TypeIntoCell(Editor(), 0, QStringLiteral("0.25"), true);
        // Nothing reaches the dialog's point before the editor closes.
        QCOMPARE(Values(Dlg->CodedPoint()), (std::vector<double>{1.5, -1.0}));
        CloseEditorWindow();
        QCOMPARE(Values(Dlg->CodedPoint()), (std::vector<double>{0.25, -1.0}));
        QVERIFY(!Dlg->EditorWindow());
        QVERIFY(Area->subWindowList().isEmpty());
        QVERIFY(Dlg->DefineCButton->isEnabled());
        QVERIFY(FrontRequest);
    }

    void naturalEditorConvertsBothWays() {
        Dlg->ShowBesideMain();
        test::Click(Dlg->DefineNButton);
        QCOMPARE(Dlg->EditorWindow()->windowTitle(),
                 QStringLiteral("Координаты контрольной точки"));
        QVERIFY(!Dlg->DefineNButton->isEnabled());
        // Coded 1.5 is natural 13 and coded -1 is natural 8.
        QCOMPARE(CellTexts(Editor()), (QStringList{QStringLiteral("13"), QStringLiteral("8")}));
        TypeIntoCell(Editor(), 0, QStringLiteral("11"), true);
        // The second cell is still being typed into as the window closes.
        TypeIntoCell(Editor(), 1, QStringLiteral("16"), false);
        QVERIFY(Editor().IsEditing());
        CloseEditorWindow();
        QCOMPARE(Values(Dlg->CodedPoint()), (std::vector<double>{0.5, 3.0}));
        QVERIFY(Dlg->DefineNButton->isEnabled());
        QVERIFY(FrontRequest);
    }

    void responsesEditorTakesTheRepeatCount_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<std::vector<double>>("shown");
        QTest::newRow("more") << QStringLiteral("5") << std::vector<double>{1, 2, 3, 0, 0};
        QTest::newRow("fewer") << QStringLiteral("2") << std::vector<double>{1, 2};
        QTest::newRow("same") << QStringLiteral("3") << std::vector<double>{1, 2, 3};
    }

    void responsesEditorTakesTheRepeatCount() {
        QFETCH(QString, typed);
        QFETCH(std::vector<double>, shown);
        Dlg->ShowBesideMain();
        TypeOver(Dlg->SERcp, typed);
        test::Click(Dlg->DefineCPYButton);
        QVERIFY(Seen->Messages.empty());
        QCOMPARE(Dlg->EditorWindow()->windowTitle(), QStringLiteral("Отклики в контрольной точке"));
        QCOMPARE(Values(*Editor().Grid().AttachedVector()), shown);
        QVERIFY(!Dlg->SERcp->isEnabled());
        QVERIFY(!Dlg->DefineCPYButton->isEnabled());
        TypeIntoCell(Editor(), 0, QStringLiteral("9"), true);
        CloseEditorWindow();
        shown[0] = 9;
        QCOMPARE(Values(Dlg->Observations()), shown);
        QVERIFY(Dlg->SERcp->isEnabled());
        QVERIFY(Dlg->DefineCPYButton->isEnabled());
        QVERIFY(FrontRequest);
        test::Click(Dlg->OkButton);
        QVERIFY(Seen->Messages.empty());
        QVERIFY(!Dlg->isVisible());
        QVERIFY(AcceptedAtClose);
        QCOMPARE(ResponsesAtClose, shown);
    }

    void oneEditorAtATime() {
        Dlg->ShowBesideMain();
        test::Click(Dlg->DefineCButton);
        TypeIntoCell(Editor(), 0, QStringLiteral("2"), true);
        // The coded editor closes with its value; the natural one shows it.
        test::Click(Dlg->DefineNButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(Area->subWindowList(), QList<QMdiSubWindow*>{Dlg->EditorWindow()});
        QCOMPARE(CellTexts(Editor()), (QStringList{QStringLiteral("14"), QStringLiteral("8")}));
        QVERIFY(Dlg->DefineCButton->isEnabled());
        QVERIFY(!Dlg->DefineNButton->isEnabled());
        QVERIFY(!FrontRequest);
        // Closing the dialog closes its editor first, which hands its values back.
        TypeIntoCell(Editor(), 1, QStringLiteral("12"), true);
        test::Click(Dlg->OkButton);
        QCOMPARE(Closes, 1);
        QVERIFY(AcceptedAtClose);
        QVERIFY(!EditorAtClose);
        QCOMPARE(CodedAtClose, (std::vector<double>{2.0, 1.0}));
        QVERIFY(!FrontRequest);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(Area->subWindowList().isEmpty());
    }

    void editorGoesBesideTheDialogUnlessAChildIsMaximized() {
        Dlg->ShowBesideMain();
        test::Click(Dlg->DefineCButton);
        // The dialog sits at the right edge: the editor takes the room left of
        // it, as high as the dialog and level with it.
        const QRect dialog = Dlg->frameGeometry();
        const QRect editor = Dlg->EditorWindow()->geometry();
        const QPoint topRight = Area->viewport()->mapToGlobal(editor.topRight());
        QCOMPARE(editor.left(), 0);
        QCOMPARE(topRight.x() + 1, dialog.left());
        QCOMPARE(topRight.y(), dialog.top());
        QCOMPARE(editor.height(), dialog.height());
        CloseEditorWindow();

        auto* other = Area->addSubWindow(new QWidget);
        other->showMaximized();
        Area->setActiveSubWindow(other);
        test::Click(Dlg->DefineCButton);
        QVERIFY(Dlg->EditorWindow()->isMaximized());
        QCOMPARE(Dlg->EditorWindow()->geometry(), Area->viewport()->rect());
    }
};

QTEST_MAIN(CheckPointDlgTest)
#include "CheckPointDlgTest.moc"
