#pragma once

#include <QDBusConnection>

namespace qm {

// The user's session bus when one is already running, else a connection that
// is not connected: asking for a bus that is not there would start a bus
// daemon on the side.
QDBusConnection sessionBusIfRunning();

}  // namespace qm
