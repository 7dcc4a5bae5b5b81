#include "game/shell/frame_log_port.h"

#include "game/shell/web/web_system.h"

int64_t PortWallMicroseconds() { return WebRealMicroseconds(); }
// A page has no processor clock of its own thread: the game's time is the
// time it kept the page's thread (its spin included), all but the turns it
// handed the browser.
int64_t PortThreadCpuMicroseconds() { return WebRealMicroseconds() - WebGivenMicroseconds(); }
int64_t PortPacingMicroseconds() { return WebLastReadingMicroseconds(); }
