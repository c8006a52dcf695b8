// The web view's file server hands out only what the engine registered, and
// only under its own random path.
#include "platform/webengine/movie_server.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include "support/temp_dir.h"

namespace qm {
namespace {

// The status line and the body of a GET of `path` (the URL's path part).
std::pair<QByteArray, QByteArray> get(const MovieServer& server, const QString& path) {
  const QUrl base(server.base());
  QTcpSocket socket;
  QByteArray reply;
  QEventLoop loop;
  QObject::connect(&socket, &QTcpSocket::connected,
                   [&] { socket.write("GET " + path.toUtf8() + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"); });
  QObject::connect(&socket, &QTcpSocket::readyRead, [&] { reply += socket.readAll(); });
  QObject::connect(&socket, &QTcpSocket::disconnected, &loop, &QEventLoop::quit);
  QTimer::singleShot(5000, &loop, &QEventLoop::quit);
  socket.connectToHost("127.0.0.1", quint16(base.port()));
  loop.exec();
  const qsizetype headEnd = reply.indexOf("\r\n\r\n");
  return {reply.left(reply.indexOf("\r\n")), headEnd < 0 ? QByteArray() : reply.mid(headEnd + 4)};
}

TEST(MovieServer, ServesOnlyRegisteredNamesUnderItsOwnPath) {
  test::TempDir dir;
  const QString moviePath = QString::fromStdString(dir.path() + "/a.swf");
  const QString secretPath = QString::fromStdString(dir.path() + "/secret.txt");
  for (const auto& [path, text] : {std::pair{moviePath, "FWS movie"}, std::pair{secretPath, "secret"}}) {
    FILE* out = std::fopen(path.toUtf8().constData(), "wb");
    ASSERT_TRUE(out);
    std::fputs(text, out);
    std::fclose(out);
  }

  MovieServer server;
  ASSERT_TRUE(server.start());
  EXPECT_TRUE(server.base().startsWith("http://127.0.0.1:"));
  server.serveFile("movie-1.swf", moviePath, "application/x-shockwave-flash");
  const QString prefix = QUrl(server.base()).path();

  auto [status, body] = get(server, prefix + "movie-1.swf");
  EXPECT_EQ(status, "HTTP/1.1 200 OK");
  EXPECT_EQ(body, "FWS movie");

  // Another name in the same folder, a climb out of the path, the right
  // name under another server's path: none of them.
  EXPECT_EQ(get(server, prefix + "secret.txt").first, "HTTP/1.1 404 Not Found");
  EXPECT_EQ(get(server, prefix + "../" + secretPath).first, "HTTP/1.1 404 Not Found");
  MovieServer other;
  ASSERT_TRUE(other.start());
  EXPECT_NE(QUrl(other.base()).path(), prefix);
  EXPECT_EQ(get(server, QUrl(other.base()).path() + "movie-1.swf").first, "HTTP/1.1 404 Not Found");

  server.forget("movie-1.swf");
  EXPECT_EQ(get(server, prefix + "movie-1.swf").first, "HTTP/1.1 404 Not Found");
}

}  // namespace
}  // namespace qm
