// The matrix editor's keys, its in-place editor and its character filter.
#include "mteditor/MTEditForm.h"

#include "mteditor/GridDelegate.h"
#include "mteditor/MatrixGridModel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>

namespace orvanta {

namespace {

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

void TMTEditForm::EditorOpened(QLineEdit* editor, const QModelIndex& index) {
    Editor = editor;
    Logic.BeginTyping(Model->CellOf(index));
    connect(editor, &QLineEdit::textEdited, this, &TMTEditForm::EditorTextEdited);
}

void TMTEditForm::EditorClosed() {
    Editor = nullptr;
    if (Logic.IsTyping()) {
        Logic.EndTyping();
        Model->TextsChanged();
    }
}

void TMTEditForm::EditorTextEdited(const QString& text) {
    // The cell under the editor is not repainted: that would hand the text
    // back to the editor and move its cursor.
    if (Editor == sender() && Logic.IsTyping())
        Logic.TypeText(Logic.TypedCell(), text.toStdString());
}

void TMTEditForm::CloseEditor() {
    if (Editor) {
        QLineEdit* editor = Editor;
        Editor = nullptr;
        Delegate->Close(editor);
    }
}

void TMTEditForm::TakeEditorText() {
    if (Editor)
        Logic.SetText(CurrentCell(), Editor->text().toStdString());
}

void TMTEditForm::Deactivate() {
    if (!Editor)
        return;
    const TGridCell cell = CurrentCell();
    Logic.SetText(cell, Logic.StoredText(cell));
    CloseEditor();
    Model->TextsChanged();
}

bool TMTEditForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched == MatrixGrid)
        return MatrixGridKeyDown(static_cast<QKeyEvent*>(event));
    return QWidget::eventFilter(watched, event);
}

bool TMTEditForm::EditorEvent(QObject* watched, QEvent* event) {
    if (watched != Editor || !Editor)
        return false;
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        return EditorKeyDown(key) || FilterTyped(key);
    }
    if (event->type() == QEvent::ShortcutOverride) {
        // Keys the grid handles itself must reach it while the editor is open.
        const int k = static_cast<QKeyEvent*>(event)->key();
        // Undo takes back the whole edit as the window's command, not the
        // editor's last keystroke.
        if (IsEnter(k) || k == Qt::Key_Escape || k == Qt::Key_Tab || k == Qt::Key_Backtab ||
            static_cast<QKeyEvent*>(event)->matches(QKeySequence::Undo)) {
            event->accept();
            return true;
        }
    }
    return false;
}

// Keys while the in-place editor is open; true when consumed.
bool TMTEditForm::EditorKeyDown(QKeyEvent* event) {
    const int key = event->key();
    const auto mods = event->modifiers();
    const bool shift = mods & Qt::ShiftModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    const TGridCell cell = CurrentCell();
    if (IsEnter(key) && shift && ctrl) {
        TakeEditorText();
        if (Logic.CommitCell(cell)) {
            // The value goes to the whole selection as one undo step.
            const double value = Logic.StoredValue(cell);
            const TGridRect selection = Selection();
            Logic.Undo();
            CloseEditor();
            Logic.FillRange(selection, value);
            Model->TextsChanged();
        }
        return true;
    }
    if (IsEnter(key)) {
        TakeEditorText();
        if (Logic.CommitCell(cell)) {
            CloseEditor();
            SetCurrentCell(Logic.NextInColumn(cell));
            Model->TextsChanged();
        }
        return true;
    }
    if (key == Qt::Key_Escape) {
        Deactivate();
        return true;
    }
    if (event->matches(QKeySequence::Undo)) {
        if (UndoItem->isEnabled())
            UndoButtonClick();
        return true;
    }
    // What was typed is committed already; Tab only leaves the cell.
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        CloseEditor();
        SetCurrentCell(key == Qt::Key_Tab && !shift ? Logic.NextInRow(cell)
                                                    : Logic.PreviousInRow(cell));
        Model->TextsChanged();
        return true;
    }
    if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
        key == Qt::Key_PageDown) {
        TakeEditorText();
        if (!Logic.CommitCell(cell))
            return true;
        CloseEditor();
        Model->TextsChanged();
        QKeyEvent again(QEvent::KeyPress, key, mods);
        QApplication::sendEvent(MatrixGrid, &again);
        return true;
    }
    return false;
}

// The character filter of typing into a cell; true when the key was handled
// here (refused, or its replacement typed).
bool TMTEditForm::FilterTyped(QKeyEvent* event) {
    const QString text = event->text();
    if (text.size() != 1 || event->modifiers() & Qt::ControlModifier)
        return false;
    const QChar typed = text.front();
    if (typed.unicode() < 32 && typed != QLatin1Char('\b'))
        return false;
    QString current = Editor->text();
    if (Editor->hasSelectedText())
        current.remove(Editor->selectionStart(), Editor->selectedText().size());
    const auto accepted = typed.unicode() > 127
                              ? std::nullopt
                              : TMatrixGridLogic::FilterChar(static_cast<char>(typed.unicode()),
                                                             current.toStdString());
    if (!accepted)
        return true;
    if (*accepted == static_cast<char>(typed.unicode()))
        return false;
    Editor->insert(QString(QLatin1Char(*accepted)));
    return true;
}

// Keys of the grid while no editor is open; true when consumed.
bool TMTEditForm::MatrixGridKeyDown(QKeyEvent* event) {
    if (!Logic.HasData())
        return false;
    const int key = event->key();
    const auto mods = event->modifiers();
    const bool shift = mods & Qt::ShiftModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    const bool allowed = Model->IsEditable();
    const TGridCell cell = CurrentCell();
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        SetCurrentCell(key == Qt::Key_Tab && !shift ? Logic.NextInRow(cell)
                                                    : Logic.PreviousInRow(cell));
        return true;
    }
    if ((key == Qt::Key_Right || key == Qt::Key_Left) && !shift) {
        SetCurrentCell(key == Qt::Key_Right ? Logic.NextInRow(cell) : Logic.PreviousInRow(cell));
        return true;
    }
    if (IsEnter(key)) {
        if (allowed)
            MatrixGrid->edit(Model->IndexOf(cell));
        return true;
    }
    if (key == Qt::Key_Insert && ctrl) {
        CopyItemClick();
        return true;
    }
    if (key == Qt::Key_Insert && shift) {
        if (allowed)
            PasteItemClick();
        return true;
    }
    if (key == Qt::Key_Delete) {
        if (allowed)
            shift ? CutItemClick() : ClearSelectionItemClick();
        return true;
    }
    if (key == Qt::Key_F2)
        return true;
    return false;
}

} // namespace orvanta
