// The raster size dialog: the file size it offers for a size, the warning
// for a side out of range, and what OK and cancelling leave behind.
#include "surface3d/GLBitSize.h"

#include "dialogs/WizardSpinEdit.h"

#include "../../dialogs/widgets/DialogScript.h"

#include <QLineEdit>
#include <QPushButton>

using namespace orvanta;

namespace {

const std::string WidthWarning = "Поле \"Ширина растра\" должно содержать\nчисло от 320 до 4096.";
const std::string HeightWarning = "Поле \"Высота растра\" должно содержать\nчисло от 320 до 4096.";

} // namespace

class GLBitSizeTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TGLBitSize> Form;
    std::unique_ptr<TSeenMessages> Seen;
    std::unique_ptr<TMessageHostScope> Scope;

    // Focus moves only within the active window, and on a real X server
    // without a window manager activation takes its time.
    std::optional<QSize> Run(std::function<void()> script) {
        auto active = [this, script = std::move(script)] {
            QVERIFY(QTest::qWaitForWindowActive(Form.get()));
            script();
        };
        return RunScripted(*Form, active, [&] { return Form->Run(); });
    }
    std::vector<std::string> Warnings() const {
        std::vector<std::string> texts;
        for (const auto& [kind, text] : Seen->Messages)
            if (kind == TMessageKind::Warning)
                texts.push_back(text);
        return texts;
    }

private slots:
    void init();
    void cleanup();
    void fileSizeFollowsTheFields_data();
    void fileSizeFollowsTheFields();
    void leavingAFieldOutOfRangeWarns();
    void okChecksWidthFirstAndStaysOpen();
    void okGivesTheSize();
    void cancelPutsInvalidSidesBack();
};

void GLBitSizeTest::init() {
    Form = std::make_unique<TGLBitSize>();
    Seen = std::make_unique<TSeenMessages>();
    Scope = std::make_unique<TMessageHostScope>(*Seen);
}

void GLBitSizeTest::cleanup() {
    Scope.reset();
    Form.reset();
}

void GLBitSizeTest::fileSizeFollowsTheFields_data() {
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("size");
    // (w * h * 3 + 58) / 1024 worked by hand: 921658 / 1024 = 900.06;
    // 307258 / 1024 = 300.06; 50331706 / 1024 = 49152.06;
    // 1024 * 1 * 3 + 58 = 3130, / 1024 = 3.06; 341 * 1 * 3 + 58 = 1081,
    // / 1024 = 1.06; 600 * 1 * 3 + 58 = 1858 / 1024 = 1.81, rounded up.
    QTest::newRow("640 x 480") << "640"
                               << "480"
                               << "900";
    QTest::newRow("320 x 320") << "320"
                               << "320"
                               << "300";
    QTest::newRow("4096 x 4096") << "4096"
                                 << "4096"
                                 << "49152";
    QTest::newRow("rounded down") << "1024"
                                  << "1"
                                  << "3";
    QTest::newRow("rounded up") << "600"
                                << "1"
                                << "2";
    QTest::newRow("width no number") << ""
                                     << "480"
                                     << "";
    QTest::newRow("height no number") << "640"
                                      << "abc"
                                      << "";
}

void GLBitSizeTest::fileSizeFollowsTheFields() {
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(QString, size);
    QCOMPARE(Form->EFileSize->text(), QStringLiteral("900"));
    QVERIFY(Form->EFileSize->isReadOnly());
    Form->SEWidth->SetText(width);
    Form->SEHeight->SetText(height);
    QCOMPARE(Form->EFileSize->text(), size);
}

void GLBitSizeTest::leavingAFieldOutOfRangeWarns() {
    const std::optional<QSize> size = Run([&] {
        TypeOver(Form->SEWidth, QStringLiteral("5000"));
        QCOMPARE(Form->EFileSize->text(), QStringLiteral("7031"));
        Form->SEHeight->setFocus(Qt::TabFocusReason);
        QCOMPARE(Warnings(), std::vector<std::string>{WidthWarning});
        QCOMPARE(Form->EFileSize->text(), QString());
        QCOMPARE(Form->SEWidth->Text(), QStringLiteral("320"));
        QVERIFY(Form->SEWidth->hasFocus());
        Form->reject();
    });
    QVERIFY(!size);
}

void GLBitSizeTest::okChecksWidthFirstAndStaysOpen() {
    bool stayedOpen = false;
    const std::optional<QSize> size = Run([&] {
        Form->SEWidth->SetText(QStringLiteral("100"));
        Form->SEHeight->SetText(QStringLiteral("5000"));
        Form->OkButton->click();
        stayedOpen = Form->isVisible();
        QCOMPARE(Warnings(), std::vector<std::string>{WidthWarning});
        Form->SEWidth->SetText(QStringLiteral("800"));
        Form->OkButton->click();
        QCOMPARE(Warnings(), (std::vector<std::string>{WidthWarning, HeightWarning}));
        QCOMPARE(Form->EFileSize->text(), QString());
        Form->reject();
    });
    QVERIFY(stayedOpen);
    QVERIFY(!size);
}

void GLBitSizeTest::okGivesTheSize() {
    const std::optional<QSize> size = Run([&] {
        TypeOver(Form->SEWidth, QStringLiteral("1024"));
        TypeOver(Form->SEHeight, QStringLiteral("768"));
        QTest::keyClick(Form->SEHeight, Qt::Key_Return);
    });
    QCOMPARE(size, std::optional<QSize>(QSize(1024, 768)));
    QVERIFY(Seen->Messages.empty());
    // The dialog keeps its fields for the next time.
    QCOMPARE(Form->SEWidth->Text(), QStringLiteral("1024"));
}

void GLBitSizeTest::cancelPutsInvalidSidesBack() {
    const std::optional<QSize> size = Run([&] {
        Form->SEWidth->SetText(QStringLiteral("5000"));
        Form->SEHeight->SetText(QStringLiteral("1000"));
        QTest::keyClick(Form->SEHeight, Qt::Key_Escape);
    });
    QVERIFY(!size);
    QCOMPARE(Form->SEWidth->Text(), QStringLiteral("320"));
    QCOMPARE(Form->SEHeight->Text(), QStringLiteral("1000"));
    QCOMPARE(Form->EFileSize->text(), QStringLiteral("938"));
}

QTEST_MAIN(GLBitSizeTest)
#include "GLBitSizeTest.moc"
