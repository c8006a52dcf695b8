// Command lines of any bytes: the file to open is always an absolute path,
// byte for byte what was given apart from the quotes.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> arguments{"quilmora"};
  std::string current;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      arguments.push_back(current);
      current.clear();
    } else {
      current += static_cast<char>(data[i]);
    }
  }
  arguments.push_back(current);
  const std::string line = qm::commandLineOf(arguments, "/home/user", [](const std::string&) { return false; });
  std::string unquoted = line;
  unquoted.erase(std::remove(unquoted.begin(), unquoted.end(), '"'), unquoted.end());
  bool given = false;
  for (std::size_t i = 1; i < arguments.size(); ++i) given = given || !arguments[i].empty() || i > 1;
  if (given && (unquoted.empty() || unquoted.front() != '/')) std::abort();
  return 0;
}
