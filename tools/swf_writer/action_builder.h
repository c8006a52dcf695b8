#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qm::swf_writer {

// A list of AVM1 actions for a DoAction tag. Only the few actions our own
// movies use so far; each one is a line here, so adding more stays easy.
class ActionBuilder {
 public:
  ActionBuilder& push(const std::string& text);
  // Pops the value, then the name, and sets that variable of the timeline.
  ActionBuilder& setVariable();
  ActionBuilder& stop();
  ActionBuilder& play();

  // The actions followed by the end-of-actions byte.
  std::vector<uint8_t> bytes() const;

  // Shorthand for `name = value`.
  ActionBuilder& assign(const std::string& name, const std::string& value);

 private:
  void action(uint8_t code, const std::vector<uint8_t>& payload = {});

  std::vector<uint8_t> code_;
};

}  // namespace qm::swf_writer
