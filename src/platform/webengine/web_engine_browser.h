#pragma once

#include <QPointer>
#include <QUrl>
#include <QWidget>

#include "platform/web/web_engine_module.h"

class QWebEngineView;

namespace qm {

// The display area's web view over Qt WebEngine. The web engine (and its
// helper processes) starts only on the first Navigate: a player that only
// plays media never starts it. Quit ends the page and frees its process. A
// page whose process dies (a crash) loads again.
class WebEngineBrowser : public BrowserRuntime {
 public:
  WebEngineBrowser() = default;
  ~WebEngineBrowser() override;
  bool Navigate(const std::string& url) override;
  bool Stop() override;
  bool Quit() override;
  QWidget* createView(Control& area, QWidget* parent) override;

  // The page's view while one is open, else null.
  QWebEngineView* page() const;
  // The address of the page shown or loading; empty when none.
  QUrl url() const override;

 private:
  void openPage();
  QPointer<QWidget> area_;
  QPointer<QWidget> view_;  // a QWebEngineView
  QUrl pending_;
  bool reloadAfterCrash_ = false;
};

}  // namespace qm
