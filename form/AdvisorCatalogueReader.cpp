#include "form/AdvisorCatalogueReader.h"

#include "calc/BlockSize.h"
#include "calc/Format.h"

#include <algorithm>

namespace eee {

AdvisorCatalogue ReadAdvisorCatalogue(IDataSource& data, std::vector<std::string>& problems)
{
    AdvisorCatalogue catalogue;
    std::string error;
    std::vector<std::string> names;
    data.ReadSchemeList(error, names);
    if (!error.empty() || names.empty()) {
        problems.push_back(Format("Schemes information could not be loaded!\n%s", error.c_str()));
        return catalogue;
    }
    for (const std::string& name : names) {
        CatalogueScheme scheme;
        scheme.Name = name;
        std::vector<BlockInfo> blocks;
        bool dataRetention = false;
        std::string reason;
        data.ReadBlockInfo(name, reason, blocks, scheme.RecordAlignment, dataRetention);
        if (!reason.empty() || blocks.empty()) {
            problems.push_back(Format("Error reading block information for scheme %s because %s",
                name.c_str(), reason.c_str()));
            continue;
        }
        // The form lists a scheme's blocks by Index and has room for six of them.
        std::stable_sort(blocks.begin(), blocks.end(),
            [](const BlockInfo& a, const BlockInfo& b) { return a.Index < b.Index; });
        if (blocks.size() > static_cast<size_t>(kMaxBlocks))
            blocks.resize(kMaxBlocks);
        for (const BlockInfo& block : blocks)
            scheme.Blocks.push_back({block.SizeText, BlockSizeBytes(block.SizeText)});
        catalogue.Schemes.push_back(std::move(scheme));
    }
    return catalogue;
}

} // namespace eee
