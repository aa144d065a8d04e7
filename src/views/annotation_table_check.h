// Whether "annotation.db" may be handed to Berkeley DB. Berkeley DB believes what a table's pages
// say: a damaged page makes it read outside its buffers (or free memory twice, in its own
// verifier), and a table cut short reads as empty. So a table's bytes are checked before it is
// opened, against the form that dbopen gives a hash table on these machines (little-endian,
// hash version 9, no duplicates, checksums, encryption or partitions): every page the first
// page counts is in the file; each bucket is a chain of hash pages whose entries lie in their
// place, key and value by turns, each an item of the page or a chain of overflow pages of its
// length; the free list is a chain of free pages; and no page serves in two places.
#pragma once

#include <string_view>

namespace corvisant {

bool TablePagesAreWhole(std::string_view table);

}  // namespace corvisant
