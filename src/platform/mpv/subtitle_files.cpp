#include "platform/mpv/subtitle_files.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <set>

namespace qm {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kExtensions[] = {"srt", "ass", "ssa", "sub", "vtt"};
// Tags that mark a Chinese subtitle file.
constexpr std::string_view kChineseTags[] = {"zh", "chs",   "cht",   "chi",     "zho",     "chn", "sc",
                                             "tc", "zh-cn", "zh-tw", "zh-hans", "zh-hant", "gb",  "big5"};

// Characters common in Chinese text, simplified and traditional (as code
// points: they are data, not texts of the player): text read in the wrong one
// of two encodings turns into rare characters instead.
constexpr char32_t kCommonCharacters[] = {
    0x7684, 0x4E00, 0x662F, 0x4E0D, 0x4E86, 0x5728, 0x4EBA, 0x6709, 0x6211, 0x4ED6, 0x8FD9, 0x4E2A, 0x4EEC, 0x4E2D,
    0x6765, 0x4E0A, 0x5927, 0x4E3A, 0x548C, 0x56FD, 0x5730, 0x5230, 0x4EE5, 0x8BF4, 0x65F6, 0x8981, 0x5C31, 0x51FA,
    0x4F1A, 0x53EF, 0x4E5F, 0x4F60, 0x5BF9, 0x751F, 0x80FD, 0x800C, 0x5B50, 0x90A3, 0x5F97, 0x4E8E, 0x7740, 0x4E0B,
    0x81EA, 0x4E4B, 0x5E74, 0x8FC7, 0x53D1, 0x540E, 0x4F5C, 0x91CC, 0x7528, 0x9053, 0x884C, 0x6240, 0x7136, 0x5BB6,
    0x79CD, 0x4E8B, 0x6210, 0x65B9, 0x591A, 0x7ECF, 0x4E48, 0x53BB, 0x6CD5, 0x5B66, 0x5982, 0x90FD, 0x540C, 0x73B0,
    0x5F53, 0x6CA1, 0x52A8, 0x9762, 0x8D77, 0x770B, 0x5B9A, 0x5929, 0x5206, 0x8FD8, 0x8FDB, 0x597D, 0x5C0F, 0x90E8,
    0x5176, 0x4E9B, 0x4E3B, 0x6837, 0x7406, 0x5FC3, 0x5979, 0x672C, 0x524D, 0x5F00, 0x4F46, 0x56E0, 0x53EA, 0x4ECE,
    0x60F3, 0x5B9E, 0x65E5, 0x8005, 0x610F, 0x65E0, 0x529B, 0x5B83, 0x4E0E, 0x957F, 0x628A, 0x673A, 0x5341, 0x6C11,
    0x7B2C, 0x516C, 0x6B64, 0x5DF2, 0x5DE5, 0x4F7F, 0x60C5, 0x660E, 0x6027, 0x77E5, 0x5168, 0x4E09, 0x53C8, 0x5173,
    0x70B9, 0x6B63, 0x4E1A, 0x5916, 0x5C06, 0x4E24, 0x9AD8, 0x95F4, 0x7531, 0x95EE, 0x5F88, 0x6700, 0x91CD, 0x5E76,
    0x7269, 0x624B, 0x5E94, 0x5411, 0x5934, 0x6587, 0x4F53, 0x65B0, 0x5DF1, 0x8EAB, 0x679C, 0x52A0, 0x897F, 0x6708,
    0x8BDD, 0x5408, 0x56DE, 0x4EC0, 0x4E8C, 0x7B49, 0x4EA7, 0x6216, 0x7279, 0x4EE3, 0x5185, 0x4FE1, 0x8868, 0x5316,
    0x8001, 0x7ED9, 0x4E16, 0x4F4D, 0x6B21, 0x5EA6, 0x95E8, 0x4EFB, 0x5E38, 0x5148, 0x6D77, 0x901A, 0x6559, 0x513F,
    0x539F, 0x4E1C, 0x58F0, 0x63D0, 0x7ACB, 0x53CA, 0x6BD4, 0x5458, 0x89E3, 0x6C34, 0x540D, 0x771F, 0x8BBA, 0x5904,
    0x8D70, 0x4E49, 0x5404, 0x5165, 0x51E0, 0x53E3, 0x8BA4, 0x6761, 0x5E73, 0x7CFB, 0x6C14, 0x9898, 0x6D3B, 0x66F4,
    0x522B, 0x6253, 0x5973, 0x53D8, 0x56DB, 0x795E, 0x603B, 0x4F55, 0x7535, 0x6570, 0x5B89, 0x5C11, 0x62A5, 0x624D,
    0x7ED3, 0x53CD, 0x53D7, 0x76EE, 0x592A, 0x91CF, 0x518D, 0x611F, 0x5EFA, 0x52A1, 0x505A, 0x63A5, 0x5FC5, 0x573A,
    0x4EF6, 0x8BA1, 0x7BA1, 0x671F, 0x5E02, 0x76F4, 0x8D44, 0x547D, 0x5C71, 0x91D1, 0x6307, 0x8BB8, 0x7EDF, 0x533A,
    0x4FDD, 0x81F3, 0x961F, 0x5F62, 0x4FBF, 0x7A7A, 0x51B3, 0x6CBB, 0x5C55, 0x9A6C, 0x53F8, 0x4E94, 0x57FA, 0x773C,
    0x4E66, 0x975E, 0x5219, 0x542C, 0x767D, 0x5374, 0x754C, 0x8FBE, 0x5149, 0x653E, 0x5F3A, 0x5373, 0x50CF, 0x96BE,
    0x4E14, 0x6743, 0x601D, 0x738B, 0x8C61, 0x5B8C, 0x8BBE, 0x5F0F, 0x8272, 0x8DEF, 0x8BB0, 0x5357, 0x54C1, 0x4F4F,
    0x544A, 0x7C7B, 0x6C42, 0x636E, 0x7A0B, 0x5317, 0x8FB9, 0x6B7B, 0x5F20, 0x8BE5, 0x4EA4, 0x89C4, 0x4E07, 0x53D6,
    0x62C9, 0x671B, 0x89C9, 0x9886, 0x5171, 0x786E, 0x4F20, 0x5E08, 0x89C2, 0x6E05, 0x4ECA, 0x5207, 0x8BA9, 0x8BC6,
    0x5019, 0x5E26, 0x5BFC, 0x4E89, 0x8FD0, 0x7B11, 0x98DE, 0x98CE, 0x6B65, 0x6539, 0x6536, 0x6839, 0x5E72, 0x9020,
    0x8A00, 0x8054, 0x6301, 0x7EC4, 0x6BCF, 0x8F66, 0x4EB2, 0x6781, 0x670D, 0x5FEB, 0x529E, 0x5F80, 0x5143, 0x8BC1,
    0x8FD1, 0x5931, 0x8F6C, 0x592B, 0x4EE4, 0x51C6, 0x5E03, 0x59CB, 0x600E, 0x5462, 0x5B58, 0x672A, 0x8FDC, 0x53EB,
    0x5355, 0x5F71, 0x5177, 0x5B57, 0x7231, 0x51FB, 0x6D41, 0x5907, 0x8FDE, 0x8C03, 0x6DF1, 0x7B97, 0x8D28, 0x56E2,
    0x96C6, 0x767E, 0x9700, 0x4EF7, 0x82B1, 0x57CE, 0x7EA7, 0x6574, 0x79BB, 0x51B5, 0x8ACB, 0x9019, 0x500B, 0x5011,
    0x4F86, 0x70BA, 0x570B, 0x8AAA, 0x6642, 0x5C0D, 0x6703, 0x767C, 0x5F8C, 0x88E1, 0x904E, 0x8207, 0x958B, 0x6A5F,
    0x9577, 0x9084, 0x9032, 0x9EBC, 0x7D93, 0x73FE, 0x7576, 0x52D5, 0x9EDE, 0x7121, 0x5F9E, 0x5BE6, 0x7A2E, 0x5B78,
    0x554F, 0x5C07, 0x984C, 0x95DC, 0x96FB, 0x9AD4, 0x6578, 0x9593, 0x7FA9, 0x8B70, 0x7522, 0x61C9, 0x898B, 0x8A71,
    0x6A23, 0x8B8A, 0x7D66, 0x982D, 0x842C, 0x5C08, 0x66F8, 0x9580, 0x83EF, 0x8655, 0x8072, 0x8ECA, 0x6771, 0x98A8,
    0x8A9E, 0x8B93, 0x8A8D, 0x7E3D, 0x611B, 0x807D, 0x8A18, 0x8A31, 0x8A2D, 0x7D50, 0x54E1, 0x89AA, 0x904B, 0x5831,
    0x908A, 0x5834, 0x6E96, 0x78BA, 0x55CE, 0x6C92, 0x59B3, 0x8B1D, 0x88CF};

bool hasSubtitleExtension(std::string_view name, std::string_view& stem) {
  const auto dot = name.rfind('.');
  if (dot == std::string_view::npos) return false;
  std::string ext(name.substr(dot + 1));
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (std::find(std::begin(kExtensions), std::end(kExtensions), ext) == std::end(kExtensions)) return false;
  stem = name.substr(0, dot);
  return true;
}

std::string lowered(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// A language tag: a short run of letters, digits, '-' and '_'.
bool isLanguageTag(std::string_view tag) {
  if (tag.empty() || tag.size() > 12) return false;
  return std::all_of(tag.begin(), tag.end(),
                     [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_'; });
}

int rank(const SubtitleFile& file) {
  const std::string tag = lowered(file.language);
  if (std::find(std::begin(kChineseTags), std::end(kChineseTags), tag) != std::end(kChineseTags)) return 0;
  return tag.empty() ? 1 : 2;
}

bool validUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    int follow = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
    if (follow < 0 || (follow == 1 && c < 0xC2) || (follow == 3 && c > 0xF4)) return false;
    if (i + follow >= text.size() && follow > 0) return false;
    for (int k = 1; k <= follow; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += follow + 1;
  }
  return true;
}

// The text converted to UTF-8, or nothing when it is not valid in `from`
// (unless `skipInvalid`: bytes that are not are then left out).
std::optional<std::string> convert(std::string_view bytes, const char* from, bool skipInvalid = false) {
  iconv_t cd = iconv_open("UTF-8", from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(bytes.size() * 2 + 16, '\0');
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  std::size_t done = 0;
  bool ok = true;
  while (inLeft > 0) {
    char* to = out.data() + done;
    std::size_t outLeft = out.size() - done;
    const std::size_t result = iconv(cd, &in, &inLeft, &to, &outLeft);
    done = out.size() - outLeft;
    if (result != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) {
      out.resize(out.size() * 2);
    } else if (errno == EILSEQ && skipInvalid) {
      ++in;
      --inLeft;
    } else {
      ok = skipInvalid;  // a sequence cut short at the end is dropped
      break;
    }
  }
  iconv_close(cd);
  if (!ok) return std::nullopt;
  out.resize(done);
  return out;
}

std::size_t commonCharacters(const std::string& utf8) {
  static const std::set<char32_t> common(std::begin(kCommonCharacters), std::end(kCommonCharacters));
  std::size_t count = 0;
  for (std::size_t i = 0; i + 3 <= utf8.size(); ++i) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    if ((lead & 0xF0) != 0xE0) continue;
    const char32_t c = (char32_t(lead & 0x0F) << 12) | (char32_t(utf8[i + 1] & 0x3F) << 6) | char32_t(utf8[i + 2] & 0x3F);
    if (common.count(c)) {
      ++count;
      i += 2;
    }
  }
  return count;
}

}  // namespace

std::vector<SubtitleFile> subtitleFilesBeside(const std::string& videoPath) {
  std::vector<SubtitleFile> found;
  const fs::path video(videoPath);
  const std::string videoStem = video.stem().string();
  std::error_code ec;
  for (fs::directory_iterator entry(video.parent_path(), ec), end; !ec && entry != end; entry.increment(ec)) {
    const std::string name = entry->path().filename().string();
    std::string_view stem;
    // The cheap test first: a folder may hold a hundred thousand files.
    if (name.size() <= videoStem.size() || name.compare(0, videoStem.size(), videoStem) != 0) continue;
    if (!hasSubtitleExtension(name, stem)) continue;
    std::string_view rest = stem.substr(videoStem.size());
    if (!rest.empty() && (rest[0] != '.' || !isLanguageTag(rest.substr(1)))) continue;
    std::error_code typeError;
    if (!entry->is_regular_file(typeError)) continue;
    found.push_back({entry->path().string(), std::string(rest.empty() ? rest : rest.substr(1))});
  }
  std::sort(found.begin(), found.end(), [](const SubtitleFile& a, const SubtitleFile& b) {
    return rank(a) != rank(b) ? rank(a) < rank(b) : a.path < b.path;
  });
  return found;
}

std::optional<std::string> subtitleTextAsUtf8(std::string_view bytes) {
  if (bytes.size() >= 2) {
    const auto b0 = static_cast<unsigned char>(bytes[0]), b1 = static_cast<unsigned char>(bytes[1]);
    if (b0 == 0xFF && b1 == 0xFE) return convert(bytes.substr(2), "UTF-16LE");
    if (b0 == 0xFE && b1 == 0xFF) return convert(bytes.substr(2), "UTF-16BE");
  }
  if (validUtf8(bytes)) return std::nullopt;
  std::optional<std::string> gb = convert(bytes, "GB18030");
  std::optional<std::string> big5 = convert(bytes, "BIG5");
  if (big5 && (!gb || commonCharacters(*big5) > commonCharacters(*gb))) return big5;
  if (gb) return gb;
  // Not even GB18030 throughout: what reads as it, the rest left out.
  return convert(bytes, "GB18030", true);
}

}  // namespace qm
