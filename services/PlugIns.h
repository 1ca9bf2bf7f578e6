#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct OrvTool;
struct OrvPlanService;

namespace orvanta {

// The plug-in host: loads the libraries of the folder "PlugIns", keeps the
// tools they register in registration order and hands every library the plan
// object. The tools belong to their libraries; the libraries stay loaded
// until the host is destroyed, which unloads them.
class TPlugIns {
public:
    static constexpr std::int32_t MaxTools = 256;
    static constexpr std::int32_t MaxLibraries = 128;

    // `plan` is what every library receives through SetMainServer.
    explicit TPlugIns(OrvPlanService* plan);
    ~TPlugIns();
    TPlugIns(const TPlugIns&) = delete;
    TPlugIns& operator=(const TPlugIns&) = delete;

    // Loads every "*.so" of the folder in the order of the file names;
    // `status` (when given) receives "Дополнение: " + path before each one.
    // Returns the number of tools.
    std::int32_t LoadFolder(const std::string& folder,
                            const std::function<void(const std::string&)>& status = {});
    // True when the library was kept. A library that cannot be loaded or lacks
    // an entry point is reported and unloaded; once either table is full
    // nothing more is loaded, silently.
    bool LoadPlugIn(const std::string& path);

    std::int32_t ToolCount() const { return static_cast<std::int32_t>(Tools.size()); }
    std::int32_t LibraryCount() const { return static_cast<std::int32_t>(Libraries.size()); }
    // The i-th tool, null outside 0 .. ToolCount() - 1.
    const OrvTool* Tool(std::int32_t i) const;

    // The tool's operations for the menu; an index outside the range, or a
    // tool that fails, gives an empty caption and a disabled item.
    std::string ToolName(std::int32_t i) const;
    bool ToolEnabled(std::int32_t i) const;
    void RunTool(std::int32_t i) const;

private:
    OrvTool* At(std::int32_t i) const;

    OrvPlanService* Plan;
    std::vector<void*> Libraries;
    std::vector<OrvTool*> Tools;
};

} // namespace orvanta
