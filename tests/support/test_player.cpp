#include "support/test_player.h"

#include "window/skin_design.h"
#include "window/skin_store.h"

namespace qm::test {

TestPlayer::TestPlayer(Registry* realRegistry) {
  files.addFolder(programFolder);
  files.addFolder(mediaFolder);
  files.addFolder(home + "/Documents");
  windows.documents = home + "/Documents";

  Engines engines;
  auto m = std::make_unique<FakeMediaEngine>();
  auto bg = std::make_unique<FakeMediaEngine>();
  auto fl = std::make_unique<FakeFlashEngine>();
  auto wv = std::make_unique<FakeWebView>();
  media = m.get();
  music = bg.get();
  flash = fl.get();
  web = wv.get();
  engines.media = std::move(m);
  engines.background = std::move(bg);
  engines.flash = std::move(fl);
  engines.web = std::move(wv);

  platform_.reset(new Platform{clock,
                               windows,
                               instance,
                               files,
                               settings,
                               realRegistry ? *realRegistry : registry,
                               help,
                               launcher,
                               fileDialog,
                               thumbnails,
                               programFolder,
                               {},
                               [this] { ++quitCalls; }});
  player_ = std::make_unique<Player>(*platform_, std::move(engines));
  SkinStore skin;
  applyDesign(player_->form, skin);
}

TestPlayer::~TestPlayer() = default;

bool TestPlayer::load(const std::string& commandLine) { return player_->load(commandLine); }

std::string TestPlayer::makeMedia(const std::vector<std::string>& names) {
  for (const std::string& n : names) files.write(mediaPath(n));
  form().File1.setPath(mediaFolder);
  return mediaFolder;
}

std::string TestPlayer::mediaPath(const std::string& name) const { return mediaFolder + "/" + name; }
std::string TestPlayer::programFile(const std::string& name) const { return programFolder + "/" + name; }

}  // namespace qm::test
