#include "mpv_test_support.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/temp_dir.h"

namespace qm::test {

StateLog::StateLog(MediaEngine& engine) {
  engine.PlayStateChange.connect([data = data_](int state) {
    data->states.push_back(state);
    if (QThread::currentThread() != QCoreApplication::instance()->thread()) data->offThread = true;
  });
}

bool StateLog::saw(int state) const { return std::find(states().begin(), states().end(), state) != states().end(); }

namespace {

void runOrDie(const QString& program, const std::vector<std::string>& args) {
  QStringList list;
  for (const std::string& a : args) list << QString::fromStdString(a);
  QProcess process;
  process.start(program, list);
  if (!process.waitForFinished(60000) || process.exitCode() != 0) {
    std::fprintf(stderr, "%s failed: %s\n", qPrintable(program), process.readAllStandardError().constData());
    std::abort();
  }
}

}  // namespace

Media& Media::get() {
  static Media media;
  return media;
}

Media::Media() {
  static TempDir dir;
  dir_ = dir.path();
}

const std::string& Media::make(const std::string& name, const std::vector<std::string>& ffmpegArgs) {
  if (auto found = made_.find(name); found != made_.end()) return found->second;
  std::string path = dir_ + "/" + name;
  std::vector<std::string> args = {"-v", "error", "-y"};
  args.insert(args.end(), ffmpegArgs.begin(), ffmpegArgs.end());
  args.push_back(path);
  runOrDie("ffmpeg", args);
  return made_[name] = path;
}

const std::string& Media::shortClip() {
  return make("short.mp4", {"-f",      "lavfi",     "-i",       "testsrc=size=160x120:rate=25",
                            "-f",      "lavfi",     "-i",       "sine=frequency=440:sample_rate=44100",
                            "-t",      "2",         "-c:v",     "libx264",
                            "-preset", "ultrafast", "-pix_fmt", "yuv420p",
                            "-c:a",    "aac",       "-ac",      "2"});
}

const std::string& Media::longClip() {
  return make("long.mp4", {"-f",
                           "lavfi",
                           "-i",
                           "testsrc=size=64x48:rate=10",
                           "-f",
                           "lavfi",
                           "-i",
                           "sine=frequency=440:sample_rate=22050",
                           "-t",
                           "20",
                           "-c:v",
                           "libx264",
                           "-preset",
                           "ultrafast",
                           "-g",
                           "50",
                           "-keyint_min",
                           "50",
                           "-sc_threshold",
                           "0",
                           "-pix_fmt",
                           "yuv420p",
                           "-c:a",
                           "aac",
                           "-ac",
                           "2"});
}

const std::string& Media::stereoTone() {
  return make("stereo.wav", {"-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100", "-t", "2", "-ac", "2"});
}

const std::string& Media::longStereoTone() {
  return make("stereo4.wav", {"-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100", "-t", "4", "-ac", "2"});
}

const std::string& Media::monoTone() {
  return make("mono.wav", {"-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100", "-t", "2", "-ac", "1"});
}

const std::string& Media::centreOnlySurround() {
  return make("centre.wav",
              {"-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100", "-t", "2", "-af", "pan=5.1|FC=c0"});
}

const std::string& Media::stillPicture() {
  return make("still.png", {"-f", "lavfi", "-i", "testsrc=size=160x120", "-frames:v", "1"});
}

const std::string& Media::animatedPicture() {
  return make("animated.gif", {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=10", "-frames:v", "5"});
}

const std::string& Media::corruptFile() {
  if (auto found = made_.find("corrupt.mp4"); found != made_.end()) return found->second;
  std::string bytes(64 * 1024, '\0');
  unsigned state = 12345;
  for (char& c : bytes) {
    state = state * 1103515245u + 12345u;
    c = static_cast<char>(state >> 16);
  }
  std::string path = dir_ + "/corrupt.mp4";
  std::ofstream(path, std::ios::binary) << bytes;
  return made_["corrupt.mp4"] = path;
}

double nonBlackShare(const QImage& image) {
  if (image.isNull()) return 0;
  long lit = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      QRgb p = image.pixel(x, y);
      if (qRed(p) + qGreen(p) + qBlue(p) > 60) ++lit;
    }
  return static_cast<double>(lit) / (static_cast<double>(image.width()) * image.height());
}

}  // namespace qm::test
