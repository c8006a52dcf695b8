#include "platform/fs/name_matching.h"

#include <QString>
#include <algorithm>
#include <utility>

namespace qm::files {

std::u32string foldCase(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toCaseFolded().toStdU32String();
}

bool equalIgnoringCase(std::string_view a, std::string_view b) { return foldCase(a) == foldCase(b); }

void sortIgnoringCase(std::vector<std::string>& names) {
  std::vector<std::pair<std::u32string, std::string>> keyed;
  keyed.reserve(names.size());
  for (std::string& name : names) keyed.emplace_back(foldCase(name), std::move(name));
  std::sort(keyed.begin(), keyed.end());
  for (std::size_t i = 0; i < keyed.size(); ++i) names[i] = std::move(keyed[i].second);
}

namespace {

bool matchesWildcards(std::u32string_view name, std::u32string_view mask) {
  // Greedy scan that remembers the last '*' and retries from there: linear
  // for the usual "*.ext" masks and never exponential.
  std::size_t n = 0, m = 0;
  std::size_t starMask = std::u32string_view::npos, starName = 0;
  while (n < name.size()) {
    // A star in the mask is a wildcard first, also against a star in the
    // name, so a name holding '*' or '?' matches like any other.
    if (m < mask.size() && mask[m] == U'*') {
      starMask = m++;
      starName = n;
    } else if (m < mask.size() && (mask[m] == U'?' || mask[m] == name[n])) {
      ++n;
      ++m;
    } else if (starMask != std::u32string_view::npos) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == U'*') ++m;
  return m == mask.size();
}

}  // namespace

bool matchesFoldedMask(std::u32string_view name, std::u32string_view mask) {
  if (matchesWildcards(name, mask)) return true;
  return mask.size() >= 2 && mask.ends_with(U".*") && matchesWildcards(name, mask.substr(0, mask.size() - 2));
}

MaskPattern::MaskPattern(std::string_view pattern) {
  std::size_t start = 0;
  while (start <= pattern.size()) {
    std::size_t end = pattern.find(';', start);
    if (end == std::string_view::npos) end = pattern.size();
    std::string_view mask = pattern.substr(start, end - start);
    while (!mask.empty() && (mask.front() == ' ' || mask.front() == '\t')) mask.remove_prefix(1);
    while (!mask.empty() && (mask.back() == ' ' || mask.back() == '\t')) mask.remove_suffix(1);
    if (!mask.empty()) masks_.push_back(foldCase(mask));
    start = end + 1;
  }
}

bool MaskPattern::matches(std::string_view name) const {
  if (masks_.empty()) return false;
  const std::u32string folded = foldCase(name);
  for (const std::u32string& mask : masks_)
    if (matchesFoldedMask(folded, mask)) return true;
  return false;
}

}  // namespace qm::files
