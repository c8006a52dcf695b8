#pragma once

namespace qm {

// The file types the association dialog offers, in the order the dialog
// reads, applies and stores them (Check1 first). Exactly one extension is
// registered per type, even where the description names more.
struct AssociationType {
  const char* box;             // its check box
  const char* caption;         // the box's caption
  const char* extensionKey;    // the extension's key in the class registry
  const char* classKey;        // the key that carries the commands, as written
  const char* extensionValue;  // the extension key's default value
  const char* flagKey;         // its flag in the flag file
  const char* description;     // shown when the box is clicked
  int column;                  // 0 left, 1 right
  int row;                     // from the top of its column
};

// clang-format off
inline constexpr AssociationType kAssociationTypes[] = {
    {"Check1",  "WINDOWS视频文件(AVI)",  ".avi",  "AVIFile",  "avifile",  "serialavi",  "说明: windows视频文件(AVI)格式 包括其扩展名为.AVI文件", 0, 0},
    {"Check2",  "WINDOWS视频文件(WMV)",  ".wmv",  "WMVFile",  "wmvfile",  "serialwmv",  "说明: windows视频文件(WMV)格式 包括其扩展名为.WMV文件", 0, 1},
    {"Check3",  "电影文件(MPEG)",         ".mpeg", "mpegfile", "mpegfile", "serialmpeg", "说明: 电影文件(MPEG)格式 包括其扩展名为.MPEG.MPG.MPA  的文件", 0, 2},
    {"Check4",  "WINDOWS音频文件(WMA)",  ".wma",  "wmafile",  "wmafile",  "serialwma",  "说明: windows音频文件(WMA)格式 包括其扩展名为.WMA  .WAX的文件", 1, 0},
    {"Check5",  "WINDOWS音频文件(WAV)",  ".wav",  "wavfile",  "wavfile",  "serialwav",  "说明: windows音频文件(WAV)格式 包括其扩展名为.WAV文件", 1, 1},
    {"Check6",  "MP3音频文件(MP3)",       ".mp3",  "mp3file",  "mp3file",  "serialmp3",  "说明: MP3音频文件(MP3)格式 包括其扩展名为.MP3.M3U文件", 1, 2},
    {"Check7",  "MIDI音频文件(MIDI)",     ".MID",  "MIDFile",  "MIDFile",  "serialmidi", "说明: MIDI文件(MIDI)格式 包括其扩展名为.MIDI.MID文件", 1, 3},
    {"Check8",  "VCD播放文件(DAT)",       ".dat",  "datfile",  "datfile",  "serialdat",  "说明: VCD文件格式 包括其扩展名为.DAT文件", 0, 5},
    {"Check9",  "FLASH文件(SWF)",         ".swf",  "swffile",  "swffile",  "serialswf",  "说明: FLASH文件格式 包括其扩展名为.SWF文件", 1, 4},
    {"Check10", "FLASH VIDEO文件(FLV)",   ".flv",  "flvfile",  "flvfile",  "serialflv",  "说明: FLASH VIDEO文件格式 包括其扩展名为.FLV文件", 1, 5},
    {"Check11", "RMVB视频文件(RMVB)",     ".rmvb", "rmvbfile", "rmvbfile", "serialrmvb", "说明: RMVB视频文件(RMVB)格式 包括其扩展名为.RMVB文件", 0, 4},
    {"Check12", "RM(Real Media)格式 ",    ".rm",   "rmfile",   "rmfile",   "serialrm",   "说明: RM(Real Media)格式 包括其扩展名为.RM文件", 0, 3},
    {"Check13", "DVD播放文件(VOB)",       ".vob",  "vobFile",  "vobfile",  "serialvob",  "说明: DVD播放文件(VOB) 包括其扩展名为.VOB文件", 0, 6},
    {"Check14", "MP4视频文件(MP4)",       ".mp4",  "mp4File",  "mp4file",  "serialmp4",  "说明: MP4视频文件(MP4) 包括其扩展名为.MP4文件", 1, 6},
    {"Check15", "MKV视频文件(MKV)",       ".mkv",  "mkvFile",  "mkvfile",  "serialmkv",  "说明: MKV视频文件(MKV)格式 包括其扩展名为.MKV文件", 0, 7},
};
// clang-format on

}  // namespace qm
