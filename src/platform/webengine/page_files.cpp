#include "platform/webengine/page_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <QBuffer>
#include <QFile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace qm {
namespace {

constexpr char kHost[] = "page";

// The web engine takes schemes only before its first class is made, so the
// scheme is registered as the module loads. A secure scheme: its pages are
// secure contexts and have an origin of their own, which the page's content
// security policy names as 'self'. Not a local scheme: that would need
// access to local files granted to load its own.
const bool kRegistered = [] {
  QWebEngineUrlScheme scheme(PageFiles::kScheme);
  scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
  scheme.setFlags(QWebEngineUrlScheme::SecureScheme);
  QWebEngineUrlScheme::registerScheme(scheme);
  return true;
}();

}  // namespace

PageFiles::PageFiles(QObject* parent) : QWebEngineUrlSchemeHandler(parent) {}

QUrl PageFiles::url(const QString& name) {
  QUrl address;
  address.setScheme(kScheme);
  address.setHost(kHost);
  address.setPath("/" + name);
  return address;
}

void PageFiles::serveFile(const QString& name, const QByteArray& filePath, const QByteArray& mime) {
  entries_[name] = Entry{filePath, {}, mime};
}

void PageFiles::serveBytes(const QString& name, const QByteArray& bytes, const QByteArray& mime) {
  entries_[name] = Entry{{}, bytes, mime};
}

void PageFiles::forget(const QString& name) { entries_.erase(name); }

void PageFiles::requestStarted(QWebEngineUrlRequestJob* job) {
  const QUrl address = job->requestUrl();
  if (job->requestMethod() != "GET" || address.host() != kHost) {
    job->fail(QWebEngineUrlRequestJob::RequestDenied);
    return;
  }
  const auto found = entries_.find(address.path().mid(1));
  if (found == entries_.end()) {
    job->fail(QWebEngineUrlRequestJob::UrlNotFound);
    return;
  }
  const Entry& entry = found->second;
  if (entry.filePath.isEmpty()) {
    auto* buffer = new QBuffer(job);
    buffer->setData(entry.bytes);
    buffer->open(QIODevice::ReadOnly);
    job->reply(entry.mime, buffer);
    return;
  }
  // Read by the web engine as it needs it, not whole here.
  // Opened by its bytes: QFile would take the name through UTF-8.
  const int fd = ::open(entry.filePath.constData(), O_RDONLY | O_CLOEXEC);
  auto* file = new QFile(job);
  if (fd < 0 || !file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    if (fd >= 0) ::close(fd);
    delete file;
    job->fail(QWebEngineUrlRequestJob::UrlNotFound);
    return;
  }
  job->reply(entry.mime, file);
}

}  // namespace qm
