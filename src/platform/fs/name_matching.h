#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm::files {

// A name with its letter case folded (full Unicode folding), one code point
// per element, so that "É" and "é" compare equal and '?' takes one letter
// rather than one byte of it.
std::u32string foldCase(std::string_view utf8);

// Case-insensitive equality of two UTF-8 names.
bool equalIgnoringCase(std::string_view a, std::string_view b);

// Orders names ignoring case; names that differ only in case keep a fixed
// order by their bytes, so a listing never shuffles between reads.
void sortIgnoringCase(std::vector<std::string>& names);

// A ";"-separated list of wildcard masks, folded once and matched against
// many names.
class MaskPattern {
 public:
  explicit MaskPattern(std::string_view pattern);
  bool matches(std::string_view name) const;

 private:
  std::vector<std::u32string> masks_;
};

// Wildcard match of folded text: '*' takes any run, '?' one code point. A
// mask ending in ".*" also takes names without an extension, so "*.*" takes
// every name, dotted or not.
bool matchesFoldedMask(std::u32string_view name, std::u32string_view mask);

}  // namespace qm::files
