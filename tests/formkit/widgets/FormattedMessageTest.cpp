// Formatted message boxes: the printf-style text with a point as decimal
// separator, and the box that carries it.
#include "formkit/FormattedMessage.h"

#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include <clocale>

class FormattedMessageTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { CFormattedMessage::SetHook({}); }

    void FormatsLikePrintf_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("%d") << QString::fromStdString(
                                   CFormattedMessage("число от %d до %d.", 3, 100).Text())
                            << QStringLiteral("число от 3 до 100.");
        QTest::newRow("%s")
            << QString::fromStdString(
                   CFormattedMessage("Не удается открыть файл '%s' для записи.", "/нет/Решетка.csv")
                       .Text())
            << QStringLiteral("Не удается открыть файл '/нет/Решетка.csv' для записи.");
        QTest::newRow("%f") << QString::fromStdString(
                                   CFormattedMessage("%f;%f;%f", 1.0 / 3, -0.0000004, 2.5e6).Text())
                            << QStringLiteral("0.333333;-0.000000;2500000.000000");
        QTest::newRow("result")
            << QString::fromStdString(
                   CFormattedMessage("Координаты точки %s:\r\n%f\r\nЗначение: %f", "максимума", 0.5,
                                     12.25)
                       .Text())
            << QStringLiteral("Координаты точки максимума:\r\n0.500000\r\nЗначение: 12.250000");
        QTest::newRow("%%") << QString::fromStdString(CFormattedMessage("100%% %d", 5).Text())
                            << QStringLiteral("100% 5");
        const std::string longName(5000, 'x');
        QTest::newRow("long") << QString::fromStdString(
                                     CFormattedMessage("<%s>", longName.c_str()).Text())
                              << QLatin1Char('<') + QString(5000, QLatin1Char('x')) +
                                     QLatin1Char('>');
    }
    void FormatsLikePrintf() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }

    // A user locale that writes decimals with a comma must not reach the text.
    void KeepsThePointUnderACommaLocale() {
        const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
        if (!std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") &&
            !std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
            QSKIP("no locale with a decimal comma is installed");
        const std::string text = CFormattedMessage("%f", 0.5).Text();
        std::setlocale(LC_NUMERIC, previous.c_str());
        QCOMPARE(text, std::string("0.500000"));
    }

    void HookRecordsTheBox_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("answer");
        QTest::newRow("warning") << int(TMessageKind::Warning) << int(TMessageAnswer::Ok);
        QTest::newRow("error") << int(TMessageKind::Error) << int(TMessageAnswer::Ok);
        QTest::newRow("question, no") << int(TMessageKind::Question) << int(TMessageAnswer::No);
        QTest::newRow("question, yes") << int(TMessageKind::Question) << int(TMessageAnswer::Yes);
    }
    void HookRecordsTheBox() {
        QFETCH(int, kind);
        QFETCH(int, answer);
        std::vector<CFormattedMessage::TBox> boxes;
        CFormattedMessage::SetHook([&](const CFormattedMessage::TBox& box) {
            boxes.push_back(box);
            return TMessageAnswer(answer);
        });
        QWidget owner;
        const CFormattedMessage message("В поле 'Делений' должно находится число от %d до %d.", 3,
                                        100);
        QCOMPARE(int(message.Show(&owner, TMessageKind(kind))), answer);
        QCOMPARE(boxes.size(), std::size_t(1));
        QCOMPARE(boxes[0].Owner, static_cast<void*>(&owner));
        QCOMPARE(int(boxes[0].Kind), kind);
        QCOMPARE(boxes[0].Caption, std::string("Орванта"));
        QCOMPARE(boxes[0].Text,
                 std::string("В поле 'Делений' должно находится число от 3 до 100."));
    }

    void RealBoxShowsIconCaptionAndButtons_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("icon");
        QTest::addColumn<bool>("yesNo");
        QTest::newRow("information")
            << int(TMessageKind::Information) << int(QMessageBox::Information) << false;
        QTest::newRow("warning") << int(TMessageKind::Warning) << int(QMessageBox::Warning)
                                 << false;
        QTest::newRow("error") << int(TMessageKind::Error) << int(QMessageBox::Critical) << false;
        QTest::newRow("question") << int(TMessageKind::Question) << int(QMessageBox::Question)
                                  << true;
    }
    void RealBoxShowsIconCaptionAndButtons() {
        QFETCH(int, kind);
        QFETCH(int, icon);
        QFETCH(bool, yesNo);
        QMessageBox* seen = nullptr;
        int seenIcon = -1;
        QString caption;
        QString text;
        bool hasYesAndNo = false;
        QTimer::singleShot(50, this, [&] {
            seen = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!seen)
                return;
            seenIcon = seen->icon();
            caption = seen->windowTitle();
            text = seen->text();
            hasYesAndNo = seen->button(QMessageBox::Yes) && seen->button(QMessageBox::No);
            QTest::keyClick(seen, Qt::Key_Escape);
        });
        const TMessageAnswer answer =
            CFormattedMessage("Значение: %f", 1.5).Show(nullptr, TMessageKind(kind), "Сетка");
        QVERIFY(seen);
        QCOMPARE(seenIcon, icon);
        QCOMPARE(caption, QStringLiteral("Сетка"));
        QCOMPARE(text, QStringLiteral("Значение: 1.500000"));
        QCOMPARE(hasYesAndNo, yesNo);
        QCOMPARE(answer, yesNo ? TMessageAnswer::No : TMessageAnswer::Ok);
    }
};

QTEST_MAIN(FormattedMessageTest)
#include "FormattedMessageTest.moc"
