#include "form/CachingDataSource.h"

namespace eee {

void CachingDataSource::ReadSchemeList(std::string& errorText, std::vector<std::string>& names)
{
    if (!m_names) {
        std::vector<std::string> read;
        std::string error;
        m_source.ReadSchemeList(error, read);
        if (!error.empty() || read.empty()) {
            errorText = error;
            names.insert(names.end(), read.begin(), read.end());
            return;
        }
        m_names = std::move(read);
    }
    errorText.clear();
    names.insert(names.end(), m_names->begin(), m_names->end());
}

std::string CachingDataSource::ReadBlockInfo(const std::string& scheme, std::string& errorText,
    std::vector<BlockInfo>& blocks, int32_t& recordAlignment, bool& dataRetention)
{
    const auto found = m_schemes.find(scheme);
    if (found == m_schemes.end()) {
        // The outputs are written through to the caller, so that a failed read
        // leaves exactly what the catalogue reader left.
        std::vector<BlockInfo> read;
        m_source.ReadBlockInfo(scheme, errorText, read, recordAlignment, dataRetention);
        blocks.insert(blocks.end(), read.begin(), read.end());
        if (!errorText.empty() || read.empty())
            return errorText;
        m_schemes.emplace(scheme, SchemeInfo {std::move(read), recordAlignment, dataRetention});
        return errorText;
    }
    errorText.clear();
    const SchemeInfo& info = found->second;
    blocks.insert(blocks.end(), info.Blocks.begin(), info.Blocks.end());
    recordAlignment = info.RecordAlignment;
    dataRetention = info.DataRetention;
    return errorText;
}

} // namespace eee
