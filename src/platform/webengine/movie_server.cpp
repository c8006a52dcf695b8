#include "platform/webengine/movie_server.h"

#include <QFile>
#include <QHostAddress>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

namespace qm {
namespace {

// A request head larger than this is not one the web view sends.
constexpr qsizetype kMaxRequestHead = 16 * 1024;

QString randomToken() {
  quint32 words[4];
  QRandomGenerator::system()->fillRange(words);
  QString token;
  for (quint32 w : words) token += QString::number(w, 16).rightJustified(8, '0');
  return token;
}

void reply(QTcpSocket* socket, const char* status, const QByteArray& mime, const QByteArray& body) {
  QByteArray head = QByteArray("HTTP/1.1 ") + status + "\r\nContent-Length: " + QByteArray::number(body.size()) +
                    "\r\nCache-Control: no-store\r\nConnection: close\r\n";
  if (!mime.isEmpty()) head += "Content-Type: " + mime + "\r\n";
  socket->write(head + "\r\n");
  socket->write(body);
  socket->disconnectFromHost();
}

}  // namespace

MovieServer::MovieServer() : server_(new QTcpServer(this)), token_(randomToken()) {
  connect(server_, &QTcpServer::newConnection, this, [this] { accept(); });
}

MovieServer::~MovieServer() = default;

bool MovieServer::start() { return listening() || server_->listen(QHostAddress::LocalHost, 0); }

bool MovieServer::listening() const { return server_->isListening(); }

QString MovieServer::base() const { return QString("http://127.0.0.1:%1/%2/").arg(server_->serverPort()).arg(token_); }

void MovieServer::serveFile(const QString& name, const QString& filePath, const QByteArray& mime) {
  entries_[name] = Entry{filePath, {}, mime};
}

void MovieServer::serveBytes(const QString& name, const QByteArray& bytes, const QByteArray& mime) {
  entries_[name] = Entry{{}, bytes, mime};
}

void MovieServer::forget(const QString& name) { entries_.erase(name); }

void MovieServer::accept() {
  while (QTcpSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
  }
}

void MovieServer::read(QTcpSocket* socket) {
  QByteArray head = socket->property("head").toByteArray() + socket->readAll();
  if (head.size() > kMaxRequestHead) {
    reply(socket, "431 Request Header Fields Too Large", {}, {});
    return;
  }
  if (!head.contains("\r\n\r\n")) {
    socket->setProperty("head", head);
    return;
  }
  const QList<QByteArray> request = head.left(head.indexOf("\r\n")).split(' ');
  if (request.size() != 3 || request[0] != "GET") {
    reply(socket, "405 Method Not Allowed", {}, {});
    return;
  }
  answer(socket, request[1]);
}

void MovieServer::answer(QTcpSocket* socket, const QByteArray& target) {
  const qsizetype query = target.indexOf('?');
  const QString path = QUrl::fromPercentEncoding(query < 0 ? target : target.left(query));
  const QString prefix = "/" + token_ + "/";
  const auto found = path.startsWith(prefix) ? entries_.find(path.mid(prefix.size())) : entries_.end();
  if (found == entries_.end()) {
    reply(socket, "404 Not Found", {}, {});
    return;
  }
  const Entry& entry = found->second;
  if (entry.filePath.isEmpty()) {
    reply(socket, "200 OK", entry.mime, entry.bytes);
    return;
  }
  QFile file(entry.filePath);
  if (!file.open(QIODevice::ReadOnly)) {
    reply(socket, "404 Not Found", {}, {});
    return;
  }
  reply(socket, "200 OK", entry.mime, file.readAll());
}

}  // namespace qm
