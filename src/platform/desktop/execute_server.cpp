#include "platform/desktop/execute_server.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QLocalSocket>
#include <QTimer>
#include <algorithm>

namespace qm {

namespace {

// The socket file is the user's alone already; asking the kernel who is on
// the other end guards against a folder with looser rights.
bool peerIsThisUser(const QLocalSocket* socket) {
  ucred peer{};
  socklen_t size = sizeof peer;
  const auto fd = static_cast<int>(socket->socketDescriptor());
  return fd >= 0 && ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::geteuid();
}

// The request of a text that holds a line end: the first line, without "\r".
QByteArray firstLine(const QByteArray& text, qsizetype end) {
  QByteArray line = text.left(end);
  if (line.endsWith('\r')) line.chop(1);
  return line;
}

}  // namespace

ExecuteServer::ExecuteServer(Handler onRequest, int requestTimeoutMs)
    : onRequest_(std::move(onRequest)), requestTimeoutMs_(requestTimeoutMs) {
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  QObject::connect(&server_, &QLocalServer::newConnection, [this] { acceptClients(); });
}

// Clients still open, or answered and waiting for deletion, go first and
// quietly: their signals must not reach a server that is half gone.
ExecuteServer::~ExecuteServer() {
  for (QLocalSocket* socket : server_.findChildren<QLocalSocket*>()) {
    QObject::disconnect(socket, nullptr, nullptr, nullptr);
    socket->abort();
    delete socket;
  }
  clients_.clear();
  server_.close();
}

bool ExecuteServer::listen(const std::string& socketPath) {
  const QString path = QString::fromStdString(socketPath);
  QLocalServer::removeServer(path);
  return server_.listen(path);
}

void ExecuteServer::acceptClients() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    if (!peerIsThisUser(socket)) {
      socket->abort();
      socket->deleteLater();
      continue;
    }
    if (clients_.size() >= kMaxClients) dropLongestWaiting();
    Client& client = clients_[socket];
    client.arrival = ++arrivals_;
    client.deadline = new QTimer(socket);
    client.deadline->setSingleShot(true);
    QObject::connect(client.deadline, &QTimer::timeout, &server_, [this, socket] { drop(socket); });
    QObject::connect(socket, &QLocalSocket::readyRead, &server_, [this, socket] { readFrom(socket); });
    QObject::connect(socket, &QLocalSocket::disconnected, &server_, [this, socket] { clientGone(socket); });
    client.deadline->start(requestTimeoutMs_);
    readFrom(socket);
  }
}

void ExecuteServer::readFrom(QLocalSocket* socket) {
  auto found = clients_.find(socket);
  if (found == clients_.end()) return;
  Client& client = found->second;
  client.text += socket->read(kMaxRequestBytes + 1 - client.text.size());
  if (const qsizetype end = client.text.indexOf('\n'); end >= 0) {
    answer(socket, firstLine(client.text, end));
    return;
  }
  if (client.text.size() > kMaxRequestBytes) drop(socket);
}

// A client that closed its side without "\n" has sent its whole text; one
// that sent nothing has asked for nothing.
void ExecuteServer::clientGone(QLocalSocket* socket) {
  auto found = clients_.find(socket);
  if (found != clients_.end()) {
    const QByteArray text = found->second.text + socket->readAll();
    clients_.erase(found);
    const qsizetype end = text.indexOf('\n');
    if (end >= 0 && end <= kMaxRequestBytes)
      deliver(firstLine(text, end));
    else if (end < 0 && !text.isEmpty() && text.size() <= kMaxRequestBytes)
      deliver(text);
  }
  socket->deleteLater();
}

void ExecuteServer::answer(QLocalSocket* socket, const QByteArray& text) {
  clients_.erase(socket);
  socket->write("OK\n");
  socket->flush();
  socket->disconnectFromServer();
  deliver(text);
}

void ExecuteServer::drop(QLocalSocket* socket) {
  clients_.erase(socket);
  socket->abort();
  socket->deleteLater();
}

void ExecuteServer::dropLongestWaiting() {
  const auto longest = std::min_element(clients_.begin(), clients_.end(), [](const auto& a, const auto& b) {
    return a.second.arrival < b.second.arrival;
  });
  if (longest != clients_.end()) drop(longest->first);
}

void ExecuteServer::deliver(const QByteArray& text) {
  // Invalid UTF-8 becomes replacement characters rather than reaching the
  // handlers as stray bytes.
  std::string utf8 = QString::fromUtf8(text).toStdString();
  QMetaObject::invokeMethod(
      &server_, [this, utf8 = std::move(utf8)] { onRequest_(utf8); }, Qt::QueuedConnection);
}

}  // namespace qm
