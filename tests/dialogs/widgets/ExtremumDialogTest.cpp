// "Поиск экстремума" as the person fills it in: the box factor by factor,
// the warnings for bounds and counts, the method, and what the next search
// finds in the dialog.
#include "dialogs/ExtremumDialog.h"

#include "DialogScript.h"
#include "numeric/NumberText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

using namespace orvanta;

namespace {

using TAnswerOrNot = std::optional<TExtremumAnswer>;
using TBounds = std::vector<double>;

const std::string StartNotReal =
    "Поле \"Начальное значение\" должно содержать действительное число.";
const std::string StepsRange = "Поле \"Шагов разбиения\" должно содержать\nчисло от 1 до 1000.";
const std::string ApproximationsRange =
    "Поле \"Количество приближений\" должно содержать\nчисло от 100 до 1000000000.";

const TExtremumRequest ThreeFactors{{"Температура", "Давление", "Время"}, false};

QStringList ItemTexts(const QComboBox& box) {
    QStringList texts;
    for (int i = 0; i < box.count(); ++i)
        texts << box.itemText(i);
    return texts;
}

QStringList ItemTexts(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts << list.item(i)->text();
    return texts;
}

} // namespace

Q_DECLARE_METATYPE(TBounds)
Q_DECLARE_METATYPE(TExtremumMethod)

class ExtremumDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TExtremumDialog> Form;
    std::unique_ptr<TSeenMessages> Seen;
    std::unique_ptr<TMessageHostScope> Scope;
    char Separator = '.';

    TAnswerOrNot Run(const TExtremumRequest& request, std::function<void()> script) {
        return RunScripted(*Form, std::move(script), [&] { return Form->Run(request); });
    }
    std::vector<std::string> Warnings() const {
        std::vector<std::string> texts;
        for (const auto& [kind, text] : Seen->Messages)
            if (kind == TMessageKind::Warning)
                texts.push_back(text);
        return texts;
    }
    void Activate() { QVERIFY(QTest::qWaitForWindowActive(Form.get())); }
    // A click on the factor's line in the list, as the mouse would do it.
    void ClickFactor(int row) {
        QListWidget* list = Form->LBFactors;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualItemRect(list->item(row)).center());
    }
    void TypeBounds(const QString& start, const QString& end) {
        TypeOver(Form->EStart, start);
        TypeOver(Form->EEnd, end);
    }

private slots:
    void initTestCase();
    void cleanupTestCase() { SetDecimalSeparator(Separator); }
    void init();
    void cleanup();
    void preparedForEverySearch_data();
    void preparedForEverySearch();
    void labelsToggleTheUseLastBox_data();
    void labelsToggleTheUseLastBox();
    void boundsAreKeptFactorByFactor();
    void equalBoundsKeepTheFactorSelected();
    void leavingABoundThatIsNoNumber();
    void wrongCountKeepsTheDialogOpen_data();
    void wrongCountKeepsTheDialogOpen();
    void nextSearchFindsTheFieldsAsLeft();
};

void ExtremumDialogTest::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    Separator = GetDecimalSeparator();
    SetDecimalSeparator(',');
}

void ExtremumDialogTest::init() {
    Form = std::make_unique<TExtremumDialog>();
    Seen = std::make_unique<TSeenMessages>();
    Scope = std::make_unique<TMessageHostScope>(*Seen);
}

void ExtremumDialogTest::cleanup() {
    Scope.reset();
    Form.reset();
}

void ExtremumDialogTest::preparedForEverySearch_data() {
    QTest::addColumn<bool>("hasLast");
    QTest::addColumn<int>("method");
    QTest::addColumn<bool>("byEnter");
    QTest::addColumn<TExtremumMethod>("chosen");
    QTest::newRow("no extremum yet, Поиск") << false << 0 << false << TExtremumMethod::MonteCarlo;
    QTest::newRow("last extremum, Enter") << true << 0 << true << TExtremumMethod::MonteCarlo;
    QTest::newRow("Gauss-Seidel") << true << 1 << false << TExtremumMethod::GaussSeidel;
}

void ExtremumDialogTest::preparedForEverySearch() {
    QFETCH(bool, hasLast);
    QFETCH(int, method);
    QFETCH(bool, byEnter);
    QFETCH(TExtremumMethod, chosen);
    const TAnswerOrNot answer = Run({ThreeFactors.FactorNames, hasLast}, [&] {
        QCOMPARE(Form->windowTitle(), QStringLiteral("Поиск экстремума"));
        QCOMPARE(ItemTexts(*Form->LBFactors),
                 (QStringList{QStringLiteral("Температура"), QStringLiteral("Давление"),
                              QStringLiteral("Время")}));
        QCOMPARE(Form->LBFactors->currentRow(), 0);
        QCOMPARE(Form->EStart->text(), QStringLiteral("-1"));
        QCOMPARE(Form->EEnd->text(), QStringLiteral("1"));
        QCOMPARE(ItemTexts(*Form->CBMethod),
                 (QStringList{QStringLiteral("Метод Монте-Карло (случайный поиск)"),
                              QStringLiteral("Метод Гаусса - Зейделя (покоординатный спуск)")}));
        QCOMPARE(Form->CBMethod->currentIndex(), 0);
        QVERIFY(Form->RBMinimum->isChecked());
        QCOMPARE(Form->SESteps->text(), QStringLiteral("10"));
        QCOMPARE(Form->SEApproximations->text(), QStringLiteral("1000"));
        QCOMPARE(Form->CBUseLast->isEnabled(), hasLast);
        QCOMPARE(Form->CBUseLast->isChecked(), hasLast);
        QVERIFY(!Form->SESteps->isEnabled());
        // Through the other entry and back, as a person trying both would.
        Form->CBMethod->setCurrentIndex(1 - method);
        Form->CBMethod->setCurrentIndex(method);
        QCOMPARE(Form->SESteps->isEnabled(), method == 1);
        QCOMPARE(Form->SEApproximations->isEnabled(), method == 0);
        if (byEnter)
            QTest::keyClick(Form->LBFactors, Qt::Key_Return);
        else
            Form->OkButton->click();
    });
    QVERIFY(answer.has_value());
    QCOMPARE(answer->Method, chosen);
    QCOMPARE(answer->Maximum, false);
    QCOMPARE(answer->UseLast, hasLast);
    QCOMPARE(answer->Steps, 10);
    QCOMPARE(answer->Approximations, 1000);
    QCOMPARE(answer->Lower, TBounds(3, -1.0));
    QCOMPARE(answer->Upper, TBounds(3, 1.0));
    QVERIFY(Seen->Messages.empty());
}

void ExtremumDialogTest::labelsToggleTheUseLastBox_data() {
    QTest::addColumn<bool>("hasLast");
    QTest::addColumn<int>("firstLabelClicks");
    QTest::addColumn<int>("secondLabelClicks");
    QTest::addColumn<bool>("useLast");
    QTest::newRow("first label once") << true << 1 << 0 << false;
    QTest::newRow("second label once") << true << 0 << 1 << false;
    QTest::newRow("each once") << true << 1 << 1 << true;
    QTest::newRow("disabled box, first label") << false << 1 << 0 << false;
    QTest::newRow("disabled box, second label") << false << 0 << 1 << false;
}

void ExtremumDialogTest::labelsToggleTheUseLastBox() {
    QFETCH(bool, hasLast);
    QFETCH(int, firstLabelClicks);
    QFETCH(int, secondLabelClicks);
    QFETCH(bool, useLast);
    const TAnswerOrNot answer = Run({ThreeFactors.FactorNames, hasLast}, [&] {
        for (int i = 0; i < firstLabelClicks; ++i)
            QTest::mouseClick(Form->LUseLast1, Qt::LeftButton);
        for (int i = 0; i < secondLabelClicks; ++i)
            QTest::mouseClick(Form->LUseLast2, Qt::LeftButton);
        QCOMPARE(Form->CBUseLast->isChecked(), useLast);
        Form->OkButton->click();
    });
    QVERIFY(answer.has_value());
    QCOMPARE(answer->UseLast, useLast);
}

void ExtremumDialogTest::boundsAreKeptFactorByFactor() {
    const TAnswerOrNot answer = Run(ThreeFactors, [&] {
        Activate();
        TypeBounds(QStringLiteral("-0,5"), QStringLiteral("2"));
        ClickFactor(1);
        QCOMPARE(Form->LBFactors->currentRow(), 1);
        QCOMPARE(Form->EStart->text(), QStringLiteral("-1"));
        QCOMPARE(Form->EEnd->text(), QStringLiteral("1"));
        // A start above the end comes back the other way round.
        TypeBounds(QStringLiteral("3"), QStringLiteral("0,25"));
        Form->LBFactors->setFocus();
        QTest::keyClick(Form->LBFactors, Qt::Key_Down);
        ClickFactor(1);
        QCOMPARE(Form->EStart->text(), QStringLiteral("0,25"));
        QCOMPARE(Form->EEnd->text(), QStringLiteral("3"));
        ClickFactor(0);
        QCOMPARE(Form->EStart->text(), QStringLiteral("-0,5"));
        QCOMPARE(Form->EEnd->text(), QStringLiteral("2"));
        // The bounds of the selected factor count when the dialog closes.
        TypeBounds(QStringLiteral("1e-3"), QStringLiteral("-1e-3"));
        QTest::keyClick(Form->EEnd, Qt::Key_Return);
    });
    QVERIFY(answer.has_value());
    QCOMPARE(answer->Lower, (TBounds{-0.001, 0.25, -1.0}));
    QCOMPARE(answer->Upper, (TBounds{0.001, 3.0, 1.0}));
    QVERIFY(Seen->Messages.empty());
}

void ExtremumDialogTest::equalBoundsKeepTheFactorSelected() {
    const std::string equal =
        "В поле \"Конечное значение\" должна находится\nвеличина, большая 0,5";
    const TAnswerOrNot answer = Run(ThreeFactors, [&] {
        Activate();
        TypeBounds(QStringLiteral("0,5"), QStringLiteral("0,50"));
        ClickFactor(2);
        QCOMPARE(Warnings(), std::vector<std::string>{equal});
        QTRY_COMPARE(Form->LBFactors->currentRow(), 0);
        QCOMPARE(QApplication::focusWidget(), Form->EEnd);
        QCOMPARE(Form->EEnd->text(), QStringLiteral("0,50"));
        // Closing is refused the same way.
        QTest::keyClick(Form->EEnd, Qt::Key_Return);
        QVERIFY(Form->isVisible());
        QCOMPARE(Warnings(), (std::vector<std::string>{equal, equal}));
        TypeOver(Form->EEnd, QStringLiteral("0,75"));
        ClickFactor(2);
        QCOMPARE(Form->LBFactors->currentRow(), 2);
        Form->OkButton->click();
    });
    QVERIFY(answer.has_value());
    QCOMPARE(answer->Lower, (TBounds{0.5, -1.0, -1.0}));
    QCOMPARE(answer->Upper, (TBounds{0.75, 1.0, 1.0}));
}

void ExtremumDialogTest::leavingABoundThatIsNoNumber() {
    const TAnswerOrNot answer = Run(ThreeFactors, [&] {
        Activate();
        TypeOver(Form->EStart, QStringLiteral("1.5"));
        QTest::keyClick(Form->EStart, Qt::Key_Tab);
        QCOMPARE(Warnings(), std::vector<std::string>{StartNotReal});
        QCOMPARE(QApplication::focusWidget(), Form->EStart);
        // A click on another factor is the same leaving: one warning, and
        // the factor stays.
        ClickFactor(1);
        QCOMPARE(Warnings(), (std::vector<std::string>{StartNotReal, StartNotReal}));
        QTRY_COMPARE(Form->LBFactors->currentRow(), 0);
        QCOMPARE(QApplication::focusWidget(), Form->EStart);
        // "Поиск" checks it by itself, once.
        QTest::mouseClick(Form->OkButton, Qt::LeftButton);
        QVERIFY(Form->isVisible());
        QCOMPARE(Warnings().size(), std::size_t{3});
        // Nothing is checked on the way to "Отмена".
        QTest::mouseClick(Form->CancelButton, Qt::LeftButton);
    });
    QVERIFY(!answer.has_value());
    QCOMPARE(Warnings().size(), std::size_t{3});
}

void ExtremumDialogTest::wrongCountKeepsTheDialogOpen_data() {
    QTest::addColumn<int>("method");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("approximations");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("reset");
    QTest::newRow("steps 0") << 1 << QStringLiteral("0") << QStringLiteral("1000")
                             << QString::fromStdString(StepsRange) << QStringLiteral("1");
    QTest::newRow("approximations 99")
        << 0 << QStringLiteral("10") << QStringLiteral("99")
        << QString::fromStdString(ApproximationsRange) << QStringLiteral("100");
}

void ExtremumDialogTest::wrongCountKeepsTheDialogOpen() {
    QFETCH(int, method);
    QFETCH(QString, steps);
    QFETCH(QString, approximations);
    QFETCH(QString, warning);
    QFETCH(QString, reset);
    QLineEdit* wrong = method == 1 ? Form->SESteps : Form->SEApproximations;
    const TAnswerOrNot answer = Run(ThreeFactors, [&] {
        Activate();
        // Each count is typed while its method makes it typeable.
        Form->CBMethod->setCurrentIndex(1);
        TypeOver(Form->SESteps, steps);
        Form->CBMethod->setCurrentIndex(0);
        TypeOver(Form->SEApproximations, approximations);
        Form->CBMethod->setCurrentIndex(method);
        QTest::keyClick(wrong, Qt::Key_Return);
        QVERIFY(Form->isVisible());
        QCOMPARE(Warnings(), std::vector<std::string>{warning.toStdString()});
        QCOMPARE(wrong->text(), reset);
        QCOMPARE(QApplication::focusWidget(), wrong);
        QTest::keyClick(wrong, Qt::Key_Return);
    });
    QVERIFY(answer.has_value());
    QCOMPARE(method == 1 ? answer->Steps : answer->Approximations, reset.toInt());
    QCOMPARE(Warnings().size(), std::size_t{1});
}

// Minimum or maximum and both counts stay as the last search left them,
// valid ones even after "Отмена"; the method and the box start afresh.
void ExtremumDialogTest::nextSearchFindsTheFieldsAsLeft() {
    TAnswerOrNot answer = Run(ThreeFactors, [&] {
        TypeOver(Form->SEApproximations, QStringLiteral("5000"));
        Form->CBMethod->setCurrentIndex(1);
        TypeOver(Form->SESteps, QStringLiteral("25"));
        TypeBounds(QStringLiteral("0"), QStringLiteral("0,5"));
        Form->RBMaximum->click();
        Form->OkButton->click();
    });
    QVERIFY(answer.has_value());
    QCOMPARE(answer->Steps, 25);
    QCOMPARE(answer->Approximations, 5000);

    answer = Run({{"x1", "x2"}, true}, [&] {
        QCOMPARE(ItemTexts(*Form->LBFactors),
                 (QStringList{QStringLiteral("x1"), QStringLiteral("x2")}));
        QCOMPARE(Form->LBFactors->currentRow(), 0);
        QCOMPARE(Form->EStart->text(), QStringLiteral("-1"));
        QCOMPARE(Form->EEnd->text(), QStringLiteral("1"));
        QCOMPARE(Form->CBMethod->currentIndex(), 0);
        QCOMPARE(Form->SESteps->text(), QStringLiteral("25"));
        QCOMPARE(Form->SEApproximations->text(), QStringLiteral("5000"));
        QVERIFY(Form->RBMaximum->isChecked());
        QVERIFY(Form->CBUseLast->isChecked());
        TypeOver(Form->SEApproximations, QStringLiteral("много"));
        Form->CBMethod->setCurrentIndex(1);
        TypeOver(Form->SESteps, QStringLiteral("5000"));
        QTest::keyClick(Form->SESteps, Qt::Key_Escape);
    });
    QVERIFY(!answer.has_value());

    answer = Run(ThreeFactors, [&] {
        QCOMPARE(Form->SESteps->text(), QStringLiteral("1000"));
        QCOMPARE(Form->SEApproximations->text(), QStringLiteral("100"));
        Form->OkButton->click();
    });
    QVERIFY(answer.has_value());
    QCOMPARE(answer->Method, TExtremumMethod::MonteCarlo);
    QVERIFY(answer->Maximum);
    QCOMPARE(answer->Lower, TBounds(3, -1.0));
    QCOMPARE(answer->Upper, TBounds(3, 1.0));
    QVERIFY(Seen->Messages.empty());
}

QTEST_MAIN(ExtremumDialogTest)
#include "ExtremumDialogTest.moc"
