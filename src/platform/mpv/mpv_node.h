#pragma once

#include <mpv/client.h>

#include <cstdint>
#include <string>

namespace qm {

// Reading libmpv's node trees (the answers of commands, the track list).

// The value under `key` of a map node; null when absent or not a map.
const mpv_node* fieldOf(const mpv_node& map, const char* key);
// A string node's text; empty for any other node or none.
std::string stringOf(const mpv_node* node);
inline std::string stringOf(const mpv_node& node) { return stringOf(&node); }
// An integer node's value; `otherwise` for any other node or none.
std::int64_t integerOf(const mpv_node* node, std::int64_t otherwise);
// A number node's value, integer or not; 0 for any other node or none.
double numberOf(const mpv_node* node);

}  // namespace qm
