#pragma once

#include <string>

namespace qm {

// An embedded web view. Calls that cannot be carried out return false.
class WebView {
 public:
  virtual ~WebView() = default;
  virtual bool Navigate(const std::string& url) = 0;
  virtual bool Stop() = 0;
  virtual bool Quit() = 0;
};

}  // namespace qm
