#include "form/ComboState.h"

#include <algorithm>
#include <cctype>

namespace eee {

namespace {
int CompareNoCase(const std::string& a, const std::string& b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix)
{
    if (prefix.size() > text.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i]))
            != std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    }
    return true;
}

} // namespace

std::string ComboState::SelectedText() const
{
    if (Selected < 0 || Selected >= static_cast<int>(Entries.size()))
        return {};
    return Entries[static_cast<size_t>(Selected)];
}

void ComboState::Clear()
{
    Entries.clear();
    Selected = -1;
}

void ComboState::Add(const std::string& text)
{
    if (!Sorted) {
        Entries.push_back(text);
        return;
    }
    auto at = std::upper_bound(Entries.begin(), Entries.end(), text,
        [](const std::string& a, const std::string& b) { return CompareNoCase(a, b) < 0; });
    const auto index = static_cast<int>(at - Entries.begin());
    Entries.insert(at, text);
    if (Selected >= index)
        ++Selected;
}

int ComboState::FindPrefix(const std::string& text) const
{
    for (size_t i = 0; i < Entries.size(); ++i) {
        if (StartsWithNoCase(Entries[i], text))
            return static_cast<int>(i);
    }
    return -1;
}

bool ComboState::SelectPrefix(const std::string& text)
{
    const int index = FindPrefix(text);
    if (index < 0)
        return false;
    Selected = index;
    return true;
}

} // namespace eee
