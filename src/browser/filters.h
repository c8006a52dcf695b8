#pragma once

#include "model/media_types.h"

namespace qm {

struct PlayerContext;

// The type filter buttons pick one group of the media table.
using Filter = MediaGroup;

// A type filter button: the list shows that kind, the bottom bar gets the
// kind's buttons, the slide show and the background music stop.
void applyFilter(PlayerContext& p, Filter filter);
// The list tab: the play button's action with the tab marked.
void listTab(PlayerContext& p);

void connectFilters(PlayerContext& p);

}  // namespace qm
