// The matrix editor window as the person uses it: typing, keys, undo, the
// clipboard, fills; and the plan's editor windows inside the program.
#include "mteditor/MTEditForm.h"

#include "numeric/MessageHost.h"
#include "numeric/NamedMatrix.h"
#include "numeric/NamedVector.h"
#include "numeric/NumberText.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "services/PlanService.h"
#include "shell/MainForm.h"
#include "shell/MessageBoxes.h"
#include "shell/PlanWindows.h"
#include "shell/QtPlanHost.h"

#include "TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTableView>
#include <QtTest>

#include <filesystem>

using namespace orvanta;

namespace {

// Answers the number dialog of the fills with a queued value.
class TFillHost : public TMessageHost {
public:
    std::optional<double> Value;
    std::vector<std::string> Captions;
    void ShowMessage(TMessageKind, const std::string&) override {}
    TAnswer AskYesNo(const std::string&) override { return TAnswer::No; }
    TAnswer AskYesNoCancel(const std::string&) override { return TAnswer::Cancel; }
    std::optional<std::string> InputString(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<double> InputReal(const std::string&, const std::string& caption) override {
        Captions.push_back(caption);
        return Value;
    }
};

TNamedMatrix MatrixOf(std::int32_t rows, std::int32_t cols, double first = 1.0) {
    TNamedMatrix m;
    m.SetSize(rows, cols);
    for (std::int32_t r = 0; r < rows; ++r)
        for (std::int32_t c = 0; c < cols; ++c)
            m.Set(r, c, first + r * cols + c);
    return m;
}

// Types the text into the widget one character at a time.
void Type(QWidget* widget, const QString& text) {
    for (QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

QLineEdit* OpenEditor(TMTEditForm& form, TGridCell cell) {
    form.SetCurrentCell(cell);
    QTest::keyClick(form.MatrixGrid, Qt::Key_Return);
    return form.MatrixGrid->findChild<QLineEdit*>();
}

} // namespace

class TMTEditFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TMTEditForm> Form;
    int Notifications = 0;

    TMTEditForm& NewForm() {
        Form = std::make_unique<TMTEditForm>();
        Notifications = 0;
        Form->OnDataChanged = [this](TMTEditForm&) { ++Notifications; };
        Form->show();
        QApplication::setActiveWindow(Form.get());
        Form->MatrixGrid->setFocus();
        return *Form;
    }

private slots:
    void init() {
        SetDecimalSeparator('.');
        Settings().SetDefaults();
    }
    void cleanup() { Form.reset(); }

    void TypingFiltersCharacters_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("star is an exponent") << QStringLiteral("2*3") << QStringLiteral("2E3");
        QTest::newRow("second exponent refused")
            << QStringLiteral("1e2e3") << QStringLiteral("1e23");
        QTest::newRow("comma becomes the separator")
            << QStringLiteral("1,5") << QStringLiteral("1.5");
        QTest::newRow("second separator refused")
            << QStringLiteral("1.5.2,") << QStringLiteral("1.52");
        QTest::newRow("letters and spaces refused")
            << QStringLiteral("-x4 y+") << QStringLiteral("-4+");
    }

    void TypingFiltersCharacters() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        TNamedMatrix m = MatrixOf(2, 2);
        TMTEditForm& form = NewForm();
        form.AttachMatrix(m);
        QLineEdit* editor = OpenEditor(form, {1, 1});
        QVERIFY(editor);
        editor->clear();
        Type(editor, typed);
        QCOMPARE(editor->text(), shown);
    }

    void EnterCommitsAndWrapsFromTheLastCell() {
        TNamedMatrix m = MatrixOf(2, 3);
        TMTEditForm& form = NewForm();
        form.AttachMatrix(m);
        QLineEdit* editor = OpenEditor(form, {3, 2});
        QVERIFY(editor);
        editor->clear();
        Type(editor, QStringLiteral("42.5"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(m.Get(1, 2), 42.5);
        QVERIFY(!form.IsEditing());
        QCOMPARE(form.CurrentCell(), (TGridCell{1, 1}));
        // "4", "42", "42." and "42.5" were committed as typed, Enter once more.
        QCOMPARE(Notifications, 5);
        QVERIFY(form.IsEdited());
        QVERIFY(form.findChild<QAction*>(QStringLiteral("UndoButton"))->isEnabled());
        // Tab from the last cell wraps too.
        form.SetCurrentCell({3, 2});
        QTest::keyClick(form.MatrixGrid, Qt::Key_Tab);
        QCOMPARE(form.CurrentCell(), (TGridCell{1, 1}));
    }

    void EnterKeepsTheEditorOnANonNumber() {
        TNamedMatrix m = MatrixOf(2, 2);
        TMTEditForm& form = NewForm();
        form.AttachMatrix(m);
        QLineEdit* editor = OpenEditor(form, {1, 1});
        editor->setText(QStringLiteral("1e"));
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY(form.IsEditing());
        QCOMPARE(m.Get(0, 0), 1.0);
        QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY(!form.IsEditing());
        QCOMPARE(form.Grid().Text({1, 1}), std::string("1"));
        QCOMPARE(Notifications, 0);
    }

    void UndoTwiceRestoresTheEdit() {
        TNamedMatrix m = MatrixOf(2, 2);
        TMTEditForm& form = NewForm();
        form.AttachMatrix(m);
        QLineEdit* editor = OpenEditor(form, {2, 1});
        editor->clear();
        Type(editor, QStringLiteral("7"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(m.Get(0, 1), 7.0);
        form.findChild<QAction*>(QStringLiteral("UndoItem"))->trigger();
        QCOMPARE(m.Get(0, 1), 2.0);
        form.findChild<QAction*>(QStringLiteral("UndoButton"))->trigger();
        QCOMPARE(m.Get(0, 1), 7.0);
        QCOMPARE(form.Grid().Text({2, 1}), std::string("7"));
    }

    void CopyGivesTabsAndLineFeeds() {
        TNamedMatrix m = MatrixOf(3, 3);
        TMTEditForm& form = NewForm();
        form.AttachMatrix(m);
        form.SelectRect({1, 1, 2, 2});
        form.findChild<QAction*>(QStringLiteral("CopyItem"))->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1\t2\n4\t5\n"));
        QTest::keyClick(form.MatrixGrid, Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1\t2\n4\t5\n"));
    }

    void PasteFillsTheSelectionOrNothing_data() {
        QTest::addColumn<int>("right");
        QTest::addColumn<bool>("committed");
        QTest::newRow("2 x 2") << 2 << true;
        QTest::newRow("2 x 3 runs out") << 3 << false;
    }

    void PasteFillsTheSelectionOrNothing() {
        QFETCH(int, right);
        QFETCH(bool, committed);
        TNamedMatrix m = MatrixOf(3, 3, 0.0);
        TMTEditForm& form = NewForm();
        form.AttachMatrix(m);
        QGuiApplication::clipboard()->setText(QStringLiteral("1 2\r\n3 4"));
        QVERIFY(form.findChild<QAction*>(QStringLiteral("PasteButton"))->isEnabled());
        form.SelectRect({1, 1, right, 2});
        form.findChild<QAction*>(QStringLiteral("PasteItem"))->trigger();
        QCOMPARE(Notifications, committed ? 1 : 0);
        if (committed) {
            QCOMPARE(m.Get(0, 0), 1.0);
            QCOMPARE(m.Get(0, 1), 2.0);
            QCOMPARE(m.Get(1, 0), 3.0);
            QCOMPARE(m.Get(1, 1), 4.0);
        } else {
            QCOMPARE(m.Get(0, 0), 0.0);
            QCOMPARE(m.Get(1, 1), 4.0);
        }
    }

    void FillRowInAVectorFillsItAll() {
        TFillHost host;
        host.Value = 2.5;
        TMessageHostScope scope(host);
        TNamedVector v;
        v.SetSize(4);
        TMTEditForm& form = NewForm();
        form.AttachVector(v);
        form.SetCurrentCell({2, 1});
        form.findChild<QAction*>(QStringLiteral("FillRowItem"))->trigger();
        QCOMPARE(host.Captions, std::vector<std::string>{"Заполнить значением:"});
        for (int i = 0; i < 4; ++i)
            QCOMPARE(v.Get(i), 2.5);
        form.findChild<QAction*>(QStringLiteral("ClearColumnButton"))->trigger();
        QCOMPARE(v.Get(2), 0.0);
        QCOMPARE(v.Get(1), 2.5);
        host.Value.reset();
        form.findChild<QAction*>(QStringLiteral("FillAllButton"))->trigger();
        QCOMPARE(v.Get(0), 2.5);
    }

    void DeleteClearsAndShiftDeleteCuts() {
        TNamedMatrix m = MatrixOf(2, 2);
        TMTEditForm& form = NewForm();
        form.AttachMatrix(m);
        form.SelectRect({1, 1, 2, 1});
        QTest::keyClick(form.MatrixGrid, Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1\t2\n"));
        QCOMPARE(m.Get(0, 0), 0.0);
        QCOMPARE(m.Get(0, 1), 0.0);
        form.UndoButtonClick();
        QCOMPARE(m.Get(0, 1), 2.0);
        form.SelectRect({1, 2, 1, 2});
        QTest::keyClick(form.MatrixGrid, Qt::Key_Delete);
        QCOMPARE(m.Get(1, 0), 0.0);
    }

    void NaturalMatrixCannotBeTyped() {
        TNamedMatrix m = MatrixOf(2, 2);
        TMTEditForm& form = NewForm();
        form.SetEditingAllowed(false);
        form.AttachMatrix(m);
        form.SetCurrentCell({1, 1});
        QTest::keyClick(form.MatrixGrid, Qt::Key_Return);
        QVERIFY(!form.IsEditing());
        QTest::keyClick(form.MatrixGrid, Qt::Key_Delete);
        QCOMPARE(m.Get(0, 0), 1.0);
        Type(form.MatrixGrid, QStringLiteral("5"));
        QVERIFY(!form.IsEditing());
    }
};

QTEST_MAIN(TMTEditFormTest)
#include "MTEditFormTest.moc"
