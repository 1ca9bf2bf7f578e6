// The report window's saving: the name rules, rich and plain text, the
// modified mark and the caption; its update; its font and text colour kept
// in the settings file.
#include "dialogs/ReportForm.h"

#include "dialogs/FontAndColor.h"
#include "numeric/Cp1251.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "services/SettingsFile.h"
#include "shell/MainForm.h"
#include "shell/MessageBoxes.h"
#include "shell/PlanWindows.h"
#include "shell/QtPlanHost.h"

#include "TempFolder.h"

#include <QAction>
#include <QColorDialog>
#include <QFontDialog>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include <fstream>
#include <sstream>

using namespace orvanta;
using test::ReadAll;

namespace {

std::int32_t Int32At(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return static_cast<std::int32_t>(value);
}

// The report font's record in a settings file: signature, then the record.
constexpr std::size_t FontAt = 4 + 332;

const QColor Ink(0x80, 0x10, 0x20);

} // namespace

Q_DECLARE_METATYPE(QFont::Weight)

class TReportFormTest : public QObject {
    Q_OBJECT

private slots:
    void init() { Settings().SetDefaults(); }

    void SavingFollowsTheNameRules_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("firstFilter");
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("rich");
        QTest::newRow("no extension, rich text") << "report" << true << "report.rtf" << true;
        QTest::newRow("no extension, plain text") << "report" << false << "report.txt" << false;
        QTest::newRow("REPORT.RTF is plain text") << "REPORT.RTF" << true << "REPORT.RTF" << false;
    }

    void SavingFollowsTheNameRules() {
        QFETCH(QString, typed);
        QFETCH(bool, firstFilter);
        QFETCH(QString, written);
        QFETCH(bool, rich);
        test::TTempFolder folder("orvan-report");
        TReportForm form;
        QString caption;
        form.OnCaption = [&](const QString& text) { caption = text; };
        form.AskFile = [&](const std::string&) {
            return std::make_optional(
                std::make_pair(folder.File(typed.toStdString()), firstFilter));
        };
        form.LoadReport("Отчет составлен.\nb0 = 1");
        QVERIFY(!form.IsModified());
        form.Edit->append(QStringLiteral("Вывод: модель адекватна."));
        QVERIFY(form.IsModified());
        QVERIFY(!form.findChild<QAction*>(QStringLiteral("SaveItem"))->isEnabled());
        QVERIFY(form.SaveReport());
        QVERIFY(!form.IsModified());
        QVERIFY(form.findChild<QAction*>(QStringLiteral("SaveItem"))->isEnabled());
        QCOMPARE(form.FileName(), folder.File(written.toStdString()));
        QCOMPARE(caption, QStringLiteral("Отчет - [") + QFileInfo(typed).completeBaseName() +
                              QLatin1Char(']'));
        const std::string bytes = ReadAll(form.FileName());
        if (rich) {
            QVERIFY(bytes.rfind("{\\rtf1\\ansi\\ansicpg1251", 0) == 0);
            QVERIFY(bytes.find("\\'ce\\'f2\\'f7\\'e5\\'f2") != std::string::npos);
        } else {
            QCOMPARE(bytes, Utf8ToCp1251("Отчет составлен.\r\nb0 = 1\r\n"
                                         "Вывод: модель адекватна.\r\n"));
        }
    }

    void CancelledSaveChangesNothing() {
        TReportForm form;
        bool asked = false;
        form.AskFile = [&](const std::string&) {
            asked = true;
            return std::optional<std::pair<std::string, bool>>();
        };
        form.LoadReport("x");
        form.Edit->append(QStringLiteral("y"));
        QVERIFY(!form.SaveReport());
        QVERIFY(asked);
        QVERIFY(form.IsModified());
        QVERIFY(form.FileName().empty());
    }
    // A font goes into the 60-byte record of the settings file and comes
    // back the same: face, height, weight, italic, underline, strike-out,
    // and the Cyrillic character set.
    void FontRecordRoundTrip_data() {
        QTest::addColumn<QString>("face");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<QFont::Weight>("weight");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<bool>("underline");
        QTest::addColumn<bool>("strikeOut");
        QTest::newRow("plain") << "DejaVu Sans Mono" << 13 << QFont::Normal << false << false
                               << false;
        QTest::newRow("bold italic")
            << "DejaVu Serif" << 20 << QFont::Bold << true << false << false;
        QTest::newRow("light, underlined, struck out")
            << "Courier" << 9 << QFont::Light << false << true << true;
        QTest::newRow("Cyrillic face")
            << "Моноширинный" << 16 << QFont::DemiBold << true << true << false;
    }

    void FontRecordRoundTrip() {
        QFETCH(QString, face);
        QFETCH(int, pixels);
        QFETCH(QFont::Weight, weight);
        QFETCH(bool, italic);
        QFETCH(bool, underline);
        QFETCH(bool, strikeOut);
        QFont font(face);
        font.setPixelSize(pixels);
        font.setWeight(weight);
        font.setItalic(italic);
        font.setUnderline(underline);
        font.setStrikeOut(strikeOut);
        TSettings settings;
        StoreFont(font, settings.ReportFont);
        const TSettingsRecord record = EncodeSettings(settings);
        const std::string bytes = "MTST" + std::string(record.begin(), record.end());
        QCOMPARE(Int32At(bytes, FontAt), -pixels);
        QCOMPARE(Int32At(bytes, FontAt + 16), static_cast<std::int32_t>(weight));
        QCOMPARE(int(bytes[FontAt + 20]), int(italic));
        QCOMPARE(int(bytes[FontAt + 21]), int(underline));
        QCOMPARE(int(bytes[FontAt + 22]), int(strikeOut));
        QCOMPARE(static_cast<unsigned char>(bytes[FontAt + 23]), 204);
        QCOMPARE(bytes.substr(FontAt + 28, 32), [&] {
            std::string name = Utf8ToCp1251(face.toStdString());
            name.resize(32, '\0');
            return name;
        }());
        TSettings back;
        DecodeSettings(record.data(), back);
        const QFont again = FontOf(back.ReportFont);
        QCOMPARE(again.family(), face);
        QCOMPARE(again.pixelSize(), pixels);
        QCOMPARE(again.weight(), weight);
        QCOMPARE(again.italic(), italic);
        QCOMPARE(again.underline(), underline);
        QCOMPARE(again.strikeOut(), strikeOut);
    }

    // "Обновить отчет" replaces the person's edits and clears the modified
    // mark even when the new report reads as the old one, so closing the
    // plan has nothing to ask about the report.
    void UpdatingThrowsTheEditsAway() {
        std::vector<std::string> asked;
        SetMessageBoxHook([&](TBoxKind, const std::string& text) {
            asked.push_back(text);
            return TAnswer::No;
        });
        TMainFormOptions options;
        options.ProgramFolder = ORVAN_BIN_DIR;
        options.ReadSettingsFile = false;
        options.WriteSettingsAtExit = false;
        options.Arguments = {QStringLiteral(ORVAN_EXAMPLES_DIR "/ffe23-yield.mpl")};
        TMainForm main(options);
        main.show();
        main.ClockTimerTimer();
        main.Plan().Clock = [] { return std::time_t(1700000000); };
        auto* update = main.findChild<QAction*>(QStringLiteral("UpdateReportItem"));
        update->trigger();
        TReportForm* report = main.Host().Windows().Report();
        QVERIFY(report);
        const QString composed = report->Edit->toPlainText();
        report->Edit->setFocus();
        QTest::keyClicks(report->Edit, QStringLiteral("note"));
        QVERIFY(report->IsModified());
        update->trigger();
        QCOMPARE(report->Edit->toPlainText(), composed);
        QVERIFY(!report->IsModified());
        asked.clear();
        main.findChild<QAction*>(QStringLiteral("CloseItem"))->trigger();
        QCOMPARE(asked, std::vector<std::string>());
        SetMessageBoxHook({});
    }

    // Chosen with the report window's font command (the font dialog, then
    // the text colour, which this desktop's font dialog lacks), written to
    // the settings file when the program ends and read when it starts again.
    void FontChangeSurvivesARestart() {
        test::TTempFolder home("orvan-font-home");
        const QByteArray oldHome = qgetenv("ORVAN32_HOME");
        qputenv("ORVAN32_HOME", QByteArray::fromStdString(home.Path));
        SetMessageBoxHook([](TBoxKind, const std::string&) { return TAnswer::No; });
        TMainFormOptions options;
        options.ProgramFolder = ORVAN_BIN_DIR;
        options.Arguments = {QStringLiteral(ORVAN_EXAMPLES_DIR "/ffe23-yield.mpl")};
        const auto reportOf = [](TMainForm& main) {
            main.show();
            main.ClockTimerTimer();
            main.findChild<QAction*>(QStringLiteral("UpdateReportItem"))->trigger();
            return main.Host().Windows().Report();
        };
        {
            TMainForm main(options);
            TReportForm* report = reportOf(main);
            QVERIFY(report);
            QTimer answer;
            connect(&answer, &QTimer::timeout, [] {
                QWidget* modal = QApplication::activeModalWidget();
                if (auto* fonts = qobject_cast<QFontDialog*>(modal)) {
                    QFont chosen(QStringLiteral("DejaVu Serif"));
                    chosen.setPixelSize(19);
                    chosen.setBold(true);
                    chosen.setItalic(true);
                    fonts->setCurrentFont(chosen);
                    fonts->accept();
                } else if (auto* colours = qobject_cast<QColorDialog*>(modal)) {
                    colours->setCurrentColor(Ink);
                    colours->accept();
                }
            });
            answer.start(10);
            report->findChild<QAction*>(QStringLiteral("FontItem"))->trigger();
            QCOMPARE(report->Edit->font().family(), QStringLiteral("DejaVu Serif"));
            QCOMPARE(report->Edit->palette().color(QPalette::Text), Ink);
        }
        Settings().SetDefaults();
        {
            TMainForm main(options);
            TReportForm* report = reportOf(main);
            QVERIFY(report);
            const QFont font = report->Edit->font();
            QCOMPARE(font.family(), QStringLiteral("DejaVu Serif"));
            QCOMPARE(font.pixelSize(), 19);
            QVERIFY(font.bold());
            QVERIFY(font.italic());
            QCOMPARE(report->Edit->palette().color(QPalette::Text), Ink);
        }
        SetMessageBoxHook({});
        qputenv("ORVAN32_HOME", oldHome);
    }
};

QTEST_MAIN(TReportFormTest)
#include "ReportFormTest.moc"
