#include "platform/web/lazy_web_browser.h"

#include <QVBoxLayout>
#include <QWidget>
#include <utility>

namespace qm {

QUrl webAddress(const std::string& text) {
  const QString s = QString::fromStdString(text);
  if (s.startsWith('/')) return QUrl::fromLocalFile(s);
  return QUrl(s, QUrl::StrictMode);
}

// The browser's widgets go before the module's code does.
LazyWebBrowser::~LazyWebBrowser() {
  if (runtime_) runtime_->Quit();
  runtime_.reset();
}

QWidget* LazyWebBrowser::createView(Control& area, QWidget* parent) {
  control_ = &area;
  auto* box = new QWidget(parent);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  area_ = box;
  if (!pending_.empty()) Navigate(std::exchange(pending_, {}));
  return box;
}

bool LazyWebBrowser::makeRuntime() {
  if (runtime_) return true;
  const WebEngineModule* module = webEngineModule();
  if (!module) return false;
  runtime_ = module->createBrowser();
  if (!runtime_) return false;
  area_->layout()->addWidget(runtime_->createView(*control_, area_));
  return true;
}

bool LazyWebBrowser::Navigate(const std::string& url) {
  const QUrl address = webAddress(url);
  if (!address.isValid() || address.isEmpty()) return false;
  if (!area_) {
    pending_ = url;
    return true;
  }
  pending_.clear();
  return makeRuntime() && runtime_->Navigate(url);
}

bool LazyWebBrowser::Stop() { return runtime_ ? runtime_->Stop() : true; }

bool LazyWebBrowser::Quit() {
  pending_.clear();
  return runtime_ ? runtime_->Quit() : true;
}

QUrl LazyWebBrowser::url() const { return runtime_ ? runtime_->url() : webAddress(pending_); }

}  // namespace qm
