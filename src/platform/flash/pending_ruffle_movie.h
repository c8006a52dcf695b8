#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/flash_engine.h"
#include "platform/swf/swf_file.h"

namespace qm {

// A movie for Ruffle while Ruffle is not yet started: its module and the web
// engine take the program's thread for a while as they start, which waits
// until the movie's first frame, drawn by the player, is on the screen. The
// movie answers as Ruffle answers a movie before its first frame (the frames
// its header states, no current frame, playing), and keeps the calls made
// meanwhile, to be made on Ruffle once it has the movie.
class PendingRuffleMovie : public FlashEngine {
 public:
  void hold(const std::string& path, swf::SwfFile file);
  void clear();
  bool holds() const { return !path_.empty(); }
  const swf::SwfFile& file() const { return file_; }
  // Makes the calls kept, in order, on `engine`, which has the movie now.
  void replayOn(FlashEngine& engine) const;

  bool setMovie(const std::string&) override { return false; }
  std::string movie() const override { return path_; }
  bool Play() override;
  bool StopPlay() override;
  bool Stop() override;
  bool GotoFrame(long frame) override;
  std::optional<long> TotalFrames() const override;
  std::optional<long> FrameNum() const override { return std::nullopt; }
  bool IsPlaying() const override { return holds(); }
  int ScaleMode() const override { return 0; }  // the chooser's own answers
  bool setScaleMode(int) override { return true; }
  bool SetVariable(const std::string& name, const std::string& value) override;
  std::optional<std::string> GetVariable(const std::string& name) const override;

 private:
  bool keep(std::function<void(FlashEngine&)> call);

  std::string path_;
  swf::SwfFile file_;
  std::vector<std::function<void(FlashEngine&)>> calls_;
  std::map<std::string, std::string> variables_;
};

}  // namespace qm
