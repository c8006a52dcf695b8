// The module's one entry: the program finds it by name once loaded.
#include <QByteArray>
#include <QCoreApplication>
#include <QOpenGLContext>
#include <QQuickWindow>

#include "platform/webengine/ruffle_engine.h"
#include "platform/webengine/sandbox.h"
#include "platform/webengine/web_engine_browser.h"

// What Qt WebEngine sets up itself when it is linked into a program, made
// here since the module comes after the application: the OpenGL context its
// views share, and OpenGL for the Qt Quick scene they draw through. (The web
// engine says, once, that it was started from a plugin.)
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);
Q_GUI_EXPORT QOpenGLContext* qt_gl_global_share_context();
QT_END_NAMESPACE

namespace {

void prepareOpenGL() {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  if (!qt_gl_global_share_context()) {
    auto* context = new QOpenGLContext(QCoreApplication::instance());
    context->create();
    qt_gl_set_global_share_context(context);
  }
  QQuickWindow::setGraphicsApi(QSGRendererInterface::OpenGLRhi);
}

// Ruffle's 14 MB of wasm compiles function by function as the runtime first
// calls each, rather than all of it before the first frame: a cold movie
// shows some 300 ms sooner. A user's own choice of features stands.
void chooseWebEngineFeatures() {
  QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
  if (flags.contains("--enable-features")) return;
  flags += (flags.isEmpty() ? "" : " ") + QByteArray("--enable-features=WebAssemblyLazyCompilation");
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
}

const qm::WebEngineModule kModule{
    [](const std::string& ruffleFolder) -> std::unique_ptr<qm::RuffleRuntime> {
      return std::make_unique<qm::RuffleEngine>(ruffleFolder);
    },
    []() -> std::unique_ptr<qm::BrowserRuntime> { return std::make_unique<qm::WebEngineBrowser>(); },
};

}  // namespace

extern "C" __attribute__((visibility("default"))) const qm::WebEngineModule* quilmora_web_engine_module() {
  static const bool prepared = (prepareOpenGL(), chooseWebEngineFeatures(), qm::chooseWebEngineSandbox(), true);
  (void)prepared;
  return &kModule;
}
