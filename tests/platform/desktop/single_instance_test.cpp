#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <fstream>
#include <future>
#include <thread>

#include "child_modes.h"
#include "platform/desktop/execute_server.h"
#include "platform/desktop/local_single_instance.h"
#include "support/event_wait.h"

int claimInstanceMode(int argc, char** argv) {
  if (argc < 3) return 2;
  QCoreApplication app(argc, argv);
  qm::LocalSingleInstance instance(argv[2]);
  return instance.claim() ? 0 : 1;
}

namespace qm {
namespace {

// The exit code of a claim made by another process.
int claimInAnotherProcess(const QString& folder) {
  QProcess child;
  child.start(QCoreApplication::applicationFilePath(), {"--claim", folder});
  if (!child.waitForFinished(10000)) return -1;
  return child.exitCode();
}

struct Reply {
  bool connected = false;
  std::string answer;
  bool endedByServer = false;  // rather than by the client's own timeout
};

// A client on its own thread, so that the server can run on this one: sends
// the bytes, optionally closes its write side, reads until the server ends.
Reply sendRequest(const std::string& socketPath, const std::string& bytes, bool closeWrite) {
  Reply reply;
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.c_str());
  timeval timeout{10, 0};
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
    reply.connected = true;
    std::size_t sent = 0;
    while (sent < bytes.size()) {
      ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) break;
      sent += static_cast<std::size_t>(n);
    }
    if (closeWrite) ::shutdown(fd, SHUT_WR);
    char buffer[256];
    ssize_t n;
    while ((n = ::recv(fd, buffer, sizeof buffer, 0)) > 0) reply.answer.append(buffer, static_cast<std::size_t>(n));
    reply.endedByServer = n == 0;
  }
  ::close(fd);
  return reply;
}

// Runs the event loop until the client is done and the queued requests
// have been handed on.
Reply serveRequest(const std::string& socketPath, const std::string& bytes, bool closeWrite = false) {
  auto reply = std::async(std::launch::async, sendRequest, socketPath, bytes, closeWrite);
  live::pumpUntil([&] { return reply.wait_for(std::chrono::milliseconds(0)) == std::future_status::ready; }, 15000);
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  return reply.get();
}

class SingleInstanceTest : public ::testing::Test {
 protected:
  SingleInstanceTest() {
    instance.Execute.connect([this](const std::string& text) { requests.push_back(text); });
  }
  std::string path(const char* name) const { return (folder.path() + "/" + name).toStdString(); }

  QTemporaryDir folder;
  LocalSingleInstance instance{folder.path().toStdString()};
  std::vector<std::string> requests;
};

TEST_F(SingleInstanceTest, SecondPlayerIsRefusedUntilTheFirstEnds) {
  {
    LocalSingleInstance first(folder.path().toStdString());
    ASSERT_TRUE(first.claim());
    EXPECT_TRUE(first.claim()) << "claiming again keeps the claim";
    EXPECT_EQ(claimInAnotherProcess(folder.path()), 1);
    EXPECT_FALSE(instance.claim()) << "the same process opening the lock again is refused too";
  }
  EXPECT_EQ(claimInAnotherProcess(folder.path()), 0);
  EXPECT_TRUE(instance.claim());
}

TEST_F(SingleInstanceTest, ChannelIsTheUsersAlone) {
  ASSERT_TRUE(instance.claim());
  ASSERT_TRUE(instance.listening());
  EXPECT_EQ(instance.socketPath(), path("quilmora.exec"));
  struct stat socketInfo, lockInfo;
  ASSERT_EQ(::stat(instance.socketPath().c_str(), &socketInfo), 0);
  EXPECT_TRUE(S_ISSOCK(socketInfo.st_mode));
  EXPECT_EQ(socketInfo.st_mode & 077, 0u);
  ASSERT_EQ(::stat(path("quilmora.lock").c_str(), &lockInfo), 0);
  EXPECT_EQ(lockInfo.st_mode & 077, 0u);
}

TEST(RuntimeFolderTest, FolderOthersCanWriteInIsNotUsed) {
  QTemporaryDir shared;
  ASSERT_EQ(::chmod(shared.path().toUtf8().constData(), 01777), 0);
  const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
  qputenv("XDG_RUNTIME_DIR", shared.path().toUtf8());
  const std::string chosen = LocalSingleInstance::runtimeFolder();
  qputenv("XDG_RUNTIME_DIR", saved);
  EXPECT_NE(chosen, shared.path().toStdString());
  struct stat info;
  ASSERT_EQ(::stat(chosen.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 077, 0u);
}

TEST_F(SingleInstanceTest, LeftoverSocketIsReplaced) {
  std::ofstream(path("quilmora.exec")) << "left by a crash";
  ASSERT_TRUE(instance.claim());
  EXPECT_TRUE(instance.listening());
  EXPECT_EQ(serveRequest(instance.socketPath(), "hello\n").answer, "OK\n");
}

TEST_F(SingleInstanceTest, RequestEndedByNewlineIsAnsweredAndRaised) {
  ASSERT_TRUE(instance.claim());
  EXPECT_EQ(serveRequest(instance.socketPath(), "打开 a.mp3\r\nignored").answer, "OK\n");
  EXPECT_EQ(serveRequest(instance.socketPath(), "\n").answer, "OK\n");
  serveRequest(instance.socketPath(),
               "a\xff\xfe"
               "b\n");
  EXPECT_EQ(requests, (std::vector<std::string>{"打开 a.mp3", "", "a\uFFFD\uFFFDb"}))
      << "invalid UTF-8 is replaced, not passed on";
}

TEST_F(SingleInstanceTest, RequestEndedByClosingIsRaised) {
  ASSERT_TRUE(instance.claim());
  const Reply reply = serveRequest(instance.socketPath(), "line one\nline two", true);
  EXPECT_TRUE(reply.connected);
  EXPECT_EQ(requests, (std::vector<std::string>{"line one"}));
  requests.clear();
  serveRequest(instance.socketPath(), "whole text", true);
  serveRequest(instance.socketPath(), "", true);
  EXPECT_EQ(requests, (std::vector<std::string>{"whole text"})) << "a client that sent nothing asked for nothing";
}

TEST_F(SingleInstanceTest, OverlongRequestIsDroppedUnanswered) {
  ASSERT_TRUE(instance.claim());
  const Reply reply =
      serveRequest(instance.socketPath(), std::string(ExecuteServer::kMaxRequestBytes + 10, 'x') + "\n");
  EXPECT_TRUE(reply.connected);
  EXPECT_EQ(reply.answer, "");
  EXPECT_TRUE(requests.empty());
  EXPECT_EQ(serveRequest(instance.socketPath(), "still there\n").answer, "OK\n");
}

TEST(ExecuteServerTest, SilentClientIsDroppedAfterItsIdleTime) {
  QTemporaryDir folder;
  std::vector<std::string> requests;
  ExecuteServer server([&](const std::string& text) { requests.push_back(text); }, 200);
  const std::string socket = (folder.path() + "/exec").toStdString();
  ASSERT_TRUE(server.listen(socket));
  const Reply reply = serveRequest(socket, "no end");
  EXPECT_EQ(reply.answer, "");
  EXPECT_TRUE(reply.endedByServer);
  EXPECT_TRUE(requests.empty());
}

// A client that connects and sends one byte at a time, never a line end,
// until the server ends it or it gives up; true when the server ended it.
// Counts itself in `sending` once its first byte is sent.
bool trickle(const std::string& socketPath, const std::atomic<bool>& giveUp, std::atomic<std::size_t>& sending) {
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.c_str());
  bool ended = false;
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
    for (bool first = true; !giveUp && !ended; first = false) {
      ended = ::send(fd, "x", 1, MSG_NOSIGNAL) != 1;
      if (first && !ended) ++sending;
      char byte;
      if (!ended && ::recv(fd, &byte, 1, MSG_DONTWAIT) == 0) ended = true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }
  ::close(fd);
  return ended;
}

TEST(ExecuteServerTest, SlowClientsNeitherKeepOthersOutNorStayForEver) {
  QTemporaryDir folder;
  std::vector<std::string> requests;
  ExecuteServer server([&](const std::string& text) { requests.push_back(text); }, 1000);
  const std::string socket = (folder.path() + "/exec").toStdString();
  ASSERT_TRUE(server.listen(socket));
  std::atomic<bool> giveUp{false};
  std::atomic<std::size_t> sending{0};
  std::vector<std::future<bool>> slow;
  for (std::size_t i = 0; i < ExecuteServer::kMaxClients; ++i)
    slow.push_back(std::async(std::launch::async, trickle, socket, std::cref(giveUp), std::ref(sending)));
  // Every slow client is in, ahead of the request, and still sending when it comes.
  ASSERT_TRUE(live::pumpUntil([&] { return sending == ExecuteServer::kMaxClients; }, 15000));

  EXPECT_EQ(serveRequest(socket, "open\n").answer, "OK\n");
  EXPECT_EQ(requests, std::vector<std::string>{"open"});

  // However often they send a byte, they are ended in the end.
  auto allEnded = [&] {
    return std::all_of(slow.begin(), slow.end(),
                       [](auto& f) { return f.wait_for(std::chrono::milliseconds(0)) == std::future_status::ready; });
  };
  live::pumpUntil(allEnded, 15000);
  giveUp = true;
  for (auto& client : slow) EXPECT_TRUE(client.get()) << "a client that never finishes its request stays";
}

}  // namespace
}  // namespace qm
