#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <map>

class QTcpServer;
class QTcpSocket;

namespace qm {

// A tiny HTTP server for the web view of the Flash runtime: bound to
// 127.0.0.1 on a port the system picks, answering GET only under a random,
// unguessable path, and only for the names it was given. Everything else is
// 404. The web engine cannot fetch a custom URL scheme, hence HTTP.
class MovieServer : public QObject {
 public:
  MovieServer();
  ~MovieServer() override;

  // Starts listening; false when no port could be had.
  bool start();
  bool listening() const;
  // "http://127.0.0.1:<port>/<token>/"; every name is served under it.
  QString base() const;

  void serveFile(const QString& name, const QString& filePath, const QByteArray& mime);
  void serveBytes(const QString& name, const QByteArray& bytes, const QByteArray& mime);
  void forget(const QString& name);

 private:
  struct Entry {
    QString filePath;  // empty: bytes
    QByteArray bytes;
    QByteArray mime;
  };

  void accept();
  void read(QTcpSocket* socket);
  void answer(QTcpSocket* socket, const QByteArray& path);

  QTcpServer* server_;
  QString token_;
  std::map<QString, Entry> entries_;
};

}  // namespace qm
