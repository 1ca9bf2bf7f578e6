/*
 * Orvanta plan service: the operations of the program's one plan object.
 *
 * The desktop program's commands, the batch tool and the plug-ins all reach
 * the plan through this table. A plug-in receives the plan object through
 * its SetMainServer export (see plugin.h) and calls the operations through
 * the object's table: plan->Table->CanDo(plan, ORV_ACTION_NEW_PLAN).
 *
 * Conventions: the plan object is the first argument of every operation;
 * booleans are one byte (1 = success); CanDo answers a 32-bit -1 (yes) or 0
 * (no) and looks only at the low byte of the action; doubles are passed and
 * returned through pointers; texts are zero-terminated Windows-1251 strings.
 * Objects, texts and arrays returned by the plan stay owned by the plan (or
 * by their math module): do not free them, and do not keep them across
 * commands that rebuild the plan. The slot order is fixed.
 */
#ifndef ORVANTA_PLAN_SERVICE_H
#define ORVANTA_PLAN_SERVICE_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Action numbers for CanDo. */
enum {
    ORV_ACTION_NEW_PLAN = 0,
    ORV_ACTION_OPEN_PLAN = 1,
    ORV_ACTION_SAVE_PLAN = 2,
    ORV_ACTION_SAVE_PLAN_AS = 3,
    ORV_ACTION_CLOSE_PLAN = 4,
    ORV_ACTION_UPDATE_REPORT = 5,
    ORV_ACTION_IMPORT_ALL = 6,
    ORV_ACTION_IMPORT_CODE_MATRIX = 7,
    ORV_ACTION_IMPORT_NATURAL_MATRIX = 8,
    ORV_ACTION_IMPORT_BASE_LEVELS = 9,
    ORV_ACTION_IMPORT_INTERVALS = 10,
    ORV_ACTION_IMPORT_RESPONSES = 11,
    ORV_ACTION_EXPORT_ALL = 12,
    ORV_ACTION_EXPORT_CODE_MATRIX = 13,
    ORV_ACTION_EXPORT_NATURAL_MATRIX = 14,
    ORV_ACTION_EXPORT_BASE_LEVELS = 15,
    ORV_ACTION_EXPORT_INTERVALS = 16,
    ORV_ACTION_EXPORT_RESPONSES = 17,
    ORV_ACTION_SAVE_REPORT = 18,
    ORV_ACTION_EDIT_FACTOR_NAMES = 19,
    ORV_ACTION_NEW_RESPONSES = 20,
    ORV_ACTION_CHECK_POINT = 21,
    ORV_ACTION_AVERAGES = 22,
    ORV_ACTION_FULL_ANALYSIS = 23,
    ORV_ACTION_RESET_CODE_MATRIX = 24,
    ORV_ACTION_EXTREMUM = 25,
    ORV_ACTION_TRANSLATE = 26,
    ORV_ACTION_NEW_DIAGRAM = 27,
    ORV_ACTION_NEW_SURFACE = 28,
    ORV_ACTION_EXPORT_DIAGRAM = 29,
    ORV_ACTION_EXPORT_SURFACE = 30,
    ORV_ACTION_GRAPH_ACTION_1 = 31,
    ORV_ACTION_GRAPH_ACTION_2 = 32,
    ORV_ACTION_RESTORE_CODE_MATRIX_WINDOW = 33,
    ORV_ACTION_RESTORE_NATURAL_MATRIX_WINDOW = 34,
    ORV_ACTION_RESTORE_BASE_LEVELS_WINDOW = 35,
    ORV_ACTION_RESTORE_INTERVALS_WINDOW = 36,
    ORV_ACTION_RESTORE_RESPONSES_WINDOW = 37,
    ORV_ACTION_RESTORE_REPORT_WINDOW = 38,
    ORV_ACTION_SHOW_GRAPHS = 39,
    ORV_ACTION_MINIMIZE_CODE_MATRIX_WINDOW = 40,
    ORV_ACTION_MINIMIZE_NATURAL_MATRIX_WINDOW = 41,
    ORV_ACTION_MINIMIZE_BASE_LEVELS_WINDOW = 42,
    ORV_ACTION_MINIMIZE_INTERVALS_WINDOW = 43,
    ORV_ACTION_MINIMIZE_RESPONSES_WINDOW = 44,
    ORV_ACTION_MINIMIZE_REPORT_WINDOW = 45,
    ORV_ACTION_HIDE_GRAPHS = 46,
    ORV_ACTION_MINIMIZE_WINDOWS = 47,
    ORV_ACTION_SHOW_WINDOWS = 48,
    ORV_ACTION_ARRANGE_WINDOWS = 49
};

typedef struct OrvPlanService OrvPlanService;
typedef struct OrvAdden OrvAdden;
typedef struct OrvModel OrvModel;
typedef struct OrvGenerator OrvGenerator;

/* A rectangle of the main window's client area (ArrangeWindows). */
typedef struct OrvRect {
    int32_t Left, Top, Right, Bottom;
} OrvRect;

/* The 67 operations, in slot order. */
typedef struct OrvPlanServiceTable {
    /*  0 */ int32_t (*CanDo)(OrvPlanService* plan, int32_t action);
    /*  1 */ uint8_t (*NewPlan)(OrvPlanService* plan);
    /*  2 */ uint8_t (*OpenPlan)(OrvPlanService* plan, const char* fileName); /* null: dialog */
    /*  3 */ uint8_t (*SavePlanAs)(OrvPlanService* plan);
    /*  4 */ uint8_t (*SavePlan)(OrvPlanService* plan);
    /*  5 */ uint8_t (*UpdateReport)(OrvPlanService* plan);
    /*  6 */ uint8_t (*ClosePlan)(OrvPlanService* plan);
    /*  7 */ uint8_t (*ExportAll)(OrvPlanService* plan);
    /*  8 */ uint8_t (*ExportCodeMatrix)(OrvPlanService* plan);
    /*  9 */ uint8_t (*ExportNaturalMatrix)(OrvPlanService* plan);
    /* 10 */ uint8_t (*ExportBaseLevels)(OrvPlanService* plan);
    /* 11 */ uint8_t (*ExportIntervals)(OrvPlanService* plan);
    /* 12 */ uint8_t (*ExportResponses)(OrvPlanService* plan);
    /* 13 */ uint8_t (*ExportReport)(OrvPlanService* plan);
    /* 14 */ uint8_t (*ImportCodeMatrix)(OrvPlanService* plan);
    /* 15 */ uint8_t (*ImportBaseLevels)(OrvPlanService* plan);
    /* 16 */ uint8_t (*ImportIntervals)(OrvPlanService* plan);
    /* 17 */ uint8_t (*ImportResponses)(OrvPlanService* plan);
    /* 18 */ uint8_t (*ImportAll)(OrvPlanService* plan);
    /* 19 */ uint8_t (*EditFactorNames)(OrvPlanService* plan);
    /* 20 */ uint8_t (*EditResponses)(OrvPlanService* plan);
    /* 21 */ uint8_t (*ShowCheckPoint)(OrvPlanService* plan);
    /* 22 */ uint8_t (*ComputeAverages)(OrvPlanService* plan);
    /* 23 */ uint8_t (*CheckHomogeneity)(OrvPlanService* plan);
    /* 24 */ uint8_t (*ResetCodeMatrix)(OrvPlanService* plan);
    /* 25 */ uint8_t (*RunAnalysis)(OrvPlanService* plan);
    /* 26 */ uint8_t (*EstimateRegression)(OrvPlanService* plan);
    /* 27 */ uint8_t (*CheckAdequacy)(OrvPlanService* plan);
    /* 28 */ uint8_t (*FindExtremum)(OrvPlanService* plan);
    /* 29 */ uint8_t (*TranslateValue)(OrvPlanService* plan);
    /* 30 */ uint8_t (*NewDiagram)(OrvPlanService* plan);
    /* 31 */ uint8_t (*NewSurface)(OrvPlanService* plan);
    /* 32 */ uint8_t (*ExportDiagram)(OrvPlanService* plan);
    /* 33 */ uint8_t (*ExportSurface)(OrvPlanService* plan);
    /* 34 */ uint8_t (*RestoreCodeMatrixWindow)(OrvPlanService* plan);
    /* 35 */ uint8_t (*RestoreNaturalMatrixWindow)(OrvPlanService* plan);
    /* 36 */ uint8_t (*RestoreMainLevelsWindow)(OrvPlanService* plan);
    /* 37 */ uint8_t (*RestoreIntervalsWindow)(OrvPlanService* plan);
    /* 38 */ uint8_t (*RestoreResponsesWindow)(OrvPlanService* plan);
    /* 39 */ uint8_t (*RestoreReportWindow)(OrvPlanService* plan);
    /* 40 */ uint8_t (*MinimizeCodeMatrixWindow)(OrvPlanService* plan);
    /* 41 */ uint8_t (*MinimizeNaturalMatrixWindow)(OrvPlanService* plan);
    /* 42 */ uint8_t (*MinimizeMainLevelsWindow)(OrvPlanService* plan);
    /* 43 */ uint8_t (*MinimizeIntervalsWindow)(OrvPlanService* plan);
    /* 44 */ uint8_t (*MinimizeResponsesWindow)(OrvPlanService* plan);
    /* 45 */ uint8_t (*MinimizeReportWindow)(OrvPlanService* plan);
    /* 46 */ uint8_t (*MinimizeWindows)(OrvPlanService* plan);
    /* 47 */ uint8_t (*ShowWindows)(OrvPlanService* plan);
    /* 48 */ uint8_t (*ArrangeWindows)(OrvPlanService* plan, const OrvRect* clientArea);
    /* 49 */ uint8_t (*IsModified)(OrvPlanService* plan);
    /* 50 */ void (*RefreshNaturalMatrix)(OrvPlanService* plan, int32_t ignored);
    /* 51 */ void* (*ApplyOptions)(OrvPlanService* plan);
    /* 52 */ const char* (*GetStatusText)(OrvPlanService* plan);
    /* 53 */ void (*ClearStatusText)(OrvPlanService* plan);
    /* 54 */ const char* (*GetFileName)(OrvPlanService* plan);
    /* 55 */ void* (*GetSurfaceView)(OrvPlanService* plan);
    /* 56: code, natural, base levels, intervals, responses window present,
     *     report window present, graph windows open. */
    void (*SaveWindowStates)(OrvPlanService* plan, uint8_t* code, uint8_t* natural,
                             uint8_t* levels, uint8_t* intervals, uint8_t* responses,
                             uint8_t* report, uint8_t* graphs);
    /* 57 */ void (*RestoreWindowStates)(OrvPlanService* plan, uint8_t code, uint8_t natural,
                                         uint8_t levels, uint8_t intervals, uint8_t responses,
                                         uint8_t report, uint8_t graphs);
    /* 58: k, N, m; any pointer may be null. */
    void (*GetDimensions)(OrvPlanService* plan, int32_t* factors, int32_t* runs,
                          int32_t* repeats);
    /* 59: out[i] = (in[i] - base[i]) / interval[i] (or in[i] - base[i]). */
    void (*ToCoded)(OrvPlanService* plan, double* out, const double* in);
    /* 60: out[i] = in[i] * interval[i] + base[i]. */
    void (*ToNatural)(OrvPlanService* plan, double* out, const double* in);
    /* 61: the fitted equation at the coded point x. */
    void (*PredictAt)(OrvPlanService* plan, const double* x, double* out);
    /* 62 */ void* (*GetMainWindow)(OrvPlanService* plan);
    /* 63 */ OrvGenerator* (*GetGenerator)(OrvPlanService* plan);
    /* 64 */ OrvModel* (*GetModel)(OrvPlanService* plan);
    /* 65: the model's index-th term, or the plan's own index-th term. */
    OrvAdden* (*GetAdden)(OrvPlanService* plan, int32_t index);
    /* 66: the coefficient array (the elements of the coefficient vector). */
    const double* (*GetCoefficients)(OrvPlanService* plan);
} OrvPlanServiceTable;

struct OrvPlanService {
    const OrvPlanServiceTable* Table;
};

#define ORV_PLAN_SERVICE_SLOTS 67

#ifdef __cplusplus
}
#endif

#endif /* ORVANTA_PLAN_SERVICE_H */
