// Names as a disk may hold them, on the real file lists and engines: each
// file is listed and plays from the list; a folder that goes away while
// listed and a folder that cannot be read are refused and leave the lists
// as they were.
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <filesystem>

#include "integration/player_rig.h"
#include "support/event_wait.h"
#include "support/media_files.h"

namespace qm::integration {
namespace {

using namespace live;
namespace fs = std::filesystem;

// Root reads any folder whatever its mode. Without the two overrides in the
// calling thread (the one the lists read the disk in) a folder of mode 000
// is as unreadable to it as to anyone else; they come back at the end.
class WithoutFileAccessOverride {
 public:
  WithoutFileAccessOverride() {
    ok_ = syscall(SYS_capget, &header_, saved_) == 0;
    if (!ok_) return;
    __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
    reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    ok_ = syscall(SYS_capset, &header_, reduced) == 0;
  }
  ~WithoutFileAccessOverride() {
    if (ok_) syscall(SYS_capset, &header_, saved_);
  }
  bool ok() const { return ok_; }

 private:
  __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct saved_[2] = {};
  bool ok_ = false;
};

enum class Engine { Media, PlayerMovie };

struct OddName {
  const char* label;
  std::string name;
  Engine engine;
};

// The engine that plays the entry, once it has one.
MpvEngine* engineOf(PlayerRig& rig, Engine engine) {
  return engine == Engine::Media ? &rig.media() : rig.flash().playerMovie().media();
}

TEST(OddNames, FilesAreListedAndPlayedFoldersThatCannotBeReadAreRefused) {
  const std::vector<OddName> names = {
      {"line break", "two\nlines.mp4", Engine::Media},
      {"percent signs", "100% %20%2F%.mp4", Engine::Media},
      {"leading dashes", "--no-video=yes.mp4", Engine::Media},
      {"leading dash", "-.mp4", Engine::Media},
      {"255 bytes", std::string(251, 'n') + ".mp4", Engine::Media},
      {"255 bytes of Chinese",
       [] {
         std::string name;
         for (int i = 0; i < 83; ++i) name += "长";
         return name + ".mp4";
       }(),
       Engine::Media},
      {"MIDI through its stream", "-100% #1 ?a=b 'c' \"d\"\n曲.mid", Engine::Media},
      {"Flash video through the player movie", "--x% '视频'\n.flv", Engine::PlayerMovie},
  };
  PlayerRig rig;
  const std::string folder = rig.folder("names");
  const std::string scratch = rig.folder("sources");
  const std::string clip = makeTestClip(scratch + "/clip.mp4", 3);
  const std::string midi = writeShortMidi(scratch + "/tune.mid");
  const std::string flv = ffmpegMake(scratch + "/video.flv", {"-f", "lavfi", "-i", "testsrc=duration=3:size=160x120",
                                                              "-c:v", "libx264", "-pix_fmt", "yuv420p"});
  ASSERT_FALSE(clip.empty() || midi.empty() || flv.empty());
  for (const OddName& n : names) {
    const bool isMidi = n.name.ends_with(".mid");
    const std::string& source = n.engine == Engine::PlayerMovie ? flv : isMidi ? midi : clip;
    ASSERT_TRUE(fs::copy_file(source, fs::path(folder) / n.name)) << n.label;
  }
  rig.rememberListFolder(folder);
  ASSERT_TRUE(rig.start());
  Form1& f = rig.form();
  f.File1.setPattern("*.*");
  ASSERT_EQ(f.File1.listCount(), int(names.size()));

  for (const OddName& n : names) {
    SCOPED_TRACE(n.label);
    int index = -1;
    for (int i = 0; i < f.File1.listCount(); ++i)
      if (f.File1.list(i) == n.name) index = i;
    ASSERT_GE(index, 0) << "not listed";
    f.File1.setListIndex(index);
    const std::string path = folder + "/" + n.name;
    EXPECT_TRUE(pumpUntil(
        [&] {
          MpvEngine* engine = engineOf(rig, n.engine);
          return engine && engine->URL() == path && engine->playState() == play_state::Playing;
        },
        10000))
        << "not played";
  }

  // A sub-folder goes away while the folder list shows it: choosing it is
  // refused, and both lists stay on the folder they show.
  const std::string going = folder + "/going";
  ASSERT_TRUE(fs::create_directory(going));
  ASSERT_TRUE(f.Dir1.setPath(folder));
  ASSERT_EQ(f.Dir1.subFolders(), std::vector<std::string>{"going"});
  fs::remove(going);
  EXPECT_FALSE(f.Dir1.setPath(going));
  EXPECT_TRUE(f.Dir1.subFolders().empty());

  // The listed folder goes away: its entries fail and the list moves on
  // over them; read again, it shows nothing and nothing more opens.
  const std::string moved = scratch + "/moved";
  fs::rename(folder, moved);
  f.File1.setListIndex(0);
  EXPECT_TRUE(pumpUntil([&] { return f.File1.listIndex() == 1; }, 5000)) << "the advance did not move on";
  f.File1.refresh();
  EXPECT_EQ(f.File1.listCount(), 0);
  EXPECT_TRUE(pumpUntil([&] { return !f.Timer4.enabled() && !f.Timer7.enabled(); }, 5000));
  fs::rename(moved, folder);

  // A folder that cannot be read, even by root.
  const std::string locked = scratch + "/locked";
  ASSERT_TRUE(fs::create_directory(locked));
  fs::copy_file(clip, locked + "/inside.mp4");
  fs::permissions(locked, fs::perms::none);
  {
    WithoutFileAccessOverride reader;
    ASSERT_TRUE(reader.ok());
    std::error_code denied;
    ASSERT_FALSE(fs::is_directory(locked + "/.", denied)) << "the folder is still readable";
    EXPECT_FALSE(f.Dir1.setPath(locked));
    EXPECT_FALSE(f.File1.setPath(locked));
    EXPECT_EQ(f.Dir1.path(), fs::canonical(folder).string());
    EXPECT_EQ(f.File1.path(), folder);
  }
  fs::permissions(locked, fs::perms::owner_all);
}

}  // namespace
}  // namespace qm::integration
