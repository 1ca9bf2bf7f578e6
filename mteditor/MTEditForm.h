#pragma once

#include "mteditor/MatrixGridLogic.h"

#include <QLineEdit>
#include <QPointer>
#include <QWidget>

#include <functional>

class QAction;
class QMenu;
class QModelIndex;
class QTableView;
class QToolBar;

namespace orvanta {

class TMatrixGridModel;
class TGridDelegate;

// The editor window of one matrix or one vector of the plan: a grid whose
// every accepted change goes straight into the data, with one level of undo
// (alternating with redo), fills, clears, copy, cut, paste and naming. The
// data stay with the plan; the window only refers to them. Its menu
// "Правка" joins the main window's menu bar while the window is active.
class TMTEditForm : public QWidget {
    Q_OBJECT
public:
    explicit TMTEditForm(QWidget* parent = nullptr);
    ~TMTEditForm() override;

    // ---- What the plan calls ----
    void AttachMatrix(TNamedMatrix& matrix);
    void AttachVector(TNamedVector& vector);
    void Detach();
    bool HasData() const { return Logic.HasData(); }
    bool IsEdited() const { return Logic.IsEdited(); }
    void SetEdited(bool edited);
    // Whether cells can be typed into (off for the natural-matrix window);
    // the commands of the menu and tool bar stay.
    void SetEditingAllowed(bool allowed);
    bool EditingAllowed() const;
    // Tool-bar hints follow the options' "show hints".
    void SetHints(bool on);
    // The window lost activation: an unfinished entry is discarded.
    void Deactivate();

    // Sent after every change of the data made here (set by the plan for the
    // code matrix, base levels and intervals).
    std::function<void(TMTEditForm&)> OnDataChanged;
    // The main window recomputes its title (whether the plan is modified).
    std::function<void()> OnRefreshTitle;

    // ---- Command handlers (menu items and buttons share them) ----
    void UndoButtonClick();
    void SelectAllItemClick();
    void DeselectItemClick();
    void CutItemClick();
    void CopyItemClick();
    void PasteItemClick();
    void FillAllItemClick();
    void FillRowItemClick();
    void FillColumnItemClick();
    void FillSelectionItemClick();
    void ClearAllItemClick();
    void ClearRowItemClick();
    void ClearColumnItemClick();
    void ClearSelectionItemClick();
    void NameItemClick();

    // ---- For the window and its tests ----
    TMatrixGridLogic& Grid() { return Logic; }
    QTableView* MatrixGrid = nullptr;
    QMenu* EditMenu = nullptr;
    QMenu* MatrixMenu = nullptr;
    // The selection as a grid rectangle (the current cell when nothing is
    // selected).
    TGridRect Selection() const;
    void SelectRect(const TGridRect& rect);
    TGridCell CurrentCell() const;
    void SetCurrentCell(TGridCell cell);
    bool IsEditing() const { return Editor != nullptr; }
    // Applies the key as the grid's key handler does; true when consumed.
    bool MatrixGridKeyDown(QKeyEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TGridDelegate;
    void CreateCommands();
    QAction* Command(const char* item, const QString& caption, void (TMTEditForm::*handler)(),
                     const char* button = nullptr, const char* hint = nullptr);
    void Rebuild();
    void Changed();
    void RefreshState(bool pendingEdit);
    void RefreshPaste();
    void FillWithAsked(const TGridRect& rect);
    // The in-place editor, opened on a cell of the model.
    void EditorOpened(QLineEdit* editor, const QModelIndex& index);
    void EditorClosed();
    // Every change the person makes to the editor's text is handed back to
    // the grid and committed when it is a number.
    void EditorTextEdited(const QString& text);
    // The editor's events, before the delegate's; true when consumed.
    bool EditorEvent(QObject* watched, QEvent* event);
    void CloseEditor();
    void TakeEditorText();
    bool EditorKeyDown(QKeyEvent* event);
    bool FilterTyped(QKeyEvent* event);

    TMatrixGridLogic Logic;
    TMatrixGridModel* Model = nullptr;
    TGridDelegate* Delegate = nullptr;
    QToolBar* ToolBar = nullptr;
    QPointer<QLineEdit> Editor;
    std::vector<std::pair<QAction*, QString>> Hints;
    QAction* UndoItem = nullptr;
    QAction* UndoButton = nullptr;
    QAction* PasteItem = nullptr;
    QAction* PasteButton = nullptr;
    QAction* NameItem = nullptr;
    QAction* NameButton = nullptr;
};

} // namespace orvanta
