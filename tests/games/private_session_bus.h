#pragma once
// Runs the test under a session bus of its own (dbus-run-session), so that nothing it does
// reaches the user's desktop and nothing of the desktop reaches it.

// Call first in main(). Returns -1 when already on the private bus (go on with the tests);
// otherwise runs the same program again under dbus-run-session and returns its exit code.
int rerunOnPrivateSessionBus(int argc, char** argv);
