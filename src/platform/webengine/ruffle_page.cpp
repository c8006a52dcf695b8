#include "platform/webengine/ruffle_page.h"

namespace qm {

QByteArray rufflePageHtml() {
  return R"(<!doctype html>
<html><head><meta charset="utf-8">
<meta http-equiv="Content-Security-Policy" content=")" +
         QByteArray(kRufflePagePolicy) + R"(">
<link rel="stylesheet" href="page.css">
<script src="host.js"></script>
<script src="ruffle/ruffle.js"></script>
</head><body><div id="stage"></div></body></html>
)";
}

QByteArray rufflePageStyle() {
  return "html,body{margin:0;width:100%;height:100%;overflow:hidden;background:#000}\n"
         "#stage{width:100%;height:100%}#stage>*{width:100%;height:100%;display:block}\n";
}

// The host movie's callbacks answer synchronously through
// callExternalInterface; the engine in C++ only ever sees the cached state
// these ticks report. The callbacks need allowScriptAccess; the calls out of
// a movie that it would allow, the page's policy refuses.
// (allowNetworking "internal" would refuse them too, and fscommand with them.)
// openUrlMode "deny": getURL to a web address opens nothing.
QByteArray rufflePageScript() {
  return R"JS("use strict";
// This web engine refuses fetch() on the page's own URL scheme and lets
// XMLHttpRequest reach it: Ruffle gets its wasm and the movies through this
// fetch, which asks for nothing but GET and nothing beyond the page's origin.
window.fetch = (resource, init) => {
  const request = resource instanceof Request ? resource : null;
  let url;
  try {
    url = new URL(request ? request.url : String(resource), location.href);
  } catch (e) {
    return Promise.reject(new TypeError("not a URL"));
  }
  const method = String((init && init.method) || (request && request.method) || "GET").toUpperCase();
  if (url.protocol !== location.protocol || url.host !== location.host || method !== "GET")
    return Promise.reject(new TypeError("refused: " + url.href));
  return new Promise((resolve, reject) => {
    const xhr = new XMLHttpRequest();
    xhr.open("GET", url.href);
    xhr.responseType = "arraybuffer";
    xhr.onload = () => {
      const headers = new Headers();
      const type = xhr.getResponseHeader("Content-Type");
      if (type) headers.set("Content-Type", type);
      // The scheme's answers have no HTTP status of their own.
      const response = new Response(xhr.response, { status: xhr.status || 200, headers: headers });
      Object.defineProperty(response, "url", { value: url.href });
      resolve(response);
    };
    xhr.onerror = xhr.onabort = () => reject(new TypeError("could not load " + url.href));
    const signal = (init && init.signal) || (request && request.signal);
    if (signal) signal.addEventListener("abort", () => xhr.abort());
    xhr.send();
  });
};
window.RufflePlayer = window.RufflePlayer || {};
const qm = { player: null, driven: false, tick: null, watched: new Set(), serial: 0, shown: false };
qm.report = (o) => console.log("qm:" + JSON.stringify(o));
qm.api = () => (qm.player ? qm.player.ruffle() : null);
qm.callHost = (name, ...args) => {
  const api = qm.api();
  if (!api || !qm.driven) return undefined;
  try { return api.callExternalInterface(name, ...args); } catch (e) { return undefined; }
};
qm.unload = () => {
  if (qm.tick) clearInterval(qm.tick);
  qm.tick = null;
  if (qm.player) { try { qm.player.remove(); } catch (e) {} }
  qm.player = null;
  qm.watched.clear();
};
// Reports of a movie carry its serial: a player removed for the next movie
// may still finish loading, and what it says is not the new movie's.
// Shown: the frame painted once the movie's first frame is drawn, so the
// player can take away what it showed in its place.
qm.reportShown = () => {
  if (qm.shown) return;
  qm.shown = true;
  const serial = qm.serial;
  requestAnimationFrame(() => requestAnimationFrame(() => qm.report({ shown: true, serial: serial })));
};
qm.load = (url, movieUrl, driven, scale, serial) => {
  qm.unload();
  qm.serial = serial;
  qm.shown = false;
  const player = window.RufflePlayer.newest().createPlayer();
  document.getElementById("stage").appendChild(player);
  qm.player = player;
  qm.driven = driven;
  const api = player.ruffle();
  api.addFSCommandHandler((cmd, args) => qm.report({ fscommand: String(cmd), args: String(args), serial: serial }));
  player.addEventListener("loadedmetadata", () => {
    const m = api.metadata || {};
    qm.report({ loaded: true, frames: m.numFrames || 0, as3: !!m.isActionScript3, serial: serial });
  });
  player.addEventListener("loadeddata", () => {
    qm.report({ started: true, serial: serial });
    // A driven movie shows once the host has loaded it and it has a frame.
    if (!driven) qm.reportShown();
  });
  const params = {};
  if (driven) params.qmMovie = movieUrl;
  api.load(qm.options(url, params, scale)).catch((e) => qm.report({ error: String(e), serial: serial }));
  if (driven) qm.tick = setInterval(qm.poll, 50);
};
qm.options = (url, params, scale) => ({
  url: url, parameters: params, allowScriptAccess: true, openUrlMode: "deny",
  socketProxy: [], autoplay: "on", splashScreen: false, unmuteOverlay: "hidden", contextMenu: "off",
  polyfills: false, preferredRenderer: "canvas", scale: scale, letterbox: "on", showSwfDownload: false,
});
// Readies the runtime (its wasm compiled, a first player built) on a movie
// of nothing, out of sight, and lets it go once it plays.
qm.warm = () => {
  if (qm.player) return;
  const player = window.RufflePlayer.newest().createPlayer();
  player.style.cssText = "position:fixed;left:0;top:0;width:1px;height:1px;visibility:hidden";
  document.body.appendChild(player);
  const done = () => { try { player.remove(); } catch (e) {} };
  player.addEventListener("loadeddata", done);
  player.ruffle().load(qm.options("warm-host.swf", { qmMovie: "warm-movie.swf" }, "showall")).catch(done);
};
qm.poll = () => {
  const state = qm.callHost("qmState");
  if (typeof state === "string") {
    qm.report({ state: state });
    if (/^[1-9][0-9]*,/.test(state)) qm.reportShown();
  }
  if (qm.watched.size) {
    const vars = {};
    for (const name of qm.watched) {
      const v = qm.callHost("qmGet", name);
      if (v !== undefined && v !== null) vars[name] = String(v);
    }
    qm.report({ vars: vars });
  }
};
qm.play = () => qm.callHost("qmPlay");
qm.stop = () => qm.callHost("qmStop");
qm.gotoFrame = (frame, play) => qm.callHost(play ? "qmGotoPlay" : "qmGotoStop", frame);
qm.set = (name, value) => qm.callHost("qmSet", name, value);
qm.watch = (name) => qm.watched.add(name);
qm.scale = (mode) => qm.callHost("qmScale", mode);
)JS";
}

}  // namespace qm
