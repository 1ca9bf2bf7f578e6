// "Перевод / значение" as the person converts a point between natural and
// coded units and reads the model's value there. The expected texts are
// worked out by hand from coded = (natural - base) / interval and printf's
// "%.15g"; the model is 3 + 2·x1 - x2.
#include "dialogs/TranslateDialog.h"

#include "DialogScript.h"
#include "ModalPerson.h"
#include "numeric/NumberText.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

using namespace orvanta;
using orvanta::test::operator""_q;

namespace {

using TValues = std::vector<double>;

const QString NaturalWarning = QStringLiteral("В поле \"Точка факторного пространства\" должны\n"
                                              "находиться числовые значения");
const QString CodedWarning = QStringLiteral("В поле \"Точка кодового пространства\" должны\n"
                                            "находиться числовые значения");

TNamedVector Vector(const TValues& values) {
    TNamedVector vector;
    vector.Create(static_cast<std::int32_t>(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i)
        vector.Set(static_cast<std::int32_t>(i), values[i]);
    return vector;
}

QStringList Row(const QTableWidget* grid) {
    QStringList texts;
    for (int column = 0; column < grid->columnCount(); ++column)
        texts << (grid->item(0, column) ? grid->item(0, column)->text() : QStringLiteral("<none>"));
    return texts;
}

QStringList Header(const QTableWidget* grid) {
    QStringList texts;
    for (int column = 0; column < grid->columnCount(); ++column)
        texts << grid->horizontalHeaderItem(column)->text();
    return texts;
}

// Types into a value cell through its editor and commits with Enter; the
// editor is gone when it returns.
void EditCell(QTableWidget* grid, int column, const QString& text) {
    grid->setFocus();
    grid->setCurrentCell(0, column);
    grid->editItem(grid->item(0, column));
    QPointer<QLineEdit> editor = grid->findChild<QLineEdit*>();
    QVERIFY2(editor, "no cell editor");
    editor->selectAll();
    Type(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(editor.isNull());
}

} // namespace

Q_DECLARE_METATYPE(TValues)

class TranslateDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TTranslateDialog> Form;
    std::unique_ptr<TSeenMessages> Seen;
    std::unique_ptr<TMessageHostScope> Scope;
    TNamedVector Base, Intervals;
    int ModelCalls = 0;
    char Separator = '.';

    void Open(const TValues& base, const TValues& intervals, bool model,
              std::function<void()> script) {
        Base = Vector(base);
        Intervals = Vector(intervals);
        Form->SetBaseLevels(Base);
        Form->SetIntervals(Intervals);
        TTranslateDialog::TValueFunction value;
        if (model)
            value = [this, k = base.size()](const double* x) {
                ++ModelCalls;
                return 3.0 + 2.0 * x[0] - (k > 1 ? x[1] : 0.0);
            };
        Form->SetValueFunction(value);
        auto act = [this, script = std::move(script)] {
            QVERIFY(QTest::qWaitForWindowActive(Form.get()));
            script();
        };
        RunScripted(*Form, act, [&] { return Form->exec(); });
    }
    QTableWidget* Grid(const QString& name) {
        return name == QStringLiteral("natural") ? Form->GNaturalPoint : Form->GCodePoint;
    }

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        Separator = GetDecimalSeparator();
    }
    void cleanupTestCase() { SetDecimalSeparator(Separator); }
    void init() {
        SetDecimalSeparator(',');
        Form = std::make_unique<TTranslateDialog>();
        Seen = std::make_unique<TSeenMessages>();
        Scope = std::make_unique<TMessageHostScope>(*Seen);
    }
    void cleanup() {
        Scope.reset();
        Form.reset();
    }
    void opensAtTheZeroPoint();
    void reopeningKeepsTheChoices();
    void translate_data();
    void translate();
    void orderDecidesTheSource_data();
    void orderDecidesTheSource();
    void textInACell_data();
    void textInACell();
    void valueNeedsAModel();
    void closingLetsGoOfThePlan();
};

void TranslateDialogTest::opensAtTheZeroPoint() {
    Open({10, 4, -3}, {2, 0.5, 1}, true, [&] {
        QVERIFY(Form->RBAutoOrder->isChecked());
        QVERIFY(Form->RBAutomatic->isChecked());
        QVERIFY(!Form->ProcessButton->isEnabled());
        QVERIFY(Form->OKBtn->isDefault());
        for (QTableWidget* grid : {Form->GCodePoint, Form->GNaturalPoint}) {
            QCOMPARE(Header(grid), (QStringList{"1"_q, "2"_q, "3"_q}));
            QCOMPARE(grid->columnWidth(2), 96);
        }
        // Natural to coded at first: the natural zero point is -base/interval coded.
        QCOMPARE(Row(Form->GNaturalPoint), (QStringList{"0"_q, "0"_q, "0"_q}));
        QCOMPARE(Row(Form->GCodePoint), (QStringList{"-5"_q, "-8"_q, "3"_q}));
        QCOMPARE(Form->EValue->text(), QStringLiteral("1"));
        QCOMPARE(QApplication::focusWidget(), Form->GNaturalPoint);
        Form->RBOnCommand->click();
        QVERIFY(Form->ProcessButton->isEnabled());
        Form->RBAutomatic->click();
        QVERIFY(!Form->ProcessButton->isEnabled());
        QTest::keyClick(Form.get(), Qt::Key_Escape);
    });
    QVERIFY(!Form->isVisible());
}

void TranslateDialogTest::reopeningKeepsTheChoices() {
    Open({10, 4, -3}, {2, 0.5, 1}, true, [&] {
        Form->RBNaturalByCoded->click();
        Form->RBOnCommand->click();
        EditCell(Form->GCodePoint, 0, QStringLiteral("7"));
        Form->OKBtn->click();
    });
    // Coded to natural now, so the coded zero point gives the base levels.
    Open({1.5, -2}, {0.5, 3}, true, [&] {
        QVERIFY(Form->RBNaturalByCoded->isChecked());
        QVERIFY(Form->RBOnCommand->isChecked());
        QVERIFY(Form->ProcessButton->isEnabled());
        QCOMPARE(Row(Form->GCodePoint), (QStringList{"0"_q, "0"_q}));
        QCOMPARE(Row(Form->GNaturalPoint), (QStringList{"1,5"_q, "-2"_q}));
        QCOMPARE(Form->EValue->text(), QStringLiteral("3"));
        Form->OKBtn->click();
    });
}

void TranslateDialogTest::translate_data() {
    QTest::addColumn<char>("separator");
    QTest::addColumn<TValues>("base");
    QTest::addColumn<TValues>("intervals");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("target");
    QTest::addColumn<QString>("value");
    QTest::newRow("natural 13 is coded 1,5")
        << ',' << TValues{10} << TValues{2} << "natural"_q << QStringList{"13"_q}
        << QStringList{"1,5"_q} << "6"_q;
    QTest::newRow("coded -1 is natural 8") << ',' << TValues{10} << TValues{2} << "coded"_q
                                           << QStringList{"-1"_q} << QStringList{"8"_q} << "1"_q;
    QTest::newRow("decimal point") << '.' << TValues{10} << TValues{2} << "natural"_q
                                   << QStringList{"12.5"_q} << QStringList{"1.25"_q} << "5.5"_q;
    QTest::newRow("three factors, natural")
        << ',' << TValues{10, 0.5, -3} << TValues{2, 0.25, 4} << "natural"_q
        << QStringList{"13"_q, "1"_q, "-3"_q} << QStringList{"1,5"_q, "2"_q, "0"_q} << "4"_q;
    QTest::newRow("three factors, coded") << ',' << TValues{100, 2, 0} << TValues{20, 0.4, 0.001}
                                          << "coded"_q << QStringList{"1"_q, "-0,5"_q, "2"_q}
                                          << QStringList{"120"_q, "1,8"_q, "0,002"_q} << "5,5"_q;
    QTest::newRow("fifteen digits")
        << ',' << TValues{0} << TValues{3} << "natural"_q << QStringList{"1"_q}
        << QStringList{"0,333333333333333"_q} << "3,66666666666667"_q;
    // A factor without variation gives the offset from its base level.
    QTest::newRow("interval 0") << ',' << TValues{5} << TValues{0} << "natural"_q
                                << QStringList{"7"_q} << QStringList{"2"_q} << "7"_q;
}

void TranslateDialogTest::translate() {
    QFETCH(char, separator);
    QFETCH(TValues, base);
    QFETCH(TValues, intervals);
    QFETCH(QString, source);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, target);
    QFETCH(QString, value);
    SetDecimalSeparator(separator);
    Open(base, intervals, true, [&] {
        QTableWidget* from = Grid(source);
        QTableWidget* to = from == Form->GNaturalPoint ? Form->GCodePoint : Form->GNaturalPoint;
        for (int column = 0; column < typed.size(); ++column)
            EditCell(from, column, typed[column]);
        QTRY_COMPARE(Row(to), target);
        QCOMPARE(Row(from), typed);
        QCOMPARE(Form->EValue->text(), value);
        Form->OKBtn->click();
    });
    QVERIFY(Seen->Messages.empty());
}

// The person enters one grid, then picks an order; the order, not the grid
// entered, decides what is recomputed.
void TranslateDialogTest::orderDecidesTheSource_data() {
    QTest::addColumn<QString>("order");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QString>("edited");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("target");
    QTest::newRow("coded by natural") << "RBCodedByNatural"_q
                                      << "coded"_q
                                      << "natural"_q
                                      << "13"_q
                                      << "1,5"_q;
    QTest::newRow("natural by coded") << "RBNaturalByCoded"_q
                                      << "natural"_q
                                      << "coded"_q
                                      << "-1"_q
                                      << "8"_q;
}

void TranslateDialogTest::orderDecidesTheSource() {
    QFETCH(QString, order);
    QFETCH(QString, entered);
    QFETCH(QString, edited);
    QFETCH(QString, typed);
    QFETCH(QString, target);
    Open({10}, {2}, true, [&] {
        QTableWidget* source = Grid(edited);
        QTableWidget* other = Grid(entered);
        other->setFocus();
        QTRY_VERIFY(other->hasFocus());
        QCOMPARE(Form->Direction(), other == Form->GNaturalPoint
                                        ? TTranslateDialog::TDirection::NaturalToCoded
                                        : TTranslateDialog::TDirection::CodedToNatural);
        Form->RGOrder->findChild<QRadioButton*>(order)->click();
        QVERIFY(source->isEnabled());
        QVERIFY(!other->isEnabled());
        const QPalette& face = Form->palette();
        QVERIFY(face.color(QPalette::Base) != face.color(QPalette::Button));
        QCOMPARE(source->palette().color(QPalette::Base), face.color(QPalette::Base));
        QCOMPARE(other->palette().color(QPalette::Base), face.color(QPalette::Button));
        EditCell(source, 0, typed);
        QTRY_COMPARE(Row(other), QStringList{target});
        Form->RBAutoOrder->click();
        QVERIFY(other->isEnabled());
        QCOMPARE(other->palette().color(QPalette::Base), face.color(QPalette::Base));
        Form->OKBtn->click();
    });
}

// Automatic mode recomputes on the edit itself and says nothing; command
// mode waits for "Пересчитать", which reads the grid last entered.
void TranslateDialogTest::textInACell_data() {
    QTest::addColumn<bool>("command");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("warning");
    QTest::newRow("automatic, natural text") << false << "natural"_q
                                             << "абв"_q
                                             << "-5"_q << QString() << QString();
    QTest::newRow("automatic, coded text") << false << "coded"_q
                                           << "1,2,3"_q
                                           << "0"_q << QString() << QString();
    QTest::newRow("command, natural text") << true << "natural"_q
                                           << "1,2,3"_q
                                           << "-5"_q << QString() << NaturalWarning;
    QTest::newRow("command, coded text") << true << "coded"_q
                                         << "x"_q
                                         << "0"_q << QString() << CodedWarning;
    QTest::newRow("command, natural number") << true << "natural"_q
                                             << "13"_q
                                             << "1,5"_q
                                             << "6"_q << QString();
}

void TranslateDialogTest::textInACell() {
    QFETCH(bool, command);
    QFETCH(QString, source);
    QFETCH(QString, typed);
    QFETCH(QString, target);
    QFETCH(QString, value);
    QFETCH(QString, warning);
    Open({10}, {2}, true, [&] {
        QTableWidget* from = Grid(source);
        QTableWidget* to = from == Form->GCodePoint ? Form->GNaturalPoint : Form->GCodePoint;
        const QStringList before = Row(to);
        if (command)
            Form->RBOnCommand->click();
        EditCell(from, 0, typed);
        QTRY_COMPARE(Row(from), QStringList{typed});
        if (command) {
            QCOMPARE(Row(to), before);
            QCOMPARE(Form->EValue->text(), "-7"_q);
            // The click takes the focus; a warning gives it to the grid at fault.
            QTest::mouseClick(Form->ProcessButton, Qt::LeftButton);
        }
        QCOMPARE(Row(to), QStringList{target});
        QCOMPARE(Form->EValue->text(), value);
        if (!warning.isEmpty())
            QVERIFY(from->hasFocus());
        Form->OKBtn->click();
    });
    using TSeen = std::vector<std::pair<TMessageKind, std::string>>;
    const TSeen seen =
        warning.isEmpty() ? TSeen{} : TSeen{{TMessageKind::Warning, warning.toStdString()}};
    QVERIFY(Seen->Messages == seen);
}

// Without coefficients there is nothing to predict; a model handed over for
// one opening is not used by the next.
void TranslateDialogTest::valueNeedsAModel() {
    Open({10}, {2}, false, [&] {
        QVERIFY(!Form->CBValueInPoint->isEnabled());
        QVERIFY(!Form->CBValueInPoint->isChecked());
        QVERIFY(!Form->EValue->isEnabled());
        EditCell(Form->GNaturalPoint, 0, QStringLiteral("13"));
        QTRY_COMPARE(Row(Form->GCodePoint), QStringList{QStringLiteral("1,5")});
        QCOMPARE(Form->EValue->text(), QString());
        Form->OKBtn->click();
    });
    Open({10}, {2}, true, [&] {
        QVERIFY(Form->CBValueInPoint->isEnabled());
        QVERIFY(Form->CBValueInPoint->isChecked());
        QVERIFY(Form->EValue->isEnabled());
        QCOMPARE(Form->EValue->text(), QStringLiteral("-7"));
        Form->OKBtn->click();
    });
}

// What the plan lent for one opening is let go of when the dialog closes: a
// new opening starts only when both vectors have come again.
void TranslateDialogTest::closingLetsGoOfThePlan() {
    Open({10, 4, -3}, {2, 0.5, 1}, true, [&] { Form->OKBtn->click(); });
    ModelCalls = 0;
    TNamedVector levels = Vector({1, 2});
    Form->SetBaseLevels(levels);
    QCOMPARE(Form->GCodePoint->columnCount(), 3);
    TNamedVector intervals = Vector({1, 1});
    Form->SetIntervals(intervals);
    QCOMPARE(Form->GCodePoint->columnCount(), 2);
    QCOMPARE(Row(Form->GCodePoint), (QStringList{"-1"_q, "-2"_q}));
    QCOMPARE(ModelCalls, 0);
}

QTEST_MAIN(TranslateDialogTest)
#include "TranslateDialogTest.moc"
