#include <gtest/gtest.h>

#include <filesystem>

#include "model/list_controls.h"
#include "platform/fs/local_files.h"
#include "platform/fs/mount_table.h"
#include "temp_folder.h"

namespace qm {
namespace {

using Names = std::vector<std::string>;

Names entries(const FileListBox& list) {
  Names names;
  for (int i = 0; i < list.listCount(); ++i) names.push_back(list.list(i));
  return names;
}

class FileListTest : public ::testing::Test {
 protected:
  FileListTest() {
    for (const char* name : {"b.avi", "A.mp3", "c.DAT", "skip.txt"}) writeFile(dir / name, "x");
    File1.Click.connect([this] { clicks.push_back(File1.listIndex()); });
  }
  TempFolder dir;
  LocalFileSystem disk;
  Form form{"Form1"};
  FileListBox File1{"File1", &form, disk};
  std::vector<int> clicks;
};

TEST_F(FileListTest, ShowsTheFolderThroughItsPattern) {
  File1.setPattern("*.avi;*.mp3;*.dat");
  ASSERT_TRUE(File1.setPath(dir.path() + "//"));
  EXPECT_EQ(File1.path(), dir.path());
  EXPECT_EQ(entries(File1), (Names{"A.mp3", "b.avi", "c.DAT"}));
  EXPECT_EQ(File1.list(3), "");
  EXPECT_EQ(File1.list(-1), "");
  File1.setPattern("*.MP3");
  EXPECT_EQ(entries(File1), (Names{"A.mp3"}));
}

TEST_F(FileListTest, PathIsAbsoluteAndPlain) {
  std::filesystem::create_directory(dir / "sub");
  ASSERT_TRUE(File1.setPath(dir / "sub/./../sub/"));
  EXPECT_EQ(File1.path(), dir / "sub");
  ASSERT_TRUE(File1.setPath("/"));
  EXPECT_EQ(File1.path(), "/");
}

TEST_F(FileListTest, MissingFolderIsRefusedAndTheListStays) {
  ASSERT_TRUE(File1.setPath(dir.path()));
  File1.setListIndex(1);
  clicks.clear();
  EXPECT_FALSE(File1.setPath(dir / "missing"));
  EXPECT_FALSE(File1.setPath("false"));
  EXPECT_FALSE(File1.setPath(""));
  EXPECT_FALSE(File1.setPath(dir / "b.avi"));
  EXPECT_EQ(File1.path(), dir.path());
  EXPECT_EQ(File1.listCount(), 4);
  EXPECT_EQ(File1.listIndex(), 1);
  EXPECT_TRUE(clicks.empty());
}

TEST_F(FileListTest, EveryAcceptedSelectionRaisesClickWithTheIndexAlreadySet) {
  ASSERT_TRUE(File1.setPath(dir.path()));
  EXPECT_TRUE(File1.setListIndex(2));
  EXPECT_TRUE(File1.setListIndex(2));
  EXPECT_TRUE(File1.setListIndex(-1));
  EXPECT_TRUE(File1.setListIndex(0));
  EXPECT_FALSE(File1.setListIndex(4));
  EXPECT_FALSE(File1.setListIndex(-2));
  EXPECT_EQ(clicks, (std::vector<int>{2, 2, -1, 0})) << "refused indexes raise nothing";
  EXPECT_EQ(File1.fileName(), "A.mp3");
}

TEST_F(FileListTest, RereadingClearsTheSelectionWithoutOpening) {
  ASSERT_TRUE(File1.setPath(dir.path()));
  File1.setListIndex(3);
  clicks.clear();
  writeFile(dir / "0.avi", "x");
  File1.refresh();
  EXPECT_EQ(File1.listIndex(), -1);
  EXPECT_EQ(File1.fileName(), "");
  EXPECT_EQ(File1.list(0), "0.avi");
  File1.setListIndex(0);
  File1.setPattern("*.avi");
  EXPECT_EQ(File1.listIndex(), -1);
  File1.setListIndex(0);
  File1.setPath(dir.path());
  EXPECT_EQ(File1.listIndex(), -1);
  EXPECT_EQ(clicks, (std::vector<int>{0, 0}));
}

// Selecting from inside Click, as a walk over the list does, nests cleanly.
TEST_F(FileListTest, SelectingFromInsideClickNests) {
  ASSERT_TRUE(File1.setPath(dir.path()));
  File1.Click.connect([this] {
    if (File1.listIndex() >= 0 && File1.listIndex() < File1.listCount() - 1) File1.setListIndex(File1.listIndex() + 1);
  });
  File1.setListIndex(0);
  EXPECT_EQ(clicks, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(File1.listIndex(), 3);
}

TEST(DirListTest, FollowsLinksAndRaisesChangeOnlyForANewFolder) {
  TempFolder dir;
  std::filesystem::create_directories(dir / "films/new");
  std::filesystem::create_directory_symlink(dir / "films", dir / "link");
  LocalFileSystem disk;
  Form form{"Form1"};
  DirListBox Dir1{"Dir1", &form, disk};
  int changes = 0;
  Dir1.Change.connect([&] { ++changes; });

  ASSERT_TRUE(Dir1.setPath(dir / "link/"));
  EXPECT_EQ(Dir1.path(), std::filesystem::canonical(dir / "films").string());
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(Dir1.setPath(dir / "films/new/.."));
  EXPECT_EQ(changes, 1) << "same folder, other spelling";
  EXPECT_FALSE(Dir1.setPath(dir / "missing"));
  EXPECT_FALSE(Dir1.setPath(""));
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(Dir1.setPath(dir / "films/new"));
  EXPECT_EQ(changes, 2);
}

TEST(DirListTest, SubFoldersAreSortedWithoutHiddenOnesOrFiles) {
  TempFolder dir;
  for (const char* name : {"b", "A", "c", ".cache"}) std::filesystem::create_directory(dir / name);
  writeFile(dir / "file", "x");
  LocalFileSystem disk;
  Form form{"Form1"};
  DirListBox Dir1{"Dir1", &form, disk};
  EXPECT_TRUE(Dir1.subFolders().empty());
  ASSERT_TRUE(Dir1.setPath(dir.path()));
  EXPECT_EQ(Dir1.subFolders(), (Names{"A", "b", "c"}));
}

TEST(DriveListTest, OffersTheRootFirstAndRaisesChangeOnAPick) {
  LocalFileSystem disk;
  Form form{"Form1"};
  DriveListBox Drive1{"Drive1", &form, disk};
  const Names drives = Drive1.drives();
  ASSERT_FALSE(drives.empty());
  EXPECT_EQ(drives.front(), "/");
  for (const std::string& drive : drives) EXPECT_TRUE(std::filesystem::is_directory(drive)) << drive;
  int changes = 0;
  Drive1.Change.connect([&] { ++changes; });
  Drive1.setDrive("/");
  EXPECT_EQ(changes, 0);
  Drive1.setDrive("/media/empty-card");
  EXPECT_EQ(Drive1.drive(), "/media/empty-card") << "an unreadable drive still shows as picked";
  EXPECT_EQ(changes, 1);
}

TEST(MountTableTest, KeepsRealFileSystemsOnFolders) {
  TempFolder dir;
  std::filesystem::create_directories(dir / "usb");
  std::filesystem::create_directories(dir / "my films");
  std::filesystem::create_directories(dir / "ram");
  writeFile(dir / "hosts", "");
  const std::string table =
      "overlay / overlay rw 0 0\n"
      "proc /proc proc rw 0 0\n"
      "sysfs /sys sysfs ro 0 0\n"
      "cgroup2 /sys/fs/cgroup cgroup2 ro 0 0\n"
      "tmpfs /run/user/1000 tmpfs rw 0 0\n"
      "/dev/sda2 /boot/efi vfat rw 0 0\n"
      "/dev/sdb1 " +
      (dir / "usb") +
      " vfat rw 0 0\n"
      "/dev/sdb1 " +
      (dir / "usb") +
      " vfat rw 0 0\n"
      "/dev/sdc1 " +
      dir.path() +
      "/my\\040films ext4 rw 0 0\n"
      "tmpfs " +
      (dir / "ram") +
      " tmpfs rw 0 0\n"
      "/dev/sda1 " +
      (dir / "hosts") +
      " ext4 rw 0 0\n"
      "garbage\n\n";
  EXPECT_EQ(files::browsableMountPoints(table), (Names{dir / "usb", dir / "my films"}));
}

}  // namespace
}  // namespace qm
