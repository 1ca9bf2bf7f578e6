#include "dialogs/CheckPointDlg.h"

#include "dialogs/NamedWidget.h"
#include "dialogs/WizardSpinEdit.h"
#include "mteditor/MTEditForm.h"
#include "numeric/Messages.h"
#include "plan/Settings.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace orvanta {

namespace {

constexpr std::int32_t MinRepeats = 1;
constexpr std::int32_t MaxRepeats = 999;
constexpr std::int32_t FirstRepeats = 4;

const char* const SizeChanged =
    "Размер вектора откликов изменен. Пожалуйста,\nопределите для него новые значения.";

// What is typed into a cell that is still open goes into the copy, as Enter
// would put it there; a text that is no number stays out, without a word.
void CommitTypedCell(TMTEditForm& form) {
    if (!form.IsEditing())
        return;
    // Closed in-place editors linger hidden until they are deleted.
    for (QLineEdit* edit : form.MatrixGrid->findChildren<QLineEdit*>()) {
        if (!edit->isHidden()) {
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QCoreApplication::sendEvent(edit, &enter);
            return;
        }
    }
}

} // namespace

TCheckPointDlg::TCheckPointDlg(QWidget* mainWindow, QMdiArea& area)
    : TSmallDialog(mainWindow), MainWindow(mainWindow), Area(area) {
    setObjectName(QStringLiteral("CheckPointDlg"));
    setWindowTitle(QStringLiteral("Контрольная точка"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
    setModal(false);

    auto* coordinates = new QGroupBox(QStringLiteral(" Координаты "), this);
    DefineNButton = Named(new QPushButton(QStringLiteral("Натуральные..."), coordinates),
                          QStringLiteral("DefineNButton"));
    DefineCButton = Named(new QPushButton(QStringLiteral("Кодовые..."), coordinates),
                          QStringLiteral("DefineCButton"));
    auto* coordinateRow = new QHBoxLayout(coordinates);
    coordinateRow->addWidget(DefineNButton);
    coordinateRow->addWidget(DefineCButton);

    auto* response = new QGroupBox(QStringLiteral(" Отклик "), this);
    LabelRcp =
        Named(new QLabel(QStringLiteral("Повторений"), response), QStringLiteral("LabelRcp"));
    SERcp = Named(new TWizardSpinEdit(MinRepeats, MaxRepeats, FirstRepeats, response),
                  QStringLiteral("SERcp"));
    LabelRcp->setBuddy(SERcp);
    DefineCPYButton = Named(new QPushButton(QStringLiteral("Определить ..."), response),
                            QStringLiteral("DefineCPYButton"));
    auto* responseRow = new QHBoxLayout(response);
    responseRow->addWidget(LabelRcp);
    responseRow->addWidget(SERcp);
    responseRow->addStretch();
    responseRow->addWidget(DefineCPYButton);

    QHBoxLayout* buttons = OkCancelRow(QStringLiteral("Ok"), OkButton, CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(coordinates);
    layout->addWidget(response);
    layout->addLayout(buttons);

    // "Ok" and "Определить ..." check the count themselves; "Отмена" needs
    // no valid one.
    SERcp->CheckOnLeave(RepeatsFieldName(), {OkButton, CancelButton, DefineCPYButton});
    connect(DefineCButton, &QPushButton::clicked, this, &TCheckPointDlg::DefineCButtonClick);
    connect(DefineNButton, &QPushButton::clicked, this, &TCheckPointDlg::DefineNButtonClick);
    connect(DefineCPYButton, &QPushButton::clicked, this, &TCheckPointDlg::DefineCPYButtonClick);
    connect(this, &QDialog::finished, this, &TCheckPointDlg::Closed);
    adjustSize();
}

TCheckPointDlg::~TCheckPointDlg() {
    if (Editor) {
        Editor->removeEventFilter(this);
        delete Editor.data();
    }
}

void TCheckPointDlg::SetCodedPoint(const TNamedVector& point) {
    Coded = point;
}

void TCheckPointDlg::SetObservations(const TNamedVector& y) {
    Responses = y;
    SERcp->SetValue(y.Size());
}

QMdiSubWindow* TCheckPointDlg::EditorWindow() const {
    return Editor;
}

TMTEditForm* TCheckPointDlg::EditorForm() const {
    return Editor ? qobject_cast<TMTEditForm*>(Editor->widget()) : nullptr;
}

std::string TCheckPointDlg::RepeatsFieldName() const {
    return LabelRcp->text().toStdString();
}

// ---- Showing ----

bool TCheckPointDlg::BringForward() {
    if (!isVisible())
        return false;
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    return true;
}

void TCheckPointDlg::ShowBesideMain() {
    PlaceBesideMain();
    show();
    // The dialog's own frame is known only once it is on the screen.
    PlaceBesideMain();
    raise();
    activateWindow();
}

void TCheckPointDlg::PlaceBesideMain() {
    const TWindowPlace place = CheckPointDialogPlace(MainFrame(), frameGeometry().width());
    move(place.Left, place.Top);
}

TMainWindowFrame TCheckPointDlg::MainFrame() const {
    TMainWindowFrame frame;
    if (!MainWindow)
        return frame;
    const QRect outer = MainWindow->frameGeometry();
    const QRect inner = MainWindow->geometry();
    frame.Left = outer.left();
    frame.Top = outer.top();
    frame.Width = outer.width();
    frame.FrameWidth = inner.left() - outer.left();
    frame.FrameHeight = outer.bottom() - inner.bottom();
    frame.HasBorder = !MainWindow->windowFlags().testFlag(Qt::FramelessWindowHint);
    frame.CaptionHeight = std::max(0, inner.top() - outer.top() - frame.FrameHeight);
    const auto* main = qobject_cast<const QMainWindow*>(MainWindow);
    const QWidget* menu = main ? main->menuWidget() : nullptr;
    frame.MenuHeight = menu && menu->isVisibleTo(MainWindow) ? menu->height() : 0;
    // Whatever tool bars are shown lie between the menu and the child area.
    if (MainWindow->isAncestorOf(&Area)) {
        frame.ToolBarHeight =
            std::max(0, Area.mapTo(MainWindow, QPoint(0, 0)).y() - frame.MenuHeight);
        frame.ToolBarVisible = frame.ToolBarHeight > 0;
    }
    return frame;
}

// ---- Closing ----

bool TCheckPointDlg::Validate() {
    if (!SERcp->Check(RepeatsFieldName()))
        return false;
    if (SERcp->ClampedValue() != Responses.Size()) {
        ShowWarning(SizeChanged);
        return false;
    }
    return true;
}

void TCheckPointDlg::Restore() {
    SERcp->Clamp();
}

void TCheckPointDlg::Closed() {
    CloseEditor();
    if (OnClose)
        OnClose();
}

// ---- The editor windows ----

void TCheckPointDlg::DefineCButtonClick() {
    OpenEditor(TEditorKind::Coded);
}

void TCheckPointDlg::DefineNButtonClick() {
    OpenEditor(TEditorKind::Natural);
}

void TCheckPointDlg::DefineCPYButtonClick() {
    if (SERcp->Check(RepeatsFieldName()))
        OpenEditor(TEditorKind::Responses);
}

void TCheckPointDlg::OpenEditor(TEditorKind kind) {
    CloseEditor();
    // The copy lives as long as the window that refers to it, which goes
    // only after its close has been handled.
    auto scratch = std::make_shared<TNamedVector>();
    QString caption;
    switch (kind) {
    case TEditorKind::Coded:
        *scratch = Coded;
        caption = QStringLiteral("Кодовые координаты контрольной точки");
        break;
    case TEditorKind::Natural:
        *scratch = Coded;
        if (CodedToNatural && Coded.Size() > 0)
            CodedToNatural(Coded.Elements(), scratch->Elements());
        caption = QStringLiteral("Координаты контрольной точки");
        break;
    case TEditorKind::Responses:
        Responses.Resize(SERcp->ClampedValue());
        *scratch = Responses;
        caption = QStringLiteral("Отклики в контрольной точке");
        break;
    }
    const QMdiSubWindow* current = Area.currentSubWindow();
    const bool maximized = current && current->isMaximized();

    auto* form = new TMTEditForm;
    form->SetHints(Settings().CBShowHints);
    connect(form, &QObject::destroyed, [scratch] {});
    QMdiSubWindow* sub = Area.addSubWindow(form);
    sub->setObjectName(QStringLiteral("CheckPointEditor"));
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(caption);
    form->AttachVector(*scratch);
    sub->installEventFilter(this);
    Scratch = std::move(scratch);
    Editor = sub;
    EditorKind = kind;
    SetEditorButtons(false);
    sub->show();
    if (!maximized)
        PlaceEditor(*sub);
    // The person goes on typing in the editor; the dialog stays above it.
    Area.setActiveSubWindow(sub);
    if (MainWindow)
        MainWindow->activateWindow();
    form->MatrixGrid->setFocus();
}

void TCheckPointDlg::CloseEditor() {
    if (!Editor)
        return;
    Editor->close();
    if (SetFrontRequest)
        SetFrontRequest(false);
}

bool TCheckPointDlg::eventFilter(QObject* watched, QEvent* event) {
    if (Editor && watched == Editor.data() && event->type() == QEvent::Close)
        EditorClosing();
    return TSmallDialog::eventFilter(watched, event);
}

void TCheckPointDlg::EditorClosing() {
    QMdiSubWindow* sub = Editor;
    Editor = nullptr;
    sub->removeEventFilter(this);
    if (auto* form = qobject_cast<TMTEditForm*>(sub->widget()))
        CommitTypedCell(*form);
    const std::shared_ptr<TNamedVector> scratch = std::move(Scratch);
    switch (EditorKind) {
    case TEditorKind::Coded:
        Coded = *scratch;
        break;
    case TEditorKind::Natural:
        if (NaturalToCoded && Coded.Size() == scratch->Size() && Coded.Size() > 0)
            NaturalToCoded(scratch->Elements(), Coded.Elements());
        break;
    case TEditorKind::Responses:
        Responses = *scratch;
        break;
    }
    SetEditorButtons(true);
    if (SetFrontRequest)
        SetFrontRequest(true);
}

void TCheckPointDlg::SetEditorButtons(bool enabled) {
    switch (EditorKind) {
    case TEditorKind::Coded:
        DefineCButton->setEnabled(enabled);
        break;
    case TEditorKind::Natural:
        DefineNButton->setEnabled(enabled);
        break;
    case TEditorKind::Responses:
        DefineCPYButton->setEnabled(enabled);
        SERcp->setEnabled(enabled);
        break;
    }
}

void TCheckPointDlg::PlaceEditor(QMdiSubWindow& sub) const {
    const QRect dialog = frameGeometry();
    const TWindowPlace place = CheckPointEditorPlace(
        MainFrame(), {dialog.x(), dialog.y(), dialog.width(), dialog.height()});
    sub.setGeometry(place.Left, place.Top, place.Width, place.Height);
}

} // namespace orvanta
