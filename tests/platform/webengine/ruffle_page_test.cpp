// A movie in Ruffle's page reaches nothing outside itself: not the page's
// script, not the network, not the view's address; and the page's files
// come to the web engine without a port anyone else could reach.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QWidget>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/swf/swf_builder.h"
#include "platform/swf/swf_file.h"
#include "platform/web/web_engine_module.h"
#include "support/event_wait.h"
#include "support/temp_dir.h"
#include "swf_writer/own_movies.h"

namespace qm {
namespace {

using live::pumpUntil;
using swf_writer::ActionBuilder;

// A web server on the loopback that records each request line and answers
// anything a page could use: a page whose script would report as the player's
// own page does, readable from any origin.
class WitnessServer {
 public:
  WitnessServer() {
    server_.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) {
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
          const QByteArray head = socket->readAll();
          requests_.push_back(head.left(head.indexOf("\r\n")).toStdString());
          const QByteArray body = "<script>console.log('qm:{\"fscommand\":\"forged\",\"args\":\"page\"}')</script>";
          socket->write(
              "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nAccess-Control-Allow-Origin: *\r\n"
              "Content-Length: " +
              QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
          socket->disconnectFromHost();
        });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
      }
    });
  }
  std::string url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + path;
  }
  const std::vector<std::string>& requests() const { return requests_; }

 private:
  QTcpServer server_;
  std::vector<std::string> requests_;
};

// Script that asks `url` and waits for the answer (so a request, if made, is
// in before the movie's next action), then speaks as the page's script.
std::string reachOut(const std::string& url, const std::string& who) {
  return "var r=new XMLHttpRequest();r.open('GET','" + url +
         "',false);r.send();console.log('qm:{\"fscommand\":\"forged\",\"args\":\"" + who + "\"}')";
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(out.flush());
}

// getURL(url, window) pops the same as a load into a level: the action is
// one, the target says which.
ActionBuilder& getUrl(ActionBuilder& actions, const std::string& url, const std::string& window) {
  return actions.push(url).push(window).loadMovie();
}

// An AVM1 movie that tries every way out on its first frame, then plays on
// and says "done" through fscommand a second later, and stops.
std::vector<uint8_t> hostileMovie(const WitnessServer& server) {
  constexpr int kFrames = 24;
  constexpr double kFramesPerSecond = 24;
  ActionBuilder attempts;
  // ExternalInterface.call("eval", script)
  attempts.push(reachOut(server.url("/eval"), "eval")).push("eval").pushInt(2);
  attempts.getVariable("flash").push("external").getMember().push("ExternalInterface").getMember();
  attempts.push("call").callMethod().pop();
  getUrl(attempts, "javascript:" + reachOut(server.url("/javascript"), "javascript"), "");
  getUrl(attempts, server.url("/self"), "_self");
  getUrl(attempts, server.url("/blank"), "_blank");

  swf_writer::SwfBuilder movie(8, 320, 240, kFramesPerSecond);
  movie.fileAttributes().backgroundColor({0, 0, 0}).doAction(attempts);
  for (int i = 1; i < kFrames; ++i) movie.showFrame();
  ActionBuilder last;
  getUrl(last, "FSCommand:done", "").stop();
  movie.doAction(last).showFrame();
  return movie.build(swf_writer::Compression::kNone);
}

// The sockets this process listens on for TCP connections, as /proc names
// them ("socket:[inode]").
std::set<std::string> listeningSockets() {
  std::set<std::string> listening;
  for (const char* table : {"/proc/net/tcp", "/proc/net/tcp6"}) {
    std::ifstream in(table);
    std::string line;
    std::getline(in, line);  // the heading
    while (std::getline(in, line)) {
      std::istringstream fields(line);
      std::string slot, local, remote, state, queues, timer, retransmits, uid, timeout, inode;
      fields >> slot >> local >> remote >> state >> queues >> timer >> retransmits >> uid >> timeout >> inode;
      if (state == "0A") listening.insert("socket:[" + inode + "]");
    }
  }
  std::set<std::string> own;
  for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    const std::string target = std::filesystem::read_symlink(fd.path(), error).string();
    if (listening.count(target)) own.insert(target);
  }
  return own;
}

// Ruffle's engine from the module, its view in a window of its own.
struct RuffleRig {
  RuffleRig() {
    window.resize(320, 240);
    window.show();
    const WebEngineModule* module = webEngineModule();
    if (!module) return;
    engine = module->createRuffle(QM_PROGRAM_DIR "/ruffle");
    engine->setViewParent(&window);
    engine->FSCommand.connect([this](const std::string& command, const std::string&) { commands.push_back(command); });
  }
  QWebEnginePage* page() const {
    auto* view = qobject_cast<QWebEngineView*>(engine->view());
    return view ? view->page() : nullptr;
  }
  bool play(const std::string& path) {
    const swf::SwfReadResult read = swf::readSwfFile(path);
    if (!read.ok() || !engine->load(path, read.file)) return false;
    engine->view()->show();  // made after its window showed
    return true;
  }

  QWidget window;
  std::unique_ptr<RuffleRuntime> engine;
  std::vector<std::string> commands;
};

TEST(RufflePage, AMovieReachesNoScriptNoNetworkAndNoOtherPage) {
  ASSERT_TRUE(QFile::exists(QM_PROGRAM_DIR "/ruffle/ruffle.js"));
  WitnessServer server;
  test::TempDir dir;
  const std::string path = dir.path() + "/hostile.swf";
  ASSERT_TRUE(writeFile(path, hostileMovie(server)));
  RuffleRig ruffle;
  ASSERT_TRUE(ruffle.engine);
  ASSERT_TRUE(ruffle.play(path));

  const auto seen = [&] {
    std::string text = "requests:";
    for (const std::string& request : server.requests()) text += " [" + request + "]";
    text += " page: " + (ruffle.page() ? ruffle.page()->url().toString().toStdString() : "none");
    return text;
  };
  const auto done = [&] { return std::count(ruffle.commands.begin(), ruffle.commands.end(), "done") > 0; };
  ASSERT_TRUE(pumpUntil(done, 30000)) << seen();
  EXPECT_EQ(ruffle.commands, std::vector<std::string>{"done"}) << seen();
  EXPECT_EQ(server.requests(), std::vector<std::string>{});
  ASSERT_TRUE(ruffle.page());
  EXPECT_EQ(ruffle.page()->url().fileName(), "index.html") << ruffle.page()->url().toString().toStdString();
  // The host movie still answers the page: the timeline is reported.
  EXPECT_TRUE(pumpUntil([&] { return ruffle.engine->FrameNum() == 23; }, 5000));
}

// Any local user could reach a port; the page's files come another way.
TEST(RufflePage, PlaysWithoutListeningOnAnyPort) {
  test::TempDir dir;
  const std::string path = dir.path() + "/count.swf";
  ASSERT_TRUE(writeFile(path, swf_writer::countingMovie()));
  RuffleRig ruffle;
  ASSERT_TRUE(ruffle.engine);
  ASSERT_TRUE(ruffle.play(path));
  ASSERT_TRUE(pumpUntil([&] { return ruffle.engine->FrameNum().value_or(0) > 3; }, 30000));
  EXPECT_EQ(listeningSockets(), std::set<std::string>{});
}

}  // namespace
}  // namespace qm
