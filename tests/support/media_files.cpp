#include "support/media_files.h"

#include <QProcess>
#include <cstdio>
#include <fstream>

namespace qm::live {

std::string ffmpegMake(const std::string& path, const QStringList& args) {
  QProcess ffmpeg;
  ffmpeg.start("ffmpeg", QStringList{"-nostdin", "-v", "error", "-y"} + args << QString::fromStdString(path));
  if (!ffmpeg.waitForFinished(120000) || ffmpeg.exitStatus() != QProcess::NormalExit || ffmpeg.exitCode() != 0) {
    std::fprintf(stderr, "ffmpeg could not make %s: %s\n", path.c_str(), ffmpeg.readAllStandardError().constData());
    return {};
  }
  return path;
}

namespace {

QStringList tone(double seconds) {
  return {"-f", "lavfi", "-i", QString("sine=frequency=440:sample_rate=44100:duration=%1").arg(seconds)};
}

QStringList h264() {
  return {"-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", "-c:a", "aac", "-ac", "2", "-shortest"};
}

}  // namespace

std::string makeTestClip(const std::string& path, double seconds, int width, int height) {
  const QString video = QString("testsrc2=size=%1x%2:rate=25:duration=%3").arg(width).arg(height).arg(seconds);
  return ffmpegMake(path, QStringList{"-f", "lavfi", "-i", video} + tone(seconds) + h264());
}

std::string makeColourClip(const std::string& path, const std::string& colour, double seconds) {
  const QString video =
      QString("color=c=%1:size=160x120:rate=25:duration=%2").arg(QString::fromStdString(colour)).arg(seconds);
  return ffmpegMake(path, QStringList{"-f", "lavfi", "-i", video} + tone(seconds) + h264());
}

std::string makeTone(const std::string& path, double seconds) {
  return ffmpegMake(path, tone(seconds) << "-ac"
                                        << "2");
}

std::string makeSolidPicture(const std::string& path, const std::string& colour, int width, int height) {
  const QString source = QString("color=c=%1:size=%2x%3").arg(QString::fromStdString(colour)).arg(width).arg(height);
  return ffmpegMake(path, {"-f", "lavfi", "-i", source, "-frames:v", "1"});
}

std::string writeNoise(const std::string& path, int bytes) {
  std::string data(static_cast<size_t>(bytes), '\0');
  unsigned state = 2463534242u;
  for (char& c : data) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    c = static_cast<char>(state);
  }
  std::ofstream out(path, std::ios::binary);
  out << data;
  return out ? path : std::string();
}

std::string writeShortMidi(const std::string& path) {
  // 96 ticks to the quarter note at the default 120 beats a minute: 192
  // ticks (variable-length 0x81 0x40) are one second.
  const unsigned char track[] = {
      0x00, 0xC0, 0x00,              // piano
      0x00, 0x90, 0x3C, 0x64,        // middle C on
      0x81, 0x40, 0x80, 0x3C, 0x40,  // off a second later
      0x00, 0xFF, 0x2F, 0x00,        // end of track
  };
  const unsigned char header[] = {'M', 'T', 'h', 'd', 0,   0,   0,   6, 0, 0, 0,
                                  1,   0,   96,  'M', 'T', 'r', 'k', 0, 0, 0, static_cast<unsigned char>(sizeof track)};
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(header), sizeof header);
  out.write(reinterpret_cast<const char*>(track), sizeof track);
  return out ? path : std::string();
}

}  // namespace qm::live
