// The report window's saving: the name rules, rich and plain text, the
// modified mark and the caption.
#include "dialogs/ReportForm.h"

#include "numeric/Cp1251.h"
#include "plan/Settings.h"

#include "TempFolder.h"

#include <QAction>
#include <QTextEdit>
#include <QtTest>

#include <fstream>
#include <sstream>

using namespace orvanta;

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

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
};

QTEST_MAIN(TReportFormTest)
#include "ReportFormTest.moc"
