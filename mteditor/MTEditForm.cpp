#include "mteditor/MTEditForm.h"

#include "mteditor/EditorIcons.h"
#include "mteditor/GridDelegate.h"
#include "mteditor/MatrixGridModel.h"
#include "numeric/FieldChecks.h"
#include "numeric/NamedMatrix.h"
#include "numeric/NamedVector.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace orvanta {

TGridDelegate::TGridDelegate(TMTEditForm& form) : QStyledItemDelegate(&form), Form(form) {}

QWidget* TGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        Form.EditorOpened(line, index);
    return editor;
}

void TGridDelegate::Close(QWidget* editor) {
    emit closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool TGridDelegate::eventFilter(QObject* watched, QEvent* event) {
    return Form.EditorEvent(watched, event) || QStyledItemDelegate::eventFilter(watched, event);
}

namespace {

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

bool ClipboardHasText() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard && !clipboard->text().isEmpty();
}

} // namespace

TMTEditForm::TMTEditForm(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("MTEditForm"));
    resize(566, 299);
    Logic.OnChanged = [this] { Changed(); };

    ToolBar = new QToolBar(this);
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setIconSize(QSize(16, 16));
    EditMenu = new QMenu(QStringLiteral("Правка"), this);
    EditMenu->setObjectName(QStringLiteral("EditMenu"));
    MatrixMenu = new QMenu(this);
    MatrixMenu->setObjectName(QStringLiteral("MatrixMenu"));

    MatrixGrid = new QTableView(this);
    MatrixGrid->setObjectName(QStringLiteral("MatrixGrid"));
    Model = new TMatrixGridModel(Logic, this);
    Delegate = new TGridDelegate(*this);
    connect(Delegate, &QAbstractItemDelegate::closeEditor, this, &TMTEditForm::EditorClosed);
    MatrixGrid->setModel(Model);
    MatrixGrid->setItemDelegate(Delegate);
    MatrixGrid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    MatrixGrid->setEditTriggers(QAbstractItemView::AnyKeyPressed |
                                QAbstractItemView::DoubleClicked);
    MatrixGrid->setTabKeyNavigation(false);
    MatrixGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    MatrixGrid->setFont(font);
    MatrixGrid->verticalHeader()->setDefaultSectionSize(18);
    MatrixGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    MatrixGrid->horizontalHeader()->setDefaultSectionSize(72);
    MatrixGrid->installEventFilter(this);
    connect(MatrixGrid, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        MatrixMenu->popup(MatrixGrid->viewport()->mapToGlobal(at));
    });
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        connect(clipboard, &QClipboard::dataChanged, this, &TMTEditForm::RefreshPaste);

    CreateCommands();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar);
    layout->addWidget(MatrixGrid);
    RefreshState(false);
}

TMTEditForm::~TMTEditForm() {
    // The grid goes first: as the window closes, an open in-place editor
    // would hand its text back to a grid logic that no longer exists. The
    // data let go before that: their owner may have freed them already, and
    // every number typed is committed by now.
    Logic.Detach();
    Editor = nullptr;
    MatrixGrid->removeEventFilter(this);
    delete MatrixGrid;
}

QAction* TMTEditForm::Command(const char* item, const QString& caption,
                              void (TMTEditForm::*handler)(), const char* button,
                              const char* hint) {
    QAction* action = new QAction(caption, this);
    action->setObjectName(Text(item));
    connect(action, &QAction::triggered, this, handler);
    if (button) {
        QAction* tool = new QAction(EditorIcon(button), caption, this);
        tool->setObjectName(Text(button));
        connect(tool, &QAction::triggered, this, handler);
        ToolBar->addAction(tool);
        Hints.emplace_back(tool, Text(hint));
        tool->setToolTip(Text(hint));
    }
    return action;
}

void TMTEditForm::CreateCommands() {
    using F = TMTEditForm;
    UndoItem = Command("UndoItem", QStringLiteral("Отмена"), &F::UndoButtonClick, "UndoButton",
                       "Отменяет последнее редактирование");
    UndoItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    UndoButton = ToolBar->actions().back();
    ToolBar->addSeparator();
    QAction* selectAll = Command("SelectAllItem", QStringLiteral("Выделить все"),
                                 &F::SelectAllItemClick, "SelectAllButton", "Выделяет все ячейки");
    QAction* deselect = Command("DeselectItem", QStringLiteral("Снять выделение"),
                                &F::DeselectItemClick, "DeselectButton", "Снимает выделение");
    ToolBar->addSeparator();
    QAction* cut = Command("CutItem", QStringLiteral("Вырезать"), &F::CutItemClick, "CutButton",
                           "Удаляет выделение и помещает его в буфер");
    cut->setShortcut(QKeySequence(QStringLiteral("Ctrl+X")));
    QAction* copy = Command("CopyItem", QStringLiteral("Копировать"), &F::CopyItemClick,
                            "CopyButton", "Помещает выделение в буфер");
    copy->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    PasteItem = Command("PasteItem", QStringLiteral("Вставить"), &F::PasteItemClick, "PasteButton",
                        "Замещает выделение содержимым буфера");
    PasteItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+V")));
    PasteButton = ToolBar->actions().back();
    ToolBar->addSeparator();

    EditMenu->addAction(UndoItem);
    EditMenu->addSeparator();
    EditMenu->addActions({selectAll, deselect});
    EditMenu->addSeparator();
    EditMenu->addActions({cut, copy, PasteItem});
    EditMenu->addSeparator();

    QMenu* fill = EditMenu->addMenu(QStringLiteral("Заполнить"));
    fill->setObjectName(QStringLiteral("FillMenu"));
    fill->addAction(Command("FillAllItem", QStringLiteral("Все ..."), &F::FillAllItemClick,
                            "FillAllButton", "Заполняет все ячейки указанным числом"));
    fill->addAction(Command("FillRowItem", QStringLiteral("Строку ..."), &F::FillRowItemClick,
                            "FillRowButton", "Заполняет текущую строку указанным числом"));
    fill->addAction(Command("FillColumnItem", QStringLiteral("Столбец ..."),
                            &F::FillColumnItemClick, "FillColumnButton",
                            "Заполняет текущий столбец указанным числом"));
    fill->addAction(Command("FillSelectionItem", QStringLiteral("Выделение ..."),
                            &F::FillSelectionItemClick, "FillSelectionButton",
                            "Заполняет выделение указанным числом"));
    ToolBar->addSeparator();
    QMenu* clear = EditMenu->addMenu(QStringLiteral("Очистить"));
    clear->setObjectName(QStringLiteral("ClearMenu"));
    clear->addAction(Command("ClearAllItem", QStringLiteral("Все"), &F::ClearAllItemClick,
                             "ClearAllButton", "Заполняет все ячейки нулями"));
    clear->addAction(Command("ClearRowItem", QStringLiteral("Строку"), &F::ClearRowItemClick,
                             "ClearRowButton", "Заполняет нулями текущую строку"));
    clear->addAction(Command("ClearColumnItem", QStringLiteral("Столбец"), &F::ClearColumnItemClick,
                             "ClearColumnButton", "Заполняет нулями текущий столбец"));
    clear->addAction(Command("ClearSelectionItem", QStringLiteral("Выделение"),
                             &F::ClearSelectionItemClick, "ClearSelectionButton",
                             "Заполняет нулями выделение"));
    ToolBar->addSeparator();
    EditMenu->addSeparator();
    NameItem = Command("NameItem", QStringLiteral("Задать имя ..."), &F::NameItemClick,
                       "NameButton", "Определяет для данных имя");
    NameButton = ToolBar->actions().back();
    EditMenu->addAction(NameItem);

    // The shortcuts act while the grid has the focus, merged menu or not.
    for (QAction* action : {UndoItem, cut, copy, PasteItem}) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    }
    MatrixMenu->addActions({selectAll, deselect});
    MatrixMenu->addSeparator();
    MatrixMenu->addActions({cut, copy, PasteItem});
}

// ---- Data ----

void TMTEditForm::AttachMatrix(TNamedMatrix& matrix) {
    CloseEditor();
    Logic.AttachMatrix(matrix);
    Rebuild();
}

void TMTEditForm::AttachVector(TNamedVector& vector) {
    CloseEditor();
    Logic.AttachVector(vector);
    Rebuild();
}

void TMTEditForm::Detach() {
    CloseEditor();
    Logic.Detach();
    Rebuild();
}

void TMTEditForm::Rebuild() {
    Model->Rebuilt();
    MatrixGrid->verticalHeader()->setVisible(Logic.FixedCols() > 0);
    if (Logic.HasData())
        SetCurrentCell({Logic.FixedCols(), Logic.FixedRows()});
    RefreshState(false);
}

void TMTEditForm::SetEdited(bool edited) {
    Logic.SetEdited(edited);
    UndoItem->setEnabled(edited);
    UndoButton->setEnabled(edited);
}

void TMTEditForm::SetEditingAllowed(bool allowed) {
    Model->SetEditable(allowed);
    MatrixGrid->setEditTriggers(allowed ? QAbstractItemView::AnyKeyPressed |
                                              QAbstractItemView::DoubleClicked
                                        : QAbstractItemView::NoEditTriggers);
}

bool TMTEditForm::EditingAllowed() const {
    return Model->IsEditable();
}

void TMTEditForm::SetHints(bool on) {
    for (auto& [action, hint] : Hints)
        action->setToolTip(on ? hint : QString());
}

void TMTEditForm::Changed() {
    RefreshState(true);
    if (OnDataChanged)
        OnDataChanged(*this);
}

void TMTEditForm::RefreshState(bool pendingEdit) {
    const bool hasData = Logic.HasData();
    setEnabled(hasData);
    NameItem->setEnabled(hasData);
    NameButton->setEnabled(hasData);
    if (!hasData) {
        SetEdited(false);
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
            sub->showMinimized();
        return;
    }
    SetEdited(Logic.IsEdited() || pendingEdit);
    RefreshPaste();
    if (OnRefreshTitle)
        OnRefreshTitle();
}

void TMTEditForm::RefreshPaste() {
    const bool text = ClipboardHasText();
    PasteItem->setEnabled(text);
    PasteButton->setEnabled(text);
}

// ---- Selection and cursor ----

TGridCell TMTEditForm::CurrentCell() const {
    const QModelIndex current = MatrixGrid->currentIndex();
    if (!current.isValid())
        return {Logic.FixedCols(), Logic.FixedRows()};
    return Model->CellOf(current);
}

void TMTEditForm::SetCurrentCell(TGridCell cell) {
    MatrixGrid->setCurrentIndex(Model->IndexOf(cell));
}

TGridRect TMTEditForm::Selection() const {
    const QItemSelection selection = MatrixGrid->selectionModel()->selection();
    if (selection.isEmpty()) {
        const TGridCell cell = CurrentCell();
        return {cell.Col, cell.Row, cell.Col, cell.Row};
    }
    const QItemSelectionRange& range = selection.front();
    const TGridCell topLeft = Model->CellOf(range.topLeft());
    const TGridCell bottomRight = Model->CellOf(range.bottomRight());
    return {topLeft.Col, topLeft.Row, bottomRight.Col, bottomRight.Row};
}

void TMTEditForm::SelectRect(const TGridRect& rect) {
    const QItemSelection selection(Model->IndexOf({rect.Left, rect.Top}),
                                   Model->IndexOf({rect.Right, rect.Bottom}));
    MatrixGrid->selectionModel()->setCurrentIndex(Model->IndexOf({rect.Left, rect.Top}),
                                                  QItemSelectionModel::NoUpdate);
    MatrixGrid->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

// ---- Commands ----

void TMTEditForm::UndoButtonClick() {
    CloseEditor();
    Logic.Undo();
    Model->TextsChanged();
}

void TMTEditForm::SelectAllItemClick() {
    if (Logic.HasData())
        SelectRect(Logic.DataCells());
}

void TMTEditForm::DeselectItemClick() {
    if (!Logic.HasData())
        return;
    const TGridCell first{Logic.FixedCols(), Logic.FixedRows()};
    SelectRect({first.Col, first.Row, first.Col, first.Row});
}

void TMTEditForm::CopyItemClick() {
    if (!Logic.HasData())
        return;
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(QString::fromStdString(Logic.CopyText(Selection())));
}

void TMTEditForm::CutItemClick() {
    if (!Logic.HasData())
        return;
    CopyItemClick();
    ClearSelectionItemClick();
}

void TMTEditForm::PasteItemClick() {
    if (!Logic.HasData())
        return;
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;
    CloseEditor();
    Logic.Paste(clipboard->text().toStdString(), Selection());
    Model->TextsChanged();
}

void TMTEditForm::FillWithAsked(const TGridRect& rect) {
    if (!Logic.HasData())
        return;
    double value = 0.0;
    if (!InputReal(value, "", "Заполнить значением:"))
        return;
    CloseEditor();
    Logic.FillRange(rect, value);
    Model->TextsChanged();
}

void TMTEditForm::FillAllItemClick() {
    FillWithAsked(Logic.DataCells());
}

void TMTEditForm::FillRowItemClick() {
    FillWithAsked(Logic.RowCells(CurrentCell()));
}

void TMTEditForm::FillColumnItemClick() {
    FillWithAsked(Logic.ColumnCells(CurrentCell()));
}

void TMTEditForm::FillSelectionItemClick() {
    FillWithAsked(Selection());
}

void TMTEditForm::ClearAllItemClick() {
    if (Logic.HasData()) {
        Logic.FillRange(Logic.DataCells(), 0.0);
        Model->TextsChanged();
    }
}

void TMTEditForm::ClearRowItemClick() {
    if (Logic.HasData()) {
        Logic.FillRange(Logic.RowCells(CurrentCell()), 0.0);
        Model->TextsChanged();
    }
}

void TMTEditForm::ClearColumnItemClick() {
    if (Logic.HasData()) {
        Logic.FillRange(Logic.ColumnCells(CurrentCell()), 0.0);
        Model->TextsChanged();
    }
}

void TMTEditForm::ClearSelectionItemClick() {
    if (Logic.HasData()) {
        CloseEditor();
        Logic.FillRange(Selection(), 0.0);
        Model->TextsChanged();
    }
}

void TMTEditForm::NameItemClick() {
    if (!Logic.HasData())
        return;
    std::string name;
    if (InputString(name, Logic.Name(), "Имя матрицы") && !name.empty()) {
        Logic.SetName(name);
        RefreshState(false);
    }
}

} // namespace orvanta
