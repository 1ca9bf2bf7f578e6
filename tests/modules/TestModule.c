/*
 * Small math modules for the loader's tests, one per VARIANT:
 *   ALPHA   addens "1", "x1" and "dup" (value 10), a model and a generator;
 *   BETA    addens "dup" (value 20) and "x2", nothing else;
 *   NOVER   an adden enumeration but no GetModuleVersionInfo;
 *   NULLS   null objects for every callback, then one proper adden; the
 *           callbacks' answers are kept in NullsAnswers;
 *   BARE    a module with nothing in it.
 */
#include <orvanta/math_module.h>

#include <string.h>

typedef struct {
    OrvAdden Base;
    const char* Name;
    double Scale; /* value = Scale * (Factor < 0 ? 1 : x[Factor]) */
    int Factor;
} TestAdden;

static const char* AddenText(OrvAdden* a) {
    return ((TestAdden*)a)->Name;
}
static const char* AddenCoef(OrvAdden* a) {
    (void)a;
    return "b";
}
static int32_t AddenNeeded(OrvAdden* a) {
    return ((TestAdden*)a)->Factor + 1;
}
static void AddenEval(OrvAdden* a, const double* x, double* out) {
    const TestAdden* t = (TestAdden*)a;
    *out = t->Scale * (t->Factor < 0 ? 1.0 : x[t->Factor]);
}
static const OrvAddenTable AddenTable = {AddenText, AddenText, AddenCoef, AddenNeeded, AddenEval};

#if defined(VARIANT_ALPHA)
static TestAdden One = {{&AddenTable}, "1", 1.0, -1};
static TestAdden X1 = {{&AddenTable}, "x1", 1.0, 0};
static TestAdden Dup = {{&AddenTable}, "dup", 10.0, -1};

static const char* ModelName(OrvModel* m) {
    (void)m;
    return "\xcb\xe8\xed\xe5\xe9\xed\xe0\xff";
}
static int32_t ModelDim(OrvModel* m) {
    (void)m;
    return 1;
}
static int32_t ModelCount(OrvModel* m) {
    (void)m;
    return 2;
}
static OrvAdden* ModelAdden(OrvModel* m, int32_t j) {
    (void)m;
    return j == 0 ? &One.Base : &X1.Base;
}
static void ModelEval(OrvModel* m, const double* x, const double* b, double* out) {
    (void)m;
    *out = b[0] + b[1] * x[0];
}
static const OrvModelTable ModelTable = {ModelName, ModelDim, ModelCount, ModelAdden, ModelEval};
static OrvModel Line = {&ModelTable};

static const char* GenName(OrvGenerator* g) {
    (void)g;
    return "\xcf\xeb\xe0\xed A";
}
static void GenSize(OrvGenerator* g, int32_t* rows, int32_t* cols) {
    (void)g;
    *rows = 3;
    *cols = 1;
}
static void GenFill(OrvGenerator* g, double** rows) {
    (void)g;
    rows[0][0] = -1.0;
    rows[1][0] = 0.0;
    rows[2][0] = 1.0;
}
static OrvModel* GenModel(OrvGenerator* g) {
    (void)g;
    return &Line;
}
static const OrvGeneratorTable GenTable = {GenName, GenSize, GenFill, GenModel};
static OrvGenerator Three = {&GenTable};

ORV_EXPORT void GetModuleVersionInfo(void* block) {
    memcpy(block, "ALPHA1.0", 8);
}
ORV_EXPORT void AddensEnumerate(OrvEnumAddenProc add) {
    add(&One.Base);
    add(&X1.Base);
    add(&Dup.Base);
}
ORV_EXPORT void ModelsEnumerate(OrvEnumModelProc add) {
    add(&Line);
}
ORV_EXPORT void GensEnumerate(OrvEnumGenProc add) {
    add(&Three);
}

#elif defined(VARIANT_BETA)
static TestAdden Dup = {{&AddenTable}, "dup", 20.0, -1};
static TestAdden X2 = {{&AddenTable}, "x2", 1.0, 1};
ORV_EXPORT void GetModuleVersionInfo(void* block) {
    memcpy(block, "BETA 1.0", 8);
}
ORV_EXPORT void AddensEnumerate(OrvEnumAddenProc add) {
    add(&Dup.Base);
    add(&X2.Base);
}

#elif defined(VARIANT_NOVER)
static TestAdden Orphan = {{&AddenTable}, "orphan", 1.0, -1};
ORV_EXPORT void AddensEnumerate(OrvEnumAddenProc add) {
    add(&Orphan.Base);
}

#elif defined(VARIANT_NULLS)
static TestAdden After = {{&AddenTable}, "after-null", 1.0, -1};
ORV_EXPORT int32_t NullsAnswers[4];
ORV_EXPORT void GetModuleVersionInfo(void* block) {
    memset(block, 0, 8);
}
ORV_EXPORT void AddensEnumerate(OrvEnumAddenProc add) {
    NullsAnswers[0] = add(0);
    NullsAnswers[3] = add(&After.Base);
}
ORV_EXPORT void ModelsEnumerate(OrvEnumModelProc add) {
    NullsAnswers[1] = add(0);
}
ORV_EXPORT void GensEnumerate(OrvEnumGenProc add) {
    NullsAnswers[2] = add(0);
}

#elif defined(VARIANT_BARE)
ORV_EXPORT void GetModuleVersionInfo(void* block) {
    memset(block, 0, 8);
}

#else
#error "VARIANT_* not defined"
#endif
