#pragma once

#include <QByteArray>

namespace qm {

// The page that runs Ruffle in the web view and its script. The script's
// `qm` object is what the engine calls; it answers through console
// messages that start with kRuffleMessagePrefix followed by JSON:
//   {"state": "frame,total"}          the hosted movie's timeline, every tick
//   {"vars": {name: value, ...}}      watched variables, every tick
//   {"fscommand": cmd, "args": text}  the movie's fscommand
//   {"loaded": true, "frames": n}     the movie's metadata arrived
//   {"error": text}                   the movie could not be loaded
QByteArray rufflePageHtml();
QByteArray rufflePageScript();
inline constexpr const char* kRuffleMessagePrefix = "qm:";

}  // namespace qm
