#include "platform/webengine/web_engine_browser.h"

#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "platform/web/lazy_web_browser.h"
#include "platform/webengine/sandbox.h"

namespace qm {

WebEngineBrowser::~WebEngineBrowser() { delete view_; }

QWebEngineView* WebEngineBrowser::page() const { return static_cast<QWebEngineView*>(view_.data()); }

QWidget* WebEngineBrowser::createView(Control&, QWidget* parent) {
  auto* area = new QWidget(parent);
  area->setAutoFillBackground(true);
  QPalette pal = area->palette();
  pal.setColor(QPalette::Window, Qt::white);
  area->setPalette(pal);
  auto* layout = new QVBoxLayout(area);
  layout->setContentsMargins(0, 0, 0, 0);
  area_ = area;
  // An address asked for before the window was built opens now.
  if (!pending_.isEmpty()) openPage();
  return area;
}

void WebEngineBrowser::openPage() {
  if (!area_) return;
  if (!view_) {
    chooseWebEngineSandbox();
    auto* view = new QWebEngineView(area_);
    view->setObjectName("WebPage");
    area_->layout()->addWidget(view);
    view_ = view;
    // A page whose process died shows nothing: it loads again, once, so a
    // page that kills its process each time cannot keep the engine busy.
    QObject::connect(view, &QWebEngineView::loadFinished, view, [this](bool ok) {
      if (ok) reloadAfterCrash_ = true;
    });
    QObject::connect(view->page(), &QWebEnginePage::renderProcessTerminated, view, [this, view] {
      if (!reloadAfterCrash_) return;
      reloadAfterCrash_ = false;
      view->reload();
    });
  }
  page()->load(pending_);
  pending_.clear();
}

bool WebEngineBrowser::Navigate(const std::string& url) {
  const QUrl address = webAddress(url);
  if (!address.isValid() || address.isEmpty()) return false;
  pending_ = address;
  openPage();
  return true;
}

bool WebEngineBrowser::Stop() {
  if (view_) page()->stop();
  return true;
}

bool WebEngineBrowser::Quit() {
  pending_.clear();
  if (view_) {
    page()->stop();
    delete view_;
  }
  return true;
}

QUrl WebEngineBrowser::url() const {
  if (view_) return page()->url();
  return pending_;
}

}  // namespace qm
