#include "platform/swf/host_movie.h"

#include <string>

#include "platform/swf/own_movie_marks.h"

namespace qm::swf_writer {
namespace {

namespace host = swf::host;

constexpr uint8_t kHostVersion = 8;

// ExternalInterface.addCallback(name, null, <function>) for a function
// already on the stack.
void addCallback(ActionBuilder& a, const std::string& name) {
  a.pushNull().push(name).pushInt(3).getVariable("ei").push("addCallback").callMethod().pop();
}

ActionBuilder hosting() {
  ActionBuilder a;
  a.push("ei").getVariable("flash").push("external").getMember().push("ExternalInterface").getMember().setVariable();

  // The timeline operations, as tellTarget("_level1") { ... } does them.
  const auto onHosted = [](ActionBuilder body) {
    return ActionBuilder().push("_level1").setTarget().append(body).push("").setTarget();
  };
  a.function({}, onHosted(ActionBuilder().play()));
  addCallback(a, host::kPlay);
  a.function({}, onHosted(ActionBuilder().stop()));
  addCallback(a, host::kStop);
  // The frame is read before the target changes: it is a local of the function.
  a.function({"f"}, ActionBuilder().getVariable("f").append(onHosted(ActionBuilder().gotoFrame(true))));
  addCallback(a, host::kGotoPlay);
  a.function({"f"}, ActionBuilder().getVariable("f").append(onHosted(ActionBuilder().gotoFrame(false))));
  addCallback(a, host::kGotoStop);

  // _level1._currentframe + "," + _level1._totalframes
  a.function({}, ActionBuilder()
                     .getVariable("_level1")
                     .push("_currentframe")
                     .getMember()
                     .push(",")
                     .add()
                     .getVariable("_level1")
                     .push("_totalframes")
                     .getMember()
                     .add()
                     .returnValue());
  addCallback(a, host::kState);

  a.function({"n", "v"}, ActionBuilder().getVariable("_level1").getVariable("n").getVariable("v").setMember());
  addCallback(a, host::kSet);

  a.function({"n"}, ActionBuilder().getVariable("_level1").getVariable("n").getMember().returnValue());
  addCallback(a, host::kGet);

  a.function({"s"}, ActionBuilder().getVariable("Stage").push("scaleMode").getVariable("s").setMember());
  addCallback(a, host::kScale);

  a.getVariable(host::kMovieVariable).push("_level1").loadMovie();
  a.stop();
  return a;
}

}  // namespace

std::vector<uint8_t> hostMovie(const HostStage& stage) {
  return SwfBuilder(kHostVersion, stage.widthPx, stage.heightPx, stage.framesPerSecond)
      .fileAttributes()
      .backgroundColor(stage.background)
      .doAction(hosting())
      .showFrame()
      .build(Compression::kNone);
}

}  // namespace qm::swf_writer
