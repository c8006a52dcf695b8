#pragma once

#include <QImage>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/mpv/mpv_engine.h"
#include "support/event_wait.h"
#include "support/sound_levels.h"

namespace qm::test {

// The shared waits and sound levels of the live tests.
using live::channelRmsDb;
using live::pumpFor;
// Waits up to 15 s unless told otherwise.
inline bool pumpUntil(const std::function<bool()>& done, int timeoutMs = 15000) {
  return live::pumpUntil(done, timeoutMs);
}

// Every play state an engine raised, in order, and whether all were raised
// on the user-interface thread.
class StateLog {
 public:
  explicit StateLog(MediaEngine& engine);
  const std::vector<int>& states() const { return data_->states; }
  bool offThread() const { return data_->offThread; }
  bool saw(int state) const;
  int last() const { return states().empty() ? -1 : states().back(); }
  void clear() { data_->states.clear(); }

 private:
  struct Data {
    std::vector<int> states;
    bool offThread = false;
  };
  // Shared with the engine's handler, which may outlive the log.
  std::shared_ptr<Data> data_ = std::make_shared<Data>();
};

// Media made with ffmpeg in a folder of this test run, each on first use.
class Media {
 public:
  static Media& get();
  // 2 s, 160x120 test pattern with a stereo tone.
  const std::string& shortClip();
  // 20 s, key frames 5 s apart, so an inexact seek would land early.
  const std::string& longClip();
  // 2 s stereo tone, 440 Hz, 44.1 kHz.
  const std::string& stereoTone();
  // 4 s stereo tone, for changes made while it plays.
  const std::string& longStereoTone();
  // 2 s mono tone.
  const std::string& monoTone();
  // 2 s of 5.1 sound with the tone in the centre channel only.
  const std::string& centreOnlySurround();
  const std::string& stillPicture();
  // A GIF of five frames, 0.5 s in all.
  const std::string& animatedPicture();
  // Bytes that no demuxer takes for media.
  const std::string& corruptFile();
  const std::string& dir() const { return dir_; }

 private:
  Media();
  const std::string& make(const std::string& name, const std::vector<std::string>& ffmpegArgs);
  std::string dir_;
  std::map<std::string, std::string> made_;  // name to path; references stay valid
};

// Whether a clearly visible share of the picture is not black.
double nonBlackShare(const QImage& image);

}  // namespace qm::test
