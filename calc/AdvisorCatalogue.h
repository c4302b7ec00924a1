// The scheme catalogue as the design advisor searches it: every scheme with its record
// alignment and the block sizes the form offers for it.
#pragma once

#include "calc/Types.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace eee {

struct CatalogueBlock
{
    std::string Text; // as the block size lists show it and a session stores it
    int64_t Bytes = 0; // what the form counts for it
};

struct CatalogueScheme
{
    std::string Name;
    int32_t RecordAlignment = 0;
    // The sizes the form offers: in catalogue order (by Index), at most six.
    std::vector<CatalogueBlock> Blocks;
};

struct AdvisorCatalogue
{
    std::vector<CatalogueScheme> Schemes;

    // The scheme of that exact name, or nullptr.
    const CatalogueScheme* Find(std::string_view name) const;
};

} // namespace eee
