#pragma once

#include <QByteArray>

namespace qm {

// The page that runs Ruffle in the web view, its style and its script, which
// it loads as page.css and host.js, and Ruffle from ruffle/, all from its own
// origin. The script's `qm` object is what the engine calls; it answers
// through console messages that start with kRuffleMessagePrefix followed by
// JSON:
//   {"state": "frame,total"}          the hosted movie's timeline, every tick
//   {"vars": {name: value, ...}}      watched variables, every tick
//   {"fscommand": cmd, "args": text}  the movie's fscommand
//   {"loaded": true, "frames": n}     the movie's metadata arrived
//   {"error": text}                   the movie could not be loaded
QByteArray rufflePageHtml();
QByteArray rufflePageStyle();
QByteArray rufflePageScript();

// The page's content security policy: scripts, wasm and every load from its
// own origin only, and no eval, inline script, javascript: URL, frame,
// plug-in or form. Ruffle compiles its wasm ('wasm-unsafe-eval') and styles
// its player with style elements of its own ('unsafe-inline' for styles
// alone: they run nothing and load only from the origin). A movie's
// ExternalInterface.call is an eval in Ruffle, refused here: a movie calls
// no function of the page, and the host movie needs none.
inline constexpr const char* kRufflePagePolicy =
    "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self' 'unsafe-inline'; "
    "object-src 'none'; frame-src 'none'; base-uri 'none'; form-action 'none'";
inline constexpr const char* kRuffleMessagePrefix = "qm:";

}  // namespace qm
