#include "statswindow/StatisticsForm.h"

#include "dialogs/FileDialog.h"
#include "dialogs/NamedWidget.h"
#include "dialogs/ReportFileLogic.h"
#include "numeric/Stream.h"
#include "services/SafeWrite.h"
#include "statswindow/StatisticsRtf.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>
#include <map>

namespace orvanta {

namespace {

// The shade of the rows worth a look, and of nothing else in the window.
const QColor MarkedShade(255, 236, 179);

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QString TableName(const std::string& key, int index) {
    return Text(key) + QStringLiteral("Table") + QString::number(index);
}

QLabel* Line(const std::string& text, QWidget* parent) {
    auto* label = new QLabel(Text(text), parent);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// A long column title takes two lines, split at the blank nearest its
// middle, so that the column is as wide as its figures need.
QString HeaderTitle(const std::string& utf8) {
    QString title = Text(utf8);
    if (title.size() <= 16)
        return title;
    const int middle = title.size() / 2;
    int split = -1;
    for (int i = 0; i < title.size(); ++i)
        if (title[i] == QLatin1Char(' ') &&
            (split < 0 || std::abs(i - middle) < std::abs(split - middle)))
            split = i;
    if (split > 0)
        title[split] = QLatin1Char('\n');
    return title;
}

// The figures stand right-aligned, as in a spreadsheet; names and notes left.
Qt::Alignment CellAlignment(const TStatCell& cell) {
    return (cell.Value ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

} // namespace

TStatisticsForm::TStatisticsForm(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("StatisticsForm"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    Message = Named(new QLabel(this), QStringLiteral("Message"));
    Message->setWordWrap(true);
    Message->hide();
    Tabs = Named(new QTabWidget(this), QStringLiteral("Tabs"));
    layout->addWidget(Message);
    layout->addWidget(Tabs, 1);
    CreateMenus();
    AskFile = [this](const std::string& initial) { return RunSaveDialog(initial); };
}

void TStatisticsForm::CreateMenus() {
    const auto command = [this](const char* name, const QString& caption, auto handler) {
        auto* action = new QAction(caption, this);
        action->setObjectName(QString::fromUtf8(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    using F = TStatisticsForm;
    CopyItem = command("CopyItem", QStringLiteral("&Копировать"), &F::CopyItemClick);
    CopyItem->setShortcut(QKeySequence::Copy);
    CopyAllItem = command("CopyAllItem", QStringLiteral("Копировать &все"), &F::CopyAllItemClick);
    SaveAsItem =
        command("StatSaveAsItem", QStringLiteral("&Сохранить как ..."), &F::SaveAsItemClick);
    StationaryItem =
        command("StationaryItem", QStringLiteral("&Перейти в стационарную точку"), [this] {
            if (OnStationaryPoint)
                OnStationaryPoint();
        });
    StationaryItem->setEnabled(false);
    EditMenu = new QMenu(QStringLiteral("Правка"), this);
    EditMenu->setObjectName(QStringLiteral("EditMenu"));
    EditMenu->addActions({CopyItem, CopyAllItem});
    EditMenu->addSeparator();
    EditMenu->addAction(SaveAsItem);
    EditMenu->addSeparator();
    EditMenu->addAction(StationaryItem);
    // Ctrl+C copies from this window only: the grids and the report have
    // their own.
    CopyItem->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(CopyItem);
}

QTableWidget* TStatisticsForm::CreateTable(const TStatTable& table, const QString& name) {
    const auto rows = static_cast<int>(table.Rows.size());
    const auto columns = static_cast<int>(table.Header.size());
    auto* grid = Named(new QTableWidget(rows, columns), name);
    QStringList header;
    for (const std::string& title : table.Header)
        header << HeaderTitle(title);
    grid->setHorizontalHeaderLabels(header);
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid->installEventFilter(this);
    for (int i = 0; i < rows; ++i) {
        const TStatRow& row = table.Rows[static_cast<std::size_t>(i)];
        const bool marked = table.Marked[static_cast<std::size_t>(i)];
        for (int j = 0; j < columns && j < static_cast<int>(row.size()); ++j) {
            const TStatCell& cell = row[static_cast<std::size_t>(j)];
            auto* item = new QTableWidgetItem(Text(cell.Text));
            item->setTextAlignment(CellAlignment(cell));
            // The figure itself, for whoever reads the window beyond its text.
            if (cell.Value)
                item->setData(Qt::UserRole, *cell.Value);
            if (marked) {
                item->setBackground(MarkedShade);
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            grid->setItem(i, j, item);
        }
    }
    grid->resizeColumnsToContents();
    grid->resizeRowsToContents();
    return grid;
}

QWidget* TStatisticsForm::SectionPage(const TStatSection& section) {
    auto* page = new QWidget;
    page->setObjectName(Text(section.Key));
    auto* layout = new QVBoxLayout(page);
    for (const std::string& line : section.Above)
        layout->addWidget(Line(line, page));
    for (std::size_t i = 0; i < section.Tables.size(); ++i) {
        QTableWidget* grid = CreateTable(section.Tables[i], TableName(section.Key, int(i)));
        layout->addWidget(grid, grid->rowCount() > 8 ? 1 : 0);
        // A short table needs no more height than its rows.
        if (grid->rowCount() <= 8)
            grid->setFixedHeight(grid->horizontalHeader()->height() +
                                 grid->verticalHeader()->length() + 2 * grid->frameWidth() + 2);
    }
    for (const std::string& line : section.Below) {
        QLabel* label = Line(line, page);
        // The rule of the highlighted rows and the warning about a point
        // outside the plan are what the person must not miss.
        if (section.Key == "diagnostics" || line.find("вне области") != std::string::npos)
            label->setStyleSheet(QStringLiteral("font-weight: bold"));
        layout->addWidget(label);
    }
    if (section.Key == "canonical") {
        auto* go = Named(new QPushButton(StationaryItem->text().remove(QLatin1Char('&')), page),
                         QStringLiteral("StationaryButton"));
        connect(go, &QPushButton::clicked, StationaryItem, &QAction::trigger);
        layout->addWidget(go, 0, Qt::AlignLeft);
    }
    layout->addStretch();
    return page;
}

void TStatisticsForm::SetSections(std::vector<TStatSection> sections) {
    const QString current = Tabs->currentWidget() ? Tabs->currentWidget()->objectName() : QString();
    Shown = std::move(sections);
    while (Tabs->count() > 0) {
        QWidget* page = Tabs->widget(0);
        Tabs->removeTab(0);
        delete page;
    }
    bool canonical = false;
    for (const TStatSection& section : Shown) {
        auto* scroll = new QScrollArea;
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        QWidget* page = SectionPage(section);
        scroll->setWidget(page);
        scroll->setObjectName(page->objectName());
        const int tab = Tabs->addTab(scroll, Text(section.Title));
        if (scroll->objectName() == current)
            Tabs->setCurrentIndex(tab);
        canonical = canonical || section.Key == "canonical";
    }
    StationaryItem->setEnabled(canonical);
    CopyItem->setEnabled(!Shown.empty());
    CopyAllItem->setEnabled(!Shown.empty());
    SaveAsItem->setEnabled(!Shown.empty());
    Message->hide();
    Tabs->show();
}

void TStatisticsForm::ShowMessage(const QString& text) {
    SetSections({});
    Message->setText(text);
    Tabs->hide();
    Message->show();
}

QTableWidget* TStatisticsForm::Table(const std::string& key, int index) const {
    return Tabs->findChild<QTableWidget*>(TableName(key, index));
}

QString TStatisticsForm::CopyText() const {
    const int tab = Tabs->currentIndex();
    if (tab < 0 || tab >= static_cast<int>(Shown.size()))
        return {};
    const TStatSection& section = Shown[static_cast<std::size_t>(tab)];
    // The table that has the focus, or else the section's first.
    int index = 0;
    for (int i = 0; i < static_cast<int>(section.Tables.size()); ++i)
        if (QTableWidget* candidate = Table(section.Key, i); candidate && candidate->hasFocus())
            index = i;
    QTableWidget* grid = Table(section.Key, index);
    if (!grid)
        return {};
    const QList<QTableWidgetItem*> selected = grid->selectedItems();
    if (selected.size() <= 1)
        return Text(TableTsv(section.Tables[static_cast<std::size_t>(index)]));
    // The selected cells in their rows and columns, gaps left empty.
    std::map<int, std::map<int, QString>> cells;
    int first = grid->columnCount();
    int last = 0;
    for (const QTableWidgetItem* item : selected) {
        cells[item->row()][item->column()] = item->text();
        first = std::min(first, item->column());
        last = std::max(last, item->column());
    }
    QString text;
    for (const auto& [row, columns] : cells) {
        QStringList line;
        for (int j = first; j <= last; ++j)
            line << (columns.count(j) ? columns.at(j) : QString());
        text += line.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

bool TStatisticsForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        CopyItemClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TStatisticsForm::CopyItemClick() {
    if (!Shown.empty())
        QApplication::clipboard()->setText(CopyText());
}

void TStatisticsForm::CopyAllItemClick() {
    if (!Shown.empty())
        QApplication::clipboard()->setText(Text(SectionsText(Shown)));
}

bool TStatisticsForm::SaveTo(const std::string& path, bool plainText) const {
    const std::string bytes = plainText ? Cp1251Lines(SectionsText(Shown)) : SectionsToRtf(Shown);
    return WriteFileSafely(path,
                           [&](TStream& stream) { stream.Write(bytes.data(), bytes.size()); });
}

std::optional<std::pair<std::string, bool>>
TStatisticsForm::RunSaveDialog(const std::string& initial) {
    TFileDialog dialog(this, SaveCaption, true);
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    dialog.SetFilters({ShownFilterEntry(QStringLiteral("Rich text format (*.rtf)")),
                       ShownFilterEntry(QStringLiteral("Только текст (*.txt)"))});
    dialog.SetFinalPath([](const QString& chosen, int filterIndex) {
        return Text(ReportFileFor(chosen.toStdString(), filterIndex == 0).Path);
    });
    if (!initial.empty())
        dialog.selectFile(Text(initial));
    const auto choice = dialog.Run();
    if (!choice)
        return std::nullopt;
    const TReportFile file = ReportFileFor(choice->Path.toStdString(), choice->FilterIndex == 0);
    return std::make_pair(file.Path, file.PlainText);
}

void TStatisticsForm::SaveAsItemClick() {
    if (Shown.empty())
        return;
    const auto chosen = AskFile(LastFile.empty() ? SaveName : LastFile);
    if (!chosen)
        return;
    if (SaveTo(chosen->first, chosen->second))
        LastFile = chosen->first;
}

} // namespace orvanta
