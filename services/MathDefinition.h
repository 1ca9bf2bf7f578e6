#pragma once

#include "plan/MathObjects.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct OrvAdden;
struct OrvModel;
struct OrvGenerator;

namespace orvanta {

class TModuleAdden;
class TModuleModel;
class TModuleGenerator;

// The math-module registry: loads the modules of a folder once, keeps their
// addens, models and generators in load order and finds them by name. The
// modules are never unloaded and their objects never freed.
class TMathDefinition : public TMathCatalog {
public:
    TMathDefinition();
    ~TMathDefinition() override;
    TMathDefinition(const TMathDefinition&) = delete;
    TMathDefinition& operator=(const TMathDefinition&) = delete;

    // Loads every "*.so" of the folder in the order of the file names;
    // `status` (when given) receives "Модуль: " + path before each one.
    // Returns the number of modules.
    std::int32_t LoadFolder(const std::string& folder,
                            const std::function<void(const std::string&)>& status = {});
    // True when the library is a module (exports GetModuleVersionInfo).
    bool LoadModule(const std::string& path);
    // Empties the lists (the libraries stay loaded).
    void Clear();

    std::int32_t ModuleCount() const { return static_cast<std::int32_t>(ModuleNames.size()); }
    const std::string& ModuleName(std::int32_t i) const;
    std::int32_t AddenCount() const override;
    std::int32_t ModelCount() const override;
    std::int32_t GenCount() const override;
    // The i-th object; an index past the end shows an internal error and
    // gives the first object (null when the list is empty).
    const TAdden* Adden(std::int32_t i) const override;
    const TModel* Model(std::int32_t i) const override;
    const TGenerator* Generator(std::int32_t i) const override;
    std::int32_t AddenByName(const std::string& name) const override;
    std::int32_t ModelByName(const std::string& name) const override;
    std::int32_t GenByName(const std::string& name) const override;

    // The wrapper of a module's adden (made on first use; stable).
    const TAdden* WrapAdden(OrvAdden* adden) const;
    const TModel* WrapModel(OrvModel* model) const;
    const TGenerator* WrapGenerator(OrvGenerator* generator) const;

private:
    std::vector<std::string> ModuleNames;
    std::vector<std::array<unsigned char, 8>> VersionBlocks;
    std::vector<void*> Libraries;
    std::vector<const TAdden*> Addens;
    std::vector<const TModel*> Models;
    std::vector<const TGenerator*> Generators;
    mutable std::unordered_map<OrvAdden*, std::unique_ptr<TModuleAdden>> AddenWrappers;
    mutable std::unordered_map<OrvModel*, std::unique_ptr<TModuleModel>> ModelWrappers;
    mutable std::unordered_map<OrvGenerator*, std::unique_ptr<TModuleGenerator>> GeneratorWrappers;
};

} // namespace orvanta
