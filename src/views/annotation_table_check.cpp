#include "views/annotation_table_check.h"

#include <cstdint>
#include <vector>

namespace corvisant {
namespace {

// Every page starts with this header.
constexpr std::size_t kPageNumberAt = 8;
constexpr std::size_t kPreviousPageAt = 12;
constexpr std::size_t kNextPageAt = 16;
constexpr std::size_t kEntriesAt = 20;
// On a hash page the start of its items; on an overflow page the bytes it holds.
constexpr std::size_t kItemsStartAt = 22;
constexpr std::size_t kTypeAt = 25;
constexpr std::size_t kHeaderSize = 26;
constexpr std::size_t kIndexBytes = 2;  // each entry of a hash page's index

// The first page: the table's numbers.
constexpr std::size_t kMagicAt = 12;
constexpr std::size_t kVersionAt = 16;
constexpr std::size_t kPageSizeAt = 20;
constexpr std::size_t kEncryptionAt = 24;
constexpr std::size_t kMetaFlagsAt = 26;
constexpr std::size_t kFreeListAt = 28;
constexpr std::size_t kLastPageAt = 32;
constexpr std::size_t kPartitionsAt = 36;
constexpr std::size_t kHashFlagsAt = 48;
constexpr std::size_t kMaxBucketAt = 72;
constexpr std::size_t kHighMaskAt = 76;
constexpr std::size_t kLowMaskAt = 80;
constexpr std::size_t kSparesAt = 96;
constexpr std::size_t kSpares = 32;
constexpr std::uint32_t kHashMagic = 0x061561;
constexpr std::uint32_t kHashVersion = 9;
constexpr std::uint32_t kSmallestPage = 512;
constexpr std::uint32_t kLargestPage = 65536;

constexpr std::uint8_t kFreePage = 0;
constexpr std::uint8_t kOverflowPage = 7;
constexpr std::uint8_t kHashMetaPage = 8;
constexpr std::uint8_t kHashPage = 13;

// The items of a hash page: bytes on the page, or where a big one lies and how long it is.
constexpr std::uint8_t kKeyData = 1;
constexpr std::uint8_t kOffPage = 3;
constexpr std::size_t kOffPageSize = 12;
constexpr std::size_t kOffPageFirstAt = 4;
constexpr std::size_t kOffPageLengthAt = 8;
constexpr int kBitsPerByte = 8;
// The widths of the fields, in bytes.
constexpr std::size_t kWord = 4;
constexpr std::size_t kHalfWord = 2;
constexpr std::size_t kByte = 1;

class TablePages {
 public:
  explicit TablePages(std::string_view file) : file_(file) {}

  bool Whole() {
    if (!Numbers()) return false;
    for (std::uint32_t bucket = 0; bucket <= maxBucket_; ++bucket) {
      std::uint64_t page = bucket + Field(0, kSparesAt + kWord * Log2Ceiling(bucket + 1), kWord);
      if (page > last_ || !BucketChain(static_cast<std::uint32_t>(page))) return false;
    }
    if (!FreeList()) return false;
    // The pages no bucket, big item or free list holds are the buckets of later splits, not
    // yet written or made empty ahead: a split reads one as it comes into use.
    for (std::uint32_t page = 1; page <= last_; ++page) {
      if (!used_[page] && !Unwritten(page) && !EmptyHashPage(page)) return false;
    }
    return true;
  }

 private:
  static std::size_t Log2Ceiling(std::uint64_t n) {
    std::size_t log = 0;
    while ((std::uint64_t{1} << log) < n) ++log;
    return log;
  }

  std::uint32_t Field(std::uint64_t page, std::size_t at, std::size_t bytes) const {
    std::uint32_t value = 0;
    for (std::size_t i = bytes; i-- > 0;) {
      value = value << kBitsPerByte | static_cast<unsigned char>(file_[page * pageSize_ + at + i]);
    }
    return value;
  }
  std::uint8_t Type(std::uint32_t page) const {
    return static_cast<std::uint8_t>(file_[page * pageSize_ + kTypeAt]);
  }

  bool Numbers() {
    if (file_.size() < kSmallestPage) return false;
    pageSize_ = Field(0, kPageSizeAt, kWord);
    if (pageSize_ < kSmallestPage || pageSize_ > kLargestPage ||
        (pageSize_ & (pageSize_ - 1)) != 0 || file_.size() % pageSize_ != 0) {
      return false;
    }
    last_ = Field(0, kLastPageAt, kWord);
    maxBucket_ = Field(0, kMaxBucketAt, kWord);
    std::uint32_t high = Field(0, kHighMaskAt, kWord), low = Field(0, kLowMaskAt, kWord);
    if (Field(0, kMagicAt, kWord) != kHashMagic || Field(0, kVersionAt, kWord) != kHashVersion ||
        Type(0) != kHashMetaPage || Field(0, kPageNumberAt, kWord) != 0 ||
        Field(0, kEncryptionAt, kByte) != 0 || Field(0, kMetaFlagsAt, kByte) != 0 ||
        Field(0, kPartitionsAt, kWord) != 0 || Field(0, kHashFlagsAt, kWord) != 0 ||
        std::uint64_t{last_} + 1 != file_.size() / pageSize_ || maxBucket_ >= last_ ||
        high != 2 * std::uint64_t{low} + 1 || (high & (high + 1)) != 0 || low > maxBucket_ ||
        maxBucket_ > high || Log2Ceiling(std::uint64_t{maxBucket_} + 1) >= kSpares) {
      return false;
    }
    // The spares of doublings not yet begun are unset: a split takes their pages anew.
    for (std::size_t i = Log2Ceiling(std::uint64_t{maxBucket_} + 1) + 1; i < kSpares; ++i) {
      if (Field(0, kSparesAt + kWord * i, kWord) != 0) return false;
    }
    used_.assign(std::size_t{last_} + 1, false);
    used_[0] = true;
    return true;
  }

  // Takes page for one use, as the type given and linked back to previous.
  bool Claim(std::uint32_t page, std::uint8_t type, std::uint32_t previous) {
    if (page == 0 || page > last_ || used_[page]) return false;
    used_[page] = true;
    return Type(page) == type && Field(page, kPageNumberAt, kWord) == page &&
           Field(page, kPreviousPageAt, kWord) == previous;
  }

  bool Unwritten(std::uint32_t page) const {
    std::string_view bytes = file_.substr(std::size_t{page} * pageSize_, pageSize_);
    return bytes.find_first_not_of('\0') == std::string_view::npos;
  }

  bool EmptyHashPage(std::uint32_t page) const {
    return Type(page) == kHashPage && Field(page, kPageNumberAt, kWord) == page &&
           Field(page, kPreviousPageAt, kWord) == 0 && Field(page, kNextPageAt, kWord) == 0 &&
           Field(page, kEntriesAt, kHalfWord) == 0 &&
           Field(page, kItemsStartAt, kHalfWord) == pageSize_;
  }

  // A bucket's first page that was never written is all zeros, which Berkeley DB reads as an
  // empty hash page.
  bool BucketChain(std::uint32_t page) {
    if (page != 0 && page <= last_ && !used_[page] && Unwritten(page)) {
      used_[page] = true;
      return true;
    }
    for (std::uint32_t previous = 0; page != 0;
         previous = page, page = Field(page, kNextPageAt, kWord)) {
      if (!Claim(page, kHashPage, previous) || !Items(page)) return false;
    }
    return true;
  }

  // Each entry lies above the index and below the one before it; the free space ends where the
  // last one starts.
  bool Items(std::uint32_t page) {
    std::uint32_t entries = Field(page, kEntriesAt, kHalfWord);
    std::uint32_t itemsStart = Field(page, kItemsStartAt, kHalfWord);
    std::uint64_t indexEnd = kHeaderSize + std::uint64_t{kIndexBytes} * entries;
    if (entries % 2 != 0 || indexEnd > itemsStart || itemsStart > pageSize_) return false;
    std::uint32_t end = pageSize_;
    for (std::uint32_t i = 0; i < entries; ++i) {
      std::uint32_t at = Field(page, kHeaderSize + kIndexBytes * i, kHalfWord);
      if (at < itemsStart || at >= end || !Item(page, at, end - at)) return false;
      end = at;
    }
    return true;
  }

  bool Item(std::uint32_t page, std::uint32_t at, std::uint32_t size) {
    std::uint32_t type = Field(page, at, kByte);
    if (type == kKeyData) return true;
    return type == kOffPage && size == kOffPageSize &&
           OverflowChain(Field(page, at + kOffPageFirstAt, kWord),
                         Field(page, at + kOffPageLengthAt, kWord));
  }

  bool OverflowChain(std::uint32_t page, std::uint64_t length) {
    for (std::uint32_t previous = 0; page != 0;
         previous = page, page = Field(page, kNextPageAt, kWord)) {
      if (!Claim(page, kOverflowPage, previous)) return false;
      std::uint32_t held = Field(page, kItemsStartAt, kHalfWord);
      if (held == 0 || held > pageSize_ - kHeaderSize || held > length) return false;
      length -= held;
    }
    return length == 0;
  }

  bool FreeList() {
    for (std::uint32_t page = Field(0, kFreeListAt, kWord); page != 0;
         page = Field(page, kNextPageAt, kWord)) {
      if (!Claim(page, kFreePage, 0)) return false;
    }
    return true;
  }

  std::string_view file_;
  std::uint32_t pageSize_ = 0;
  std::uint32_t last_ = 0;
  std::uint32_t maxBucket_ = 0;
  std::vector<bool> used_;
};

}  // namespace

bool TablePagesAreWhole(std::string_view table) { return TablePages(table).Whole(); }

}  // namespace corvisant
