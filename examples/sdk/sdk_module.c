/*
 * A small math module for Orvanta, written against <orvanta/math_module.h>
 * only. It offers
 *
 *   three addens   1, x1 and |x1| (a term that lets a response bend at the
 *                  centre of the factor's range);
 *   one model      "broken line": y = b0 + b1*x1 + b2*|x1|, for one factor;
 *   one generator  five runs at x1 = -1, -0.5, 0, 0.5, 1, proposing the
 *                  broken line.
 *
 * Build: cc -std=c99 -fPIC -shared -fvisibility=hidden -I<repo>/include
 *        sdk_module.c -o sdk_module.so
 * and put sdk_module.so into the folder Models beside the program.
 */
#include <orvanta/math_module.h>

#include <math.h>
#include <stddef.h>
#include <string.h>

/* ---- Addens ---------------------------------------------------------- */

/* One table serves every adden: the object carries what differs. The
 * public object comes first, so the program's OrvAdden* is also ours. */
typedef enum { TermOne, TermX, TermAbsX } TermKind;

typedef struct {
    OrvAdden Base;
    TermKind Kind;
    const char* Text;
    const char* Name;
    const char* CoefName;
} SdkAdden;

static const char* AddenText(OrvAdden* self) {
    return ((const SdkAdden*)self)->Text;
}

static const char* AddenName(OrvAdden* self) {
    return ((const SdkAdden*)self)->Name;
}

static const char* AddenCoefName(OrvAdden* self) {
    return ((const SdkAdden*)self)->CoefName;
}

static int32_t AddenNeededFactors(OrvAdden* self) {
    return ((const SdkAdden*)self)->Kind == TermOne ? 0 : 1;
}

static void AddenEvaluate(OrvAdden* self, const double* x, double* out) {
    switch (((const SdkAdden*)self)->Kind) {
    case TermOne:
        *out = 1.0;
        break;
    case TermX:
        *out = x[0];
        break;
    case TermAbsX:
        *out = fabs(x[0]);
        break;
    }
}

static const OrvAddenTable AddenTable = {AddenText, AddenName, AddenCoefName, AddenNeededFactors,
                                         AddenEvaluate};

/* Names must be unique among all loaded modules (the first module loaded
 * wins a lookup by name), so they carry the module's prefix; the texts are
 * what people see. */
static SdkAdden One = {{&AddenTable}, TermOne, "1", "sdk:1", "b0"};
static SdkAdden X1 = {{&AddenTable}, TermX, "x1", "sdk:x1", "b1"};
static SdkAdden AbsX1 = {{&AddenTable}, TermAbsX, "|x1|", "sdk:|x1|", "b2"};

/* ---- The model ------------------------------------------------------- */

static OrvAdden* const BrokenLineTerms[] = {&One.Base, &X1.Base, &AbsX1.Base};

/* "Ломаная (sdk)": every text the program shows is Windows-1251, so the
 * Russian letters are written as their single-byte codes. */
static const char* ModelName(OrvModel* self) {
    (void)self;
    return "\xcb\xee\xec\xe0\xed\xe0\xff (sdk)";
}

static int32_t ModelRequiredDimension(OrvModel* self) {
    (void)self;
    return 1;
}

static int32_t ModelAddenCount(OrvModel* self) {
    (void)self;
    return 3;
}

/* The program asks only for j = 0 .. AddenCount - 1; the first term stands
 * in for anything else rather than handing out a null. */
static OrvAdden* ModelGetAdden(OrvModel* self, int32_t j) {
    (void)self;
    return j >= 0 && j < 3 ? BrokenLineTerms[j] : BrokenLineTerms[0];
}

static void ModelEvaluate(OrvModel* self, const double* x, const double* b, double* out) {
    (void)self;
    *out = b[0] + b[1] * x[0] + b[2] * fabs(x[0]);
}

static const OrvModelTable ModelTable = {ModelName, ModelRequiredDimension, ModelAddenCount,
                                         ModelGetAdden, ModelEvaluate};
static OrvModel BrokenLine = {&ModelTable};

/* ---- The generator --------------------------------------------------- */

static const double FiveLevels[] = {-1.0, -0.5, 0.0, 0.5, 1.0};

/* "Пять уровней (sdk)" */
static const char* GenName(OrvGenerator* self) {
    (void)self;
    return "\xcf\xff\xf2\xfc \xf3\xf0\xee\xe2\xed\xe5\xe9 (sdk)";
}

static void GenGetSize(OrvGenerator* self, int32_t* rows, int32_t* cols) {
    (void)self;
    *rows = 5;
    *cols = 1;
}

/* The program has sized its matrix from GetSize: 5 rows of 1 column. */
static void GenFill(OrvGenerator* self, double** rows) {
    int32_t i;
    (void)self;
    for (i = 0; i < 5; ++i)
        rows[i][0] = FiveLevels[i];
}

static OrvModel* GenDefaultModel(OrvGenerator* self) {
    (void)self;
    return &BrokenLine;
}

static const OrvGeneratorTable GenTable = {GenName, GenGetSize, GenFill, GenDefaultModel};
static OrvGenerator FiveLevelPlan = {&GenTable};

/* ---- Exports --------------------------------------------------------- */

/* Eight bytes the program keeps without reading: a version, 1.0, and a tag. */
ORV_EXPORT void GetModuleVersionInfo(void* block) {
    static const unsigned char Version[ORV_VERSION_INFO_SIZE] = {1, 0, 0, 0, 'S', 'D', 'K', 0};
    if (block)
        memcpy(block, Version, sizeof Version);
}

ORV_EXPORT void AddensEnumerate(OrvEnumAddenProc add) {
    if (!add)
        return;
    add(&One.Base);
    add(&X1.Base);
    add(&AbsX1.Base);
}

ORV_EXPORT void ModelsEnumerate(OrvEnumModelProc add) {
    if (add)
        add(&BrokenLine);
}

ORV_EXPORT void GensEnumerate(OrvEnumGenProc add) {
    if (add)
        add(&FiveLevelPlan);
}
