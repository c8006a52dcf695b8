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

// Characters common in Chinese text, simplified and traditional: text read in
// the wrong one of two encodings turns into rare characters instead.
constexpr std::string_view kCommonCharacters =
    "的一是不了在人有我他这个们中来上大为和国地到以说时要就出会可也你对生能而子那得于着下自之年过发后作里用道行所然家"
    "种事成方多经么去法学如都同现当没动面起看定天分还进好小部其些主样理心她本前开但因只从想实日者意无力它与长把机十民"
    "第公此已工使情明性知全三又关点正业外将两高间由问很最重并物手应向头文体新己身果加西月话合回什二等产或特代内信表化"
    "老给世位次度门任常先海通教儿原东声提立及比员解水名真论处走义各入几口认条平系气题活更别打女变四神总何电数安少报"
    "才结反受目太量再感建务做接必场件计管期市直资命山金指许统区保至队形便空决治展马司五基眼书非则听白却界达光放强即"
    "像难且权思王象完设式色路记南品住告类求据程北边死张该交规万取拉望觉领共确传师观清今切让识候带导争运笑飞风步改收"
    "根干造言联持组每车亲极服快办往元证近失转夫令准布始怎呢存未远叫单影具字爱击流备连调深算质团集百需价花城级整离况"
    "請這個們來為國說時對會發後裡過與開機長還進麼經現當動點無從實種學問將題關電體數間義議產應見話樣變給頭萬專書門華"
    "處聲們車東風語讓認總愛聽記許設結員親運報邊場準確嗎麼沒妳謝對這裏";

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
  static const std::set<std::string> common = [] {
    std::set<std::string> set;
    for (std::size_t i = 0; i + 3 <= kCommonCharacters.size(); i += 3) set.emplace(kCommonCharacters.substr(i, 3));
    return set;
  }();
  std::size_t count = 0;
  for (std::size_t i = 0; i + 3 <= utf8.size(); ++i)
    if ((static_cast<unsigned char>(utf8[i]) & 0xF0) == 0xE0 && common.count(utf8.substr(i, 3))) {
      ++count;
      i += 2;
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
