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
  ActionBuilder& pushInt(int32_t value);
  ActionBuilder& pushNull();
  // Pops the value, then the name, and sets that variable of the timeline.
  ActionBuilder& setVariable();
  ActionBuilder& stop();
  ActionBuilder& play();
  // Pops a target path; the timeline actions that follow act on it ("" is
  // the movie's own timeline again).
  ActionBuilder& setTarget();
  // Pops a frame number (from 1) and goes there, playing on or stopped.
  ActionBuilder& gotoFrame(bool play);
  // Pushes the named variable's value.
  ActionBuilder& getVariable(const std::string& name);
  // Pops a name and an object, pushes object[name].
  ActionBuilder& getMember();
  // Pops a value, a name and an object: object[name] = value.
  ActionBuilder& setMember();
  // Pops the method name, the object, the argument count and the arguments
  // (the last pushed first); pushes the result.
  ActionBuilder& callMethod();
  ActionBuilder& add();
  ActionBuilder& pop();
  ActionBuilder& returnValue();
  // Pops a target and a URL and loads the movie there (a "_levelN" target
  // loads into that level).
  ActionBuilder& loadMovie();
  // Pushes an anonymous function whose parameters are plain variables of
  // its body.
  ActionBuilder& function(const std::vector<std::string>& params, const ActionBuilder& body);

  // Adds another builder's actions.
  ActionBuilder& append(const ActionBuilder& more);

  // The actions followed by the end-of-actions byte.
  std::vector<uint8_t> bytes() const;
  // The actions alone, as a function body holds them.
  const std::vector<uint8_t>& code() const { return code_; }

  // Shorthand for `name = value`.
  ActionBuilder& assign(const std::string& name, const std::string& value);

 private:
  void action(uint8_t code, const std::vector<uint8_t>& payload = {});

  std::vector<uint8_t> code_;
};

}  // namespace qm::swf_writer
