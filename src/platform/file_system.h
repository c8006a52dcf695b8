#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "model/folder_reader.h"

namespace qm {

// Files and folders as the player works with them: the lists read folders
// through it, start-up and shutdown handle the player's own files with it,
// and settings files are read and written through it.
class FileSystem : public FolderReader {
 public:
  // Directory lookup of a path: the file name (without folder) when that
  // file exists, else empty. A trailing wildcard mask finds the first match.
  virtual std::string lookup(const std::string& path) = 0;
  virtual bool isFile(const std::string& path) = 0;
  virtual bool isFolder(const std::string& path) = 0;
  // Refuses to replace an existing file.
  virtual bool rename(const std::string& from, const std::string& to) = 0;
  virtual bool makeFolder(const std::string& path) = 0;

  struct Read {
    enum Status { Done, Missing, Failed } status;
    std::string content;
  };
  // A whole regular file of at most `sizeLimit` bytes. Missing when nothing
  // is there; Failed for anything unreadable, too large or not a plain file.
  virtual Read readFile(const std::string& path, std::size_t sizeLimit) = 0;
  // Replaces the file's content as one step: a crash leaves the old or the
  // new content, never a mix.
  virtual bool replaceFile(const std::string& path, const std::string& content) = 0;
  // What tells one version of a file from another: its size and when it was
  // last written. Nothing when the file cannot be looked at.
  struct Stamp {
    std::uintmax_t size = 0;
    std::int64_t written = 0;  // nanoseconds of the file system's clock
    bool operator==(const Stamp&) const = default;
  };
  virtual std::optional<Stamp> stamp(const std::string& path) {
    (void)path;
    return std::nullopt;
  }
};

}  // namespace qm
