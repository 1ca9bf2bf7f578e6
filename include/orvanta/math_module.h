/*
 * Orvanta math modules: the interface between the program and a module.
 *
 * A math module is a shared library ("*.so") placed in the folder "Models"
 * beside the program. At start-up the program loads every library of that
 * folder in the order of their file names and asks each one for three kinds
 * of objects:
 *
 *   addens      terms of a regression model: a coefficient times a function
 *               of the factors, such as x1*x2 or exp(x1);
 *   models      ready-made regression models: fixed lists of addens with
 *               their own evaluation of the fitted equation;
 *   generators  plan generators: the code matrices (coded factor levels) of
 *               standard experiment designs, each with a proposed model.
 *
 * The program keeps the objects for as long as it runs and never frees them;
 * modules are never unloaded. Objects must therefore live in static storage
 * (or be allocated once and never released) and must not move.
 *
 * Every object is a struct whose first (and only required) member is a
 * pointer to its table of operations. Every operation takes the object itself
 * as its first argument. Integers are 32-bit; doubles are returned through
 * pointers; texts are zero-terminated strings in the Windows-1251 code page
 * (Russian letters are single bytes), owned by the module and valid for as
 * long as the program runs. Names are compared byte for byte.
 *
 * The slots of each table are fixed in the order given here; a module must
 * fill every slot. No function may throw a C++ exception or call exit().
 *
 * A library is a module when it exports GetModuleVersionInfo. The three
 * enumeration exports are optional; each calls the callback it is given once
 * for every object of its kind, in the order the module wants them listed.
 * The callback answers 1 when the object was added and 0 when it was refused
 * (a null object is refused). The callbacks may be called only during the
 * enumeration call itself.
 *
 * Example of an adden, in C:
 *
 *   static const char* Text(OrvAdden* a) { (void)a; return "x1*x2"; }
 *   static const char* Name(OrvAdden* a) { (void)a; return "x1x2"; }
 *   static const char* Coef(OrvAdden* a) { (void)a; return "b12"; }
 *   static int32_t Needed(OrvAdden* a) { (void)a; return 2; }
 *   static void Eval(OrvAdden* a, const double* x, double* out) {
 *       (void)a; *out = x[0] * x[1];
 *   }
 *   static const OrvAddenTable Table = {Text, Name, Coef, Needed, Eval};
 *   static OrvAdden X1X2 = {&Table};
 *
 *   ORV_EXPORT void GetModuleVersionInfo(void* block) { memset(block, 0, 8); }
 *   ORV_EXPORT void AddensEnumerate(OrvEnumAddenProc add) { add(&X1X2); }
 *
 * Build the module with -fPIC -shared and, ideally, -fvisibility=hidden so
 * that only the four exports are visible.
 */
#ifndef ORVANTA_MATH_MODULE_H
#define ORVANTA_MATH_MODULE_H

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

typedef struct OrvAdden OrvAdden;
typedef struct OrvModel OrvModel;
typedef struct OrvGenerator OrvGenerator;

/* The operations of an adden, in slot order. */
typedef struct OrvAddenTable {
    /* 0: the line shown in term lists and written in equations ("x1*x2"). */
    const char* (*GetText)(OrvAdden* self);
    /* 1: the identifier: unique, used to find the adden by name and stored
     *    in plan files. */
    const char* (*GetName)(OrvAdden* self);
    /* 2: the coefficient's label in coefficient listings ("b12"). */
    const char* (*GetCoefName)(OrvAdden* self);
    /* 3: the number of factors the adden needs (the highest factor number
     *    it uses); it is offered only for plans with at least that many. */
    int32_t (*NeededFactors)(OrvAdden* self);
    /* 4: writes the adden's value at x (the plan's k factors, coded units)
     *    to *out. */
    void (*Evaluate)(OrvAdden* self, const double* x, double* out);
} OrvAddenTable;

struct OrvAdden {
    const OrvAddenTable* Table;
};

/* The operations of a model, in slot order. */
typedef struct OrvModelTable {
    /* 0: the model's name: shown in lists, stored in plan files. */
    const char* (*GetName)(OrvModel* self);
    /* 1: the number of factors the model is defined for; it is offered only
     *    for plans with exactly that many. */
    int32_t (*RequiredDimension)(OrvModel* self);
    /* 2: the number of terms (coefficients); it is offered only for plans
     *    with at least that many runs. */
    int32_t (*AddenCount)(OrvModel* self);
    /* 3: the j-th term, j = 0 .. AddenCount - 1; never null. */
    OrvAdden* (*GetAdden)(OrvModel* self, int32_t j);
    /* 4: writes the fitted equation's value at x (k coded factor values) for
     *    the coefficients b (AddenCount of them) to *out. */
    void (*Evaluate)(OrvModel* self, const double* x, const double* b, double* out);
} OrvModelTable;

struct OrvModel {
    const OrvModelTable* Table;
};

/* The operations of a plan generator, in slot order. */
typedef struct OrvGeneratorTable {
    /* 0: the design's name: shown in the new-plan wizard, stored in plan
     *    files. */
    const char* (*GetName)(OrvGenerator* self);
    /* 1: writes the number of runs N to *rows and of factors k to *cols. */
    void (*GetSize)(OrvGenerator* self, int32_t* rows, int32_t* cols);
    /* 2: writes the code matrix: rows is a table of N pointers, each to k
     *    doubles (the coded levels of one run). */
    void (*Fill)(OrvGenerator* self, double** rows);
    /* 3: the model proposed with this design, or null. */
    OrvModel* (*DefaultModel)(OrvGenerator* self);
} OrvGeneratorTable;

struct OrvGenerator {
    const OrvGeneratorTable* Table;
};

/* The program's callbacks: 1 when the object was added, 0 when refused. */
typedef int32_t (*OrvEnumAddenProc)(OrvAdden* adden);
typedef int32_t (*OrvEnumModelProc)(OrvModel* model);
typedef int32_t (*OrvEnumGenProc)(OrvGenerator* generator);

/* The exports of a module. GetModuleVersionInfo receives an 8-byte block
 * that the program keeps and does not interpret (a version, a build date:
 * the module's choice); its presence is what makes a library a module. */
typedef void (*OrvGetModuleVersionInfoFn)(void* block);
typedef void (*OrvAddensEnumerateFn)(OrvEnumAddenProc callback);
typedef void (*OrvModelsEnumerateFn)(OrvEnumModelProc callback);
typedef void (*OrvGensEnumerateFn)(OrvEnumGenProc callback);

#define ORV_VERSION_INFO_SIZE 8

#ifdef __cplusplus
}
#endif

#endif /* ORVANTA_MATH_MODULE_H */
