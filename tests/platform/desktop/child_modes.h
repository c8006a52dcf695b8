#pragma once

// The test program doubles as the other processes its tests need; each mode
// is chosen by the first argument and never reaches the tests.

// "--claim <folder>": claims the instance in the folder; exit code 0 when
// claimed, 1 when not.
int claimInstanceMode(int argc, char** argv);

// "--fake-screen-saver <bus address> <object path>": a screen-saver service
// on that bus until it is terminated.
int fakeScreenSaverMode(int argc, char** argv);
