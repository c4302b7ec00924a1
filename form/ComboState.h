// A drop-down list of the form: its entries and the selected one.
#pragma once

#include <string>
#include <vector>

namespace eee {

struct ComboState
{
    std::vector<std::string> Entries;
    int Selected = -1; // -1 for none
    bool Sorted = false; // keeps its entries in alphabetical order

    std::string SelectedText() const;
    void Clear();
    void Add(const std::string& text);
    // The first entry that begins with text, letter case ignored; -1 when none does.
    int FindPrefix(const std::string& text) const;
    // Selects the first entry that begins with text; false (selection unchanged) when none does.
    bool SelectPrefix(const std::string& text);

    bool operator==(const ComboState&) const = default;
};

} // namespace eee
