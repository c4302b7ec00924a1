// The one stand-in for the program's data files in the tests of the form, the
// evaluator and the tools: an in-memory scheme catalogue and session store that
// counts what it is asked.
#pragma once

#include "form/DataSource.h"

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace eee::testing_support {

struct FakeScheme
{
    std::string Name;
    int32_t Alignment = 0;
    bool DataRetention = false;
    std::vector<BlockInfo> Blocks;
};

// Catalogue of the six schemes plus session files held by name or path.
class FakeDataSource : public IDataSource
{
public:
    FakeDataSource()
    {
        // Block entries are listed out of Index order on purpose: the form sorts them.
        const std::vector<BlockInfo> common {
            {2, "x10000", 0},
            {0, "x4000", 0},
            {3, "x20000", 0},
            {1, "x8000", 0},
        };
        Schemes = {
            {"ECC8 Fixed-Length", 8, false, common},
            {"ECC8 Var-Length", 8, false, common},
            {"ECC16 Fixed-Length", 16, true, common},
            {"ECC16 Var-Length", 16, true, common},
            {"ECC32 Fixed-Length", 32, false, common},
            {"ECC32 Var-Length", 32, false, common},
        };
    }

    // The six schemes with the alignments of their ECC width and the given block sizes, listed
    // in Index order.
    static FakeDataSource WithBlocks(const std::vector<std::string>& sizes)
    {
        FakeDataSource data;
        std::vector<BlockInfo> blocks;
        for (size_t i = 0; i < sizes.size(); ++i)
            blocks.push_back(BlockInfo {static_cast<int32_t>(i), sizes[i], 0});
        for (FakeScheme& scheme : data.Schemes) {
            scheme.Blocks = blocks;
            scheme.DataRetention = scheme.Name.find("ECC8") == std::string::npos;
        }
        return data;
    }

    void ReadSchemeList(std::string& errorText, std::vector<std::string>& names) override
    {
        ++SchemeListReads;
        if (!SchemeListError.empty()) {
            errorText = SchemeListError;
            return;
        }
        for (const auto& scheme : Schemes)
            names.push_back(scheme.Name);
        for (const auto& extra : ExtraSchemeNames)
            names.push_back(extra);
    }

    std::string ReadBlockInfo(const std::string& scheme, std::string& errorText,
        std::vector<BlockInfo>& blocks, int32_t& recordAlignment, bool& dataRetention) override
    {
        BlockInfoRequests.push_back(scheme);
        ++BlockInfoReads[scheme];
        for (const auto& entry : Schemes) {
            if (entry.Name == scheme) {
                blocks = entry.Blocks;
                recordAlignment = entry.Alignment;
                dataRetention = entry.DataRetention;
                return errorText;
            }
        }
        errorText = "Scheme " + scheme + " is not listed in SchemeInfo.xml!";
        return errorText;
    }

    bool ReadSession(
        SessionRecord& record, const std::string& fileName, std::string& errorText) override
    {
        SessionReads.push_back(fileName);
        const auto found = Sessions.find(fileName);
        if (found == Sessions.end()) {
            errorText = MissingSessionError;
            return false;
        }
        record = found->second;
        return true;
    }

    bool WriteSession(
        const SessionRecord& record, const std::string& path, std::string& errorText) override
    {
        SessionWrites.push_back(path);
        if (!WriteError.empty()) {
            errorText = WriteError;
            return false;
        }
        Sessions[path] = record;
        return true;
    }

    std::vector<FakeScheme> Schemes;
    std::vector<std::string> ExtraSchemeNames; // listed, but without a catalogue entry
    std::string SchemeListError;
    std::string WriteError; // when set, every write fails with it
    std::map<std::string, SessionRecord> Sessions;
    std::vector<std::string> BlockInfoRequests;
    std::vector<std::string> SessionReads;
    std::vector<std::string> SessionWrites;
    std::string MissingSessionError = "The system cannot find the file specified.";
    int SchemeListReads = 0;
    std::map<std::string, int> BlockInfoReads;
};

// A session record in a few words.
inline SessionRecord MakeSession(const std::string& scheme, float lifeTime,
    std::vector<std::string> blocks, std::vector<DataInfo> dataTypes, bool customOverhead = false,
    int32_t blockOverhead = 0)
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

} // namespace eee::testing_support
