/*
 * Orvanta plug-ins: tools that work on the current plan.
 *
 * A plug-in is a shared library ("*.so") in the folder "PlugIns" beside the
 * program. It must export PlugInsEnumerate and SetMainServer (and should
 * export GetMainServer for its own use). At start-up the program loads every
 * library of the folder, lets it register its tools with PlugInsEnumerate,
 * then hands it the plan object with SetMainServer. Every tool becomes an
 * entry of the menu "Дополнения": the program asks IsEnabled whenever the
 * menu opens and calls Run when the entry is chosen. A tool reads and
 * changes the plan only through the plan service table (plan_service.h).
 *
 * Tools are owned by the plug-in and must stay valid while the library is
 * loaded. Texts are zero-terminated Windows-1251 strings. No function may
 * throw a C++ exception.
 */
#ifndef ORVANTA_PLUGIN_H
#define ORVANTA_PLUGIN_H

#include <orvanta/plan_service.h>

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifndef ORV_EXPORT
#if defined(__GNUC__)
#define ORV_EXPORT __attribute__((visibility("default")))
#else
#define ORV_EXPORT
#endif
#endif

typedef struct OrvTool OrvTool;

/* The operations of a tool, in slot order. */
typedef struct OrvToolTable {
    /* 0: the menu caption. */
    const char* (*GetName)(OrvTool* self);
    /* 1: non-zero when the tool can run in the plan's current state. */
    int32_t (*IsEnabled)(OrvTool* self);
    /* 2: runs the tool (normally a modal dialog); the result is ignored. */
    int32_t (*Run)(OrvTool* self);
} OrvToolTable;

struct OrvTool {
    const OrvToolTable* Table;
};

/* The program's registration callback: 1 when the tool was registered, 0
 * when the tool table is full (the plug-in may stop enumerating). */
typedef int32_t (*OrvRegisterToolProc)(OrvTool* tool);

/* The exports of a plug-in. */
typedef int32_t (*OrvPlugInsEnumerateFn)(OrvRegisterToolProc callback);
typedef OrvPlanService* (*OrvSetMainServerFn)(OrvPlanService* plan);
typedef OrvPlanService* (*OrvGetMainServerFn)(void);

#ifdef __cplusplus
}
#endif

#endif /* ORVANTA_PLUGIN_H */
