#include "support/sound_levels.h"

#include <QProcess>
#include <cstdlib>
#include <sstream>

namespace qm::live {

std::vector<double> channelRmsDb(const std::string& file, const std::vector<std::string>& soxInput,
                                 const std::vector<std::string>& effects) {
  QStringList args;
  for (const std::string& a : soxInput) args << QString::fromStdString(a);
  args << QString::fromStdString(file) << "-n";
  for (const std::string& e : effects) args << QString::fromStdString(e);
  args << "stats";
  QProcess sox;
  sox.start("sox", args);
  if (!sox.waitForFinished(30000) || sox.exitCode() != 0) return {};
  std::istringstream out(sox.readAllStandardError().toStdString());
  std::string line;
  while (std::getline(out, line)) {
    if (line.rfind("RMS lev dB", 0) != 0) continue;
    std::istringstream fields(line.substr(10));
    std::vector<double> levels;
    std::string field;
    while (fields >> field) levels.push_back(std::strtod(field.c_str(), nullptr));
    // The overall level comes first; one column per channel follows when
    // there are several.
    if (levels.size() > 1) levels.erase(levels.begin());
    return levels;
  }
  return {};
}

}  // namespace qm::live
