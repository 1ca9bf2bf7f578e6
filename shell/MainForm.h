#pragma once

#include "services/ModuleChecks.h"
#include "shell/BarsLogic.h"
#include "shell/MainActions.h"
#include "shell/StatusClock.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <map>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;

namespace orvanta {

class TIniForm;
class TOptionsForm;
class TMathDefinition;
class TMdiChildGuard;
class TPlanService;
class TPlugIns;
class TQtPlanHost;
class TQuantilesForm;
class TAboutBox;
class TAnimate;
class TSoundBox;
class TRaruRuro;
struct TCommandInfo;

// How the main window is started: the program's folder (with "Models" and
// "PlugIns"), the command-line parameters, the clock, and whether the
// settings file is written at exit.
struct TMainFormOptions {
    std::string ProgramFolder;
    QStringList Arguments;
    TTickSource Ticks;
    bool ReadSettingsFile = true;
    bool WriteSettingsAtExit = true;
};

// The program's one top-level window: a multiple-document frame over the
// plan's windows, with the command menus, three tool bars and a status bar.
// It owns the plan, the plug-in host and the math-module registry, and runs
// the start-up sequence. Every plan command asks the plan's CanDo first.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(TMainFormOptions options = {});
    ~TMainForm() override;

    TRaruRuro& Plan() { return *PlanObject; }
    TPlanService& Service() { return *PlanService; }
    TPlugIns& PlugIns() { return *PlugInHost; }
    TMathDefinition& Registry() { return *MathDefinition; }
    TQtPlanHost& Host() { return *PlanHost; }
    QMdiArea& MdiArea() { return *Mdi; }
    // What the first step of the new-plan wizard may offer.
    const TWizardChoices& WizardChoices() const { return Choices; }

    // The splash window written to while loading; closed on the first tick.
    void SetSplash(TIniForm* splash) { Splash = splash; }
    // Creates the program's dialogs, once, in their fixed order (the first
    // showing does it when nobody has).
    void CreateDialogs();

    // ---- Operations the plan and the dialogs call ----
    void RefreshCommands();
    void RefreshTitle();
    void OptionsAccepted();
    void PlanBuilt();
    void ArrangePlanWindows(bool quiet);
    void SetFullScreen(bool on);
    void ShowMenuBar();
    void HideMenuBar();
    void ShowToolBar();
    void HideToolBar();
    void ShowStatusBar();
    void HideStatusBar();
    const TBarsState& Bars() const { return BarsLogic.State(); }
    // Shows or hides `AnimatePanel` and the tool bars' background picture
    // (on exactly when the screen has more than 256 colours).
    void SetAnimationPanel(bool on);
    bool CoolBarPictured() const { return CoolBarPicture; }
    // The clip runs while the about box is open; stopping it silences the
    // sound effects.
    void SetAnimation(bool on);
    bool AnimationRunning() const;
    // Null when the system has no sound output.
    TSoundBox* SoundEffects() const { return Sounds.get(); }
    // The status text shown in panel 0.
    QString StatusPanelText(int panel) const;
    bool CheckPointToFrontRequest = false;

    // ---- The clock ----
    void ClockTimerTimer();
    QTimer* ClockTimer = nullptr;

    // ---- Command handlers ----
    void NewItemClick();
    void OpenItemClick();
    void CloseItemClick();
    void UpdateReportItemClick();
    void ExitItemClick();
    void FullScreenItemClick();
    void ShowMenuItemClick();
    void ShowToolBarItemClick();
    void ShowStatusBarItemClick();
    void UnbreakBands();
    void CascadeItemClick();
    void TileItemClick();
    void ArrangeIconsItemClick();
    void MinimizeItemClick();
    void ShowItemClick();
    void ArrangeItemClick();
    void StatisticsItemClick();
    void EvaluationItemClick();
    void ContourItemClick();
    void ResidualsItemClick();
    void EffectsItemClick();
    void InteractionItemClick();
    void TraceItemClick();
    void AugmentItemClick();
    void RunSheetItemClick();
    void ImportRunSheetItemClick();
    // Whether the command may run now: its plan action, and the
    // observations when it needs them.
    bool CommandEnabled(const TCommandInfo& command);
    void ShowPirsonItemClick();
    void ShowCohrenItemClick();
    void ShowStudentItemClick();
    void ShowFisherItemClick();
    void OptionsItemClick();
    void HelpWelcomeItemClick();
    void HelpQuickStartItemClick();
    void HelpInterfaceItemClick();
    void HelpQuickPlanItemClick();
    void HTMLHItemClick();
    void HelpAboutItemClick();

    TQuantilesForm& QuantilesForm();
    TOptionsForm& OptionsForm();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    QMenu* createPopupMenu() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBars();
    void CreateStatusBar();
    void CreateViewPopup();
    QAction* MakeAction(const char* name, const QString& caption);
    void RunCommand(const TCommandInfo& command);
    void MenuAboutToShow(QMenu* menu);
    void RefreshWindowMenu();
    void ApplyBars();
    // A child window became active: its menu "Правка" joins the menu bar.
    void ChildActivated(QMdiSubWindow* sub);
    void SetHints(bool on);

    // Start-up (MainStartup.cpp).
    void FormShow();
    void LoadPlugInsMenu();
    void LoadModules();
    void SplashStatus(const std::string& text);
    void FinishStartup();
    void RestoreLayout();
    // About four fifths of the screen's free area, centred: the window of a
    // first start, when no settings file holds one.
    QRect FirstStartGeometry() const;
    void OpenCommandLinePlan();
    void StoreLayout();
    void UpdateClockPanels();

    // Animation and sounds (MainAnimation.cpp).
    void CreateAnimatePanel();
    void StartAnimation();
    void StartSounds();
    void DisplayChanged();
    void SoundsTick();

    TMainFormOptions Options;
    std::unique_ptr<TQtPlanHost> PlanHost;
    std::unique_ptr<TRaruRuro> PlanObject;
    std::unique_ptr<TPlanService> PlanService;
    std::unique_ptr<TMathDefinition> MathDefinition;
    std::unique_ptr<TPlugIns> PlugInHost;
    std::vector<QAction*> PlugInItems;
    TWizardChoices Choices;

    QMdiArea* Mdi = nullptr;
    TMdiChildGuard* ChildGuard = nullptr;
    std::map<TMenuId, QMenu*> Menus;
    QMenu* ViewPopup = nullptr;
    std::vector<std::pair<const TCommandInfo*, QAction*>> Items;
    std::vector<std::pair<const TCommandInfo*, QAction*>> Buttons;
    QToolBar* ToolBars[3] = {};
    QToolBar* AnimateBar = nullptr;
    QAction* AnimatePanelAction = nullptr;
    TAnimate* ATorus = nullptr;
    std::unique_ptr<TSoundBox> Sounds;
    bool CoolBarPicture = false;
    QLabel* Panels[3] = {};
    QAction* WindowListSeparator = nullptr;
    QPointer<QMenu> MergedMenu;
    QPointer<QMdiSubWindow> ActiveChild;
    std::vector<QAction*> WindowListItems;
    TIniForm* Splash = nullptr;
    TQuantilesForm* Quantiles = nullptr;
    TAboutBox* About = nullptr;
    TOptionsForm* OptionsDialog = nullptr;

    TBarsLogic BarsLogic;
    TStatusClock Clock;
    bool HintsOn = true;
    bool ShownOnce = false;
    bool StartupPending = false;
    bool DialogsCreated = false;
    // The settings record holds a window layout (read from the file, or
    // given by whoever started the window without one).
    bool StoredLayout = true;
};

} // namespace orvanta
