#include "platform/webengine/ruffle_engine.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <cmath>

#include "platform/flash/movie_root_name.h"
#include "platform/flash/swf_facts.h"
#include "platform/swf/host_movie.h"
#include "platform/swf/own_movie_marks.h"
#include "platform/webengine/page_files.h"
#include "platform/webengine/ruffle_page.h"
#include "platform/webengine/sandbox.h"

namespace qm {
namespace {

// The player's page and nothing else: the engine's own load of it is the one
// navigation it takes, it opens no window, and only its own script's
// reports reach the engine.
class RufflePage : public QWebEnginePage {
 public:
  RufflePage(QWebEngineProfile* profile, QUrl address, QUrl script, std::function<void(const QString&)> onMessage,
             QObject* parent)
      : QWebEnginePage(profile, parent),
        address_(std::move(address)),
        script_(script.toString()),
        onMessage_(std::move(onMessage)) {}

  const QUrl& address() const { return address_; }

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
    return isMainFrame && type == NavigationTypeTyped && url == address_;
  }
  QWebEnginePage* createWindow(WebWindowType) override { return nullptr; }
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int,
                                const QString& source) override {
    if (source != script_ || url() != address_ || !message.startsWith(kRuffleMessagePrefix)) return;
    onMessage_(message.mid(int(strlen(kRuffleMessagePrefix))));
  }

 private:
  QUrl address_;
  QString script_;
  std::function<void(const QString&)> onMessage_;
};

// Under the page's content security policy, what its profile asks for at all
// stays on the page's scheme.
class OwnSchemeOnly : public QWebEngineUrlRequestInterceptor {
 public:
  using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
  void interceptRequest(QWebEngineUrlRequestInfo& info) override {
    if (info.requestUrl().scheme() != PageFiles::kScheme) info.block(true);
  }
};

QString jsString(const QString& text) {
  const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
  return QString::fromUtf8(array.mid(1, array.size() - 2));
}

const char* runtimeScale(int mode) {
  static const char* names[] = {"showall", "noborder", "exactfit"};
  return names[mode];
}

const char* stageScale(int mode) {
  static const char* names[] = {"showAll", "noBorder", "exactFit"};
  return names[mode];
}

// Esc reaches the window even while the movie has the keyboard (after a
// click on it): over a movie there is no menu and no double-click, so in a
// mode without bars Esc is the way back. The movie keeps every other key.
class EscapeToWindow : public QObject {
 public:
  explicit EscapeToWindow(QWidget& view) : QObject(&view), view_(view) { qApp->installEventFilter(this); }

  bool eventFilter(QObject* target, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier) return false;
    auto* widget = qobject_cast<QWidget*>(target);
    if (!widget || !(widget == &view_ || view_.isAncestorOf(widget)) || view_.window() == &view_) return false;
    QCoreApplication::sendEvent(view_.window(), event);
    return true;
  }

 private:
  QWidget& view_;
};

// A movie that rests on its last frame this much longer than a frame lasts
// has stopped at its end.
constexpr auto kRestingMargin = std::chrono::milliseconds(400);

}  // namespace

RuffleEngine::RuffleEngine(std::string ruffleFolder) : ruffleFolder_(std::move(ruffleFolder)) {
  syncPage_.setSingleShot(true);
  syncPage_.setInterval(0);
  QObject::connect(&syncPage_, &QTimer::timeout, &syncPage_, [this] { syncPage(); });
}

// The page goes before its profile.
RuffleEngine::~RuffleEngine() {
  delete view_.data();
  profile_.reset();
}

void RuffleEngine::setViewParent(QWidget* parent) {
  parent_ = parent;
  if (view_ && parent) {
    view_->setParent(parent);
    view_->setGeometry(parent->rect());
  }
}

QWidget* RuffleEngine::view() const { return view_.data(); }

bool RuffleEngine::ensureWebEngine() {
  if (view_) return true;
  const QDir folder(QString::fromStdString(ruffleFolder_));
  if (!folder.exists("ruffle.js")) return false;
  chooseWebEngineSandbox();
  profile_ = std::make_unique<QWebEngineProfile>();  // off the record: nothing of it on disk
  files_ = new PageFiles(profile_.get());
  for (const QString& name : folder.entryList({"*.js", "*.wasm"}, QDir::Files))
    files_->serveFile("ruffle/" + name, QFile::encodeName(folder.filePath(name)),
                      name.endsWith(".wasm") ? "application/wasm" : "text/javascript");
  files_->serveBytes("index.html", rufflePageHtml(), "text/html; charset=utf-8");
  files_->serveBytes("page.css", rufflePageStyle(), "text/css");
  files_->serveBytes("host.js", rufflePageScript(), "text/javascript");
  // What warmUp loads: the host movie with a movie of nothing.
  const auto bytes = [](const std::vector<uint8_t>& movie) {
    return QByteArray(reinterpret_cast<const char*>(movie.data()), qsizetype(movie.size()));
  };
  files_->serveBytes("warm-host.swf", bytes(swf_writer::hostMovie({})), "application/x-shockwave-flash");
  files_->serveBytes(
      "warm-movie.swf",
      bytes(swf_writer::SwfBuilder(8, 1, 1, 12).fileAttributes().showFrame().build(swf_writer::Compression::kNone)),
      "application/x-shockwave-flash");
  profile_->installUrlSchemeHandler(PageFiles::kScheme, files_);
  profile_->setUrlRequestInterceptor(new OwnSchemeOnly(profile_.get()));

  pageReady_ = false;
  view_ = new QWebEngineView(parent_.data());
  auto* page = new RufflePage(
      profile_.get(), PageFiles::url("index.html"), PageFiles::url("host.js"),
      [this](const QString& m) { onMessage(m); }, view_.data());
  page->setBackgroundColor(Qt::black);
  QWebEngineSettings* settings = page->settings();
  settings->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
  settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
  settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
  settings->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
  settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
  view_->setPage(page);
  view_->setContextMenuPolicy(Qt::NoContextMenu);
  new EscapeToWindow(*view_);
  if (parent_) view_->setGeometry(parent_->rect());
  QObject::connect(view_.data(), &QWebEngineView::loadFinished, view_.data(), [this](bool ok) { onPageReady(ok); });
  QObject::connect(page, &QWebEnginePage::renderProcessTerminated, view_.data(), [this] { onPageProcessGone(); });
  loadPage();
  return true;
}

void RuffleEngine::loadPage() {
  pageReady_ = false;
  pendingScript_.clear();
  view_->load(static_cast<RufflePage*>(view_->page())->address());
}

// The movie went with the page's process: the engine is empty, as after a
// movie that ended, and a fresh page (in a new process) waits for the next.
void RuffleEngine::onPageProcessGone() {
  pageReady_ = false;
  clearMovie();
  pageBehind_ = false;
  forgetPageFiles();
  page_ = PageMovie{};
  warm_ = false;
  loadPage();
  Shown.raise();
}

void RuffleEngine::onPageReady(bool ok) {
  pageReady_ = ok;
  if (!ok) {
    failed_ = true;
    Shown.raise();
    return;
  }
  if (!pendingScript_.isEmpty()) view_->page()->runJavaScript(pendingScript_);
  pendingScript_.clear();
}

// A call that leaves the movie other than a fresh load of it would be.
void RuffleEngine::steer(const QString& script) {
  if (pageBehind_)
    steersAfterSync_ = true;
  else
    page_.steered = true;
  run(script);
}

void RuffleEngine::run(const QString& script) {
  if (!view_) return;
  if (pageBehind_)
    afterSync_ << script;  // for the movie the page gets at the end of the turn
  else if (pageReady_)
    view_->page()->runJavaScript(script);
  else if (script.startsWith("qm.load") || script.startsWith("qm.unload"))
    pendingScript_ = script;  // only the newest load matters
  else if (!pendingScript_.isEmpty())
    pendingScript_ += ";" + script;
}

void RuffleEngine::clearMovie() {
  path_.clear();
  failed_ = false;
  stoppedByCall_ = false;
  frame_.reset();
  totalFrames_ = 0;
  variables_.clear();
  afterSync_.clear();
  steersAfterSync_ = false;
}

bool RuffleEngine::pageLoadsUnchanged(const std::string& path) const {
  if (page_.path != path || page_.started || page_.steered) return false;
  const std::string identity = swf::fileIdentity(path);
  return !identity.empty() && identity == page_.identity;
}

// The page is told of the newest movie of a turn only: the list locate opens
// a whole folder's entries in one, and each load builds a runtime in the page.
void RuffleEngine::behind() {
  pageBehind_ = true;
  syncPage_.start();
}

void RuffleEngine::syncPage() {
  if (!pageBehind_) return;
  pageBehind_ = false;
  const QStringList after = std::exchange(afterSync_, {});
  if (path_.empty()) {
    forgetPageFiles();
    page_ = PageMovie{};
    run("qm.unload()");
    return;
  }
  loadInPage(path_, driven_, stage_);
  page_.steered = std::exchange(steersAfterSync_, false);
  for (const QString& script : after) run(script);
}

void RuffleEngine::forgetPageFiles() {
  const QString serial = QString::number(page_.serial);
  files_->forget("movie-" + serial + ".swf");
  files_->forget("host-" + serial + ".swf");
}

void RuffleEngine::loadInPage(const std::string& path, bool driven, const swf_writer::HostStage& stage) {
  // Only the newest movie's files are served.
  forgetPageFiles();
  page_ = PageMovie{};
  page_.path = path;
  page_.identity = swf::fileIdentity(path);
  page_.serial = ++serial_;
  page_.scaleMode = scaleMode_;
  warm_ = true;  // a movie readies the runtime as well

  const QString serial = QString::number(page_.serial);
  const QString movieName = "movie-" + serial + ".swf";
  files_->serveFile(movieName, QByteArray::fromStdString(path), "application/x-shockwave-flash");
  QString url = PageFiles::url(movieName).toString();
  const QString movieUrl = url;
  if (driven) {
    const std::vector<uint8_t> host = swf_writer::hostMovie(stage);
    const QString hostName = "host-" + serial + ".swf";
    files_->serveBytes(hostName, QByteArray(reinterpret_cast<const char*>(host.data()), qsizetype(host.size())),
                       "application/x-shockwave-flash");
    url = PageFiles::url(hostName).toString();
  }
  run(QString("qm.load(%1,%2,%3,%4,%5)")
          .arg(jsString(url), jsString(movieUrl), driven ? "true" : "false", jsString(runtimeScale(scaleMode_)),
               serial));
}

bool RuffleEngine::load(const std::string& path, const swf::SwfFile& file) {
  clearMovie();
  if (!ensureWebEngine()) return false;
  path_ = path;
  driven_ = !isActionScript3(file);
  stage_ = hostStageOf(file);
  totalFrames_ = std::max<long>(1, file.frameCount);
  frameSince_ = std::chrono::steady_clock::now();
  frameIntervalMs_ = int(std::lround(1000.0 / std::max(file.frameRate(), 0.01)));
  // A movie not yet on the screen is where a new load of it would be: it
  // goes on, rather than a second runtime being built beside it.
  if (!pageLoadsUnchanged(path)) {
    behind();
    return true;
  }
  pageBehind_ = false;
  failed_ = page_.failed;
  if (!driven_ && page_.frames > 0) totalFrames_ = page_.frames;
  if (page_.scaleMode != scaleMode_) setScaleMode(scaleMode_);
  return true;
}

void RuffleEngine::unload() {
  clearMovie();
  pageBehind_ = false;
  if (!page_.path.empty()) behind();
}

void RuffleEngine::warmUp() {
  if (warm_ || !ensureWebEngine()) return;
  warm_ = true;
  if (!page_.path.empty() || pageBehind_) return;  // a movie readies it anyway
  if (pageReady_)
    view_->page()->runJavaScript("qm.warm()");
  else if (pendingScript_.isEmpty())
    pendingScript_ = "qm.warm()";
}

bool RuffleEngine::setMovie(const std::string& path) {
  const swf::SwfReadResult read = swf::readSwfFile(path);
  if (!read.ok()) {
    unload();
    return false;
  }
  return load(path, read.file);
}

bool RuffleEngine::Play() {
  if (path_.empty() || failed_) return false;
  stoppedByCall_ = false;
  frameSince_ = std::chrono::steady_clock::now();
  run("qm.play()");
  return true;
}

bool RuffleEngine::StopPlay() {
  if (path_.empty() || failed_) return false;
  stoppedByCall_ = true;
  steer("qm.stop()");
  return true;
}

bool RuffleEngine::GotoFrame(long frame) {
  if (path_.empty() || failed_ || !driven_ || frame < 0 || frame >= totalFrames_) return false;
  // ActionScript counts frames from 1.
  steer(QString("qm.gotoFrame(%1, %2)").arg(frame + 1).arg(stoppedByCall_ ? "false" : "true"));
  frame_ = frame;
  frameSince_ = std::chrono::steady_clock::now();
  return true;
}

std::optional<long> RuffleEngine::TotalFrames() const {
  if (path_.empty() || failed_) return std::nullopt;
  return totalFrames_;
}

std::optional<long> RuffleEngine::FrameNum() const {
  if (path_.empty() || failed_) return std::nullopt;
  return frame_;
}

bool RuffleEngine::IsPlaying() const {
  if (path_.empty() || failed_) return false;
  if (!driven_ || totalFrames_ <= 1 || !frame_ || *frame_ != totalFrames_ - 1) return true;
  const auto resting = std::chrono::steady_clock::now() - frameSince_;
  return resting < std::chrono::milliseconds(frameIntervalMs_) + kRestingMargin;
}

bool RuffleEngine::setScaleMode(int mode) {
  if (mode < 0 || mode > 2) return false;
  scaleMode_ = mode;
  if (!path_.empty()) {
    page_.scaleMode = mode;
    run(QString("qm.scale('%1')").arg(stageScale(mode)));
  }
  return true;
}

bool RuffleEngine::SetVariable(const std::string& name, const std::string& value) {
  if (path_.empty() || failed_ || !driven_) return false;
  const std::string key = movieRootName(name);
  if (key.empty()) return false;
  variables_[key] = value;
  steer(QString("qm.set(%1,%2)").arg(jsString(QString::fromStdString(key)), jsString(QString::fromStdString(value))));
  return true;
}

std::optional<std::string> RuffleEngine::GetVariable(const std::string& name) const {
  if (path_.empty() || failed_ || !driven_) return std::nullopt;
  const std::string key = movieRootName(name);
  // From now on the page reports this one every tick.
  const_cast<RuffleEngine*>(this)->run(QString("qm.watch(%1)").arg(jsString(QString::fromStdString(key))));
  const auto found = variables_.find(key);
  if (found == variables_.end()) return std::nullopt;
  return found->second;
}

void RuffleEngine::onMessage(const QString& text) {
  const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
  if (!document.isObject()) return;
  const QJsonObject message = document.object();
  // What the page's movie reported counts for it whether or not the engine
  // holds it now (it may be opened again); a movie the page has let go says
  // nothing.
  if (message.contains("serial")) {
    if (message.value("serial").toInt() != page_.serial) return;
    if (message.contains("started")) page_.started = true;
    if (message.contains("error")) page_.failed = true;
    if (message.contains("loaded")) page_.frames = long(message.value("frames").toInteger());
  }
  // While the page still holds the movie before, nothing it says is the
  // engine's movie's.
  if (!path_.empty() && !pageBehind_) onJson(message);
}

void RuffleEngine::onJson(const QJsonObject& message) {
  if (message.contains("state")) onState(message.value("state").toString());
  if (message.contains("vars")) {
    const QJsonObject vars = message.value("vars").toObject();
    for (auto it = vars.begin(); it != vars.end(); ++it)
      variables_[it.key().toStdString()] = it.value().toString().toStdString();
  }
  if (message.contains("loaded") && !driven_) {
    const long frames = message.value("frames").toInteger();
    if (frames > 0) totalFrames_ = frames;
  }
  if (message.contains("error")) failed_ = true;
  if (message.contains("shown") || message.contains("error")) Shown.raise();
  if (message.contains("fscommand"))
    FSCommand.raise(message.value("fscommand").toString().toStdString(),
                    message.value("args").toString().toStdString());
}

void RuffleEngine::onState(const QString& state) {
  const QStringList parts = state.split(',');
  if (parts.size() != 2) return;
  bool frameOk = false, totalOk = false;
  const long frame = parts[0].toLong(&frameOk), total = parts[1].toLong(&totalOk);
  if (!frameOk || !totalOk || frame < 1 || total < 1) return;
  totalFrames_ = total;
  if (!frame_ || *frame_ != frame - 1) {
    frame_ = frame - 1;
    frameSince_ = std::chrono::steady_clock::now();
  }
}

}  // namespace qm
