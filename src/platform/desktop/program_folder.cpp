#include "platform/desktop/program_folder.h"

#include <QStandardPaths>
#include <filesystem>

#include "platform/fs/atomic_file.h"
#include "platform/fs/local_files.h"

namespace qm {

namespace {

// The files shipped beside the executable; the movies are stored under their
// dll names while no player runs.
const char* const kOwnFiles[] = {"0.dll", "power.dll", "music.wma", "Quilmora.chm", "dorl.chm", "home.html"};

}  // namespace

void copyOwnFiles(const std::string& executableFolder, const std::string& folder) {
  for (const char* name : kOwnFiles) {
    const std::string target = joinPath(folder, name);
    // A movie may be there under its running name after a crash.
    std::string running = target;
    if (running.size() > 4 && running.ends_with(".dll")) running.replace(running.size() - 3, 3, "swf");
    if (files::isFile(target) || files::isFile(running)) continue;
    // A copy cut short would stand for the whole file from then on.
    files::copyFileAtomically(joinPath(executableFolder, name), target);
  }
}

std::string chooseProgramFolder(const std::string& executableFolder) {
  const bool installed = files::isFile(joinPath(executableFolder, kInstalledMark));
  if (!installed && files::isWritableFolder(executableFolder)) return executableFolder;
  std::string data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString();
  if (data.empty()) return executableFolder;
  std::string folder = joinPath(data, "quilmora");
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  copyOwnFiles(executableFolder, folder);
  return files::isWritableFolder(folder) ? folder : executableFolder;
}

}  // namespace qm
