// The six emulation schemes the engine knows, and their constants.
#pragma once

#include <array>
#include <string_view>

namespace eee {

struct SchemeConstants
{
    std::string_view Name;
    bool FixedLength;
    int BlockHeaderOverhead; // bytes
    int RecordHeaderOverhead; // bytes
    std::string_view Description; // tooltip of the Scheme list
};

inline constexpr std::array<SchemeConstants, 6> kSchemeTable {{
    {"ECC8 Fixed-Length", true, 24, 10, "Scheme ECC8 with fixed length of data size"},
    {"ECC8 Var-Length", false, 24, 12, "Scheme ECC8 with variable length of data size"},
    {"ECC16 Fixed-Length", true, 48, 18, "Scheme ECC16 with fixed length of data size"},
    {"ECC16 Var-Length", false, 48, 20, "Scheme ECC16 with variable length of data size"},
    {"ECC32 Fixed-Length", true, 96, 34, "Scheme ECC32 with fixed length of data size"},
    {"ECC32 Var-Length", false, 96, 36, "Scheme ECC32 with variable length of data size"},
}};

// Names are compared exactly: letter case counts and the whole text must match.
const SchemeConstants* FindScheme(std::string_view name);
bool IsFixedLengthScheme(std::string_view name);
int BlockHeaderOverhead(std::string_view name); // -1 for an unknown name
int RecordHeaderOverhead(std::string_view name); // -1 for an unknown name
std::string_view SchemeDescription(std::string_view name); // empty for an unknown name

} // namespace eee
