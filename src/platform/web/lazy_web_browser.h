#pragma once

#include <QPointer>
#include <QUrl>
#include <memory>

#include "platform/web/web_engine_module.h"

namespace qm {

// The display area's web view as the player holds it: the area is there
// from the start, and the web engine module is loaded, and its browser made,
// on the first Navigate. Without the module, Navigate fails and the area
// stays empty.
class LazyWebBrowser : public WebView, public ContentViewSource {
 public:
  LazyWebBrowser() = default;
  ~LazyWebBrowser() override;
  bool Navigate(const std::string& url) override;
  bool Stop() override;
  bool Quit() override;
  QWidget* createView(Control& area, QWidget* parent) override;

  // The browser once made, else null.
  BrowserRuntime* runtime() const { return runtime_.get(); }
  // The address of the page shown or loading; empty when none.
  QUrl url() const;

 private:
  bool makeRuntime();
  std::unique_ptr<BrowserRuntime> runtime_;
  Control* control_ = nullptr;
  QPointer<QWidget> area_;
  std::string pending_;  // asked for before the window was built
};

// A web address, or a local page given by its absolute path.
QUrl webAddress(const std::string& text);

}  // namespace qm
