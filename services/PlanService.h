#pragma once

#include "plan/RaruRuro.h"
#include "services/GraphHolder.h"

#include <orvanta/plan_service.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace orvanta {

// The plan's service operations: the numbered actions and their
// availability (`CanDo`), and every command in the pattern the main window,
// the batch tool and the plug-ins share: "Операция не завершена." on entry,
// the action checked, the command run, its completion message on success.
// `Server()` is the same service as the C table that plug-ins receive.
class TPlanService {
public:
    explicit TPlanService(TRaruRuro& plan);
    TPlanService(const TPlanService&) = delete;
    TPlanService& operator=(const TPlanService&) = delete;

    TRaruRuro& Plan;
    TGraphHolder Graphs;

    // -1 for yes, 0 for no; only the low byte of the action counts.
    std::int32_t CanDo(std::int32_t action);
    bool Can(std::int32_t action) { return CanDo(action) != 0; }

    // ---- Document ----
    bool NewPlan();
    // With a path: that file; without: the open dialog.
    bool OpenPlan(const std::optional<std::string>& path);
    bool SavePlan();
    bool SavePlanAs();
    bool ClosePlan();
    bool UpdateReport();

    // ---- Import and export ----
    bool ExportAll();
    bool ExportCodeMatrix();
    bool ExportNaturalMatrix();
    bool ExportBaseLevels();
    bool ExportIntervals();
    bool ExportResponses();
    bool ExportReport();
    bool ImportCodeMatrix();
    bool ImportBaseLevels();
    bool ImportIntervals();
    bool ImportResponses();
    bool ImportAll();
    bool ExportDiagram();
    bool ExportSurface();

    // ---- Plan commands ----
    bool EditFactorNames();
    bool EditResponses();
    bool ShowCheckPoint();
    bool ComputeAverages();
    bool ResetCodeMatrix();
    bool RunAnalysis();
    bool FindExtremum();
    bool TranslateValue();
    bool NewDiagram();
    bool NewSurface();

    // ---- Windows ----
    bool RestoreWindow(std::int32_t action);  // actions 33 .. 38
    bool MinimizeWindow(std::int32_t action); // actions 40 .. 45
    bool MinimizeWindows();
    bool ShowWindows();
    bool ArrangeWindows(std::int32_t left, std::int32_t top, std::int32_t right,
                        std::int32_t bottom);
    bool IsModified();
    void SaveWindowStates(bool states[7]);
    void RestoreWindowStates(const bool states[7]);

    // The remembered file names of the five data items (the initial names
    // of their dialogs).
    std::string CodeMatrixFile = "Кодовая матрица.txt";
    std::string NaturalMatrixFile = "Матрица планирования.txt";
    std::string BaseLevelsFile = "Основные уровни.txt";
    std::string IntervalsFile = "Интервалы варьирования.txt";
    std::string ResponsesFile = "Отклики.txt";

    // The document's display name: "[без имени]" or the file name without
    // folder and extension.
    std::string DisplayName() const;

    // Whether the last file dialog was cancelled.
    bool LastDialogCancelled = false;

    // The C object handed to plug-ins.
    OrvPlanService* Server() { return &ServerObject.Base; }
    static TPlanService* FromServer(OrvPlanService* server);
    // Texts handed out through the C table (Windows-1251, owned here).
    std::string StatusBytes;
    std::string FileNameBytes;

private:
    bool Command(std::int32_t action, const std::function<bool()>& body);
    std::optional<std::string> AskFile(bool save, const std::string& title, TFileFilter filter,
                                       const std::string& initial);
    bool WriteFile(const std::string& path, const std::function<void(TStream&)>& write);
    bool ExportItem(std::int32_t action, const std::string& title, std::string& remembered,
                    const std::function<void(TStream&)>& write);
    bool ImportItem(std::int32_t action, const std::string& title, std::string& remembered,
                    bool (TRaruRuro::*load)(const std::string&));
    bool SaveToFile();
    bool CloseQuestions();

    struct TServerObject {
        OrvPlanService Base;
        TPlanService* Owner;
    } ServerObject;
};

// The C table of the plan service operations (slot order fixed).
const OrvPlanServiceTable* ServiceTable();

// The completion message of an action, or empty.
const char* CompletionMessage(std::int32_t action);

// The default-extension rule of the file dialogs: blanks trimmed from the
// parts, the filter's extension added to a name without one when the first
// filter entry is selected.
std::string ApplyDefaultExtension(const std::string& path, TFileFilter filter,
                                  bool firstFilterEntry);

} // namespace orvanta
