// Berkeley DB through its 1.85 interface (dbopen, DB_HASH), with an owner that closes the handle.
#pragma once

#include <memory>

#include "bsd_types.h"  // from the platform side's folder: the BSD types db_185.h expects

extern "C" {
#include <db_185.h>
}

namespace corvisant {

struct DbCloser {
  void operator()(DB* db) const {
    if (db != nullptr) db->close(db);
  }
};

using DbHandle = std::unique_ptr<DB, DbCloser>;

}  // namespace corvisant
