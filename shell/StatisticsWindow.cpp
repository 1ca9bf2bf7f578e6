#include "shell/StatisticsWindow.h"

#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "shell/MainForm.h"
#include "shell/QtPlanHost.h"
#include "stats/ModelStatistics.h"
#include "stats/StatisticsTables.h"
#include "statswindow/StatisticsForm.h"

#include <QTabWidget>
#include <QTableWidget>

namespace orvanta {

namespace {

// The help page of the window, opened by F1 while it is active.
constexpr int StatisticsHelpContext = 3300;

} // namespace

TStatisticsWindow::TStatisticsWindow(QMdiArea& area, TMainForm& main)
    : TSingleWindow(area), Main(main) {}

TStatisticsForm* TStatisticsWindow::Form() const {
    return qobject_cast<TStatisticsForm*>(TSingleWindow::Form());
}

void TStatisticsWindow::Refresh() {
    TStatisticsForm* form = Form();
    if (!form)
        return;
    const TRaruRuro& plan = Main.Plan();
    std::string error;
    const auto statistics = ComputeStatistics(plan, StatisticsOptionsFromSettings(), error);
    if (statistics)
        form->SetSections(StatisticsSections(plan, *statistics));
    else
        form->ShowMessage(QStringLiteral("Статистика модели не вычислена: ") +
                          QString::fromStdString(error));
}

void TStatisticsWindow::Show() {
    const bool made = Open(
        [this] {
            auto* form = new TStatisticsForm;
            form->setProperty("helpContext", StatisticsHelpContext);
            form->OnStationaryPoint = [this] { GoToStationaryPoint(); };
            return form;
        },
        QStringLiteral("StatisticsWindow"), QStringLiteral("Статистика модели"), QSize(720, 460),
        [this] { Main.RefreshCommands(); });
    Refresh();
    Restore();
    if (made)
        KeepInView();
}

void TStatisticsWindow::ShowObservation(std::int32_t run, std::int32_t repeat) {
    Show();
    TStatisticsForm* form = Form();
    QTableWidget* table = form ? form->Table("diagnostics") : nullptr;
    if (!table)
        return;
    for (int tab = 0; tab < form->Tabs->count(); ++tab)
        if (form->Tabs->widget(tab)->objectName() == QStringLiteral("diagnostics"))
            form->Tabs->setCurrentIndex(tab);
    for (int row = 0; row < table->rowCount(); ++row)
        if (table->item(row, 0)->text() == QString::number(run) &&
            table->item(row, 1)->text() == QString::number(repeat)) {
            table->selectRow(row);
            table->scrollToItem(table->item(row, 0));
            table->setFocus();
        }
}

void TStatisticsWindow::Follow() {
    const TRaruRuro& plan = Main.Plan();
    if (!plan.HasFactorCount) {
        Close();
        SeenModel = false;
        return;
    }
    const bool analysed = plan.AnalysisNumber != SeenAnalysis;
    if (!analysed && plan.HasBVector == SeenModel)
        return;
    SeenAnalysis = plan.AnalysisNumber;
    SeenModel = plan.HasBVector;
    if (IsOpen())
        Refresh();
    else if (analysed && plan.HasBVector && Settings().CBOpenStatistics)
        Show();
}

void TStatisticsWindow::GoToStationaryPoint() {
    TStatisticsForm* form = Form();
    if (!form)
        return;
    for (const TStatSection& section : form->Sections()) {
        if (section.Key != "canonical" || section.Tables.empty())
            continue;
        std::vector<double> coded;
        for (const TStatRow& row : section.Tables.front().Rows)
            coded.push_back(row.size() > 1 && row[1].Value ? *row[1].Value : 0.0);
        Main.Host().RunTranslateDialogAt(coded);
        return;
    }
}

} // namespace orvanta
