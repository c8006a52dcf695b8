#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "model/control.h"

namespace qm {

// One saved value: a Boolean, a 16-bit or 32-bit integer, a colour, a text or
// a picture.
using PropertyValue = std::variant<bool, std::int16_t, std::int32_t, Colour, std::string, Picture>;

// The host's store of a control's saved state: keys in the order they were
// first written, each with one typed value.
class PropertyBag {
 public:
  using Entry = std::pair<std::string, PropertyValue>;

  // A key written again keeps its place and takes the new value.
  void write(const std::string& key, PropertyValue value);
  const PropertyValue* find(const std::string& key) const;
  // The value under `key` when it is there and of type T.
  template <class T>
  std::optional<T> read(const std::string& key) const {
    const PropertyValue* v = find(key);
    if (!v || !std::holds_alternative<T>(*v)) return std::nullopt;
    return std::get<T>(*v);
  }
  const std::vector<Entry>& entries() const { return entries_; }
  std::vector<std::string> keys() const;

 private:
  std::vector<Entry> entries_;
};

}  // namespace qm
