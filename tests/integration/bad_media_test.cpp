// A folder of files that cannot be played, or only just, on the real
// engines: the automatic advance moves over every one of them, lap after lap,
// without a crash or a hang, and the memory it takes does not keep growing.
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>

#include "integration/player_rig.h"
#include "model/media_types.h"
#include "support/event_wait.h"
#include "support/media_files.h"
#include "swf_writer/own_movies.h"

namespace qm::integration {
namespace {

using namespace live;
using Bytes = std::vector<std::uint8_t>;

Bytes readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

bool writeBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(out.flush());
}

void putBig32(Bytes& out, std::uint32_t v) {
  for (int shift : {24, 16, 8, 0}) out.push_back(std::uint8_t(v >> shift));
}

void putLittle(Bytes& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}

std::uint32_t crc32(const std::uint8_t* data, std::size_t size) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void pngChunk(Bytes& out, const char* type, const Bytes& body) {
  putBig32(out, std::uint32_t(body.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), body.begin(), body.end());
  putBig32(out, crc32(out.data() + start, out.size() - start));
}

// A well-formed PNG whose header claims 60000 x 60000 pixels (10 GB of
// picture) over a few bytes of image data.
Bytes hugePng() {
  Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  putBig32(header, 60000);
  putBig32(header, 60000);
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlace
  pngChunk(png, "IHDR", header);
  pngChunk(png, "IDAT", {0x78, 0x9C, 0x63, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01});
  pngChunk(png, "IEND", {});
  return png;
}

// A BMP claiming 60000 x 60000 pixels of 24 bits.
Bytes hugeBmp() {
  Bytes bmp = {'B', 'M'};
  putLittle(bmp, 0xFFFFFFF0u, 4);  // file size
  putLittle(bmp, 0, 4);
  putLittle(bmp, 54, 4);  // pixels' offset
  putLittle(bmp, 40, 4);  // info header size
  putLittle(bmp, 60000, 4);
  putLittle(bmp, 60000, 4);
  putLittle(bmp, 1, 2);   // planes
  putLittle(bmp, 24, 2);  // bits a pixel
  for (int i = 0; i < 6; ++i) putLittle(bmp, 0, 4);
  bmp.insert(bmp.end(), 64, 0x7F);
  return bmp;
}

// A GIF whose screen and image claim 65535 x 65535 pixels.
Bytes hugeGif() {
  Bytes gif = {'G', 'I', 'F', '8', '9', 'a'};
  putLittle(gif, 65535, 2);
  putLittle(gif, 65535, 2);
  gif.insert(gif.end(), {0x00, 0x00, 0x00, 0x2C});  // no palette, then an image
  putLittle(gif, 0, 4);
  putLittle(gif, 65535, 2);
  putLittle(gif, 65535, 2);
  gif.insert(gif.end(), {0x00, 0x08, 0x02, 0x4C, 0x01, 0x00, 0x3B});
  return gif;
}

// A Flash movie whose header claims 4 GB and a stage of 2^30 twips.
Bytes hugeSwf() {
  Bytes swf = {'F', 'W', 'S', 10};
  putLittle(swf, 0xFFFFFFFFu, 4);
  swf.insert(swf.end(), {0xF8, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
  swf.insert(swf.end(), {0x00, 0x0C, 0xFF, 0xFF, 0x40, 0x00, 0x00, 0x00});
  return swf;
}

// A MIDI file claiming 65535 tracks, the first 2 GB long.
Bytes hugeMidi() {
  Bytes midi = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0xFF, 0xFF, 0, 96, 'M', 'T', 'r', 'k'};
  putBig32(midi, 0x7FFFFFFFu);
  midi.insert(midi.end(), {0x00, 0x90, 0x3C, 0x64, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F, 0x80});
  return midi;
}

// What the process holds in memory, with the free pages at the top of the
// heaps handed back first.
long residentKb() {
  malloc_trim(0);
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}

struct Sources {
  Bytes clip, picture, movie, video, midi;
  const Bytes& of(MediaKind kind, const std::string& extension) const {
    if (extension == "mid" || extension == "midi") return midi;
    switch (kind) {
      case MediaKind::Picture:
        return picture;
      case MediaKind::FlashMovie:
        return movie;
      case MediaKind::FlashVideo:
        return video;
      default:
        return clip;
    }
  }
  // A playable file of another kind, for a name that lies about its kind.
  // (A picture under a media name is left out: it shows 5 s before it ends,
  // which would slow every lap; the engine's own tests cover it.)
  const Bytes& other(MediaKind kind) const {
    switch (kind) {
      case MediaKind::Picture:
        return clip;
      case MediaKind::FlashMovie:
        return video;
      case MediaKind::FlashVideo:
        return midi;
      default:
        return movie;
    }
  }
};

enum class Damage { Empty, Truncated, Noise, OtherKind };
constexpr Damage kDamages[] = {Damage::Empty, Damage::Truncated, Damage::Noise, Damage::OtherKind};
const char* const kDamageNames[] = {"empty", "cut", "noise", "other"};

bool writeDamaged(const std::string& path, Damage damage, const Bytes& own, const Bytes& other) {
  switch (damage) {
    case Damage::Empty:
      return writeBytes(path, {});
    case Damage::Truncated:
      return writeBytes(path, Bytes(own.begin(), own.begin() + std::ptrdiff_t(own.size() * 2 / 5)));
    case Damage::Noise:
      return !writeNoise(path, 16 * 1024).empty();
    case Damage::OtherKind:
      return writeBytes(path, other);
  }
  return false;
}

TEST(BadMedia, TheAdvanceMovesOverEveryBrokenFileAndMemoryStaysFlat) {
  // The engines start threads for every file, and glibc gives threads heaps
  // of their own, up to 16 here, each keeping its freed memory: with two,
  // what the process holds follows what it uses.
  mallopt(M_ARENA_MAX, 2);
  PlayerRig rig;
  const std::string scratch = rig.folder("sources");
  const std::string folder = rig.folder("broken");
  ASSERT_FALSE(makeTestClip(scratch + "/clip.mp4", 1).empty());
  ASSERT_FALSE(makeSolidPicture(scratch + "/picture.png", "red").empty());
  ASSERT_FALSE(ffmpegMake(scratch + "/video.flv", {"-f", "lavfi", "-i", "testsrc=duration=1:size=160x120:rate=25",
                                                   "-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p"})
                   .empty());
  ASSERT_FALSE(writeShortMidi(scratch + "/tune.mid").empty());
  const Sources sources{readBytes(scratch + "/clip.mp4"), readBytes(scratch + "/picture.png"),
                        swf_writer::countingMovie(), readBytes(scratch + "/video.flv"),
                        readBytes(scratch + "/tune.mid")};

  // Every extension the list shows gets one kind of damage in turn; the
  // Flash kinds, MIDI and PNG get every kind.
  int files = 0;
  std::size_t turn = 0;
  for (const MediaType& type : kMediaTypes) {
    const std::string ext = type.extension;
    const bool every = ext == "swf" || ext == "flv" || ext == "mid" || ext == "png";
    for (std::size_t d = 0; d < std::size(kDamages); ++d) {
      if (!every && d != turn % std::size(kDamages)) continue;
      const std::string path = folder + "/" + kDamageNames[d] + "." + ext;
      ASSERT_TRUE(writeDamaged(path, kDamages[d], sources.of(type.kind, ext), sources.other(type.kind))) << path;
      ++files;
    }
    ++turn;
  }
  for (const auto& [name, bytes] :
       {std::pair{"huge.png", hugePng()}, std::pair{"huge.bmp", hugeBmp()}, std::pair{"huge.gif", hugeGif()},
        std::pair{"huge.swf", hugeSwf()}, std::pair{"huge.mid", hugeMidi()}}) {
    ASSERT_TRUE(writeBytes(folder + "/" + name, bytes));
    ++files;
  }
  // One good clip among them shows the engine still plays after the rest.
  const std::string good = folder + "/zz good.mp4";
  ASSERT_TRUE(writeBytes(good, sources.clip));
  ++files;

  rig.rememberListFolder(folder);
  ASSERT_TRUE(rig.start());
  Form1& f = rig.form();
  f.File1.setPattern(allMediaPattern() + ";" + groupPattern(MediaGroup::Pictures));
  ASSERT_EQ(f.File1.listCount(), files);

  // The same ticks as the player's own, sooner: a picture would stay 7 s and
  // a Flash movie be watched only after 5 s.
  f.Timer1.setInterval(150);  // slide show
  f.Timer2.setInterval(200);  // Flash start delay
  f.Timer4.setInterval(100);  // end watch
  f.Timer7.setInterval(100);  // next after a Flash video

  auto opened = std::make_shared<int>(0);
  f.File1.Click.connect([opened] { ++*opened; });
  PlayLog log(rig.media());
  f.File1.setListIndex(0);

  // What the process holds goes up and down with the file that is open, so
  // each figure is the highest of one lap: the lap after step 50 and the lap
  // up to step 200.
  constexpr int kAdvances = 200;
  constexpr int kSettled = 50;
  long settledKb = 0, endKb = 0;
  while (*opened < kAdvances) {
    const int before = *opened;
    ASSERT_TRUE(pumpUntil([&] { return *opened > before; }, 30000))
        << "the advance stopped at " << f.File1.fileName() << " after " << before << " steps";
    if (*opened >= kSettled && *opened < kSettled + files) settledKb = std::max(settledKb, residentKb());
    if (*opened > kAdvances - files) endKb = std::max(endKb, residentKb());
  }
  ASSERT_GT(settledKb, 0);

  const auto played = log.urls();
  const long goodPlays = std::count(played.begin(), played.end(), good);
  EXPECT_GE(goodPlays, kAdvances / files - 1) << "the good clip stopped playing among the broken files";
  // Three laps later: a decoder, a picture or a movie kept for each file
  // would go past the bound.
  EXPECT_LT(endKb - settledKb, 24 * 1024) << "at most " << settledKb << " kB in the lap after step " << kSettled << ", "
                                          << endKb << " kB in the lap up to step " << kAdvances;
  std::printf("bad media: %d files, at most %ld kB in the lap after step %d, %ld kB in the lap up to step %d\n", files,
              settledKb, kSettled, endKb, kAdvances);
}

}  // namespace
}  // namespace qm::integration
