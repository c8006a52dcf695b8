#pragma once

#include <string>

namespace qm {

// An embedded web view. Calls that cannot be carried out return false.
class WebView {
 public:
  virtual ~WebView() = default;
  // `url` is a web address or the absolute path of a local page.
  virtual bool Navigate(const std::string& url) = 0;
  virtual bool Stop() = 0;
  virtual bool Quit() = 0;
};

}  // namespace qm
