#include "services/PlugIns.h"

#include "services/LibraryFolder.h"

#include "numeric/Cp1251.h"
#include "numeric/Messages.h"

#include <orvanta/plugin.h>

#include <algorithm>
#include <dlfcn.h>

namespace orvanta {

namespace {

// The tool table of the host whose library is enumerating right now; the
// registration callback has no other way to find it.
std::vector<OrvTool*>* RegistrationTarget = nullptr;

class TRegistrationScope {
public:
    explicit TRegistrationScope(std::vector<OrvTool*>& tools) : Previous(RegistrationTarget) {
        RegistrationTarget = &tools;
    }
    ~TRegistrationScope() { RegistrationTarget = Previous; }
    TRegistrationScope(const TRegistrationScope&) = delete;
    TRegistrationScope& operator=(const TRegistrationScope&) = delete;

private:
    std::vector<OrvTool*>* Previous;
};

// Called from plug-in code: nothing may escape it. A null tool is refused,
// since the menu could not ask it anything; so is a call made outside an
// enumeration.
extern "C" int32_t RegisterToolProc(OrvTool* tool) {
    try {
        if (!RegistrationTarget || !tool)
            return 0;
        if (RegistrationTarget->size() >= static_cast<std::size_t>(TPlugIns::MaxTools))
            return 0;
        RegistrationTarget->push_back(tool);
        return 1;
    } catch (...) {
        return 0;
    }
}

std::string EntryPointMissing(const char* loadError, const std::string& path, const char* entry) {
    return std::string(loadError) + " \"" + path + "\":\nне найдена точка входа в процедуру \"" +
           entry + "()\".";
}

} // namespace

TPlugIns::TPlugIns(OrvPlanService* plan) : Plan(plan) {
    Libraries.reserve(MaxLibraries);
    Tools.reserve(MaxTools);
}

// The tools live in the libraries, so whoever showed them (the menu) must be
// gone by now. Reverse order lets a library rely on the ones loaded before it.
TPlugIns::~TPlugIns() {
    for (auto library = Libraries.rbegin(); library != Libraries.rend(); ++library)
        ::dlclose(*library);
}

std::int32_t TPlugIns::LoadFolder(const std::string& folder,
                                  const std::function<void(const std::string&)>& status) {
    for (const std::string& name : LibraryFiles(folder)) {
        const std::string path = folder + "/" + name;
        if (status)
            status("Дополнение: " + path);
        LoadPlugIn(path);
    }
    return ToolCount();
}

bool TPlugIns::LoadPlugIn(const std::string& path) {
    if (ToolCount() >= MaxTools || LibraryCount() >= MaxLibraries)
        return false;
    void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        ShowError("Ошибка загрузки дополнения \"" + path + "\".");
        return false;
    }
    auto setMainServer = reinterpret_cast<OrvSetMainServerFn>(::dlsym(library, "SetMainServer"));
    if (!setMainServer) {
        ShowError(EntryPointMissing("Ошибка загрузки дополнения", path, "SetMainServer"));
        ::dlclose(library);
        return false;
    }
    auto enumerate = reinterpret_cast<OrvPlugInsEnumerateFn>(::dlsym(library, "PlugInsEnumerate"));
    if (!enumerate) {
        // The plural is deliberate: this message has always read so.
        ShowError(EntryPointMissing("Ошибка загрузки дополнений", path, "PlugInsEnumerate"));
        ::dlclose(library);
        return false;
    }
    // A plug-in that fails half-way keeps the tools it registered, so its
    // library is kept either way.
    try {
        TRegistrationScope scope(Tools);
        enumerate(RegisterToolProc);
    } catch (...) {
    }
    Libraries.push_back(library);
    try {
        setMainServer(Plan);
    } catch (...) {
    }
    return true;
}

OrvTool* TPlugIns::At(std::int32_t i) const {
    if (i < 0 || i >= ToolCount())
        return nullptr;
    return Tools[static_cast<std::size_t>(i)];
}

const OrvTool* TPlugIns::Tool(std::int32_t i) const {
    return At(i);
}

std::string TPlugIns::ToolName(std::int32_t i) const {
    OrvTool* tool = At(i);
    if (!tool || !tool->Table || !tool->Table->GetName)
        return {};
    try {
        const char* name = tool->Table->GetName(tool);
        return name ? Cp1251ToUtf8(name) : std::string();
    } catch (...) {
        return {};
    }
}

bool TPlugIns::ToolEnabled(std::int32_t i) const {
    OrvTool* tool = At(i);
    if (!tool || !tool->Table || !tool->Table->IsEnabled)
        return false;
    try {
        return tool->Table->IsEnabled(tool) != 0;
    } catch (...) {
        return false;
    }
}

void TPlugIns::RunTool(std::int32_t i) const {
    OrvTool* tool = At(i);
    if (!tool || !tool->Table || !tool->Table->Run)
        return;
    try {
        tool->Table->Run(tool);
    } catch (...) {
    }
}

} // namespace orvanta
