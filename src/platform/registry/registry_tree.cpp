#include "platform/registry/registry_tree.h"

#include <QChar>
#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace qm::registry {

namespace {

constexpr std::array<std::string_view, 3> kRootNames = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE"};

// The length of the well-formed UTF-8 sequence at `at` (no overlong forms,
// no surrogates, nothing above U+10FFFF), or 0.
std::size_t utf8Sequence(std::string_view s, std::size_t at, char32_t& codePoint) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  unsigned char lead = byte(at);
  if (lead < 0x80) {
    codePoint = lead;
    return 1;
  }
  std::size_t length;
  char32_t minimum;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, minimum = 0x80, codePoint = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, minimum = 0x800, codePoint = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, minimum = 0x10000, codePoint = lead & 0x07;
  } else {
    return 0;
  }
  if (at + length > s.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    codePoint = (codePoint << 6) | (byte(at + i) & 0x3F);
  }
  if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return 0;
  return length;
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool mustEscape(unsigned char c) {
  return c < 0x20 || c == 0x7F || std::string_view("%[]\\=;#").find(static_cast<char>(c)) != std::string_view::npos;
}

void appendEscapedByte(std::string& out, unsigned char c) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += '%';
  out += kHex[c >> 4];
  out += kHex[c & 0xF];
}

std::string escape(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    char32_t c;
    std::size_t length = utf8Sequence(s, i, c);
    if (length == 0 || (length == 1 && mustEscape(static_cast<unsigned char>(s[i])))) {
      appendEscapedByte(out, static_cast<unsigned char>(s[i]));
      ++i;
    } else {
      out.append(s.substr(i, length));
      i += length;
    }
  }
  return out;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool unescape(std::string_view s, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '%') {
      out += s[i];
      continue;
    }
    if (i + 2 >= s.size()) return false;
    int high = hexDigit(s[i + 1]);
    int low = hexDigit(s[i + 2]);
    if (high < 0 || low < 0) return false;
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return true;
}

void formatValues(const KeyNode& node, std::string& out) {
  for (const StoredValue& v : node.values) {
    out += escape(v.name);
    if (v.type == RegistryValueType::Number32) {
      std::uint32_t number = 0;
      for (std::size_t i = 0; i < 4 && i < v.data.size(); ++i)
        number |= static_cast<std::uint32_t>(static_cast<unsigned char>(v.data[i])) << (8 * i);
      char digits[9];
      std::snprintf(digits, sizeof digits, "%08x", number);
      out += "=dword:";
      out += digits;
    } else {
      out += "=sz:";
      out += escape(v.data);
    }
    out += '\n';
  }
}

void formatKey(const KeyNode& node, const std::string& path, std::string& out) {
  out += '[' + path + "]\n";
  formatValues(node, out);
  for (const auto& [folded, child] : node.subkeys) formatKey(*child, path + '\\' + escape(child->name), out);
}

// "[ROOT\a\b]" as the key it names, created with its parents.
KeyNode* readKeyLine(std::string_view inside, RegistryTree& tree) {
  std::size_t end = std::min(inside.find('\\'), inside.size());
  auto root = std::find(kRootNames.begin(), kRootNames.end(), inside.substr(0, end));
  if (root == kRootNames.end()) return nullptr;
  std::vector<std::string> names;
  while (end < inside.size()) {
    std::size_t start = end + 1;
    end = std::min(inside.find('\\', start), inside.size());
    std::string name;
    if (!unescape(inside.substr(start, end - start), name) || name.empty() || name.find('\\') != std::string::npos)
      return nullptr;
    names.push_back(std::move(name));
    if (names.size() > kMaxKeyDepth) return nullptr;
  }
  KeyNode* node = &tree.root(static_cast<RegistryRoot>(root - kRootNames.begin()));
  for (const std::string& name : names) node = &node->subkeyOrNew(name);
  return node;
}

bool readValueLine(std::string_view line, KeyNode& key) {
  std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return false;
  std::string name;
  if (!unescape(line.substr(0, equals), name)) return false;
  std::string_view typed = line.substr(equals + 1);
  std::string data;
  if (typed.starts_with("sz:")) {
    if (!unescape(typed.substr(3), data)) return false;
    key.setValue(name, RegistryValueType::String, data);
    return true;
  }
  if (typed.starts_with("dword:") && typed.size() == 6 + 8) {
    std::uint32_t number = 0;
    for (char c : typed.substr(6)) {
      int digit = hexDigit(c);
      if (digit < 0) return false;
      number = number << 4 | static_cast<std::uint32_t>(digit);
    }
    for (int i = 0; i < 4; ++i) data += static_cast<char>((number >> (8 * i)) & 0xFF);
    key.setValue(name, RegistryValueType::Number32, data);
    return true;
  }
  return false;
}

}  // namespace

bool isValidUtf8(std::string_view text) {
  char32_t c;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t length = utf8Sequence(text, i, c);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::string foldName(std::string_view name) {
  std::string folded;
  folded.reserve(name.size());
  for (std::size_t i = 0; i < name.size();) {
    char32_t c;
    std::size_t length = utf8Sequence(name, i, c);
    if (length == 0) {
      // 0xFF never occurs in UTF-8, so a stray byte cannot meet a letter.
      folded += '\xFF';
      folded += name[i++];
      continue;
    }
    appendUtf8(folded, QChar::toCaseFolded(c));
    i += length;
  }
  return folded;
}

KeyNode* KeyNode::subkey(std::string_view name) const {
  auto it = subkeys.find(foldName(name));
  return it == subkeys.end() ? nullptr : it->second.get();
}

KeyNode& KeyNode::subkeyOrNew(std::string_view name) {
  std::unique_ptr<KeyNode>& slot = subkeys[foldName(name)];
  if (!slot) {
    slot = std::make_unique<KeyNode>();
    slot->name = std::string(name);
  }
  return *slot;
}

const StoredValue* KeyNode::value(std::string_view name) const {
  const std::string folded = foldName(name);
  for (const StoredValue& v : values)
    if (foldName(v.name) == folded) return &v;
  return nullptr;
}

void KeyNode::setValue(std::string_view name, RegistryValueType type, std::string_view data) {
  if (auto* existing = const_cast<StoredValue*>(value(name))) {
    existing->type = type;
    existing->data = std::string(data);
    return;
  }
  values.push_back({std::string(name), type, std::string(data)});
}

bool KeyNode::removeValue(std::string_view name) {
  const StoredValue* v = value(name);
  if (!v) return false;
  values.erase(values.begin() + (v - values.data()));
  return true;
}

KeyNode* RegistryTree::find(RegistryRoot r, const std::vector<std::string>& path) const {
  const KeyNode* node = &root(r);
  for (const std::string& name : path) {
    node = node->subkey(name);
    if (!node) return nullptr;
  }
  return const_cast<KeyNode*>(node);
}

std::string formatStore(const RegistryTree& tree) {
  std::string out = "; Quilmora registry 1\n";
  for (std::size_t r = 0; r < tree.roots.size(); ++r) {
    const KeyNode& root = tree.roots[r];
    if (!root.values.empty()) {
      out += "[" + std::string(kRootNames[r]) + "]\n";
      formatValues(root, out);
    }
    for (const auto& [folded, child] : root.subkeys)
      formatKey(*child, std::string(kRootNames[r]) + '\\' + escape(child->name), out);
  }
  return out;
}

bool parseStore(std::string_view text, RegistryTree& tree) {
  tree = RegistryTree();
  bool complete = true;
  KeyNode* key = nullptr;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      key = line.size() >= 2 && line.back() == ']' ? readKeyLine(line.substr(1, line.size() - 2), tree) : nullptr;
      if (!key) complete = false;
      continue;
    }
    if (!key || !readValueLine(line, *key)) complete = false;
  }
  return complete;
}

}  // namespace qm::registry
