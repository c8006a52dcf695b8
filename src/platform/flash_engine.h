#pragma once

#include <optional>
#include <string>

#include "model/event.h"

namespace qm {

// A Flash engine: holds one movie at a time, loaded from a file path, and
// plays its timeline. Calls that cannot be carried out (no movie loaded, a
// movie that cannot be loaded) return false or no value and change nothing.
class FlashEngine {
 public:
  virtual ~FlashEngine() = default;

  // Loads and starts the movie. A movie that cannot be loaded leaves the
  // engine empty and returns false.
  virtual bool setMovie(const std::string& path) = 0;
  virtual std::string movie() const = 0;
  // A hint that setMovie(path) may come later (the entry the list opens
  // next): an engine may ready what such a movie needs, without the movie.
  // An empty path: no movie is expected.
  virtual void expectMovie(const std::string& path) { (void)path; }

  virtual bool Play() = 0;
  virtual bool StopPlay() = 0;
  virtual bool Stop() = 0;
  virtual bool GotoFrame(long frame) = 0;
  virtual std::optional<long> TotalFrames() const = 0;
  // 0-based
  virtual std::optional<long> FrameNum() const = 0;
  virtual bool IsPlaying() const = 0;
  // 0 show all, 1 no border, 2 exact fit
  virtual int ScaleMode() const = 0;
  virtual bool setScaleMode(int mode) = 0;
  virtual bool SetVariable(const std::string& name, const std::string& value) = 0;
  virtual std::optional<std::string> GetVariable(const std::string& name) const = 0;

  // command, arguments
  Event<std::string, std::string> FSCommand;
};

}  // namespace qm
