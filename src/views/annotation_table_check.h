// Whether "annotation.db" can be handed to Berkeley DB. Berkeley DB believes what a table's pages
// say: a damaged page makes it read outside its buffers, and a table cut short reads as empty.
// So a table is looked at before it is opened: every page its first page counts must be in the
// file, and the pages must pass Berkeley DB's own verification (the check of its database
// verifier, reached through its native interface beside the 1.85 one the store uses).
#pragma once

#include <string>

namespace corvisant {

// tablePath: the table as the files port names it; dbFileName: as Berkeley DB opens it.
bool TablePagesAreWhole(const std::string& tablePath, const std::string& dbFileName);

}  // namespace corvisant
