// An in-memory catalogue and session store for evaluating without files.
#pragma once

#include "calc/DataSource.h"

#include <map>
#include <string>
#include <vector>

namespace eee::test {

struct FakeScheme
{
    std::string Name;
    int32_t RecordAlignment = 0;
    bool DataRetention = false;
    std::vector<std::string> BlockTexts;
};

class FakeDataSource : public IDataSource
{
public:
    // The six schemes with the alignments of their ECC width and five block sizes each. The
    // alphabetically first size holds the form's default data types, as in the delivered catalogue.
    FakeDataSource();

    void ReadSchemeList(std::string& errorText, std::vector<std::string>& names) override
    {
        ++SchemeListReads;
        errorText.clear();
        for (const FakeScheme& scheme : Schemes)
            names.push_back(scheme.Name);
    }
    std::string ReadBlockInfo(const std::string& scheme, std::string& errorText,
        std::vector<BlockInfo>& blocks, int32_t& recordAlignment, bool& dataRetention) override;
    bool ReadSession(
        SessionRecord& record, const std::string& fileName, std::string& errorText) override
    {
        const auto found = Sessions.find(fileName);
        if (found == Sessions.end()) {
            errorText = "The system cannot locate the object specified.";
            return false;
        }
        record = found->second;
        return true;
    }
    bool WriteSession(const SessionRecord&, const std::string&, std::string& errorText) override
    {
        errorText = "read-only";
        return false;
    }

    std::vector<FakeScheme> Schemes;
    std::map<std::string, SessionRecord> Sessions;
    int SchemeListReads = 0;
    std::map<std::string, int> BlockInfoReads;
};

inline FakeDataSource::FakeDataSource()
{
    const std::vector<std::string> blocks {"x2000", "x4000", "x8000", "x10000", "x20000"};
    Schemes = {
        {"ECC8 Fixed-Length", 8, false, blocks},
        {"ECC8 Var-Length", 8, false, blocks},
        {"ECC16 Fixed-Length", 16, true, blocks},
        {"ECC16 Var-Length", 16, true, blocks},
        {"ECC32 Fixed-Length", 32, true, blocks},
        {"ECC32 Var-Length", 32, true, blocks},
    };
}

inline std::string FakeDataSource::ReadBlockInfo(const std::string& scheme, std::string& errorText,
    std::vector<BlockInfo>& blocks, int32_t& recordAlignment, bool& dataRetention)
{
    ++BlockInfoReads[scheme];
    errorText.clear();
    for (const FakeScheme& entry : Schemes) {
        if (entry.Name != scheme)
            continue;
        recordAlignment = entry.RecordAlignment;
        dataRetention = entry.DataRetention;
        for (size_t i = 0; i < entry.BlockTexts.size(); ++i)
            blocks.push_back(BlockInfo {static_cast<int32_t>(i), entry.BlockTexts[i], 0});
        return errorText;
    }
    errorText = "Scheme " + scheme + " is not listed in SchemeInfo.xml!";
    return errorText;
}

// A session record in a few words.
inline SessionRecord MakeSession(const std::string& scheme, float lifeTime,
    std::vector<std::string> blocks, std::vector<DataInfo> dataTypes,
    bool customOverhead = false, int32_t blockOverhead = 0)
{
    SessionRecord record;
    record.Scheme = scheme;
    record.LifeTime = lifeTime;
    record.BlocksSelected = static_cast<int32_t>(blocks.size());
    for (size_t k = 0; k < blocks.size() && k < record.BlockSize.size(); ++k)
        record.BlockSize[k] = blocks[k];
    record.DataTypes = std::move(dataTypes);
    record.CusOverheadEn = customOverhead;
    record.BlockOverhead = blockOverhead;
    return record;
}

} // namespace eee::test
