#include "shell/about_box.h"

#include "program_version.h"
#include "shell/registry_values.h"

namespace qm {

namespace {

constexpr const char* kTitle = "Quilmora";
constexpr const char* kDescription =
    "Quilmora是一款多功能影音播放器,它能播放图片,音乐,Flash,Flv影片等绝大多数多煤体影音文件,并在不断的扩展中!"
    "而且能实现单曲循环播放,随机循环播放等功能!解决了人们对循环播放的要求...在使用中有什么问题和咨询,"
    "请您和我们联系!\n电子邮件: support@quilmora.net  网站: www.quilmora.net";
constexpr const char* kDisclaimer = "本软件受版权法保护。未经许可,不得复制、修改或分发本软件的全部或部分内容。";
constexpr const char* kNotAvailable = "此时系统信息不可用";

}  // namespace

void loadAboutBox(PlayerContext& p) {
  AboutForm& a = p.frmAbout;
  p.windows.setTopmost(a);
  a.setCaption(std::string("关于 ") + kTitle);
  a.lblTitle.setCaption(kTitle);
  a.lblVersion.setCaption("版本 " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
                          std::to_string(kVersionPatch));
  a.lblDescription.setCaption(kDescription);
  a.lblDisclaimer.setCaption(kDisclaimer);
}

void startSystemInformation(PlayerContext& p) {
  std::string tool;
  std::string folder;
  if (getKeyValue(p.registry, RegistryRoot::LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", tool)) {
  } else if (getKeyValue(p.registry, RegistryRoot::LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO",
                         folder) &&
             p.files.isFile(joinPath(folder, "MSINFO32.EXE"))) {
    tool = joinPath(folder, "MSINFO32.EXE");
  }
  if (tool.empty() || !p.launcher.startProgram(tool)) p.windows.messageBox(kNotAvailable);
}

}  // namespace qm
