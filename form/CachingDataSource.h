// A data source that keeps the catalogue's answers for a loader that reads many files.
#pragma once

#include "form/DataSource.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace eee {

// Remembers the catalogue's answers, so that evaluating many files in a row
// does not read the catalogue again at every scheme change. Only complete
// answers are kept (no error, at least one block); any other answer is asked
// anew each time, because a failed read may leave some outputs unwritten.
class CachingDataSource : public IDataSource
{
public:
    explicit CachingDataSource(IDataSource& source)
        : m_source(source)
    { }
    void ReadSchemeList(std::string& errorText, std::vector<std::string>& names) override;
    std::string ReadBlockInfo(const std::string& scheme, std::string& errorText,
        std::vector<BlockInfo>& blocks, int32_t& recordAlignment, bool& dataRetention) override;
    bool ReadSession(
        SessionRecord& record, const std::string& fileName, std::string& errorText) override
    {
        return m_source.ReadSession(record, fileName, errorText);
    }
    bool WriteSession(
        const SessionRecord& record, const std::string& path, std::string& errorText) override
    {
        return m_source.WriteSession(record, path, errorText);
    }

private:
    struct SchemeInfo
    {
        std::vector<BlockInfo> Blocks;
        int32_t RecordAlignment = 0;
        bool DataRetention = false;
    };
    IDataSource& m_source;
    std::optional<std::vector<std::string>> m_names;
    std::map<std::string, SchemeInfo> m_schemes;
};

} // namespace eee
