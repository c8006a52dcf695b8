#include "platform/mpv/midi_cache.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QStandardPaths>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace qm {

namespace fs = std::filesystem;

std::string defaultMidiCacheDir() {
  QString base;
  if (QCoreApplication::instance()) base = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
  if (base.isEmpty()) {
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    const char* home = std::getenv("HOME");
    if (xdg && *xdg)
      base = QString::fromUtf8(xdg) + "/quilmora";
    else if (home && *home)
      base = QString::fromUtf8(home) + "/.cache/quilmora";
    else
      base = QStringLiteral("/tmp/quilmora-cache");
  }
  return (base + "/midi").toStdString();
}

std::string midiCacheName(const std::string& midiPath, const std::string& soundFont) {
  std::error_code ec;
  fs::path source = fs::absolute(midiPath, ec);
  if (ec) return {};
  auto size = fs::file_size(source, ec);
  if (ec) return {};
  auto mtime = fs::last_write_time(source, ec);
  if (ec) return {};

  QCryptographicHash hash(QCryptographicHash::Sha1);
  auto add = [&hash](const std::string& s) {
    hash.addData(QByteArrayView(s.data(), static_cast<qsizetype>(s.size())));
    hash.addData(QByteArrayView("\0", 1));  // keeps "ab"+"c" apart from "a"+"bc"
  };
  add(source.string());
  add(std::to_string(size));
  add(std::to_string(mtime.time_since_epoch().count()));
  add(soundFont);
  return hash.result().toHex().toStdString() + ".wav";
}

void pruneMidiCache(const std::string& cacheDir, std::uintmax_t maxBytes, const std::string& keep) {
  struct Entry {
    fs::path path;
    std::uintmax_t size;
    fs::file_time_type time;
  };
  std::vector<Entry> entries;
  std::uintmax_t total = 0;
  std::error_code ec;
  for (const auto& item : fs::directory_iterator(cacheDir, ec)) {
    if (!item.is_regular_file(ec) || item.path().extension() != ".wav") continue;
    Entry e{item.path(), item.file_size(ec), item.last_write_time(ec)};
    if (ec) continue;
    total += e.size;
    entries.push_back(std::move(e));
  }
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.time < b.time; });
  const fs::path kept = keep.empty() ? fs::path() : fs::path(keep);
  for (const Entry& e : entries) {
    if (total <= maxBytes) break;
    if (!kept.empty() && fs::equivalent(e.path, kept, ec)) continue;
    if (fs::remove(e.path, ec)) total -= e.size;
  }
}

}  // namespace qm
