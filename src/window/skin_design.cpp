#include "window/skin_design.h"

#include "forms/form1.h"
#include "forms/form1_geometry.h"
#include "window/skin_store.h"

namespace qm {

namespace {

using namespace geometry;
// The volume bar's design width, and where that puts it at the design size.
constexpr Twips kVolumeWidth = 1200;
constexpr Twips kVolumeLeft = kDesignWidth - kVolumeWidth - kVolumeRightMargin;
constexpr Twips kGripSize = 240;
constexpr Colour kWhite = 0xFFFFFF;

struct Piece {
  const char* control;
  Twips left, top, width, height;
};

struct Tip {
  const char* control;
  const char* text;
};

struct Caption {
  const char* item;
  const char* text;
};

struct Art {
  const char* image;
  const char* picture;
};

// Places at the design size; the layout moves what follows the window's size.
const Piece kPieces[] = {
    {"Picture2", 0, 0, kDesignWidth, kTopBarHeight},
    {"Image33", 0, 0, kBarCapWidth, kTopBarHeight},
    {"Image38", kBarCapWidth - kBarCapOverlap, 0, kDesignWidth, kTopBarHeight},
    {"Image39", kDesignWidth - kBarCapWidth, 0, kBarCapWidth, kTopBarHeight},
    {"Label5", 420, 195, 1700, 270},
    {"Label3", 2400, 195, 600, 270},
    {"Label6", 3060, 195, 600, 270},
    {"Label7", 3720, 195, 600, 270},
    {"Label8", 4380, 195, 600, 270},
    {"Label9", 5040, 195, 600, 270},
    {"Image21", kDesignWidth - kSystemMenuFromRight, 165, 360, 330},
    {"Image17", kDesignWidth - kMinimiseFromRight, 165, 360, 330},
    {"Image16", kDesignWidth - kMaximiseFromRight, 165, 360, 330},
    {"Image19", kDesignWidth - kMaximiseFromRight, 165, 360, 330},
    {"Image18", kDesignWidth - kCloseFromRight, 165, 360, 330},
    {"Picture4", 0, kDesignHeight - kBottomBarRise, kDesignWidth, kBottomBarHeight},
    {"Image34", 0, 0, kBarCapWidth, kBottomBarHeight},
    {"Image41", kBarCapWidth - kBarCapOverlap, 0, kDesignWidth, kBottomBarHeight},
    {"Image40", kDesignWidth - kBarCapWidth, 0, kBarCapWidth, kBottomBarHeight},
    {"tVate1", kSeekBarLeft, geometry::kSeekBarTop, kDesignWidth - kSeekBarWidthMargin, 255},
    {"Image3", 300, 420, 420, 420},
    {"Image2", 300, 420, 420, 420},
    {"Image4", 780, 420, 420, 420},
    {"Image9", 1260, 420, 420, 420},
    {"Image6", 1740, 420, 420, 420},
    {"Image5", 1740, 420, 420, 420},
    {"Image8", 2220, 420, 420, 420},
    {"Image7", 2220, 420, 420, 420},
    {"Image20", 2700, 420, 420, 420},
    {"Image10", 3300, 450, 360, 360},
    {"Image42", 3900, 510, 330, 240},
    {"Image43", 4260, 510, 330, 240},
    {"Image44", 4620, 510, 330, 240},
    {"volume", kVolumeLeft, 510, kVolumeWidth, 180},
    {"Image37", kVolumeLeft - kVolumeIconGap, 450, 300, 300},
    {"Label2", kVolumeLeft - kVolumeIconGap - kTotalTimeGap, 480, 1300, 300},
    {"Label1", kVolumeLeft - kVolumeIconGap - kTotalTimeGap - kElapsedTimeGap, 480, 480, 300},
    {"Picture3", 0, kBorderTop, kBorderWidth, kDesignHeight - kBorderHeightMargin},
    {"Image35", 0, 0, kBorderWidth, kDesignHeight - kBorderHeightMargin},
    {"Picture5", kDesignWidth - kBorderWidth, kBorderTop, kBorderWidth, kDesignHeight - kBorderHeightMargin},
    {"Image36", 0, 0, kBorderWidth, kDesignHeight - kBorderHeightMargin},
    {"Picture7", kDesignWidth - kGripSize + kGripOverhang, kDesignHeight - kGripSize, kGripSize, kGripSize},
    {"Image32", 90, 210, 240, 240},
    {"Frame3", 6480, 7680, 255, 360},
    {"Frame4", 2400, 7560, 735, 480},
    {"Image11", 0, 120, 285, 255},
    {"WindowsMediaPlayer1", kDisplayLeft, kDisplayTop, kDesignWidth - kLaidOutWidthMargin,
     kDesignHeight - kDisplayHeightMargin},
    {"ShockwaveFlash1", kDisplayLeft, kDisplayTop, kDesignWidth - kLaidOutWidthMargin,
     kDesignHeight - kDisplayHeightMargin},
    {"WebBrowser1", kDisplayLeft, kWebTop, kDesignWidth - kLaidOutWidthMargin, kDesignHeight - kWebHeightMargin},
    {"Frame1", kDisplayLeft, kDisplayTop, kPanelWidth, kDesignHeight - kPanelHeightMargin},
    {"Option1", 120, 0, 495, 375},
    {"Option3", 720, 0, 495, 375},
    {"Option2", 1320, 0, 495, 375},
    {"Drive1", 0, 375, 1935, 300},
    {"Dir1", 0, 675, 1935, 1740},
    {"File1", 0, 2415, 1935, 3315},
};

const Tip kTips[] = {
    {"Image21", "系统菜单"}, {"Image17", "最小化"},   {"Image16", "最大化"},
    {"Image19", "还原"},     {"Image18", "关闭"},     {"Image3", "播放"},
    {"Image4", "暂停"},      {"Image9", "停止"},      {"Image20", "循环"},
    {"Image6", "向上"},      {"Image8", "向下"},      {"Image5", "向上"},
    {"Image7", "向下"},      {"Image2", "背景音乐"},  {"Image10", "全屏"},
    {"Image42", "左声道"},   {"Image43", "立体声"},   {"Image44", "右声道"},
    {"Image11", "还原"},
};

const Caption kMenu[] = {
    {"BUT0", "剧院模式   (&T)"},     {"BUT1", "全屏显示   (&F)"},
    {"BUT17", "延伸模式   (&I)"},    {"BUT8", "缩放比例"},
    {"BUT8A", "50%    (&5)"},        {"BUT8B", "100%   (&1)"},
    {"BUT8C", "150%   (&3)"},        {"BUT8D", "200%   (&2)"},
    {"BUT2", "原始大小   (&M)"},     {"BUT12", "循环播放   (&C)"},
    {"BUT4", "播放/暂停   (&P)"},    {"BUT5", "停止   (&S)"},
    {"BUT6", "快进   (&Q)"},         {"BUT7", "快退   (&Y)"},
    {"BUT14", "播放下一个文件   (&N)"}, {"BUT15", "播放上一个文件   (&B)"},
    {"BUT9", "音量调整"},            {"BUT9A", "增大音量   (&U)"},
    {"BUT9B", "减少音量   (&D)"},    {"BUT9C", "静音       (&O)"},
    {"BUT13", "左右声道"},           {"BUT13A", "左声道   (&L)"},
    {"BUT13B", "右声道   (&R)"},     {"BUT13C", "立体声   (&E)"},
    {"AudioTracks", "音轨"},         {"Subtitles", "字幕"},
    {"SubtitleFile", "加载字幕文件...   (&G)"}, {"SubtitlesOff", "关闭字幕   (&K)"},
    {"Speeds", "播放速度"},          {"Speed050", "0.5x"},
    {"Speed075", "0.75x"},           {"Speed100", "1x"},
    {"Speed125", "1.25x"},           {"Speed150", "1.5x"},
    {"Speed200", "2x"},              {"RememberPosition", "记住播放位置   (&W)"},
    {"Snapshot", "截图   (&J)"},
    {"BUT3", "退出程序   (&X)"},     {"BUT10", "帮助   (&H)"},
    {"BUT11", "关于Quilmora   (&A)"},
};

// The keys that do what an item does (the keyboard runs the same handlers).
const Caption kMenuKeys[] = {
    {"BUT1", "F"},     {"BUT2", "Esc"},  {"BUT4", "Space"},
    {"BUT14", "PgDn"}, {"BUT15", "PgUp"}, {"BUT9C", "M"},
    {"AudioTracks", "B"}, {"Subtitles", "V"}, {"Speeds", "[ ]"}, {"Snapshot", "S"},
};

const Art kArt[] = {
    {"Image1", "seek_strip"},       {"Image14", "volume_strip"},
    {"Image51", "slider_cursor"},   {"Image22", "minimize"},
    {"Image23", "minimize_hover"},  {"Image24", "close"},
    {"Image25", "close_hover"},     {"Image26", "maximize"},
    {"Image27", "maximize_hover"},  {"Image28", "restore"},
    {"Image29", "restore_hover"},   {"Image30", "sysmenu"},
    {"Image31", "sysmenu_hover"},   {"Image52", "play"},
    {"Image53", "play_hover"},      {"Image54", "pause"},
    {"Image55", "pause_hover"},     {"Image56", "up"},
    {"Image57", "up_hover"},        {"Image58", "down"},
    {"Image59", "down_hover"},      {"Image60", "loop"},
    {"Image61", "loop_hover"},      {"Image62", "stop"},
    {"Image63", "stop_hover"},      {"Image12", "fs_restore_hover"},
    {"Image13", "fs_restore"},      {"Image45", "channel_left_selected"},
    {"Image46", "channel_stereo_selected"}, {"Image47", "channel_right_selected"},
    {"Image48", "channel_left"},    {"Image49", "channel_stereo"},
    {"Image50", "channel_right"},   {"Image33", "top_left"},
    {"Image38", "top_middle"},      {"Image39", "top_right"},
    {"Image34", "bottom_left"},     {"Image41", "bottom_middle"},
    {"Image40", "bottom_right"},    {"Image35", "border_left"},
    {"Image36", "border_right"},    {"Image32", "logo"},
    {"Image2", "music"},            {"Image5", "picture_up"},
    {"Image7", "picture_down"},     {"Image10", "fullscreen"},
    {"Image37", "volume_icon"},
};

// The visible buttons start with the normal picture of their store.
const std::pair<const char*, const char*> kButtonPictures[] = {
    {"Image21", "Image30"}, {"Image17", "Image22"}, {"Image18", "Image24"},
    {"Image16", "Image26"}, {"Image19", "Image28"}, {"Image3", "Image52"},
    {"Image4", "Image54"},  {"Image6", "Image56"},  {"Image8", "Image58"},
    {"Image20", "Image60"}, {"Image9", "Image62"},  {"Image11", "Image13"},
    {"Image42", "Image48"}, {"Image43", "Image46"}, {"Image44", "Image50"},
};


}  // namespace

void applyDesign(Form1& f, SkinStore& skin) {
  f.setCaption("Quilmora");
  f.setWidth(kDesignWidth);
  f.setHeight(kDesignHeight);
  for (const Piece& p : kPieces) f.control(p.control).setGeometry(p.left, p.top, p.width, p.height);
  for (const Tip& t : kTips) f.control(t.control).setToolTip(t.text);
  for (const Caption& c : kMenu) f.control<MenuItem>(c.item).setCaption(c.text);
  for (const Caption& c : kMenuKeys) f.control<MenuItem>(c.item).setKeyText(c.text);
  for (const Art& a : kArt) f.control<Image>(a.image).setPicture(skin.picture(a.picture));
  for (const auto& [button, store] : kButtonPictures)
    f.control<Image>(button).setPicture(f.control<Image>(store).picture());

  // The stores only hold pictures.
  for (Image* store : {&f.Image1,  &f.Image14, &f.Image51, &f.Image22, &f.Image23, &f.Image24, &f.Image25,
                       &f.Image26, &f.Image27, &f.Image28, &f.Image29, &f.Image30, &f.Image31, &f.Image52,
                       &f.Image53, &f.Image54, &f.Image55, &f.Image56, &f.Image57, &f.Image58, &f.Image59,
                       &f.Image60, &f.Image61, &f.Image62, &f.Image63, &f.Image12, &f.Image13, &f.Image45,
                       &f.Image46, &f.Image47, &f.Image48, &f.Image49, &f.Image50})
    store->setVisible(false);

  f.Label5.setCaption("Quilmora");
  f.Label5.setForeColor(kWhite);
  const std::pair<Label*, const char*> tabs[] = {
      {&f.Label3, "播放"}, {&f.Label6, "列表"}, {&f.Label7, "浏览"}, {&f.Label8, "主页"}, {&f.Label9, "帮助"}};
  for (auto [label, text] : tabs) {
    label->setCaption(text);
    label->setForeColor(kWhite);
    label->setAlignment(2);
  }
  for (Label* time : {&f.Label1, &f.Label2}) time->setForeColor(0xDDDDDD);
  f.Label1.setAlignment(1);
  f.Frame1.setCaption("文件类型");
  f.Frame1.setBackColor(0x2B2B2B);
  f.Option1.setCaption("图片");
  f.Option2.setCaption("影片");
  f.Option3.setCaption("音乐");

  // Shown only in Flash full screen, and the panel opens on demand.
  f.Frame3.setVisible(false);
  f.Frame4.setVisible(false);
  f.Frame1.setVisible(false);
  f.Picture7.setPicture(skin.picture("grip"));
  f.Picture2.setBackColor(0x202020);
  f.Picture4.setBackColor(0x202020);
}

}  // namespace qm
