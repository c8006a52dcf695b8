#include "browser/filters.h"

#include "app/player.h"
#include "browser/patterns.h"
#include "browser/tab_bar.h"
#include "player/open.h"
#include "player/transport.h"

namespace qm {

void applyFilter(Player& p, Filter filter) {
  Form1& f = p.form;
  showPointer(p.windows());
  f.File1.setPattern(filter == Filter::Pictures ? kPicturePattern
                     : filter == Filter::Films  ? kFilmPattern
                                                : kMusicPattern);
  f.Timer1.setEnabled(false);
  f.Dir1.setVisible(true);
  f.Dir1.setEnabled(true);
  f.Dir1.refresh();
  showButtonSet(f, filter == Filter::Pictures);
  if (filter != Filter::Films) f.WindowsMediaPlayer1.setVisible(true);
  f.WindowsMediaPlayer2.engine().close();
  f.WindowsMediaPlayer2.engine().setEnabled(false);
}

void listTab(Player& p) {
  showPointer(p.windows());
  paintTabs(p.form, p.form.Label6);
  playButton(p);
}

void connectFilters(Player& p) {
  Form1& f = p.form;
  f.Option1.Click.connect([&p] { applyFilter(p, Filter::Pictures); });
  f.Option2.Click.connect([&p] { applyFilter(p, Filter::Films); });
  f.Option3.Click.connect([&p] { applyFilter(p, Filter::Music); });
  f.Label6.Click.connect([&p] { listTab(p); });
}

}  // namespace qm
