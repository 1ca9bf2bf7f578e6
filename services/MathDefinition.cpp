#include "services/MathDefinition.h"

#include "numeric/Messages.h"
#include "services/LibraryFolder.h"
#include "services/ModuleObjects.h"

#include <orvanta/math_module.h>

#include <algorithm>
#include <dlfcn.h>

namespace orvanta {

namespace {

const char* const InternalError = "Внутренняя ошибка: ";

// Where the enumeration callbacks put what a module reports. They are valid
// only during one enumeration call.
struct TEnumerationTarget {
    const TMathDefinition* Registry = nullptr;
    std::vector<const TAdden*>* Addens = nullptr;
    std::vector<const TModel*>* Models = nullptr;
    std::vector<const TGenerator*>* Generators = nullptr;
};
TEnumerationTarget Target;

// The callbacks are called from module code: nothing may escape them.
extern "C" int32_t EnumAddenProc(OrvAdden* adden) {
    try {
        if (!Target.Addens || !Target.Registry) {
            ShowError(std::string(InternalError) + "EnumAddenProc: DestList = nil");
            return 0;
        }
        if (!adden) {
            ShowError(std::string(InternalError) + "EnumAddenProc: Adden = nil");
            return 0;
        }
        Target.Addens->push_back(Target.Registry->WrapAdden(adden));
        return 1;
    } catch (...) {
        return 0;
    }
}

extern "C" int32_t EnumModelProc(OrvModel* model) {
    try {
        if (!Target.Models || !Target.Registry) {
            ShowError(std::string(InternalError) + "EnumModelProc: pDestList = nil");
            return 0;
        }
        if (!model) {
            ShowError(std::string(InternalError) + "EnumModelProc: Model = nil");
            return 0;
        }
        Target.Models->push_back(Target.Registry->WrapModel(model));
        return 1;
    } catch (...) {
        return 0;
    }
}

extern "C" int32_t EnumGenProc(OrvGenerator* generator) {
    try {
        if (!Target.Generators || !Target.Registry) {
            ShowError(std::string(InternalError) + "EnumGenProc: pDestList = nil");
            return 0;
        }
        if (!generator) {
            ShowError(std::string(InternalError) + "EnumGenProc: Generator = nil");
            return 0;
        }
        Target.Generators->push_back(Target.Registry->WrapGenerator(generator));
        return 1;
    } catch (...) {
        return 0;
    }
}

template <class T>
const T* At(const std::vector<const T*>& list, std::int32_t i, const char* listName) {
    if (i < 0 || static_cast<std::size_t>(i) >= list.size()) {
        ShowError(std::string(InternalError) + "Index > " + listName + ".Count");
        return list.empty() ? nullptr : list.front();
    }
    return list[static_cast<std::size_t>(i)];
}

template <class T>
std::int32_t FindByName(const std::vector<const T*>& list, const std::string& name) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i]->GetName() == name)
            return static_cast<std::int32_t>(i);
    return -1;
}

template <class T> std::int32_t CountOf(const std::vector<T>& list) {
    return static_cast<std::int32_t>(list.size());
}

} // namespace

TMathDefinition::TMathDefinition() = default;

// The libraries stay loaded: their objects may be used until the very end.
TMathDefinition::~TMathDefinition() = default;

std::int32_t TMathDefinition::LoadFolder(const std::string& folder,
                                         const std::function<void(const std::string&)>& status) {
    const std::vector<std::string> names = LibraryFiles(folder);
    std::int32_t loaded = 0;
    for (const std::string& name : names) {
        const std::string path = folder + "/" + name;
        if (status)
            status("Модуль: " + path);
        if (LoadModule(path))
            ++loaded;
    }
    return loaded;
}

bool TMathDefinition::LoadModule(const std::string& path) {
    void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        ShowWarning("Ошибка загрузки внешнего модуля \"" + path + "\".");
        return false;
    }
    Libraries.push_back(library);
    auto versionInfo =
        reinterpret_cast<OrvGetModuleVersionInfoFn>(::dlsym(library, "GetModuleVersionInfo"));
    if (!versionInfo) {
        ShowWarning("Ошибка загрузки внешнего модуля \"" + path + "\":\n" +
                    "не найдена точка входа в процедуру \"GetModuleVersionInfo()\".");
        return false;
    }
    ModuleNames.push_back(path);
    VersionBlocks.emplace_back();
    versionInfo(VersionBlocks.back().data());

    auto addens = reinterpret_cast<OrvAddensEnumerateFn>(::dlsym(library, "AddensEnumerate"));
    auto models = reinterpret_cast<OrvModelsEnumerateFn>(::dlsym(library, "ModelsEnumerate"));
    auto generators = reinterpret_cast<OrvGensEnumerateFn>(::dlsym(library, "GensEnumerate"));
    if (addens) {
        Target = {this, &Addens, nullptr, nullptr};
        addens(EnumAddenProc);
    }
    if (models) {
        Target = {this, nullptr, &Models, nullptr};
        models(EnumModelProc);
    }
    if (generators) {
        Target = {this, nullptr, nullptr, &Generators};
        generators(EnumGenProc);
    }
    Target = {};
    return true;
}

void TMathDefinition::Clear() {
    ModuleNames.clear();
    VersionBlocks.clear();
    Addens.clear();
    Models.clear();
    Generators.clear();
}

const std::string& TMathDefinition::ModuleName(std::int32_t i) const {
    return ModuleNames.at(static_cast<std::size_t>(i));
}

std::int32_t TMathDefinition::AddenCount() const {
    return CountOf(Addens);
}
std::int32_t TMathDefinition::ModelCount() const {
    return CountOf(Models);
}
std::int32_t TMathDefinition::GenCount() const {
    return CountOf(Generators);
}

const TAdden* TMathDefinition::Adden(std::int32_t i) const {
    return At(Addens, i, "_Addens");
}
const TModel* TMathDefinition::Model(std::int32_t i) const {
    return At(Models, i, "_Models");
}
const TGenerator* TMathDefinition::Generator(std::int32_t i) const {
    return At(Generators, i, "_Generators");
}

std::int32_t TMathDefinition::AddenByName(const std::string& name) const {
    return FindByName(Addens, name);
}
std::int32_t TMathDefinition::ModelByName(const std::string& name) const {
    return FindByName(Models, name);
}
std::int32_t TMathDefinition::GenByName(const std::string& name) const {
    return FindByName(Generators, name);
}

const TAdden* TMathDefinition::WrapAdden(OrvAdden* adden) const {
    if (!adden)
        return nullptr;
    auto& wrapper = AddenWrappers[adden];
    if (!wrapper)
        wrapper = std::make_unique<TModuleAdden>(adden);
    return wrapper.get();
}

const TModel* TMathDefinition::WrapModel(OrvModel* model) const {
    if (!model)
        return nullptr;
    auto& wrapper = ModelWrappers[model];
    if (!wrapper)
        wrapper = std::make_unique<TModuleModel>(model, *this);
    return wrapper.get();
}

const TGenerator* TMathDefinition::WrapGenerator(OrvGenerator* generator) const {
    if (!generator)
        return nullptr;
    auto& wrapper = GeneratorWrappers[generator];
    if (!wrapper)
        wrapper = std::make_unique<TModuleGenerator>(generator, *this);
    return wrapper.get();
}

} // namespace orvanta
