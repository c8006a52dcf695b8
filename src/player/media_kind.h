#pragma once

#include <string>

#include "model/media_types.h"

namespace qm {

class FileListBox;

// Extension of a list entry's name: the last piece after a dot; a name
// without a dot is its own extension; an empty name has none.
std::string entryExtension(const std::string& fileName);

// Kind of the entry selected in the list (media when nothing is selected).
MediaKind selectedKind(const FileListBox& list);

// The text of `fullPath` up to and including the last `splitter`; empty when
// it does not occur.
std::string GetPathFromFileName(const std::string& fullPath, const std::string& splitter);

// The text after the last dot of a path, unless a folder separator follows
// that dot; empty otherwise.
std::string GetExtension(const std::string& fileName);

}  // namespace qm
