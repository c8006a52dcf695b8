#include "browser/filters.h"

#include "forms/player_context.h"
#include "player/advancing.h"
#include "player/open.h"
#include "player/transport.h"
#include "window/tab_colours.h"

namespace qm {

void applyFilter(PlayerContext& p, Filter filter) {
  Form1& f = p.form;
  showPointer(p.windows);
  f.File1.setPattern(groupPattern(filter));
  endSlideShow(p);
  f.Dir1.setVisible(true);
  f.Dir1.setEnabled(true);
  f.Dir1.refresh();
  showButtonSet(f, filter == Filter::Pictures);
  if (filter != Filter::Films) f.WindowsMediaPlayer1.setVisible(true);
  f.WindowsMediaPlayer2.engine().close();
  f.WindowsMediaPlayer2.engine().setEnabled(false);
}

void listTab(PlayerContext& p) {
  showPointer(p.windows);
  paintTabs(p.form, p.form.Label6);
  playButton(p);
}

void connectFilters(PlayerContext& p) {
  Form1& f = p.form;
  f.Option1.Click.connect([&p] { applyFilter(p, Filter::Pictures); });
  f.Option2.Click.connect([&p] { applyFilter(p, Filter::Films); });
  f.Option3.Click.connect([&p] { applyFilter(p, Filter::Music); });
  f.Label6.Click.connect([&p] { listTab(p); });
}

}  // namespace qm
