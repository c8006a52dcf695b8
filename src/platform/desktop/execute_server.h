#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

class QSocketNotifier;
class QTimer;

namespace qm {

// The running player's end of the execute channel, a local socket only its
// own user can open. A client sends one command text in UTF-8 and ends it
// with "\n" (the answer "OK\n" follows) or by closing its write side (the
// text is taken, but the connection is gone before an answer). Requests
// reach the handler from the event loop, after the client has its answer,
// so a handler that opens a modal box keeps no client waiting.
// Plain sockets on the event loop: Qt's network module would cost every
// player the memory of a library it needs for nothing else.
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
  bool listening() const { return listenFd_ >= 0; }

  static constexpr std::size_t kMaxRequestBytes = 64 * 1024;
  // A client that has not sent its whole request this long after it came is
  // dropped, however often it sends a byte.
  static constexpr int kRequestTimeoutMs = 2000;
  // With this many clients waiting, a new one takes the place of the one
  // that has waited longest: a real request is sent at once, so the slow
  // ones never keep it out.
  static constexpr std::size_t kMaxClients = 16;

 private:
  struct Client {
    int fd = -1;
    std::string text;
    // Owns the client's notifier and deadline; deleted later, since the
    // client may end inside one of their signals.
    QObject* watchers = nullptr;
  };
  // Clients by order of arrival: the first is the one waiting longest.
  using Clients = std::map<std::uint64_t, Client>;

  void acceptClients();
  void readFrom(std::uint64_t id);
  void answer(Clients::iterator client);
  void drop(Clients::iterator client);
  void deliver(const std::string& text);
  void stopListening();

  Handler onRequest_;
  int requestTimeoutMs_;
  std::uint64_t arrivals_ = 0;
  int listenFd_ = -1;
  QSocketNotifier* incoming_ = nullptr;
  Clients clients_;
  // Parent of every notifier, deadline and queued request: gone with it.
  QObject context_;
};

}  // namespace qm
