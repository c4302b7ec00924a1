#include "Schemes.h"

namespace eee {

const SchemeConstants* FindScheme(std::string_view name)
{
    for (const auto& scheme : kSchemeTable) {
        if (scheme.Name == name)
            return &scheme;
    }
    return nullptr;
}

bool IsFixedLengthScheme(std::string_view name)
{
    const SchemeConstants* scheme = FindScheme(name);
    return scheme && scheme->FixedLength;
}

int BlockHeaderOverhead(std::string_view name)
{
    const SchemeConstants* scheme = FindScheme(name);
    return scheme ? scheme->BlockHeaderOverhead : -1;
}

int RecordHeaderOverhead(std::string_view name)
{
    const SchemeConstants* scheme = FindScheme(name);
    return scheme ? scheme->RecordHeaderOverhead : -1;
}

std::string_view SchemeDescription(std::string_view name)
{
    const SchemeConstants* scheme = FindScheme(name);
    return scheme ? scheme->Description : std::string_view {};
}

} // namespace eee
