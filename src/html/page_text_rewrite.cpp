#include "html/page_text_rewrite.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include "html/attributes.h"
#include "html/entities.h"
#include "html/html_text.h"
#include "html/local_references.h"
#include "html/tag_table.h"
#include "html/title_extraction.h"
#include "url/classify.h"
#include "url/store_names.h"
#include "url/url_parts.h"

namespace corvisant {
namespace {

constexpr std::string_view kBaseCommentOpen = "<!-- == <";
constexpr std::string_view kBaseCommentClose = "> == -->";
constexpr std::string_view kImageMapClick = "?11,9";
constexpr std::string_view kImageMapFlag = "ismap";
constexpr std::string_view kQuotedQuote = "&quot;";
constexpr std::string_view kQuotedAmpersand = "&amp;";
constexpr char kQuote = '"';
constexpr char kTagEnd = '>';
constexpr char kEntityStart = '&';

// How a rewritten attribute value is made and what it hands on.
enum class ValueKind {
  kLink,        // "a" and "area": normalised first, collected, image-map clicks
  kRefresh,     // the "url" part of a meta refresh: normalised first
  kPlain,       // written as a local reference only
  kQueueImage,  // a local reference whose target may be deferred as an image
};

// One attribute value as it stands in the page: its place in the page text and its text with
// the entities decoded.
struct StoredValue {
  std::size_t start = 0;
  std::size_t end = 0;
  bool quoted = false;
  std::string decoded;
};

// The value of attribute name inside text, which lies at offset in the page. Positions are read
// from the text as stored, so that exactly the stored value's bytes are replaced.
std::optional<StoredValue> FindStoredValue(std::string_view text, std::size_t offset,
                                           std::string_view name) {
  std::size_t valueOffset = 0;
  std::optional<std::string> raw = FindAttribute(text, std::string_view(), name, &valueOffset);
  if (!raw) return std::nullopt;
  StoredValue value;
  value.start = offset + valueOffset;
  value.end = value.start + raw->size();
  value.quoted = valueOffset > 0 && text[valueOffset - 1] == kQuote;
  value.decoded = std::move(*raw);
  if (value.decoded.find(kEntityStart) != std::string::npos) DecodeEntities(value.decoded);
  return value;
}

// The text written in place of a stored value: the stored bytes themselves when the reference
// did not change, so that nothing of the page changes needlessly; otherwise the reference, made
// so that it cannot end the value or the tag early, with every "&" written "&amp;": a browser
// decodes the value, and "&#46;" left in it (once a stripped byte stood inside it) would be a
// dot.
std::string FittedReference(const std::string& reference, const StoredValue& value,
                            std::string_view stored) {
  if (reference == value.decoded) return std::string(stored);
  // Unquoted, an empty reference would make the next word the value.
  bool needsQuotes = !value.quoted && (reference.empty() ||
                                       std::any_of(reference.begin(), reference.end(), [](char c) {
                                         return IsHtmlSpace(c) || c == kQuote || c == kTagEnd;
                                       }));
  std::string fitted;
  if (needsQuotes) fitted += kQuote;
  for (char c : reference) {
    if (c == kQuote && (value.quoted || needsQuotes)) {
      fitted += kQuotedQuote;
    } else if (c == kEntityStart) {
      fitted += kQuotedAmpersand;
    } else {
      fitted += c;
    }
  }
  if (needsQuotes) fitted += kQuote;
  return fitted;
}

// A scheme other than the web's, "ftp" and "file": MakeStoreRelativeLink leaves such links alone.
bool HasForeignScheme(std::string_view link) {
  std::string_view scheme = SchemeOf(link);
  return !scheme.empty() && !IsWebScheme(scheme) && !IsFtpScheme(scheme) && !IsFileScheme(scheme);
}

// An anchor encloses an image-map image when, before the next anchor token, the first image
// token's text holds "ismap" (A-Z folded).
bool EnclosesImageMap(const HtmlToken& anchor) {
  for (const HtmlToken* token = anchor.next.get(); token != nullptr; token = token->next.get()) {
    if (token->tagId == tag_id::kAnchor) return false;
    if (token->tagId != tag_id::kImage) continue;
    if (!token->startTagText) return false;
    std::string lowered = *token->startTagText;
    LowerCaseInPlace(lowered);
    return lowered.find(kImageMapFlag) != std::string::npos;
  }
  return false;
}

class PageTextRewriter {
 public:
  PageTextRewriter(const char* text, std::size_t length, const PageRewriteSettings& settings,
                   std::string* title, RewriteOutcome* outcome)
      : text_(text), length_(length), settings_(settings), title_(title), outcome_(outcome) {
    out_.reserve(length + length / 8);
  }

  std::string Run(const HtmlToken* tokens) {
    for (const HtmlToken* token = tokens; token != nullptr; token = token->next.get()) {
      if (token->tagId == tag_id::kTitle && TitleAfter(*token, title_)) {
        // The title's text gets no handling of its own; the token after it is handled as any
        // other, but never as a title. A tag right after a title tag is no title's text, and is
        // handled: a link is never left as the page had it because of where it stands.
        const HtmlToken* text = token->next.get();
        if (text->next == nullptr) break;
        token = text->next.get();
      }
      Handle(*token);
    }
    out_.append(text_ + written_, length_ - written_);
    return std::move(out_);
  }

 private:
  void Handle(const HtmlToken& token) {
    if (token.tagId == tag_id::kNoFrames) insideNoFrames_ = token.isEnd == 0;
    if (!token.startTagText) return;
    std::size_t offset = static_cast<std::size_t>(token.sourcePosition - text_);
    std::string_view stored = StoredTagText(offset);
    switch (token.tagId) {
      case tag_id::kAnchor:
      case tag_id::kArea:
        SpliceNamed(stored, offset, "href", ValueKind::kLink, &token);
        break;
      case tag_id::kBody:
        SpliceNamed(stored, offset, "background", ValueKind::kPlain, nullptr);
        break;
      case tag_id::kFrame:
        SpliceNamed(stored, offset, "src", ValueKind::kPlain, nullptr);
        ++outcome_->frameTags;
        break;
      case tag_id::kInput:
        SpliceNamed(stored, offset, "src", ValueKind::kQueueImage, nullptr);
        break;
      case tag_id::kImage:
        SpliceSources(stored, offset, ValueKind::kQueueImage);
        break;
      case tag_id::kEmbed:
        SpliceSources(stored, offset, ValueKind::kPlain);
        break;
      case tag_id::kMeta:
        SpliceRefresh(stored, offset);
        break;
      case tag_id::kBase:
        CommentOutBase(*token.startTagText, stored, offset);
        break;
      case tag_id::kVisit:
        if (settings_.followVisitTags) {
          outcome_->hasVisitTags = true;
          AddVisitTag(&outcome_->visits, *token.startTagText);
        }
        break;
      default:
        break;
    }
  }

  // The tag's text as stored, from after its "<" up to its ">".
  std::string_view StoredTagText(std::size_t offset) const {
    const char* start = text_ + offset;
    const char* end = std::strchr(start, kTagEnd);
    return std::string_view(start, end == nullptr ? std::strlen(start) : end - start);
  }

  void SpliceNamed(std::string_view stored, std::size_t offset, std::string_view name,
                   ValueKind kind, const HtmlToken* anchor) {
    if (std::optional<StoredValue> value = FindStoredValue(stored, offset, name)) {
      Splice(*value, kind, anchor);
    }
  }

  // "lowsrc" and "src", each when present, in the order in which they stand.
  void SpliceSources(std::string_view stored, std::size_t offset, ValueKind kind) {
    std::vector<StoredValue> values;
    for (std::string_view name : {"lowsrc", "src"}) {
      if (std::optional<StoredValue> value = FindStoredValue(stored, offset, name)) {
        values.push_back(std::move(*value));
      }
    }
    std::sort(values.begin(), values.end(),
              [](const StoredValue& a, const StoredValue& b) { return a.start < b.start; });
    for (const StoredValue& value : values) Splice(value, kind, nullptr);
  }

  // The "content" value is read as attributes of its own, so that the "url" in
  // "5; URL=next.html" is found; only that part of it is replaced.
  void SpliceRefresh(std::string_view stored, std::size_t offset) {
    std::optional<StoredValue> content = FindStoredValue(stored, offset, "content");
    if (!content) return;
    std::string_view storedContent(text_ + content->start, content->end - content->start);
    if (std::optional<StoredValue> url = FindStoredValue(storedContent, content->start, "url")) {
      url->quoted = content->quoted;
      Splice(*url, ValueKind::kRefresh, nullptr);
    }
  }

  void CommentOutBase(const std::string& tagText, std::string_view stored, std::size_t offset) {
    WriteUpTo(offset - 1);
    out_ += kBaseCommentOpen;
    out_ += stored;
    out_ += kBaseCommentClose;
    written_ = std::min(length_, offset + stored.size() + 1);
    std::size_t valueOffset = 0;
    if (std::optional<std::string> href =
            FindAttribute(tagText, std::string_view(), "href", &valueOffset)) {
      // A relative base is read against the page, as a browser reads it.
      std::string absolute;
      if (ResolveUrl(*href, settings_.pageUrl, &absolute)) {
        UnmapStoreChars(absolute);
        *href = std::move(absolute);
      }
      base_ = std::move(*href);
    }
  }

  void Splice(const StoredValue& value, ValueKind kind, const HtmlToken* anchor) {
    std::string link = value.decoded;
    if (kind == ValueKind::kLink) {
      if (IsNewsOrMailto(link)) return;
      if (anchor != nullptr && EnclosesImageMap(*anchor)) link += kImageMapClick;
      Collect(link);
    }
    // An empty value names the page itself, and a target of another scheme (https:,
    // javascript:, ...) has no local copy: both stay exactly as they stand. The scheme is the
    // one a browser reads, so that no "file:" link passes for another scheme's.
    link = BrowserReading(link);
    if (value.decoded.empty() || HasForeignScheme(link)) return;
    // The page is written front to back; a value behind what is written already stays.
    if (value.start < written_) return;
    if (kind == ValueKind::kLink || kind == ValueKind::kRefresh) {
      std::string normalised = NormaliseUrlForStore(link, nullptr, true);
      if (!normalised.empty()) link = std::move(normalised);
    }
    std::string resolved;
    std::string reference = MakeLocalReference(link, base_ ? &*base_ : nullptr, settings_.pageUrl,
                                               settings_.pageDepth, &resolved);
    WriteUpTo(value.start);
    out_ += FittedReference(reference, value,
                            std::string_view(text_ + value.start, value.end - value.start));
    written_ = value.end;
    if (kind == ValueKind::kQueueImage) MaybeDeferImage(resolved);
  }

  void Collect(const std::string& link) {
    std::string collected = link;
    if (base_) {
      std::string absolute;
      ResolveUrl(link, *base_, &absolute);
      if (!absolute.empty()) collected = std::move(absolute);
    }
    UnmapStoreChars(collected);
    outcome_->links.push_back(std::move(collected));
  }

  void MaybeDeferImage(const std::string& resolved) {
    if (!settings_.queueImages || insideNoFrames_ || !settings_.keepEveryDocument) return;
    RewriteOutcome::DeferredImage image;
    if (ImageLocalName(resolved, settings_.pageUrl, &image.imageUrl, &image.localName)) {
      outcome_->images.push_back(std::move(image));
    }
  }

  void WriteUpTo(std::size_t position) {
    if (position <= written_) return;
    out_.append(text_ + written_, position - written_);
    written_ = position;
  }

  const char* text_;
  std::size_t length_;
  const PageRewriteSettings& settings_;
  std::string* title_;
  RewriteOutcome* outcome_;
  std::string out_;
  std::size_t written_ = 0;
  std::optional<std::string> base_;
  bool insideNoFrames_ = false;
};

}  // namespace

std::string RewritePageText(const char* text, std::size_t length, const HtmlToken* tokens,
                            const PageRewriteSettings& settings, std::string* title,
                            RewriteOutcome* outcome) {
  return PageTextRewriter(text, length, settings, title, outcome).Run(tokens);
}

}  // namespace corvisant
