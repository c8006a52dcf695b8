#include "platform/flash/pending_ruffle_movie.h"

#include <algorithm>

namespace qm {

void PendingRuffleMovie::hold(const std::string& path, swf::SwfFile file) {
  clear();
  path_ = path;
  file_ = std::move(file);
}

void PendingRuffleMovie::clear() {
  path_.clear();
  file_ = swf::SwfFile{};
  calls_.clear();
  variables_.clear();
}

void PendingRuffleMovie::replayOn(FlashEngine& engine) const {
  for (const auto& call : calls_) call(engine);
}

bool PendingRuffleMovie::keep(std::function<void(FlashEngine&)> call) {
  if (!holds()) return false;
  calls_.push_back(std::move(call));
  return true;
}

bool PendingRuffleMovie::Play() {
  return keep([](FlashEngine& engine) { engine.Play(); });
}

bool PendingRuffleMovie::StopPlay() {
  return keep([](FlashEngine& engine) { engine.StopPlay(); });
}

bool PendingRuffleMovie::Stop() {
  return keep([](FlashEngine& engine) { engine.Stop(); });
}

bool PendingRuffleMovie::GotoFrame(long frame) {
  if (frame < 0 || frame >= TotalFrames().value_or(0)) return false;
  return keep([frame](FlashEngine& engine) { engine.GotoFrame(frame); });
}

std::optional<long> PendingRuffleMovie::TotalFrames() const {
  if (!holds()) return std::nullopt;
  return std::max<long>(1, file_.frameCount);
}

bool PendingRuffleMovie::SetVariable(const std::string& name, const std::string& value) {
  if (!keep([name, value](FlashEngine& engine) { engine.SetVariable(name, value); })) return false;
  variables_[name] = value;
  return true;
}

std::optional<std::string> PendingRuffleMovie::GetVariable(const std::string& name) const {
  const auto found = variables_.find(name);
  if (found == variables_.end()) return std::nullopt;
  return found->second;
}

}  // namespace qm
