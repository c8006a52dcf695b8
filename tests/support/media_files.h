#pragma once

#include <QStringList>
#include <string>

namespace qm::live {

// Media made with ffmpeg's generated sources. Each returns `path`, or an
// empty text when ffmpeg failed (its message goes to standard error).

// Runs `ffmpeg -v error -y <args> path`.
std::string ffmpegMake(const std::string& path, const QStringList& args);
// H.264 test pattern (testsrc2) with a 440 Hz stereo tone, AAC.
std::string makeTestClip(const std::string& path, double seconds, int width = 160, int height = 120);
// A solid colour (an ffmpeg colour name) with a tone, for telling clips apart.
std::string makeColourClip(const std::string& path, const std::string& colour, double seconds);
// A stereo 440 Hz tone; the container follows the file's extension.
std::string makeTone(const std::string& path, double seconds);
// A still picture of one colour.
std::string makeSolidPicture(const std::string& path, const std::string& colour, int width = 320, int height = 240);

// Bytes no demuxer takes for media.
std::string writeNoise(const std::string& path, int bytes = 64 * 1024);
// A standard MIDI file (format 0) holding one piano note of about a second.
std::string writeShortMidi(const std::string& path);

}  // namespace qm::live
