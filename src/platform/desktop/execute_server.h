#pragma once

#include <QByteArray>
#include <QLocalServer>
#include <cstdint>
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

  explicit ExecuteServer(Handler onRequest, int requestTimeoutMs = kRequestTimeoutMs);
  ~ExecuteServer();
  ExecuteServer(const ExecuteServer&) = delete;
  ExecuteServer& operator=(const ExecuteServer&) = delete;

  // Listens on `socketPath`, replacing what an ended player left there; the
  // caller makes sure no running player owns it.
  bool listen(const std::string& socketPath);
  bool listening() const { return server_.isListening(); }

  static constexpr qsizetype kMaxRequestBytes = 64 * 1024;
  // A client that has not sent its whole request this long after it came is
  // dropped, however often it sends a byte.
  static constexpr int kRequestTimeoutMs = 2000;
  // With this many clients waiting, a new one takes the place of the one
  // that has waited longest: a real request is sent at once, so the slow
  // ones never keep it out.
  static constexpr std::size_t kMaxClients = 16;

 private:
  struct Client {
    QByteArray text;
    QTimer* deadline = nullptr;
    std::uint64_t arrival = 0;
  };

  void acceptClients();
  void readFrom(QLocalSocket* socket);
  void clientGone(QLocalSocket* socket);
  void answer(QLocalSocket* socket, const QByteArray& text);
  void drop(QLocalSocket* socket);
  void dropLongestWaiting();
  void deliver(const QByteArray& text);

  Handler onRequest_;
  int requestTimeoutMs_;
  std::uint64_t arrivals_ = 0;
  QLocalServer server_;
  std::unordered_map<QLocalSocket*, Client> clients_;
};

}  // namespace qm
