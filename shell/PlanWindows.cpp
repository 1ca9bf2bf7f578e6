#include "shell/PlanWindows.h"

#include "numeric/NumberText.h"
#include "services/PlanService.h"

#include <QEvent>
#include <QFontDatabase>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTableWidget>
#include <QTextEdit>

namespace orvanta {

namespace {

int Index(TPlanWindow window) {
    return static_cast<int>(window);
}

TPlanWindow PlanWindowOf(TDataWindow window) {
    return static_cast<TPlanWindow>(static_cast<int>(window));
}

// Closing a plan window only minimises it: the plan decides when it goes.
class TMinimizeOnClose : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close) {
            if (auto* sub = qobject_cast<QMdiSubWindow*>(watched); sub && !sub->isMinimized()) {
                event->ignore();
                sub->showMinimized();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

void SetCell(QTableWidget& table, int row, int column, const std::string& text) {
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table.setItem(row, column, item);
}

void FillTable(QTableWidget& table, const TRaruRuro& plan, TDataWindow window) {
    table.clear();
    if (window == TDataWindow::BaseLevels || window == TDataWindow::Intervals) {
        const TNamedVector& v =
            window == TDataWindow::BaseLevels ? plan.BaseLevels : plan.Intervals;
        table.setRowCount(1);
        table.setColumnCount(v.Size());
        for (int i = 0; i < v.Size(); ++i)
            SetCell(table, 0, i, FormatVectorCell(v.Get(i)));
        return;
    }
    const TNamedMatrix& m = window == TDataWindow::CodeMatrix      ? plan.CodeMatrix
                            : window == TDataWindow::NaturalMatrix ? plan.NaturalMatrix
                                                                   : plan.YMatrix;
    table.setRowCount(m.RowCount());
    table.setColumnCount(m.ColCount());
    for (int r = 0; r < m.RowCount(); ++r)
        for (int c = 0; c < m.ColCount(); ++c)
            SetCell(table, r, c, FormatMatrixCell(m.Get(r, c)));
}

} // namespace

TPlanWindows::TPlanWindows(QMdiArea& area, TPlanService& service) : Area(area), Service(service) {}

TPlanWindows::~TPlanWindows() {
    CloseAll();
}

QMdiSubWindow* TPlanWindows::AddWindow(TPlanWindow window, QWidget* contents) {
    auto* sub = Area.addSubWindow(contents);
    sub->setWindowTitle(QString::fromUtf8(PlanWindowCaption(window)));
    sub->setObjectName(QString::fromLatin1("PlanWindow%1").arg(Index(window)));
    sub->installEventFilter(new TMinimizeOnClose(sub));
    sub->resize(360, 220);
    Windows[Index(window)] = sub;
    return sub;
}

void TPlanWindows::ShowNormal(QMdiSubWindow* sub) {
    if (sub->isMinimized() || sub->isMaximized() || !sub->isVisible())
        sub->showNormal();
}

void TPlanWindows::ShowData(TDataWindow window) {
    QMdiSubWindow* sub = SubWindow(PlanWindowOf(window));
    if (!sub) {
        auto* table = new QTableWidget;
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->horizontalHeader()->setDefaultSectionSize(80);
        sub = AddWindow(PlanWindowOf(window), table);
    }
    RefreshData(window);
    ShowNormal(sub);
}

void TPlanWindows::RefreshData(TDataWindow window) {
    if (QMdiSubWindow* sub = SubWindow(PlanWindowOf(window)))
        if (auto* table = qobject_cast<QTableWidget*>(sub->widget()))
            FillTable(*table, Service.Plan, window);
}

void TPlanWindows::MinimizeData(TDataWindow window) {
    if (QMdiSubWindow* sub = SubWindow(PlanWindowOf(window)))
        sub->showMinimized();
}

void TPlanWindows::CloseData(TDataWindow window) {
    Close(PlanWindowOf(window));
}

bool TPlanWindows::IsDataOpen(TDataWindow window) const {
    return SubWindow(PlanWindowOf(window)) != nullptr;
}

bool TPlanWindows::IsDataMinimized(TDataWindow window) const {
    const QMdiSubWindow* sub = SubWindow(PlanWindowOf(window));
    return sub && sub->isMinimized();
}

void TPlanWindows::ShowReport() {
    QMdiSubWindow* sub = SubWindow(TPlanWindow::Report);
    if (!sub) {
        auto* text = new QTextEdit;
        text->setReadOnly(true);
        text->setLineWrapMode(QTextEdit::NoWrap);
        text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        sub = AddWindow(TPlanWindow::Report, text);
    }
    if (auto* text = qobject_cast<QTextEdit*>(sub->widget()))
        text->setPlainText(QString::fromStdString(Service.Plan.ReportText));
    ShowNormal(sub);
    sub->raise();
}

void TPlanWindows::MinimizeReport() {
    if (QMdiSubWindow* sub = SubWindow(TPlanWindow::Report); sub && !sub->isMinimized())
        sub->showMinimized();
}

void TPlanWindows::CloseReport() {
    Close(TPlanWindow::Report);
}

bool TPlanWindows::IsReportOpen() const {
    return SubWindow(TPlanWindow::Report) != nullptr;
}

bool TPlanWindows::IsReportMinimized() const {
    const QMdiSubWindow* sub = SubWindow(TPlanWindow::Report);
    return sub && sub->isMinimized();
}

void TPlanWindows::Close(TPlanWindow window) {
    if (QMdiSubWindow* sub = SubWindow(window)) {
        Windows[Index(window)] = nullptr;
        Area.removeSubWindow(sub);
        delete sub;
    }
}

void TPlanWindows::CloseAll() {
    for (int i = 0; i < 6; ++i)
        Close(static_cast<TPlanWindow>(i));
}

QMdiSubWindow* TPlanWindows::SubWindow(TPlanWindow window) const {
    const int i = Index(window);
    return i >= 0 && i < 6 ? Windows[i].data() : nullptr;
}

void TPlanWindows::ShowPlanWindow(TPlanWindow window) {
    if (window == TPlanWindow::Diagram)
        Service.Graphs.Show(true);
    else if (window == TPlanWindow::Report)
        Service.RestoreWindow(38);
    else if (QMdiSubWindow* sub = SubWindow(window))
        ShowNormal(sub);
}

void TPlanWindows::MinimizePlanWindow(TPlanWindow window) {
    if (window == TPlanWindow::Diagram)
        Service.Graphs.Show(false);
    else if (QMdiSubWindow* sub = SubWindow(window))
        sub->showMinimized();
}

void TPlanWindows::PlacePlanWindow(TPlanWindow window, const TWindowRect& rect) {
    QMdiSubWindow* sub = SubWindow(window);
    if (!sub)
        return;
    ShowNormal(sub);
    sub->setGeometry(rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top);
    sub->raise();
}

void TPlanWindows::ArrangeDiagram() {
    // The diagram and surface windows place themselves; until they exist
    // there is nothing of theirs to move.
}

} // namespace orvanta
