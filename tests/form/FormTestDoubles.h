// Stand-ins for the world around the input form: an in-memory scheme catalogue
// and session store, and a view that records what the form asks of the window.
#pragma once

#include "calc/DataSource.h"
#include "calc/FormModel.h"

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

    void ReadSchemeList(std::string& errorText, std::vector<std::string>& names) override
    {
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
            errorText = "The system cannot find the file specified.";
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
};

struct ShownMessage
{
    std::string Text;
    MsgIcon Icon = MsgIcon::Warning;
};

class RecordingView : public IFormView
{
public:
    void ShowMessage(const std::string& text, MsgIcon icon) override
    {
        Messages.push_back({text, icon});
    }
    void FocusField(FieldId field) override { Focus.push_back(field); }
    void Invalidate() override
    {
        ++Invalidations;
        ++PendingRepaints;
    }
    std::optional<std::string> AskSaveFileName() override
    {
        ++SaveDialogs;
        return SaveAnswer;
    }
    std::optional<std::string> AskOpenFileName() override
    {
        ++OpenDialogs;
        return OpenAnswer;
    }

    void Clear()
    {
        Messages.clear();
        Focus.clear();
    }

    std::vector<ShownMessage> Messages;
    std::vector<FieldId> Focus;
    int Invalidations = 0;
    int PendingRepaints = 0;
    int SaveDialogs = 0;
    int OpenDialogs = 0;
    std::optional<std::string> SaveAnswer;
    std::optional<std::string> OpenAnswer;
};

} // namespace eee::testing_support
