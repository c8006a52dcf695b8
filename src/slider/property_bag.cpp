#include "slider/property_bag.h"

namespace qm {

void PropertyBag::write(const std::string& key, PropertyValue value) {
  for (auto& entry : entries_) {
    if (entry.first == key) {
      entry.second = std::move(value);
      return;
    }
  }
  entries_.emplace_back(key, std::move(value));
}

const PropertyValue* PropertyBag::find(const std::string& key) const {
  for (const auto& entry : entries_)
    if (entry.first == key) return &entry.second;
  return nullptr;
}

std::vector<std::string> PropertyBag::keys() const {
  std::vector<std::string> result;
  for (const auto& entry : entries_) result.push_back(entry.first);
  return result;
}

}  // namespace qm
