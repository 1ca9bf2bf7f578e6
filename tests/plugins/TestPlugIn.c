/*
 * Small plug-ins for the host's tests, one per VARIANT:
 *   ONE           one tool, "Первый" (enabled);
 *   TWO           "Второй" (disabled), then "Третий" (IsEnabled answers -1)
 *                 only if the first was accepted;
 *   NO_SERVER     PlugInsEnumerate, which offers a tool, but no SetMainServer;
 *   NO_ENUMERATE  SetMainServer but no PlugInsEnumerate;
 *   MANY          300 tools "t000" .. "t299"; the callback's answers are kept
 *                 in ManyAnswers;
 *   SERVER        no tools; GetMainServer gives back the plan object, and
 *                 ServerAtEnumerate and ServerCalls tell when it came.
 * ToolRuns counts how often each tool of ONE and TWO was run. Captions are
 * Windows-1251, as the program expects.
 */
#include <orvanta/plugin.h>

#include <stdio.h>

#if !defined(VARIANT_NO_ENUMERATE) && !defined(VARIANT_SERVER)
typedef struct {
    OrvTool Base;
    const char* Name;
    int32_t Enabled;
    int32_t* Runs; /* null: not counted */
} TestTool;

static const char* ToolName(OrvTool* self) {
    return ((TestTool*)self)->Name;
}
static int32_t ToolIsEnabled(OrvTool* self) {
    return ((TestTool*)self)->Enabled;
}
static int32_t ToolRun(OrvTool* self) {
    TestTool* tool = (TestTool*)self;
    if (tool->Runs)
        ++*tool->Runs;
    return 0;
}
static const OrvToolTable ToolTable = {ToolName, ToolIsEnabled, ToolRun};
#endif

#if defined(VARIANT_SERVER)
ORV_EXPORT int32_t ServerCalls;
#endif

#if !defined(VARIANT_NO_SERVER)
static OrvPlanService* Server;

ORV_EXPORT OrvPlanService* SetMainServer(OrvPlanService* plan) {
    Server = plan;
#if defined(VARIANT_SERVER)
    ++ServerCalls;
#endif
    return plan;
}
#endif

#if defined(VARIANT_ONE)
ORV_EXPORT int32_t ToolRuns[1];
static TestTool First = {{&ToolTable}, "\xcf\xe5\xf0\xe2\xfb\xe9", 1, &ToolRuns[0]};

ORV_EXPORT int32_t PlugInsEnumerate(OrvRegisterToolProc add) {
    add(&First.Base);
    return 0;
}

#elif defined(VARIANT_TWO)
ORV_EXPORT int32_t ToolRuns[2];
static TestTool Second = {{&ToolTable}, "\xc2\xf2\xee\xf0\xee\xe9", 0, &ToolRuns[0]};
static TestTool Third = {{&ToolTable}, "\xd2\xf0\xe5\xf2\xe8\xe9", -1, &ToolRuns[1]};

ORV_EXPORT int32_t PlugInsEnumerate(OrvRegisterToolProc add) {
    if (add(&Second.Base))
        add(&Third.Base);
    return 0;
}

#elif defined(VARIANT_NO_SERVER)
static TestTool Orphan = {{&ToolTable}, "orphan", 1, 0};

ORV_EXPORT int32_t PlugInsEnumerate(OrvRegisterToolProc add) {
    add(&Orphan.Base);
    return 0;
}

#elif defined(VARIANT_NO_ENUMERATE)
/* SetMainServer only. */

#elif defined(VARIANT_MANY)
#define MANY_TOOLS 300
ORV_EXPORT int32_t ManyAnswers[MANY_TOOLS];
static TestTool Tools[MANY_TOOLS];
static char Names[MANY_TOOLS][8];

/* Goes on after a refusal, so that every answer is seen. */
ORV_EXPORT int32_t PlugInsEnumerate(OrvRegisterToolProc add) {
    for (int i = 0; i < MANY_TOOLS; ++i) {
        snprintf(Names[i], sizeof Names[i], "t%03d", i);
        Tools[i].Base.Table = &ToolTable;
        Tools[i].Name = Names[i];
        Tools[i].Enabled = 1;
        ManyAnswers[i] = add(&Tools[i].Base);
    }
    return 0;
}

#elif defined(VARIANT_SERVER)
ORV_EXPORT OrvPlanService* ServerAtEnumerate = (OrvPlanService*)1;

ORV_EXPORT int32_t PlugInsEnumerate(OrvRegisterToolProc add) {
    (void)add;
    ServerAtEnumerate = Server;
    return 0;
}
ORV_EXPORT OrvPlanService* GetMainServer(void) {
    return Server;
}

#else
#error "VARIANT_* not defined"
#endif
