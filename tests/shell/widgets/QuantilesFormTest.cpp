// The quantiles window as the person types into it. The expected values are
// read off the printed 5 % tables: t(1) = 12.71, t(35) = 2.03 (between 2.04
// and 2.02), chi-square(1) = 3.8 and 0.0039, G(2, 1) = 0.9985, F(1, 1) = 164.4.
#include "shell/QuantilesForm.h"

#include "numeric/NumberText.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>

#include <memory>

using namespace orvanta;

namespace {

using TInput = TQuantilesForm::TInput;

const QString NoData = QStringLiteral("Нет исходных данных.");
const QString NearestValue = QStringLiteral("Использовано ближайшее допустимое значение.");
const QString Done = QStringLiteral("Операция завершена.");

} // namespace

Q_DECLARE_METATYPE(TInput)

class QuantilesFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TQuantilesForm> Form;

    QLineEdit* Field(const char* name) const {
        auto* edit = Form->findChild<QLineEdit*>(QString::fromLatin1(name));
        if (edit == nullptr)
            qFatal("no field %s", name);
        return edit;
    }
    QString Text(const char* name) const { return Field(name)->text(); }
    QString Status() const { return Form->StatusBar->currentMessage(); }

    // The person clicks into the field, selects its text and types over it.
    void TypeOver(const char* name, const QString& typed) {
        QLineEdit* edit = Field(name);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, typed);
    }

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void opensWithTheQuantilesForOne_data();
    void opensWithTheQuantilesForOne();
    void captionAndHint();
    void typedDegreesOfFreedomGiveNewQuantiles();
    void clearingStudentClearsOnlyItsResult();
    void zeroBecomesOne();
    void onlyDigitsAndBackspaceAreTyped_data();
    void onlyDigitsAndBackspaceAreTyped();
    void noKeyAfterEightCharacters();
    void pasteTakesDigitsOnly();
    void menuItemsFocusTheirField_data();
    void menuItemsFocusTheirField();
    void backClosesTheWindow();
};

void QuantilesFormTest::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

void QuantilesFormTest::init() {
    SetDecimalSeparator('.');
    Form = std::make_unique<TQuantilesForm>();
}

void QuantilesFormTest::cleanup() {
    Form.reset();
    SetDecimalSeparator('.');
}

void QuantilesFormTest::opensWithTheQuantilesForOne_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::newRow("PirsonF") << QStringLiteral("PirsonF") << QStringLiteral("1");
    QTest::newRow("CohrenN") << QStringLiteral("CohrenN") << QStringLiteral("1");
    QTest::newRow("CohrenD") << QStringLiteral("CohrenD") << QStringLiteral("2");
    QTest::newRow("StudentF") << QStringLiteral("StudentF") << QStringLiteral("1");
    QTest::newRow("FisherN") << QStringLiteral("FisherN") << QStringLiteral("1");
    QTest::newRow("FisherD") << QStringLiteral("FisherD") << QStringLiteral("1");
    // "%4.4g": at least four places wide.
    QTest::newRow("PirsonL") << QStringLiteral("PirsonL") << QStringLiteral(" 3.8");
    QTest::newRow("PirsonR") << QStringLiteral("PirsonR") << QStringLiteral("0.0039");
    QTest::newRow("Cohren") << QStringLiteral("Cohren") << QStringLiteral("0.9985");
    QTest::newRow("Student") << QStringLiteral("Student") << QStringLiteral("12.71");
    QTest::newRow("Fisher") << QStringLiteral("Fisher") << QStringLiteral("164.4");
}

void QuantilesFormTest::opensWithTheQuantilesForOne() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QCOMPARE(Text(field.toLatin1().constData()), text);
}

void QuantilesFormTest::captionAndHint() {
    QCOMPARE(Form->objectName(), QStringLiteral("QuantilesForm"));
    QCOMPARE(Form->windowTitle(), QStringLiteral("Квантили распределений"));
    QCOMPARE(Form->CaptionLabel->text(), QStringLiteral("Квантили распределений (p=0.05):"));
    QCOMPARE(Form->toolTip(),
             QStringLiteral("Значения квантилей для 95%-ной доверительной вероятности"));
    QVERIFY(!Form->isModal());
    for (QLineEdit* result :
         {Form->PirsonL, Form->PirsonR, Form->Cohren, Form->Student, Form->Fisher})
        QVERIFY(result->isReadOnly());
    QCOMPARE(Form->BackButton->text(), QStringLiteral("Возврат"));
    QCOMPARE(Status(), QString());
}

void QuantilesFormTest::typedDegreesOfFreedomGiveNewQuantiles() {
    TypeOver("StudentF", QStringLiteral("35"));
    QCOMPARE(Text("Student"), QStringLiteral("2.03"));
    QCOMPARE(Status(), Done);
    // Cochran: f in CohrenN, the number of variances in CohrenD; G(11, 1)
    // lies halfway between the rows for 10 and 12 variances.
    TypeOver("CohrenD", QStringLiteral("11"));
    QCOMPARE(Text("Cohren"), QStringLiteral("0.5715"));
    // Pearson beyond 30 degrees of freedom keeps the value for 30.
    TypeOver("PirsonF", QStringLiteral("45"));
    QCOMPARE(Text("PirsonL"), QStringLiteral("43.8"));
    QCOMPARE(Text("PirsonR"), QStringLiteral("18.5"));

    SetDecimalSeparator(',');
    TypeOver("FisherD", QStringLiteral("2"));
    QCOMPARE(Text("Fisher"), QStringLiteral("18,5"));
}

void QuantilesFormTest::clearingStudentClearsOnlyItsResult() {
    QLineEdit* student = Field("StudentF");
    student->setFocus();
    student->end(false);
    QTest::keyClick(student, Qt::Key_Backspace);
    QCOMPARE(student->text(), QString());
    QCOMPARE(Text("Student"), QString());
    QCOMPARE(Status(), NoData);
    QCOMPARE(Text("PirsonL"), QStringLiteral(" 3.8"));
    QCOMPARE(Text("PirsonR"), QStringLiteral("0.0039"));
    QCOMPARE(Text("Cohren"), QStringLiteral("0.9985"));
    QCOMPARE(Text("Fisher"), QStringLiteral("164.4"));

    QTest::keyClick(student, Qt::Key_1);
    QCOMPARE(Text("Student"), QStringLiteral("12.71"));
    QCOMPARE(Status(), Done);
}

void QuantilesFormTest::zeroBecomesOne() {
    TypeOver("StudentF", QStringLiteral("5"));
    QCOMPARE(Text("Student"), QStringLiteral("2.57"));
    TypeOver("StudentF", QStringLiteral("0"));
    QCOMPARE(Text("StudentF"), QStringLiteral("1"));
    QCOMPARE(Text("Student"), QStringLiteral("12.71"));
    QCOMPARE(Status(), NearestValue);
    // The rewritten text is an ordinary text: typing goes on after it.
    QTest::keyClick(Field("StudentF"), Qt::Key_2);
    QCOMPARE(Text("StudentF"), QStringLiteral("12"));
    QCOMPARE(Text("Student"), QStringLiteral("2.18"));
}

void QuantilesFormTest::onlyDigitsAndBackspaceAreTyped_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    QTest::newRow("letter") << QStringLiteral("a") << QStringLiteral("3");
    QTest::newRow("minus") << QStringLiteral("-") << QStringLiteral("3");
    QTest::newRow("comma") << QStringLiteral(",") << QStringLiteral("3");
    QTest::newRow("point") << QStringLiteral(".") << QStringLiteral("3");
    QTest::newRow("blank") << QStringLiteral(" ") << QStringLiteral("3");
    QTest::newRow("Cyrillic") << QStringLiteral("ж") << QStringLiteral("3");
    QTest::newRow("digit") << QStringLiteral("7") << QStringLiteral("37");
}

void QuantilesFormTest::onlyDigitsAndBackspaceAreTyped() {
    QFETCH(QString, typed);
    QFETCH(QString, after);
    TypeOver("FisherN", QStringLiteral("3"));
    // keyClicks takes Latin-1 only; one event carries any character.
    QTest::sendKeyEvent(QTest::Click, Field("FisherN"), Qt::Key_unknown, typed, Qt::NoModifier);
    QCOMPARE(Text("FisherN"), after);
}

void QuantilesFormTest::noKeyAfterEightCharacters() {
    QLineEdit* edit = Field("FisherD");
    TypeOver("FisherD", QStringLiteral("123456789"));
    QCOMPARE(edit->text(), QStringLiteral("12345678"));
    QCOMPARE(Text("Fisher"), QStringLiteral(" 3.8"));
    // Backspace is a typed key too; Delete is not, and frees the field.
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), QStringLiteral("12345678"));
    edit->home(false);
    QTest::keyClick(edit, Qt::Key_Delete);
    QCOMPARE(edit->text(), QStringLiteral("2345678"));
    QTest::keyClick(edit, Qt::Key_9);
    QCOMPARE(edit->text(), QStringLiteral("92345678"));
}

void QuantilesFormTest::pasteTakesDigitsOnly() {
    QLineEdit* edit = Field("StudentF");
    edit->setFocus();
    edit->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("4x"));
    edit->paste();
    QCOMPARE(edit->text(), QStringLiteral("1"));
    QApplication::clipboard()->setText(QStringLiteral("4"));
    edit->paste();
    QCOMPARE(edit->text(), QStringLiteral("4"));
    QCOMPARE(Text("Student"), QStringLiteral("2.78"));
    edit->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("123456789012"));
    edit->paste();
    QCOMPARE(edit->text(), QStringLiteral("12345678"));
    QCOMPARE(Text("Student"), QStringLiteral("1.96"));
}

void QuantilesFormTest::menuItemsFocusTheirField_data() {
    QTest::addColumn<TInput>("field");
    QTest::addColumn<QString>("name");
    QTest::newRow("Pearson") << TInput::PirsonF << QStringLiteral("PirsonF");
    QTest::newRow("Cochran") << TInput::CohrenN << QStringLiteral("CohrenN");
    QTest::newRow("Student") << TInput::StudentF << QStringLiteral("StudentF");
    QTest::newRow("Fisher") << TInput::FisherN << QStringLiteral("FisherN");
}

void QuantilesFormTest::menuItemsFocusTheirField() {
    QFETCH(TInput, field);
    QFETCH(QString, name);
    QWidget other;
    other.show();
    Form->ShowField(TInput::FisherD);
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));

    // Called again while open behind another window: back to the front.
    Form->ShowField(field);
    QVERIFY(Form->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(Form.get()));
    QLineEdit* edit = Field(name.toLatin1().constData());
    QCOMPARE(QApplication::focusWidget(), edit);
    QTRY_COMPARE(edit->selectedText(), edit->text());
    // Activation recomputes with the field in focus.
    QCOMPARE(Status(), Done);
}

void QuantilesFormTest::backClosesTheWindow() {
    Form->ShowField(TInput::StudentF);
    QVERIFY(Form->isVisible());
    QTest::mouseClick(Form->BackButton, Qt::LeftButton);
    QVERIFY(!Form->isVisible());
    // Enter in a field does not close it.
    Form->ShowField(TInput::StudentF);
    QTest::keyClick(Field("StudentF"), Qt::Key_Return);
    QVERIFY(Form->isVisible());
}

QTEST_MAIN(QuantilesFormTest)
#include "QuantilesFormTest.moc"
