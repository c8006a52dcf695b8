#include "forms/side_forms.h"

#include "forms/file_types.h"

namespace qm {

namespace {

// The menu window's entries: 1815 by 225 twips, stacked from 60 twips down
// with a pitch of 240.
constexpr Twips kEntryWidth = 1815, kEntryHeight = 225, kEntryTop = 60, kEntryPitch = 240;
constexpr Colour kMenuGround = 0xF5F5F5;

// The association dialog: two columns of boxes inside the group.
constexpr Colour kDialogGround = 0xF0F0F0;
constexpr Twips kDialogWidth = 6300, kDialogHeight = 5700;
constexpr Twips kMargin = 240;
constexpr Twips kBoxLeft = 240, kColumnPitch = 2880, kBoxTop = 330, kRowPitch = 345;
constexpr Twips kBoxWidth = 2640, kBoxHeight = 300;
constexpr Twips kButtonWidth = 1200, kButtonHeight = 420;

}  // namespace

MenuWindowForm::MenuWindowForm() : Form("Form3") {
  setBackColor(kMenuGround);
  // clang-format off
  const char* captions[] = {" 使用说明 (&H)", " 影音提取器 (&R)", " 访问主页 (&V)", " 开机自运行 (&O)",
                            " 文件类型关联 (&D)", " 关于Quilmora (&A)", " 关闭视窗 (&E)"};
  // clang-format on
  int i = 0;
  for (Label* entry : entries()) {
    entry->setGeometry(0, kEntryTop + kEntryPitch * i, kEntryWidth, kEntryHeight);
    entry->setCaption(captions[i++]);
    entry->setBackStyle(1);
    entry->setBackColor(0xFFFFFF);
    entry->setForeColor(0x000000);
  }
  setGeometry(0, 0, kEntryWidth, kEntryTop + kEntryPitch * (i - 1) + kEntryHeight + kEntryTop);
}

AssociationForm::AssociationForm() : Form("Form4") {
  setFramed(true);
  setBackColor(kDialogGround);
  setCaption("文件类型关联");
  setGeometry(0, 0, kDialogWidth, kDialogHeight);
  const Twips inner = kDialogWidth - 2 * kMargin;

  Label1.setGeometry(kMargin, 180, inner, 300);
  Label1.setCaption("选择将Quilmora作为其默认播放机的文件类型");

  Frame1.setBorderStyle(1);
  Frame1.setBackColor(kDialogGround);
  Frame1.setCaption("文件类型");
  auto boxList = boxes();
  for (std::size_t i = 0; i < boxList.size(); ++i) {
    const AssociationType& type = kAssociationTypes[i];
    boxList[i]->setCaption(type.caption);
    boxList[i]->setGeometry(kBoxLeft + kColumnPitch * type.column, kBoxTop + kRowPitch * type.row, kBoxWidth,
                            kBoxHeight);
  }
  // The toggle closes the right column, which is one box shorter.
  const Twips toggleTop = kBoxTop + kRowPitch * 7;
  Command1.setGeometry(kBoxLeft + kColumnPitch, toggleTop, kButtonWidth, 375);
  Command1.setCaption("全不选");
  Frame1.setGeometry(kMargin, 600, inner, toggleTop + 375 + 180);

  Label2.setGeometry(kMargin, 4020, inner, 660);
  Label2.setWordWrap(true);
  Label2.setCaption("说明:");
  Label3.setGeometry(kMargin, 4740, 3600, 300);
  Label3.setCaption("点击此处进入网站下载解码器！");
  Label3.setForeColor(0xFF0000);  // blue, as links are

  Command2.setGeometry(kDialogWidth - kMargin - 2 * kButtonWidth - 180, 5100, kButtonWidth, kButtonHeight);
  Command2.setCaption("确 定");
  Command3.setGeometry(kDialogWidth - kMargin - kButtonWidth, 5100, kButtonWidth, kButtonHeight);
  Command3.setCaption("取 消");
}

AboutForm::AboutForm() : Form("frmAbout") {
  setFramed(true);
  setBackColor(kDialogGround);
  setGeometry(0, 0, 6900, 4800);
  Image1.setGeometry(240, 240, 720, 720);
  lblTitle.setGeometry(1200, 240, 5400, 360);
  lblTitle.setCaption("Quilmora");
  lblVersion.setGeometry(1200, 660, 5400, 300);
  lblDescription.setGeometry(1200, 1080, 5460, 1800);
  lblDescription.setWordWrap(true);
  Line1.setGeometry(240, 3000, 6420, 15);
  Line1.setBackColor(0x808080);
  lblDisclaimer.setGeometry(240, 3120, 4200, 1440);
  lblDisclaimer.setWordWrap(true);
  cmdOK.setGeometry(5160, 3240, 1500, 420);
  cmdOK.setCaption("确定");
  cmdSysInfo.setGeometry(5160, 3780, 1500, 420);
  cmdSysInfo.setCaption("系统信息(&S)...");
}

}  // namespace qm
