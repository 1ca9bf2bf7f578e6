// The statistics window through the program's windows: after the analysis
// of an example plan it shows what the batch tool computes for the same
// plan, follows the options, copies and saves its tables, leads to the
// stationary point, and lives and dies with the plan.
#include "shell/StatisticsWindow.h"
#include "dialogs/TranslateDialog.h"
#include "numeric/Cp1251.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "services/PlanService.h"
#include "shell/FormList.h"
#include "shell/HelpWindow.h"
#include "shell/MainForm.h"
#include "shell/OptionsForm.h"
#include "shell/OptionsPages.h"
#include "shell/QtPlanHost.h"
#include "statswindow/StatisticsForm.h"

#include "GuiScript.h"
#include "MainWindowScript.h"
#include "TempFolder.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QtTest>

#include <cmath>
#include <fstream>
#include <sstream>

using namespace orvanta;

namespace {

const QString Example = QStringLiteral(ORVAN_EXAMPLES_DIR "/ccr2-strength.mpl");

// What the batch tool says of the plan, with the given options.
QJsonObject BatchStatistics(const QString& plan, const QStringList& options = {}) {
    QProcess orvan;
    orvan.start(QStringLiteral(ORVAN_BIN_DIR "/orvan"),
                QStringList{QStringLiteral("statistics"), plan, QStringLiteral("--json")} +
                    options);
    orvan.waitForFinished(60000);
    return QJsonDocument::fromJson(orvan.readAllStandardOutput()).object();
}

void RunBatch(const QStringList& arguments) {
    QProcess orvan;
    orvan.start(QStringLiteral(ORVAN_BIN_DIR "/orvan"), arguments);
    orvan.waitForFinished(60000);
    QCOMPARE(orvan.exitCode(), 0);
}

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

bool Same(double shown, const QJsonValue& expected) {
    if (expected.isNull())
        return std::isnan(shown);
    const double e = expected.toDouble();
    return std::fabs(shown - e) <= 1e-12 * std::max(1.0, std::fabs(e));
}

// The figure behind a cell; NaN for an empty one.
double Figure(QTableWidget* table, int row, int column) {
    const QTableWidgetItem* item = table->item(row, column);
    return item && item->data(Qt::UserRole).isValid() ? item->data(Qt::UserRole).toDouble() : NAN;
}

} // namespace

class TStatisticsWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> Main;
    std::unique_ptr<test::TWindowPerson> Person;
    std::vector<std::string> Boxes;

    void Trigger(const char* item) {
        Main->findChild<QAction*>(QString::fromLatin1(item))->trigger();
    }
    TStatisticsWindow& Window() { return Main->Host().Statistics(); }
    TStatisticsForm* Form() { return Window().Form(); }

    void Start(const QString& plan) {
        test::CatchMessageBoxes(Boxes, [] { return TAnswer::Yes; });
        Main = test::StartMainWindowOn(plan);
        Person = std::make_unique<test::TWindowPerson>();
        Person->AnswerTheRest = true;
        Settings().CBFisherActivateReport = false;
        Trigger("AnalysisItem");
        QVERIFY(Main->Plan().HasBVector);
    }

    // "Параметры ...", the page "Статистика" set by `set`, "Ok".
    void SetOptions(const std::function<void(TOptionsPages&)>& set) {
        TOptionsForm& form = Main->OptionsForm();
        QTimer::singleShot(0, this, [&] {
            form.Pages->setCurrentWidget(
                form.Pages->findChild<QWidget*>(QStringLiteral("StatisticsPage")));
            set(*form.Pages);
            form.OkButton->click();
        });
        Person->Ignored = {QStringLiteral("OptionsForm")};
        Trigger("OptionsItem");
        Person->Ignored.clear();
    }

    // The window's ANOVA p column and the coefficients' intervals against
    // the batch tool's.
    void CompareTests(const QJsonObject& batch) {
        QTableWidget* anova = Form()->Table("anova");
        const QJsonArray rows = batch[QStringLiteral("anova")].toArray();
        QCOMPARE(anova->rowCount(), rows.size());
        for (int i = 0; i < rows.size(); ++i)
            QVERIFY2(Same(Figure(anova, i, 5), rows[i][QStringLiteral("p")]),
                     qPrintable(QString::number(i)));
        QTableWidget* coefficients = Form()->Table("coefficients");
        const QJsonArray b = batch[QStringLiteral("coefficients")].toArray();
        for (int i = 0; i < b.size(); ++i) {
            QVERIFY(Same(Figure(coefficients, i, 5), b[i][QStringLiteral("ciLow")]));
            QVERIFY(Same(Figure(coefficients, i, 6), b[i][QStringLiteral("ciHigh")]));
        }
    }

private slots:
    void cleanup() {
        Person.reset();
        test::EndSession(Main);
    }

    void ShowsWhatTheBatchToolComputes() {
        Start(Example);
        QVERIFY(!Window().IsOpen());
        Trigger("StatisticsButton");
        QVERIFY(Form());
        const QJsonObject batch = BatchStatistics(Example);
        const struct {
            const char* Key;
            const char* Array;
            std::vector<const char*> Fields; // per column, "" for a name
        } tables[] = {
            {"anova", "anova", {"", "df", "ss", "ms", "f", "p"}},
            {"coefficients",
             "coefficients",
             {"", "value", "stdError", "t", "p", "ciLow", "ciHigh", "vif"}},
            {"diagnostics",
             "observations",
             {"run", "repeat", "actual", "predicted", "residual", "leverage", "studentized",
              "externallyStudentized", "cooksDistance"}},
        };
        for (const auto& t : tables) {
            QTableWidget* table = Form()->Table(t.Key);
            const QJsonArray rows = batch[QString::fromLatin1(t.Array)].toArray();
            QCOMPARE(table->rowCount(), rows.size());
            for (int i = 0; i < rows.size(); ++i)
                for (int j = 0; j < int(t.Fields.size()); ++j)
                    if (*t.Fields[j])
                        QVERIFY2(
                            Same(Figure(table, i, j), rows[i][QString::fromLatin1(t.Fields[j])]),
                            qPrintable(QStringLiteral("%1 %2 %3")
                                           .arg(QString::fromLatin1(t.Key))
                                           .arg(i)
                                           .arg(j)));
        }
        const QJsonObject fit = batch[QStringLiteral("fit")].toObject();
        const char* fitKeys[] = {"rSquared", "adjRSquared", "predRSquared", "press",
                                 "rootMse",  "mean",        "cvPercent"};
        for (int i = 0; i < 7; ++i)
            QVERIFY(Same(Figure(Form()->Table("fit"), i, 1), fit[QString::fromLatin1(fitKeys[i])]));
        const QJsonObject canonical = batch[QStringLiteral("canonical")].toObject();
        QTableWidget* point = Form()->Table("canonical");
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(point->item(i, 0)->text(),
                     QString::fromStdString(Main->Plan().FactorNames[std::size_t(i)]));
            QVERIFY(Same(Figure(point, i, 1), canonical[QStringLiteral("stationaryCoded")][i]));
            QVERIFY(Same(Figure(point, i, 2), canonical[QStringLiteral("stationaryNatural")][i]));
        }

        // Every figure reads as its value to the six digits shown.
        for (QTableWidget* table : Form()->findChildren<QTableWidget*>())
            for (int i = 0; i < table->rowCount(); ++i)
                for (int j = 0; j < table->columnCount(); ++j) {
                    const double value = Figure(table, i, j);
                    const QString text = table->item(i, j) ? table->item(i, j)->text() : QString();
                    if (std::isnan(value) || text.startsWith(QLatin1Char('<')))
                        continue;
                    QVERIFY2(std::fabs(text.toDouble() - value) <= 5e-6 * std::fabs(value),
                             qPrintable(text));
                }

        // The rows to look at: beyond ±3 or above 4/n, from the batch's figures.
        QTableWidget* diagnostics = Form()->Table("diagnostics");
        const QJsonArray observations = batch[QStringLiteral("observations")].toArray();
        int marked = 0;
        for (int i = 0; i < observations.size(); ++i) {
            const QJsonObject o = observations[i].toObject();
            const bool look =
                std::fabs(o[QStringLiteral("externallyStudentized")].toDouble()) > 3.0 ||
                o[QStringLiteral("cooksDistance")].toDouble() > 4.0 / observations.size();
            QCOMPARE(diagnostics->item(i, 0)->font().bold(), look);
            marked += look;
        }
        QCOMPARE(marked, 1); // run 4, repeat 2: Cook's distance 0.35
        QVERIFY(Form()->findChild<QLabel*>() != nullptr);
    }

    // The parts a plan's equation has: steepest ascent for a first-order
    // one, nothing of the surface for one that is not a polynomial, Lenth's
    // effects for an unreplicated two-level plan (whose interactions make
    // a saddle).
    void TabsFollowTheEquation() {
        const struct {
            const char* Plan;
            const char* Tabs;
        } plans[] = {
            {"ffe23-yield.mpl", "anova,fit,coefficients,steepest,diagnostics"},
            {"exp1-drying.mpl", "anova,fit,coefficients,diagnostics"},
            {"../tests/data/statistics/ffe4-lenth.mpl",
             "anova,fit,coefficients,canonical,lenth,diagnostics"},
        };
        for (const auto& p : plans) {
            Start(QStringLiteral(ORVAN_EXAMPLES_DIR "/") + QString::fromLatin1(p.Plan));
            Trigger("StatisticsItem");
            QStringList tabs;
            for (int i = 0; i < Form()->Tabs->count(); ++i)
                tabs << Form()->Tabs->widget(i)->objectName();
            QVERIFY2(tabs == QString::fromLatin1(p.Tabs).split(QLatin1Char(',')),
                     qPrintable(tabs.join(QLatin1Char(','))));
            QCOMPARE(Form()->StationaryItem->isEnabled(),
                     tabs.contains(QStringLiteral("canonical")));
            cleanup();
        }
    }

    void OptionsChangeTheTests() {
        Start(Example);
        Trigger("StatisticsItem");
        CompareTests(BatchStatistics(Example));
        const struct {
            std::function<void(TOptionsPages&)> Set;
            QStringList Batch;
        } cases[] = {
            {[](TOptionsPages& p) { p.RBResidual->setChecked(true); },
             {QStringLiteral("--error"), QStringLiteral("residual")}},
            {[](TOptionsPages& p) { p.EAlpha->setEditText(QStringLiteral("0.01")); },
             {QStringLiteral("--error"), QStringLiteral("residual"), QStringLiteral("--alpha"),
              QStringLiteral("0.01")}},
        };
        const double pureP = Figure(Form()->Table("anova"), 0, 5);
        for (const auto& c : cases) {
            SetOptions(c.Set);
            CompareTests(BatchStatistics(Example, c.Batch));
        }
        QVERIFY(Figure(Form()->Table("anova"), 0, 5) != pureP);
    }

    // A plan whose lack-of-fit F (3.879) lies between Fisher's exact 5 %
    // point for 3 and 9 degrees of freedom (3.8625) and the table's 3.9.
    void ExactQuantilesTurnTheVerdict() {
        test::TTempFolder folder("orvan-statistics");
        const std::string plan = folder.File("between.mpl");
        const std::string responses = folder.File("responses.txt");
        std::ofstream(responses) << "Matrix \"\" 9 2\n\n13.7882\t13.9882\t\n\n17.7\t17.6\t\n\n"
                                    "16\t16.2\t\n\n18.3\t17.9\t\n\n13.4\t13.7\t\n\n"
                                    "18.1\t18.3\t\n\n15.5\t15.7\t\n\n18.2\t17.9\t\n\n"
                                    "18.6\t18.4\t\n\n";
        std::ofstream(plan, std::ios::binary) << ReadAll(Example.toStdString());
        RunBatch({QStringLiteral("set"), QString::fromStdString(plan),
                  QStringLiteral("--responses"), QString::fromStdString(responses)});
        QStringList verdicts;
        Person.reset(new test::TWindowPerson);
        Start(QString::fromStdString(plan));
        QCOMPARE(Main->Plan().YMatrix.Get(0, 0), 13.7882);
        for (const bool exact : {false, true}) {
            SetOptions([exact](TOptionsPages& p) {
                p.Flag(QStringLiteral("CBExactQuantiles"))->setChecked(exact);
            });
            Person->Acts[QStringLiteral("FisherCompleteForm")] = [&verdicts](QWidget* w) {
                verdicts << w->findChild<QLineEdit*>(QStringLiteral("EResult"))->text();
                w->findChild<QPushButton*>(QStringLiteral("OkButton"))->click();
            };
            Trigger("AnalysisItem");
        }
        QCOMPARE(verdicts, QStringList({QStringLiteral("Адекватна системе."),
                                        QStringLiteral("Неадекватна системе.")}));
    }

    void FollowsThePlanAndTheWindowLists() {
        Start(Example);
        Trigger("StatisticsItem");
        Trigger("StatisticsItem");
        int windows = 0;
        for (QMdiSubWindow* sub : Main->MdiArea().subWindowList())
            windows += sub->objectName() == QStringLiteral("StatisticsWindow");
        QCOMPARE(windows, 1);
        QVERIFY(Main->MdiArea().viewport()->rect().contains(Window().Window()->geometry()));

        // F1 in the window opens its page.
        Trigger("HelpWelcomeItem");
        QVERIFY(THelpWindow::Current());
        QVERIFY(THelpWindow::Current()->Browser()->source().path().endsWith(
            QStringLiteral("3300.html")));

        // Minimised and shown again from the lists, under its caption.
        for (const auto& [item, dialog] :
             {std::pair{"MinimizeItem", "MinimizeDialog"}, std::pair{"ShowItem", "ShowDialog"}}) {
            QStringList offered;
            Person->Acts[QString::fromLatin1(dialog)] = [&offered](QWidget* w) {
                auto* list = static_cast<TFormList*>(w);
                for (int i = 0; i < list->LBWindows->count(); ++i)
                    offered << list->LBWindows->item(i)->text();
                list->OKButton->click();
            };
            Settings().CBShowHideList = Settings().CBShowShowList = true;
            Main->OptionsAccepted();
            Trigger(item);
            QVERIFY2(offered.contains(QStringLiteral("Статистика модели")), item);
            QCOMPARE(Window().IsMinimized(), std::string(item) == "MinimizeItem");
        }

        // A new analysis refreshes it; with the option on, it opens by itself.
        Main->Plan().YMatrix.Set(0, 0, 14.4);
        Trigger("AnalysisItem");
        QVERIFY(Same(Figure(Form()->Table("diagnostics"), 0, 2), QJsonValue(14.4)));
        Window().Close();
        Settings().CBOpenStatistics = true;
        Trigger("AnalysisItem");
        QVERIFY(Window().IsOpen());

        Main->Plan().Modified = false;
        Trigger("CloseItem");
        QVERIFY(!Window().IsOpen());
        QVERIFY(!Main->findChild<QAction*>(QStringLiteral("StatisticsItem"))->isEnabled());
    }

    void CopiesSavesAndGoesToTheStationaryPoint() {
        Start(Example);
        Trigger("StatisticsItem");
        QTableWidget* anova = Form()->Table("anova");
        anova->setFocus();
        QTest::keyClick(anova, Qt::Key_C, Qt::ControlModifier);
        const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), anova->rowCount() + 2); // header, rows, the last line's end
        QCOMPARE(lines[0], QStringLiteral("Источник\tЧисло степеней свободы\tСумма квадратов\t"
                                          "Средний квадрат\tF\tp"));
        anova->clearSelection();
        anova->setRangeSelected(QTableWidgetSelectionRange(1, 1, 2, 2), true);
        Form()->CopyItem->trigger();
        QCOMPARE(QApplication::clipboard()->text(),
                 QStringLiteral("%1\t%2\n%3\t%4\n")
                     .arg(anova->item(1, 1)->text(), anova->item(1, 2)->text(),
                          anova->item(2, 1)->text(), anova->item(2, 2)->text()));

        // Saved through the real dialog, as rich text and as plain text.
        test::TTempFolder folder("orvan-statistics");
        for (const auto& [name, filter] : {std::pair{"stat.rtf", 0}, std::pair{"stat.txt", 1}}) {
            Person->Acts[QStringLiteral("SaveDialog")] = [&, name = name,
                                                          filter = filter](QWidget* w) {
                auto* dialog = static_cast<QFileDialog*>(w);
                auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
                types->setCurrentIndex(filter);
                emit types->activated(filter);
                auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                edit->setText(QString::fromStdString(folder.File(name)));
                QTimer::singleShot(0, edit, [edit] { QTest::keyClick(edit, Qt::Key_Return); });
            };
            Form()->SaveAsItem->trigger();
        }
        const std::string rtf = ReadAll(folder.File("stat.rtf"));
        QVERIFY(rtf.rfind("{\\rtf1\\ansi\\ansicpg1251", 0) == 0);
        QVERIFY(rtf.find("\\trowd") != std::string::npos);
        const std::string text = ReadAll(folder.File("stat.txt"));
        QVERIFY(text.find(Utf8ToCp1251("Дисперсионный анализ\r\n")) == 0);
        QVERIFY(text.find(Utf8ToCp1251("Стационарная точка лежит")) == std::string::npos);

        // The stationary point in the translation dialog, with its response.
        QStringList coded;
        QString value;
        Person->Acts[QStringLiteral("TranslateDialog")] = [&](QWidget* w) {
            auto* dialog = static_cast<TTranslateDialog*>(w);
            for (int i = 0; i < dialog->GCodePoint->columnCount(); ++i)
                coded << dialog->GCodePoint->item(0, i)->text();
            value = dialog->EValue->text();
            dialog->accept();
        };
        Form()->Tabs->setCurrentIndex(3);
        Form()->findChild<QPushButton*>(QStringLiteral("StationaryButton"))->click();
        const QJsonObject canonical =
            BatchStatistics(Example)[QStringLiteral("canonical")].toObject();
        QCOMPARE(coded.size(), 2);
        for (int i = 0; i < 2; ++i)
            QVERIFY(std::fabs(coded[i].toDouble() -
                              canonical[QStringLiteral("stationaryCoded")][i].toDouble()) < 1e-9);
        QVERIFY(std::fabs(value.toDouble() - canonical[QStringLiteral("predicted")].toDouble()) <
                1e-9);
    }
};

QTEST_MAIN(TStatisticsWindowTest)
#include "StatisticsWindowTest.moc"
