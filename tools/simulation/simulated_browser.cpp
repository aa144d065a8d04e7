#include "tools/simulation/simulated_browser.h"

#include "platform/ports.h"
#include "standin/core/dde_text.h"

namespace corvisant::simulation {
namespace {

// What a transaction costs the simulated clock, so that a run of them moves it as a real one.
constexpr unsigned kTransactionMs = 10;

}  // namespace

SimulatedBrowser::SimulatedBrowser(const standin::Options& options, SimulatedClock& clock)
    : clock_(clock), browser_(options, *this) {
  browser_.Start();
}

DdeReply SimulatedBrowser::Transact(std::string_view service, std::string_view topic,
                                    std::string_view item, unsigned type, unsigned) {
  PrintTrace("->", topic, item);
  clock_.Advance(kTransactionMs);
  if (service != dde::kBrowserService || !browser_.AcceptsTopic(topic) || browser_.muted()) {
    return std::nullopt;
  }
  if (openObserver_ && type == dde::kRequest && topic == dde::kOpenUrlTopic) {
    std::optional<standin::OpenUrlRequest> open = standin::ParseOpenUrl(item);
    if (open && !open->is_save()) openObserver_(open->url);
  }
  DdeReply reply;
  if (type == dde::kPoke) {
    if (browser_.Poke(topic, item)) reply = std::string();
  } else {
    reply = browser_.Request(topic, item);
  }
  browser_.RunDue();
  return reply;
}

bool SimulatedBrowser::Poke(const std::string& service, const std::string& topic,
                            const std::string& item) {
  if (service != dde::kOwnService || server_ == nullptr) return false;
  PrintTrace("<- echo", "", item);
  server_->AnswerServer(dde::kPoke, topic, item);
  return true;
}

standin::LocalFile SimulatedBrowser::ReadFile(const std::string& path) {
  standin::LocalFile file;
  Files& files = *Current<Files>();
  switch (files.Kind(path)) {
    case PathKind::kMissing:
      return file;
    case PathKind::kDirectory:
      file.kind = standin::LocalFile::Kind::kDirectory;
      return file;
    case PathKind::kFile:
      break;
  }
  StreamPtr stream = files.Open(path, "rb");
  if (stream == nullptr) return file;
  std::int64_t size = stream->Size();
  file.bytes.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
  file.bytes.resize(stream->Read(file.bytes.data(), file.bytes.size()));
  file.kind = standin::LocalFile::Kind::kFile;
  return file;
}

bool SimulatedBrowser::WriteFile(const std::string& path, const std::string& bytes) {
  StreamPtr stream = Current<Files>()->Open(path, "wb");
  return stream != nullptr && stream->WriteText(bytes) && stream->Close();
}

void SimulatedBrowser::PrintTrace(const char* arrow, std::string_view topic,
                                  std::string_view item) {
  if (trace_ == nullptr) return;
  std::fprintf(trace_, "%s %.*s%s%.*s\n", arrow, static_cast<int>(topic.size()), topic.data(),
               topic.empty() ? "" : " ", static_cast<int>(item.size()), item.data());
}

}  // namespace corvisant::simulation
