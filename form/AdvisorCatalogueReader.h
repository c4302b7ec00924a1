// The scheme catalogue read for the design advisor through the form's data source.
#pragma once

#include "calc/AdvisorCatalogue.h"
#include "form/DataSource.h"

#include <string>
#include <vector>

namespace eee {

// Reads every listed scheme the way the form loads a scheme's blocks. A scheme whose
// entry cannot be read is left out, and the reason is added to `problems`.
AdvisorCatalogue ReadAdvisorCatalogue(IDataSource& data, std::vector<std::string>& problems);

} // namespace eee
