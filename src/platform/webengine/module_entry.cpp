// The module's one entry: the program finds it by name once loaded.
#include <QByteArray>
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QOpenGLContext>
#include <QQuickWindow>

#include "platform/webengine/ruffle_engine.h"
#include "platform/webengine/sandbox.h"
#include "platform/webengine/web_engine_browser.h"

// Qt WebEngine, started after the application (it says so once), reads the
// format of the OpenGL context it would share even when it draws without
// OpenGL, and crashes when there is none: the module makes that context.
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);
Q_GUI_EXPORT QOpenGLContext* qt_gl_global_share_context();
QT_END_NAMESPACE

namespace {

// The web views draw with Qt Quick's software renderer into the window's
// own raster surface. A view drawing through OpenGL would make Qt build the
// top-level window anew with an OpenGL surface: a new native window that
// blinks, is placed anew on Wayland, and leaves the side windows attached to
// the one that went. Chromium then composites in software as well.
void prepareRendering() {
  if (!qt_gl_global_share_context()) {
    auto* context = new QOpenGLContext(QCoreApplication::instance());
    context->create();
    qt_gl_set_global_share_context(context);
  }
  QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
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

// Qt WebEngine writes its OpenGL set-up and Chromium's switches to standard
// error as it starts, some twenty lines when the first page or movie shows.
// QT_LOGGING_RULES still turns them back on.
void quietStartReport() { QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false")); }

const qm::WebEngineModule kModule{
    [](const std::string& ruffleFolder) -> std::unique_ptr<qm::RuffleRuntime> {
      return std::make_unique<qm::RuffleEngine>(ruffleFolder);
    },
    []() -> std::unique_ptr<qm::BrowserRuntime> { return std::make_unique<qm::WebEngineBrowser>(); },
};

}  // namespace

extern "C" __attribute__((visibility("default"))) const qm::WebEngineModule* quilmora_web_engine_module() {
  static const bool prepared =
      (prepareRendering(), chooseWebEngineFeatures(), quietStartReport(), qm::chooseWebEngineSandbox(), true);
  (void)prepared;
  return &kModule;
}
