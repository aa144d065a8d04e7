#include "navigation/visited_url_set.h"

#include <fcntl.h>

#include "platform/ports.h"
#include "url/page_store.h"

namespace corvisant {
namespace {

constexpr int kTablePermissions = 0600;
// What the table's get answers for a key it does not hold.
constexpr int kKeyAbsent = 1;

DBT Bytes(std::string_view bytes) {
  DBT thing;
  thing.data = const_cast<char*>(bytes.data());
  thing.size = bytes.size();
  return thing;
}

}  // namespace

VisitedUrlSet::VisitedUrlSet() : file_(NewTempFileName()) {
  table_.reset(dbopen(DbFilePath(file_).c_str(), O_RDWR | O_CREAT | O_TRUNC, kTablePermissions,
                      DB_HASH, nullptr));
}

VisitedUrlSet::~VisitedUrlSet() {
  bool made = table_ != nullptr;
  table_.reset();
  if (made) Current<Files>()->RemoveFile(file_);
}

bool VisitedUrlSet::Contains(std::string_view url) const {
  if (table_ == nullptr) return true;
  DBT key = Bytes(url);
  DBT data = Bytes(std::string_view());
  return table_->get(table_.get(), &key, &data, 0) != kKeyAbsent;
}

void VisitedUrlSet::Add(std::string_view url) {
  if (table_ == nullptr) return;
  DBT key = Bytes(url);
  DBT data = Bytes(std::string_view());
  table_->put(table_.get(), &key, &data, 0);
}

}  // namespace corvisant
