#include "AdvisorCatalogue.h"

namespace eee {

const CatalogueScheme* AdvisorCatalogue::Find(std::string_view name) const
{
    for (const CatalogueScheme& scheme : Schemes) {
        if (scheme.Name == name)
            return &scheme;
    }
    return nullptr;
}

} // namespace eee
