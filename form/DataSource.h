// Where the form gets its scheme catalogue and session files from. The window and the command-line
// evaluator hand it the catalogue reader of files/; tests hand it a fake.
#pragma once

#include "calc/Types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace eee {

class IDataSource
{
public:
    virtual ~IDataSource() = default;
    // Appends the names of all schemes; errorText is set on failure.
    virtual void ReadSchemeList(std::string& errorText, std::vector<std::string>& names) = 0;
    // Reads one scheme's alignment, data-retention flag and blocks; returns the error text.
    virtual std::string ReadBlockInfo(const std::string& scheme, std::string& errorText,
        std::vector<BlockInfo>& blocks, int32_t& recordAlignment, bool& dataRetention)
        = 0;
    // Reads a session file: a file name in the module folder or a full path.
    virtual bool ReadSession(
        SessionRecord& record, const std::string& fileName, std::string& errorText)
        = 0;
    // Writes a session file to a full path.
    virtual bool WriteSession(
        const SessionRecord& record, const std::string& path, std::string& errorText)
        = 0;
};

} // namespace eee
