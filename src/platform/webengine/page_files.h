#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>
#include <map>

namespace qm {

// Ruffle's page, its scripts and wasm, and the movies come to the web engine
// through a URL scheme of the player's own, answered inside this process:
// there is no port for another program to reach, and only the profile the
// handler is installed in knows the scheme. Each file is answered from
// memory or streamed from disk, and only the names registered are: anything
// else is not found.
class PageFiles : public QWebEngineUrlSchemeHandler {
 public:
  explicit PageFiles(QObject* parent = nullptr);

  // Where a name is served: kScheme://page/<name>.
  static QUrl url(const QString& name);
  static constexpr char kScheme[] = "quilmora-flash";

  // The path as the file system's bytes: a name that is no UTF-8 still opens.
  void serveFile(const QString& name, const QByteArray& filePath, const QByteArray& mime);
  void serveBytes(const QString& name, const QByteArray& bytes, const QByteArray& mime);
  void forget(const QString& name);

  void requestStarted(QWebEngineUrlRequestJob* job) override;

 private:
  struct Entry {
    QByteArray filePath;  // empty: bytes
    QByteArray bytes;
    QByteArray mime;
  };
  std::map<QString, Entry> entries_;
};

}  // namespace qm
