#include "game/media/stage_sheets.h"

#include "game/shell/shared_state.h"
#include "game/shell/system_port.h"

// The sheets themselves come with the bitmap loader; the wait is the part
// the flow depends on: half a second, then up to one more second that any
// held key or button cuts short.
void LoadStageSheets(int32_t) {
  PortSleep(500);
  for (int32_t i = 0; i < 10; ++i) {
    if (InputState.load() != 0) break;
    PortSleep(100);
  }
}
