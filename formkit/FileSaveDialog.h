#pragma once

// The save-file dialog: a title, a filter list written as
// "description|pattern|description|pattern" (several patterns of one entry
// separated by ";"), a default extension and an overwrite prompt.

#include <functional>
#include <optional>
#include <string>

class CFileSaveDialog {
public:
    struct TAnswer {
        std::string Path;    // UTF-8, as typed, before the default extension
        int FilterIndex = 1; // 1-based entry of the filter list
    };
    // Answers instead of the dialog (no answer: cancelled); the answer goes
    // through the same default-extension rule as a typed name.
    using THook = std::function<std::optional<TAnswer>(const CFileSaveDialog&)>;
    // Installs hook (an empty one restores the real dialog); returns the
    // previous one.
    static THook SetHook(THook hook);

    void SetTitle(const std::string& title) { Title = title; }
    void SetFilter(const std::string& filter) { Filter = filter; }
    // Without a leading point; added to a name that has no extension.
    void SetDefaultExt(const std::string& ext) { DefaultExt = ext; }
    void SetFileName(const std::string& name) { Name = name; }
    void SetOverwritePrompt(bool prompt) { OverwritePrompt = prompt; }

    const std::string& GetTitle() const { return Title; }
    const std::string& GetFilter() const { return Filter; }
    const std::string& GetDefaultExt() const { return DefaultExt; }
    bool GetOverwritePrompt() const { return OverwritePrompt; }

    // owner: a QWidget* as void*, may be null. True when the user confirmed.
    bool DoModal(void* owner);
    // The chosen path, or the initial name before a confirmed DoModal.
    std::string FileName() const { return Name; }
    int FilterIndex() const { return Index; }

private:
    std::optional<TAnswer> AskUser(void* owner) const;
    std::string WithDefaultExt(const std::string& path) const;

    std::string Title;
    std::string Filter;
    std::string DefaultExt;
    std::string Name;
    bool OverwritePrompt = true;
    int Index = 1;
};
