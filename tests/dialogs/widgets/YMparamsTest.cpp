// The observations dialog: the repeat count it accepts, the warning for one
// it does not, and what cancelling leaves in the field.
#include "dialogs/YMparams.h"

#include "DialogScript.h"

#include <QLineEdit>
#include <QPushButton>

using namespace orvanta;

namespace {

using TAnswerOrNot = std::optional<TRepeatsAnswer>;

const std::string RepeatsWarning =
    "Поле \"Количество повторений\" должно содержать\nчисло от 1 до 64.";
const TRepeatsRequest NewSet{"Новый набор наблюдений", "Отклик системы"};

} // namespace

class YMparamsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TYMparams> Form;
    std::unique_ptr<TSeenMessages> Seen;
    std::unique_ptr<TMessageHostScope> Scope;

    TAnswerOrNot Run(const TRepeatsRequest& request, std::function<void()> script) {
        return RunScripted(*Form, std::move(script), [&] { return Form->Run(request); });
    }
    std::vector<std::string> Warnings() const {
        std::vector<std::string> texts;
        for (const auto& [kind, text] : Seen->Messages)
            if (kind == TMessageKind::Warning)
                texts.push_back(text);
        return texts;
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    void init();
    void cleanup();
    void opensWithTheRequest();
    void wrongCountKeepsTheDialogOpen_data();
    void wrongCountKeepsTheDialogOpen();
    void leavingTheFieldChecksIt();
    void cancelBringsTheCountIntoRange_data();
    void cancelBringsTheCountIntoRange();
    void aLongResponseNameShowsWhole();
};

void YMparamsTest::init() {
    Form = std::make_unique<TYMparams>();
    Seen = std::make_unique<TSeenMessages>();
    Scope = std::make_unique<TMessageHostScope>(*Seen);
}

void YMparamsTest::cleanup() {
    Scope.reset();
    Form.reset();
}

void YMparamsTest::opensWithTheRequest() {
    QCOMPARE(Form->objectName(), QStringLiteral("YMparams"));
    QVERIFY(Form->OkButton->isDefault());
    const TRepeatsRequest resize{"Изменить количество повторений", "Выход"};
    const TAnswerOrNot answer = Run(resize, [&] {
        QCOMPARE(Form->windowTitle(), QStringLiteral("Изменить количество повторений"));
        QCOMPARE(Form->ERepeats->text(), QStringLiteral("4"));
        QCOMPARE(Form->EY->text(), QStringLiteral("Выход"));
        QCOMPARE(Form->focusWidget(), Form->ERepeats);
        TypeOver(Form->ERepeats, QStringLiteral("12"));
        TypeOver(Form->EY, QString());
        Form->OkButton->click();
    });
    QVERIFY(answer.has_value());
    QCOMPARE(answer->RepeatsText, std::string("12"));
    QCOMPARE(answer->ResponseName, std::string());
    QVERIFY(Seen->Messages.empty());
}

void YMparamsTest::wrongCountKeepsTheDialogOpen_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("byEnter");
    QTest::newRow("65") << QStringLiteral("65") << false;
    QTest::newRow("0") << QStringLiteral("0") << true;
    QTest::newRow("x") << QStringLiteral("x") << false;
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("2.5") << QStringLiteral("2.5") << false;
}

void YMparamsTest::wrongCountKeepsTheDialogOpen() {
    QFETCH(QString, typed);
    QFETCH(bool, byEnter);
    const TAnswerOrNot answer = Run(NewSet, [&] {
        TypeOver(Form->ERepeats, typed);
        if (byEnter)
            QTest::keyClick(Form->ERepeats, Qt::Key_Return);
        else
            Form->OkButton->click();
        QVERIFY(Form->isVisible());
        QCOMPARE(Warnings(), std::vector<std::string>{RepeatsWarning});
        // The check puts the smallest count into the field.
        QCOMPARE(Form->ERepeats->text(), QStringLiteral("1"));
        QCOMPARE(Form->focusWidget(), Form->ERepeats);
        TypeOver(Form->ERepeats, QStringLiteral("64"));
        Form->OkButton->click();
    });
    QVERIFY(answer.has_value());
    QCOMPARE(answer->RepeatsText, std::string("64"));
    QCOMPARE(answer->ResponseName, std::string("Отклик системы"));
    QCOMPARE(Warnings().size(), std::size_t{1});
}

void YMparamsTest::leavingTheFieldChecksIt() {
    const TAnswerOrNot answer = Run(NewSet, [&] {
        QVERIFY(QTest::qWaitForWindowActive(Form.get()));
        TypeOver(Form->ERepeats, QStringLiteral("x"));
        QTest::keyClick(Form->ERepeats, Qt::Key_Tab);
        QCOMPARE(Warnings(), std::vector<std::string>{RepeatsWarning});
        QCOMPARE(QApplication::focusWidget(), Form->ERepeats);
        // A valid count lets the focus go.
        QTest::keyClick(Form->ERepeats, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Form->EY);
        // Nor is the field checked on the way to "Отмена".
        TypeOver(Form->ERepeats, QStringLiteral("99"));
        QTest::mouseClick(Form->CancelButton, Qt::LeftButton);
    });
    QVERIFY(!answer.has_value());
    QCOMPARE(Warnings().size(), std::size_t{1});
}

void YMparamsTest::cancelBringsTheCountIntoRange_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("65") << QStringLiteral("65") << QStringLiteral("64");
    QTest::newRow("0") << QStringLiteral("0") << QStringLiteral("1");
    QTest::newRow("x") << QStringLiteral("x") << QStringLiteral("1");
    QTest::newRow("7") << QStringLiteral("7") << QStringLiteral("7");
}

void YMparamsTest::cancelBringsTheCountIntoRange() {
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    const TAnswerOrNot answer = Run(NewSet, [&] {
        TypeOver(Form->ERepeats, typed);
        QTest::keyClick(Form->ERepeats, Qt::Key_Escape);
    });
    QVERIFY(!answer.has_value());
    QVERIFY(Seen->Messages.empty());
    QCOMPARE(Form->ERepeats->text(), kept);
}

void YMparamsTest::aLongResponseNameShowsWhole() {
    const QString name = QStringLiteral("Предел прочности при растяжении, МПа");
    const TAnswerOrNot answer = Run({"Новый набор наблюдений", name.toStdString()}, [&] {
        // With the cursor at the end a field too narrow for the name scrolls
        // its beginning away: the left edge no longer shows the first letter.
        QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
        Form->EY->end(false);
        Form->EY->repaint();
        QCOMPARE(Form->EY->cursorPositionAt(QPoint(1, Form->EY->height() / 2)), 0);
        Form->OkButton->click();
    });
    QVERIFY(answer.has_value());
    QCOMPARE(answer->ResponseName, name.toStdString());
}

QTEST_MAIN(YMparamsTest)
#include "YMparamsTest.moc"
