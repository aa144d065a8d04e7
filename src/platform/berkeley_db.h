// Berkeley DB through its 1.85 interface (dbopen, DB_HASH), with an owner that closes the handle.
#pragma once

#include <memory>
#include <string>

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

// The name dbopen takes for a Windows-form path: Berkeley DB opens files itself, past the files
// port, so each platform side says how its C library names the file.
std::string DbFilePath(const std::string& windowsPath);

}  // namespace corvisant
