#pragma once

#include <QUrl>
#include <memory>
#include <string>

#include "platform/flash_engine.h"
#include "platform/qt/content_view_source.h"
#include "platform/swf/swf_file.h"
#include "platform/web_view.h"

class QWidget;

namespace qm {

// What runs on Qt WebEngine lives in a module of its own, loaded the first
// time a web page or a Flash movie for Ruffle is shown. Linked into the
// program, the web engine makes an OpenGL context as the program starts
// (with a software renderer, some 100 MB), which a player of media never
// needs; and a desktop without OpenGL could not start the player at all.

// Ruffle in a web view: the Flash engine for movies with something to show.
class RuffleRuntime : public FlashEngine {
 public:
  // Where the web view goes once it exists.
  virtual void setViewParent(QWidget* parent) = 0;
  // The web view, or null while the web engine has not been needed.
  virtual QWidget* view() const = 0;
  // Loads a movie the caller has read already. The same movie opened again
  // before its first frame (the list locate's walk passes over it and comes
  // back), unchanged on disk, goes on from where it got to.
  virtual bool load(const std::string& path, const swf::SwfFile& file) = 0;
  // Empties the page once this turn of the event loop is over (a load of
  // the same movie in the same turn keeps it); the web engine stays up.
  virtual void unload() = 0;
  // Starts the web engine and readies the runtime with a movie of nothing,
  // so that a movie that may come later starts warm.
  virtual void warmUp() = 0;

  // Raised once the loaded movie's first frame is painted, or once the
  // movie, its page or the page's process failed: whatever stood in for the
  // movie until then can go.
  Event<> Shown;
};

// The display area's web view.
class BrowserRuntime : public WebView, public ContentViewSource {
 public:
  // The address of the page shown or loading; empty when none.
  virtual QUrl url() const = 0;
};

struct WebEngineModule {
  std::unique_ptr<RuffleRuntime> (*createRuffle)(const std::string& ruffleFolder);
  std::unique_ptr<BrowserRuntime> (*createBrowser)();
};

// The module's entry, from the module beside the executable; a program that
// has the module linked in (the tests) uses that.
// Null, and the reason on stderr once, when it cannot be loaded.
const WebEngineModule* webEngineModule();
// Whether webEngineModule would answer, without loading the module (which
// takes some 80 ms): it is loaded, linked in, or its file is there.
bool webEngineModuleMayLoad();

// The module's file, and the name it exports its entry under.
inline constexpr char kWebEngineModuleFile[] = "quilmora-webengine.so";
inline constexpr char kWebEngineModuleEntry[] = "quilmora_web_engine_module";

}  // namespace qm
