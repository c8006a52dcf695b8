#include <gtest/gtest.h>

#include <filesystem>

#include "registry_fixture.h"

namespace qm {
namespace {

using namespace std::literals;
using Store = RegistryTest;

TEST_F(Store, NamesAndBytesSurviveANewInstanceAndNamesIgnoreCase) {
  const std::vector<std::string> keyNames = {"[x]=%41;#c", "line\nbreak\r", "\xff\xfe",
                                             "\xfe\xff",   "影音Ünïcode",   "with/slash and blank "};
  const std::vector<std::string> data = {std::string("nul\0"sv), "\\[]\n\r\t=%", "\x80\xc3(", "", "影音"};
  auto first = newRegistry();
  for (const std::string& name : keyNames)
    for (std::size_t i = 0; i < data.size(); ++i)
      ASSERT_EQ(writeString(*first, kClasses, "Root\\" + name, name + std::to_string(i), data[i]), RegistryStatus::Ok);
  RegistryKey key;
  ASSERT_EQ(first->createKey(kMachine, "Numbers", key), RegistryStatus::Ok);
  ASSERT_EQ(first->setValue(key, "", RegistryValueType::Number32, std::string("\x2a\0\0\x80"sv)), RegistryStatus::Ok);
  EXPECT_EQ(first->setValue(key, "short", RegistryValueType::Number32, "ab"), RegistryStatus::InvalidArgument);

  auto second = newRegistry();
  for (const std::string& name : keyNames)
    for (std::size_t i = 0; i < data.size(); ++i)
      EXPECT_EQ(readString(*second, kClasses, "Root\\" + name, name + std::to_string(i)), data[i]);
  std::optional<RegistryValue> number = readValue(*second, kMachine, "numbers", "");
  ASSERT_TRUE(number);
  EXPECT_EQ(number->type, RegistryValueType::Number32);
  EXPECT_EQ(number->data, std::string("\x2a\0\0\x80"sv));

  // Letters match in any case, stray bytes only themselves.
  EXPECT_EQ(readString(*second, kClasses, "ROOT\\影音üNÏCODE", "影音ÜNÏCODE4"), "影音");
  EXPECT_EQ(readString(*second, kClasses, "root\\\xfe\xff",
                       "\xfe\xff"
                       "1"),
            data[1]);
  ASSERT_EQ(writeString(*second, kClasses, "Σίσυφος", "", "first"), RegistryStatus::Ok);
  ASSERT_EQ(writeString(*second, kClasses, "σίσυφοσ", "", "second"), RegistryStatus::Ok);
  EXPECT_EQ(readString(*newRegistry(), kClasses, "ΣΊΣΥΦΟΣ", ""), "second");
  const std::string text = readFile(storeFile());
  EXPECT_NE(text.find("Σίσυφος"), std::string::npos) << "the first spelling is kept";
  EXPECT_EQ(text.find("σίσυφοσ"), std::string::npos);
}

TEST_F(Store, InstancesSeeEachOthersWritesAndKeysBehaveAsTheSystemsDo) {
  auto a = newRegistry();
  auto b = newRegistry();
  ASSERT_EQ(writeString(*a, kClasses, "AVIFile\\shell\\open\\DropTarget", "Clsid", "x"), RegistryStatus::Ok);
  ASSERT_EQ(writeString(*b, kClasses, "mp3file\\DefaultIcon", "", "icon"), RegistryStatus::Ok);
  ASSERT_EQ(writeString(*a, kClasses, ".mp3", "", "mp3file"), RegistryStatus::Ok);
  EXPECT_EQ(readString(*a, kClasses, "MP3FILE\\defaulticon", ""), "icon") << "a saw b's write";
  EXPECT_EQ(readString(*b, kClasses, ".MP3", ""), "mp3file") << "a's write did not drop b's";

  EXPECT_EQ(a->deleteKey(kClasses, "AVIFile\\shell"), RegistryStatus::HasSubkeys);
  EXPECT_EQ(readString(*b, kClasses, "AVIFile\\shell\\open\\DropTarget", "clsid"), "x");
  RegistryKey held;
  ASSERT_EQ(b->openKey(kClasses, "avifile\\SHELL\\open\\droptarget", held), RegistryStatus::Ok);
  EXPECT_EQ(a->deleteKey(kClasses, "AVIFile\\shell\\open\\DropTarget"), RegistryStatus::Ok);
  EXPECT_EQ(b->setString(held, "", "late"), RegistryStatus::NotFound) << "a deleted key is not brought back";
  EXPECT_EQ(b->deleteKey(kClasses, "AVIFile\\shell\\open\\DropTarget"), RegistryStatus::NotFound);

  RegistryKey key;
  EXPECT_EQ(a->openKey(kClasses, "AVIFile\\shell\\play", key), RegistryStatus::NotFound);
  EXPECT_FALSE(key.isOpen());
  EXPECT_EQ(a->openKey(kClasses, "AVIFile\\\\shell", key), RegistryStatus::InvalidArgument);
  ASSERT_EQ(a->openKey(kClasses, "AVIFile", key), RegistryStatus::Ok);
  EXPECT_EQ(a->openKey(key, "SHELL\\Open", held), RegistryStatus::Ok) << "paths below an open key";
  EXPECT_EQ(a->closeKey(key), RegistryStatus::Ok);
  RegistryValue value;
  EXPECT_EQ(a->queryValue(key, "", value), RegistryStatus::InvalidArgument) << "a closed key";
}

TEST_F(Store, DialogWithOneTickedTypeLeavesExactlyItsKeys) {
  const std::string folder = home / "程序 folder";
  auto registry = newRegistry();
  // Left by earlier registrations: a drop target, another program's commands.
  ASSERT_EQ(writeString(*registry, kClasses, "AVIFile\\shell\\open\\DropTarget", "Clsid", "{x}"), RegistryStatus::Ok);
  ASSERT_EQ(writeString(*registry, kClasses, ".mp3", "", "mp3file"), RegistryStatus::Ok);
  for (const char* verb : {"open", "play"})
    ASSERT_EQ(writeString(*registry, kClasses, std::string("mp3file\\shell\\") + verb + "\\command", "", "other %1"),
              RegistryStatus::Ok);

  for (RegistryStatus status : applyFileTypes(*registry, folder, {".avi"})) EXPECT_EQ(status, RegistryStatus::Ok);

  auto reread = newRegistry();
  EXPECT_EQ(readString(*reread, kClasses, ".avi", ""), "avifile");
  for (const char* verb : {"open", "play"})
    EXPECT_EQ(readString(*reread, kClasses, std::string("AVIFile\\shell\\") + verb + "\\command", ""),
              commandText(folder));
  EXPECT_EQ(readString(*reread, kClasses, "AVIFile\\DefaultIcon", ""), folder + "/quilmora");
  RegistryKey key;
  EXPECT_EQ(reread->openKey(kClasses, "AVIFile\\shell\\open\\DropTarget", key), RegistryStatus::NotFound);
  for (const char* verb : {"open", "play"}) {
    const std::string path = std::string("mp3file\\shell\\") + verb + "\\command";
    EXPECT_EQ(reread->openKey(kClasses, path, key), RegistryStatus::Ok) << "the key stays";
    EXPECT_FALSE(readValue(*reread, kClasses, path, "")) << "the command goes";
  }
  EXPECT_EQ(readString(*reread, kClasses, ".mp3", ""), "mp3file");
  for (const FileType& type : kFileTypes) {
    if (type.extension == ".avi" || type.extension == ".mp3") continue;
    EXPECT_EQ(reread->openKey(kClasses, type.classKey, key), RegistryStatus::NotFound) << type.classKey;
    EXPECT_EQ(reread->openKey(kClasses, type.extension, key), RegistryStatus::NotFound) << type.extension;
  }
}

TEST_F(Store, DamagedFileReadsAsFarAsItGoesAndOnlyAWriteReplacesIt) {
  auto writer = newRegistry();
  ASSERT_EQ(writeString(*writer, kClasses, ".avi", "", "avifile"), RegistryStatus::Ok);
  ASSERT_EQ(writeString(*writer, kMachine, "Software\\Run", "Quilmora", "/opt/q/quilmora"), RegistryStatus::Ok);
  std::string damaged = readFile(storeFile());
  damaged.insert(damaged.size() / 2,
                 "\n\x01\xff[HKEY_NOWHERE\\x]\n=dword:zz\n%%%=sz:%4\n[HKEY_CLASSES_ROOT\\a\\\\b]\n");
  damaged += "[HKEY_CLASSES_ROOT";
  for (int i = 0; i < 100000; ++i) damaged += "\\k";
  damaged += "]\nx=sz:deep\n";
  writeFile(storeFile(), damaged);

  auto reader = newRegistry();
  EXPECT_EQ(readString(*reader, kClasses, ".avi", ""), "avifile");
  EXPECT_EQ(readString(*reader, kMachine, "software\\run", "quilmora"), "/opt/q/quilmora");
  RegistryKey key;
  EXPECT_EQ(reader->openKey(kClasses, "a", key), RegistryStatus::NotFound);
  EXPECT_EQ(reader->deleteKey(kClasses, "missing"), RegistryStatus::NotFound);
  EXPECT_EQ(readFile(storeFile()), damaged) << "reads and failed changes leave the file alone";

  ASSERT_EQ(writeString(*reader, kClasses, ".mkv", "", "mkvfile"), RegistryStatus::Ok);
  EXPECT_EQ(readFile(storeFile() + ".bad"), damaged) << "what was written over is kept aside";
  auto after = newRegistry();
  EXPECT_EQ(readString(*after, kClasses, ".avi", ""), "avifile");
  EXPECT_EQ(readString(*after, kClasses, ".mkv", ""), "mkvfile");

  writeFile(storeFile(), std::string("\0\xff\xfe garbage\n["sv));
  EXPECT_FALSE(readString(*newRegistry(), kClasses, ".avi", ""));

  // A store that cannot be read at all is never written over, and says so.
  std::filesystem::remove(storeFile());
  std::filesystem::create_directory(storeFile());
  auto blocked = newRegistry();
  EXPECT_EQ(writeString(*blocked, kClasses, ".avi", "", "avifile"), RegistryStatus::StoreFailed);
  EXPECT_TRUE(std::filesystem::is_directory(storeFile()));
}

TEST_F(Store, SystemInformationKeysNameTheInstalledTool) {
  const std::string tools = home / "bin";
  std::filesystem::create_directories(tools);
  ::setenv("PATH", tools.c_str(), 1);
  RegistryKey key;
  EXPECT_EQ(newRegistry()->openKey(kMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", key),
            RegistryStatus::NotFound);

  writeFile(tools + "/gnome-system-monitor", "#!/bin/sh\n");
  ::chmod((tools + "/gnome-system-monitor").c_str(), 0755);
  auto registry = newRegistry();
  EXPECT_EQ(readString(*registry, kMachine, "software\\microsoft\\shared tools\\msinfo", "Path"),
            tools + "/gnome-system-monitor");
  EXPECT_EQ(readString(*registry, kMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO"), tools);
  ASSERT_EQ(registry->openKey(kMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", key), RegistryStatus::Ok);
  EXPECT_EQ(registry->setString(key, "PATH", "/elsewhere"), RegistryStatus::AccessDenied);
  EXPECT_EQ(readString(*registry, kMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"),
            tools + "/gnome-system-monitor");
}

}  // namespace
}  // namespace qm
