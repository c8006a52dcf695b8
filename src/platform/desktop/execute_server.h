#pragma once

#include <QByteArray>
#include <QLocalServer>
#include <functional>
#include <string>
#include <unordered_map>

class QLocalSocket;
class QTimer;

namespace qm {

// The running player's end of the execute channel, a local socket only its
// own user can open. A client sends one command text in UTF-8 and ends it
// with "\n" (the answer "OK\n" follows) or by closing its write side (the
// text is taken, but the connection is gone before an answer). Requests
// reach the handler from the event loop, after the client has its answer,
// so a handler that opens a modal box keeps no client waiting.
class ExecuteServer {
 public:
  using Handler = std::function<void(const std::string& text)>;

  explicit ExecuteServer(Handler onRequest, int idleTimeoutMs = kIdleTimeoutMs);
  ~ExecuteServer();
  ExecuteServer(const ExecuteServer&) = delete;
  ExecuteServer& operator=(const ExecuteServer&) = delete;

  // Listens on `socketPath`, replacing what an ended player left there; the
  // caller makes sure no running player owns it.
  bool listen(const std::string& socketPath);
  bool listening() const { return server_.isListening(); }

  static constexpr qsizetype kMaxRequestBytes = 64 * 1024;
  // A client that sends nothing for this long is dropped.
  static constexpr int kIdleTimeoutMs = 5000;
  static constexpr std::size_t kMaxClients = 16;

 private:
  struct Client {
    QByteArray text;
    QTimer* idle = nullptr;
  };

  void acceptClients();
  void readFrom(QLocalSocket* socket);
  void clientGone(QLocalSocket* socket);
  void answer(QLocalSocket* socket, const QByteArray& text);
  void drop(QLocalSocket* socket);
  void deliver(const QByteArray& text);

  Handler onRequest_;
  int idleTimeoutMs_;
  QLocalServer server_;
  std::unordered_map<QLocalSocket*, Client> clients_;
};

}  // namespace qm
