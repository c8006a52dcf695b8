// How Ruffle's engine hands movies to its page: a movie opened again while
// the page still loads it goes on (the list locate's walk passes over the
// command line's movie and comes back to it), and one already on the screen
// starts over.
#include <gtest/gtest.h>

#include <QWebEnginePage>
#include <QWebEngineView>
#include <QWidget>
#include <fstream>

#include "platform/swf/swf_file.h"
#include "platform/web/web_engine_module.h"
#include "support/event_wait.h"
#include "support/temp_dir.h"
#include "swf_writer/own_movies.h"

namespace qm {
namespace {

using live::pumpUntil;

// The value of a script in the page, once it has answered.
QVariant evaluate(QWebEnginePage& page, const QString& script) {
  auto answer = std::make_shared<std::optional<QVariant>>();
  page.runJavaScript(script, [answer](const QVariant& value) { *answer = value; });
  pumpUntil([&] { return answer->has_value(); }, 10000);
  return answer->value_or(QVariant());
}

TEST(RuffleEngine, AMovieOpenedAgainGoesOnUntilItShowsThenStartsOver) {
  test::TempDir dir;
  const std::string path = dir.path() + "/count.swf";
  const std::vector<uint8_t> bytes = swf_writer::countingMovie();
  ASSERT_TRUE(std::ofstream(path, std::ios::binary)
                  .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size())));
  const swf::SwfReadResult read = swf::readSwfFile(path);
  ASSERT_TRUE(read.ok());
  QWidget window;
  window.resize(320, 240);
  window.show();
  const WebEngineModule* module = webEngineModule();
  ASSERT_TRUE(module);
  std::unique_ptr<RuffleRuntime> engine = module->createRuffle(QM_PROGRAM_DIR "/ruffle");
  engine->setViewParent(&window);

  // The page makes its player for the movie, marked here to tell it from
  // any later one.
  ASSERT_TRUE(engine->load(path, read.file));
  engine->view()->show();
  QWebEnginePage& page = *qobject_cast<QWebEngineView*>(engine->view())->page();
  const QString mark = "qm.player && (qm.player.dataset.mark = 'first')";
  ASSERT_TRUE(pumpUntil([&] { return evaluate(page, mark).toString() == "first"; }, 20000));

  // Opened again before its first frame, with another entry opened and left
  // in the same turn first: the same player plays it.
  engine->unload();
  engine->load(path, read.file);
  ASSERT_TRUE(pumpUntil([&] { return engine->FrameNum().value_or(0) > 3; }, 30000));
  EXPECT_EQ(evaluate(page, "qm.player.dataset.mark").toString().toStdString(), "first");

  // On the screen now: opened again, it starts over in a new player.
  engine->unload();
  engine->load(path, read.file);
  ASSERT_TRUE(pumpUntil([&] { return evaluate(page, "!!qm.player && !qm.player.dataset.mark").toBool(); }, 10000));
  EXPECT_TRUE(pumpUntil([&] { return engine->FrameNum().value_or(0) > 3; }, 30000));
}

}  // namespace
}  // namespace qm
