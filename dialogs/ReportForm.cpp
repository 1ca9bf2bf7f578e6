#include "dialogs/ReportForm.h"

#include "dialogs/FileDialog.h"
#include "dialogs/FontAndColor.h"
#include "dialogs/ReportFileLogic.h"
#include "numeric/Stream.h"
#include "plan/Settings.h"
#include "services/SafeWrite.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFontDialog>
#include <QMenu>
#include <QPalette>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

namespace orvanta {

namespace {

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace

TReportForm::TReportForm(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ReportForm"));
    setWindowTitle(QStringLiteral("Отчет"));
    Edit = new QTextEdit(this);
    Edit->setObjectName(QStringLiteral("Edit"));
    Edit->setLineWrapMode(QTextEdit::NoWrap);
    Edit->setAcceptRichText(false);
    Edit->setTabChangesFocus(false);
    Edit->setContextMenuPolicy(Qt::CustomContextMenu);
    ToolBar = new QToolBar(this);
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    EditMenu = new QMenu(QStringLiteral("Правка"), this);
    EditMenu->setObjectName(QStringLiteral("EditMenu"));

    using F = TReportForm;
    QAction* undo = Command("UndoItem", QStringLiteral("Отмена"), &F::UndoItemClick,
                            "Отменяет последнюю операцию");
    QAction* all = Command("SelectAllItem", QStringLiteral("Выделить все"), &F::SelectAllItemClick,
                           "Выделяет весь текст");
    QAction* none = Command("DeselectItem", QStringLiteral("Снять выделение"),
                            &F::DeselectItemClick, "Снимает выделение");
    QAction* cut = Command("CutItem", QStringLiteral("Вырезать"), &F::CutItemClick,
                           "Удаляет выделенный текст и помещает его во внутренний буфер");
    cut->setShortcut(QKeySequence(QStringLiteral("Ctrl+X")));
    QAction* copy = Command("CopyItem", QStringLiteral("Копировать"), &F::CopyItemClick,
                            "Помещает выделенный текст во внутренний буфер");
    copy->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    PasteItem = Command("PasteItem", QStringLiteral("Вставить"), &F::PasteItemClick,
                        "Помещает содержимое внутреннего буфера в текст");
    PasteItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+V")));
    QAction* clear =
        Command("ClearItem", QStringLiteral("Очистить"), &F::ClearItemClick, "Очистка отчета");
    QAction* saveAs = Command("SaveAsItem", QStringLiteral("Сохранить как ..."),
                              &F::SaveAsItemClick, "Сохраняет текст в новый файл");
    SaveItem =
        Command("SaveItem", QStringLiteral("Сохранить"), &F::SaveItemClick, "Сохраняет текст");
    SaveItem->setEnabled(false);
    QAction* font = Command("FontItem", QStringLiteral("Шрифт ..."), &F::FontItemClick);
    QAction* background =
        Command("BackgroundItem", QStringLiteral("Цвет фона ..."), &F::BackgroundItemClick);

    EditMenu->addActions({undo});
    EditMenu->addSeparator();
    EditMenu->addActions({all, none});
    EditMenu->addSeparator();
    EditMenu->addActions({cut, copy, PasteItem, clear});
    EditMenu->addSeparator();
    QMenu* exportMenu = EditMenu->addMenu(QStringLiteral("Экспорт"));
    exportMenu->addActions({saveAs, SaveItem});
    QMenu* format = EditMenu->addMenu(QStringLiteral("Формат"));
    format->addActions({font, background});
    connect(EditMenu, &QMenu::aboutToShow, this, &TReportForm::RefreshPaste);

    auto* context = new QMenu(this);
    context->setObjectName(QStringLiteral("ReportMenu"));
    context->addActions({undo, all, none, cut, copy, PasteItem, clear});
    connect(Edit, &QWidget::customContextMenuRequested, this, [this, context](const QPoint& at) {
        RefreshPaste();
        context->popup(Edit->viewport()->mapToGlobal(at));
    });
    for (QAction* action : {cut, copy, PasteItem}) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar);
    layout->addWidget(Edit);
    AskFile = [this](const std::string& initial) { return RunSaveDialog(initial); };
    ApplySettings();
    Edit->setFocus();
}

QAction* TReportForm::Command(const char* name, const QString& caption,
                              void (TReportForm::*handler)(), const char* hint) {
    auto* action = new QAction(caption, this);
    action->setObjectName(Text(name));
    connect(action, &QAction::triggered, this, handler);
    if (hint) {
        action->setToolTip(Text(hint));
        ToolBar->addAction(action);
    }
    return action;
}

void TReportForm::ApplySettings() {
    const TSettings& s = Settings();
    QPalette palette = Edit->palette();
    palette.setColor(QPalette::Base, ColorOf(s.ReportBackColor, QApplication::palette()));
    palette.setColor(QPalette::Text, ColorOf(s.ReportTextColor, QApplication::palette()));
    Edit->setPalette(palette);
    Edit->setFont(FontOf(s.ReportFont));
    ToolBar->setToolTipDuration(s.CBShowHints ? -1 : 0);
}

void TReportForm::LoadReport(const std::string& utf8Text) {
    Edit->setPlainText(QString::fromStdString(utf8Text));
    Edit->document()->setModified(false);
}

bool TReportForm::IsModified() const {
    return Edit->document()->isModified();
}

std::optional<std::pair<std::string, bool>> TReportForm::RunSaveDialog(const std::string& initial) {
    TFileDialog dialog(this, QStringLiteral("Сохранение отчета"), true);
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    dialog.SetFilters({ShownFilterEntry(QStringLiteral("Rich text format (*.rtf)")),
                       ShownFilterEntry(QStringLiteral("Только текст (*.txt)"))});
    dialog.SetFinalPath([](const QString& chosen, int filterIndex) {
        return QString::fromStdString(ReportFileFor(chosen.toStdString(), filterIndex == 0).Path);
    });
    if (!initial.empty())
        dialog.selectFile(QString::fromStdString(initial));
    const auto choice = dialog.Run();
    if (!choice)
        return std::nullopt;
    return std::make_pair(choice->Path.toStdString(), choice->FilterIndex == 0);
}

bool TReportForm::SaveReportAs() {
    std::string initial;
    if (!ReportFile.empty())
        initial = ReportFileFor(ReportFile, true).BaseName;
    const auto chosen = AskFile(initial);
    if (!chosen)
        return false;
    const TReportFile file = ReportFileFor(chosen->first, chosen->second);
    if (OnCaption)
        OnCaption(QStringLiteral("Отчет - [") + QString::fromStdString(file.BaseName) +
                  QLatin1Char(']'));
    SaveItem->setEnabled(true);
    ReportFile = file.Path;
    Plain = file.PlainText;
    return SaveReport();
}

bool TReportForm::SaveReport() {
    if (ReportFile.empty())
        return SaveReportAs();
    std::string text = Edit->toPlainText().toStdString();
    std::string bytes;
    if (Plain) {
        bytes = Cp1251Lines(text) + "\r\n";
    } else {
        const TSettings& s = Settings();
        TRtfStyle style;
        style.FaceName = Edit->font().family().toStdString();
        style.PointSize = Edit->font().pixelSize() > 0 ? Edit->font().pixelSize() * 72.0 / 96.0
                                                       : Edit->font().pointSizeF();
        style.Bold = Edit->font().bold();
        style.Italic = Edit->font().italic();
        style.Underline = Edit->font().underline();
        style.StrikeOut = Edit->font().strikeOut();
        style.TextColor = (s.ReportTextColor & 0x80000000u)
                              ? ValueOf(Edit->palette().color(QPalette::Text))
                              : s.ReportTextColor;
        bytes = ReportToRtf(text, style);
    }
    if (!WriteFileSafely(ReportFile,
                         [&](TStream& stream) { stream.Write(bytes.data(), bytes.size()); }))
        return false;
    Edit->document()->setModified(false);
    Edit->setFocus();
    return true;
}

void TReportForm::SaveAsItemClick() {
    SaveReportAs();
}

void TReportForm::SaveItemClick() {
    SaveReport();
}

void TReportForm::RefreshPaste() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    PasteItem->setEnabled(clipboard && !clipboard->text().isEmpty());
}

void TReportForm::UndoItemClick() {
    if (Edit->document()->isUndoAvailable())
        Edit->undo();
    Edit->setFocus();
}

void TReportForm::SelectAllItemClick() {
    Edit->selectAll();
    Edit->setFocus();
}

void TReportForm::DeselectItemClick() {
    QTextCursor cursor = Edit->textCursor();
    cursor.clearSelection();
    Edit->setTextCursor(cursor);
}

void TReportForm::CutItemClick() {
    if (Edit->textCursor().hasSelection())
        Edit->cut();
    Edit->setFocus();
}

void TReportForm::CopyItemClick() {
    if (Edit->textCursor().hasSelection())
        Edit->copy();
    Edit->setFocus();
}

void TReportForm::PasteItemClick() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard && !clipboard->text().isEmpty())
        Edit->paste();
    Edit->setFocus();
}

void TReportForm::ClearItemClick() {
    Edit->selectAll();
    Edit->textCursor().removeSelectedText();
    Edit->setFocus();
}

void TReportForm::FontItemClick() {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, Edit->font(), this);
    if (!ok)
        return;
    Edit->setFont(font);
    StoreFont(font, Settings().ReportFont);
    // This desktop's font dialog has no colour, so the text colour is the
    // command's second step; giving it up keeps the colour as it was.
    PickColor(QPalette::Text, QStringLiteral("Цвет текста"), Settings().ReportTextColor);
}

void TReportForm::BackgroundItemClick() {
    PickColor(QPalette::Base, QString(), Settings().ReportBackColor);
}

void TReportForm::PickColor(QPalette::ColorRole role, const QString& title, TColorValue& kept) {
    const QColor color = QColorDialog::getColor(Edit->palette().color(role), this, title);
    if (!color.isValid())
        return;
    QPalette palette = Edit->palette();
    palette.setColor(role, color);
    Edit->setPalette(palette);
    kept = ValueOf(color);
}

} // namespace orvanta
