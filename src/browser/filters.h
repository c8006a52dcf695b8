#pragma once

namespace qm {

class Player;

enum class Filter { Pictures, Films, Music };

// A type filter button: the list shows that kind, the bottom bar gets the
// kind's buttons, the slide show and the background music stop.
void applyFilter(Player& p, Filter filter);
// The list tab: the play button's action with the tab marked.
void listTab(Player& p);

void connectFilters(Player& p);

}  // namespace qm
