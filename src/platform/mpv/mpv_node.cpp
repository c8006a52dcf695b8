#include "platform/mpv/mpv_node.h"

#include <cstring>

namespace qm {

const mpv_node* fieldOf(const mpv_node& map, const char* key) {
  if (map.format != MPV_FORMAT_NODE_MAP || !map.u.list) return nullptr;
  for (int i = 0; i < map.u.list->num; ++i)
    if (std::strcmp(map.u.list->keys[i], key) == 0) return &map.u.list->values[i];
  return nullptr;
}

std::string stringOf(const mpv_node* node) {
  return node && node->format == MPV_FORMAT_STRING && node->u.string ? node->u.string : std::string();
}

std::int64_t integerOf(const mpv_node* node, std::int64_t otherwise) {
  return node && node->format == MPV_FORMAT_INT64 ? node->u.int64 : otherwise;
}

double numberOf(const mpv_node* node) {
  if (node && node->format == MPV_FORMAT_DOUBLE) return node->u.double_;
  return static_cast<double>(integerOf(node, 0));
}

}  // namespace qm
