#include "platform/desktop/execute_server.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QString>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace qm {

namespace {

// The socket file is the user's alone already; asking the kernel who is on
// the other end guards against a folder with looser rights.
bool peerIsThisUser(int fd) {
  ucred peer{};
  socklen_t size = sizeof peer;
  return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::geteuid();
}

// The request of a text that holds a line end: the first line, without "\r".
std::string firstLine(const std::string& text, std::size_t end) {
  std::string line = text.substr(0, end);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

}  // namespace

ExecuteServer::ExecuteServer(Handler onRequest, int requestTimeoutMs)
    : onRequest_(std::move(onRequest)), requestTimeoutMs_(requestTimeoutMs) {}

ExecuteServer::~ExecuteServer() {
  while (!clients_.empty()) drop(clients_.begin());
  stopListening();
}

bool ExecuteServer::listen(const std::string& socketPath) {
  stopListening();
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (socketPath.empty() || socketPath.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
  ::unlink(socketPath.c_str());
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::chmod(socketPath.c_str(), S_IRUSR | S_IWUSR) != 0 || ::listen(fd, SOMAXCONN) != 0) {
    ::close(fd);
    return false;
  }
  listenFd_ = fd;
  incoming_ = new QSocketNotifier(fd, QSocketNotifier::Read, &context_);
  QObject::connect(incoming_, &QSocketNotifier::activated, &context_, [this] { acceptClients(); });
  return true;
}

void ExecuteServer::stopListening() {
  if (listenFd_ < 0) return;
  delete incoming_;
  incoming_ = nullptr;
  ::close(listenFd_);
  listenFd_ = -1;
}

void ExecuteServer::acceptClients() {
  for (;;) {
    const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
      if (errno == EINTR) continue;
      return;  // none left (or out of descriptors: the rest wait in the queue)
    }
    if (!peerIsThisUser(fd)) {
      ::close(fd);
      continue;
    }
    if (clients_.size() >= kMaxClients) drop(clients_.begin());
    const std::uint64_t id = ++arrivals_;
    Client& client = clients_[id];
    client.fd = fd;
    client.watchers = new QObject(&context_);
    auto* readable = new QSocketNotifier(fd, QSocketNotifier::Read, client.watchers);
    QObject::connect(readable, &QSocketNotifier::activated, client.watchers, [this, id] { readFrom(id); });
    auto* deadline = new QTimer(client.watchers);
    deadline->setSingleShot(true);
    QObject::connect(deadline, &QTimer::timeout, client.watchers, [this, id] {
      if (auto found = clients_.find(id); found != clients_.end()) drop(found);
    });
    deadline->start(requestTimeoutMs_);
    readFrom(id);
  }
}

void ExecuteServer::readFrom(std::uint64_t id) {
  const auto client = clients_.find(id);
  if (client == clients_.end()) return;
  std::string& text = client->second.text;
  char buffer[4096];
  for (;;) {
    // Never more than one byte past the limit, whatever the client sends.
    const std::size_t room = std::min(sizeof buffer, kMaxRequestBytes + 1 - text.size());
    const ssize_t got = ::recv(client->second.fd, buffer, room, 0);
    if (got > 0) {
      const std::size_t searchFrom = text.size();
      text.append(buffer, static_cast<std::size_t>(got));
      if (const std::size_t end = text.find('\n', searchFrom); end != std::string::npos) {
        deliver(firstLine(text, end));
        answer(client);
        return;
      }
      if (text.size() > kMaxRequestBytes) return drop(client);
      continue;
    }
    if (got < 0 && errno == EINTR) continue;
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
    // The client closed its side: what it sent is its whole text, and one
    // that sent nothing has asked for nothing. A broken connection asks for
    // nothing either.
    if (got == 0 && !text.empty()) deliver(text);
    return drop(client);
  }
}

void ExecuteServer::answer(Clients::iterator client) {
  // Three bytes always fit in a new connection's empty send buffer.
  (void)::send(client->second.fd, "OK\n", 3, MSG_NOSIGNAL);
  drop(client);
}

void ExecuteServer::drop(Clients::iterator client) {
  for (auto* notifier : client->second.watchers->findChildren<QSocketNotifier*>()) notifier->setEnabled(false);
  for (auto* timer : client->second.watchers->findChildren<QTimer*>()) timer->stop();
  client->second.watchers->deleteLater();
  ::close(client->second.fd);
  clients_.erase(client);
}

void ExecuteServer::deliver(const std::string& text) {
  // Invalid UTF-8 becomes replacement characters rather than reaching the
  // handlers as stray bytes.
  std::string utf8 = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toStdString();
  QMetaObject::invokeMethod(
      &context_, [this, utf8 = std::move(utf8)] { onRequest_(utf8); }, Qt::QueuedConnection);
}

}  // namespace qm
