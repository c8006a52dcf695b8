#pragma once

#include <cstddef>
#include <string>

namespace qm::files {

enum class ReadStatus { Read, Missing, Failed };

// Reads a whole regular file of at most `sizeLimit` bytes. Missing when
// nothing is there; Failed for anything unreadable, too large or not a
// regular file (a pipe is never opened for reading, so it cannot block).
ReadStatus readRegularFile(const std::string& path, std::size_t sizeLimit, std::string& content);

// Replaces the file's content as one step: the new text goes to a temporary
// file beside it, reaches the disk, then takes the file's name. A crash
// leaves either the old or the new file, never a mix. An existing file keeps
// its permissions; a link is followed and its target replaced.
bool replaceFileAtomically(const std::string& path, const std::string& content);

// Copies `from` to the free name `to` the same way: a copy cut short (a full
// disk) leaves nothing under either name, and a file already at `to` stays.
bool copyFileAtomically(const std::string& from, const std::string& to);

}  // namespace qm::files
