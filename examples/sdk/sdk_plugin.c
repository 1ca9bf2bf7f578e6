/*
 * A small Orvanta plug-in, written against <orvanta/plugin.h> only and
 * without any toolkit. Its one tool, "Профиль отклика в CSV (sdk)", writes
 * the fitted response along the first factor (the other factors at their
 * base levels, coded 0) at eleven points from -1 to 1, in coded and natural
 * units, to a CSV file beside the plan: "plan.mpl" gives "plan-profile.csv".
 *
 * The tool is enabled when the plan has coefficients and a file name. It
 * has no dialog, so a file it cannot write is reported on the standard
 * error stream and Run answers 0.
 *
 * Build: cc -std=c99 -fPIC -shared -fvisibility=hidden -I<repo>/include
 *        sdk_plugin.c -o sdk_plugin.so
 * and put sdk_plugin.so into the folder PlugIns beside the program.
 */
#include <orvanta/plugin.h>

#include <locale.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define PROFILE_POINTS 11

/* The plan object handed over by SetMainServer. Kept in this library rather
 * than read back through an exported GetMainServer: with several plug-ins
 * loaded, that name could resolve to another library's. */
static OrvPlanService* MainServer = NULL;

/* The CSV is read by other programs, so its numbers always use a point,
 * whatever the locale the program runs in says. */
static void FormatNumber(char* text, size_t size, double value) {
    const char* point = localeconv()->decimal_point;
    char* found;
    if (isnan(value)) {
        text[0] = '\0';
        return;
    }
    snprintf(text, size, "%.10g", value);
    if (point && point[0] && point[0] != '.' && (found = strchr(text, point[0])) != NULL)
        *found = '.';
}

/* "dir/plan.mpl" -> "dir/plan-profile.csv"; a name without the extension
 * keeps all of it. The caller frees the result. */
static char* ProfileFileName(const char* planFile) {
    static const char Suffix[] = "-profile.csv";
    size_t length = strlen(planFile);
    char* name;
    if (length > 4 && strcmp(planFile + length - 4, ".mpl") == 0)
        length -= 4;
    name = malloc(length + sizeof Suffix);
    if (!name)
        return NULL;
    memcpy(name, planFile, length);
    memcpy(name + length, Suffix, sizeof Suffix);
    return name;
}

/* One line: x1 coded; x1 natural (empty without base levels and
 * intervals); the fitted response. */
static int WritePoint(FILE* file, OrvPlanService* plan, double* coded, double* natural,
                      int32_t factors) {
    char texts[3][32];
    double y = 0.0;
    int32_t i;
    for (i = 0; i < factors; ++i)
        natural[i] = NAN; /* ToNatural leaves it so when it cannot convert */
    plan->Table->ToNatural(plan, natural, coded);
    plan->Table->PredictAt(plan, coded, &y);
    FormatNumber(texts[0], sizeof texts[0], coded[0]);
    FormatNumber(texts[1], sizeof texts[1], natural[0]);
    FormatNumber(texts[2], sizeof texts[2], y);
    return fprintf(file, "%s;%s;%s\n", texts[0], texts[1], texts[2]) > 0;
}

static int WriteProfile(FILE* file, OrvPlanService* plan, int32_t factors) {
    double* coded = calloc((size_t)factors, sizeof(double));
    double* natural = calloc((size_t)factors, sizeof(double));
    int ok = coded && natural && fputs("x1;X1;y\n", file) >= 0;
    int i;
    for (i = 0; ok && i < PROFILE_POINTS; ++i) {
        /* From the index rather than by adding steps, so that the ends and
         * the centre are exact. */
        coded[0] = -1.0 + 2.0 * i / (PROFILE_POINTS - 1);
        ok = WritePoint(file, plan, coded, natural, factors);
    }
    free(coded);
    free(natural);
    return ok;
}

/* ---- The tool -------------------------------------------------------- */

/* "Профиль отклика в CSV (sdk)" in Windows-1251, the encoding of every text
 * the program shows. */
static const char* ToolName(OrvTool* self) {
    (void)self;
    return "\xcf\xf0\xee\xf4\xe8\xeb\xfc \xee\xf2\xea\xeb\xe8\xea\xe0 \xe2 CSV (sdk)";
}

static int32_t ToolIsEnabled(OrvTool* self) {
    OrvPlanService* plan = MainServer;
    const char* file;
    (void)self;
    if (!plan || !plan->Table)
        return 0;
    /* The same condition as the program's own "new diagram": coefficients. */
    if (plan->Table->CanDo(plan, ORV_ACTION_NEW_DIAGRAM) == 0)
        return 0;
    file = plan->Table->GetFileName(plan);
    return file && file[0] ? 1 : 0;
}

static int32_t ToolRun(OrvTool* self) {
    OrvPlanService* plan = MainServer;
    int32_t factors = 0;
    char* name;
    FILE* file;
    int ok;
    if (!ToolIsEnabled(self))
        return 0;
    plan->Table->GetDimensions(plan, &factors, NULL, NULL);
    if (factors < 1)
        return 0;
    /* The plan's texts are its own: copy what must outlive the next call. */
    name = ProfileFileName(plan->Table->GetFileName(plan));
    if (!name)
        return 0;
    file = fopen(name, "w");
    ok = file && WriteProfile(file, plan, factors);
    if (file && fclose(file) != 0)
        ok = 0;
    if (!ok) {
        fprintf(stderr, "sdk_plugin: cannot write %s\n", name);
        if (file)
            remove(name);
    }
    free(name);
    return ok;
}

static const OrvToolTable ProfileTable = {ToolName, ToolIsEnabled, ToolRun};
static OrvTool ProfileTool = {&ProfileTable};

/* ---- Exports --------------------------------------------------------- */

ORV_EXPORT int32_t PlugInsEnumerate(OrvRegisterToolProc registerTool) {
    if (registerTool)
        registerTool(&ProfileTool);
    return 1;
}

ORV_EXPORT OrvPlanService* SetMainServer(OrvPlanService* plan) {
    MainServer = plan;
    return plan;
}

ORV_EXPORT OrvPlanService* GetMainServer(void) {
    return MainServer;
}
