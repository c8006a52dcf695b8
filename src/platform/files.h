#pragma once

#include <string>
#include <vector>

namespace qm {

// The folder separator of paths on this system.
inline constexpr char kPathSeparator = '/';

namespace files {

// Whether `name` matches the wildcard mask ('*' any run, '?' one character),
// ignoring letter case.
bool matchesMask(const std::string& name, const std::string& mask);
// Whether `name` matches any of the ";"-separated masks of `pattern`.
bool matchesPattern(const std::string& name, const std::string& pattern);

// Directory lookup of a path: the file name (without folder) when that file
// exists, else empty. A trailing wildcard mask lists the first match.
std::string lookup(const std::string& path);

// Names of the plain files of `folder` that match `pattern`, sorted ignoring
// letter case. Hidden files (a leading dot) are left out.
std::vector<std::string> list(const std::string& folder, const std::string& pattern);

bool isFile(const std::string& path);
bool isFolder(const std::string& path);
// Refuses to replace an existing file.
bool rename(const std::string& from, const std::string& to);
bool makeFolder(const std::string& path);
bool isWritableFolder(const std::string& path);

// Joins a folder and a name with one separator.
std::string join(const std::string& folder, const std::string& name);

}  // namespace files
}  // namespace qm
