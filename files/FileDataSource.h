// A FileAccess as the form's source of catalogue and session files.
#pragma once

#include "files/FileAccess.h"
#include "form/DataSource.h"

namespace eee {

class FileDataSource : public IDataSource
{
public:
    explicit FileDataSource(FileAccess& files)
        : m_files(files)
    { }
    void ReadSchemeList(std::string& errorText, std::vector<std::string>& names) override
    {
        m_files.ReadSchemeList(errorText, names);
    }
    std::string ReadBlockInfo(const std::string& scheme, std::string& errorText,
        std::vector<BlockInfo>& blocks, int32_t& recordAlignment, bool& dataRetention) override
    {
        return m_files.ReadBlockInfo(scheme, errorText, blocks, recordAlignment, dataRetention);
    }
    bool ReadSession(
        SessionRecord& record, const std::string& fileName, std::string& errorText) override
    {
        return m_files.ReadSession(record, fileName, errorText);
    }
    bool WriteSession(
        const SessionRecord& record, const std::string& path, std::string& errorText) override
    {
        return m_files.WriteSession(record, path, errorText);
    }

private:
    FileAccess& m_files;
};

} // namespace eee
