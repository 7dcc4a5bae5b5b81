#include "game/shell/input_rules.h"

#include "game/shell/shared_state.h"

int32_t KeyBit(int32_t vk) {
  switch (vk) {
    case VkUp: case VkNumpad8: return InputUp & 0xFFFF;
    case VkDown: case VkNumpad2: return InputDown & 0xFFFF;
    case VkRight: case VkNumpad6: return InputRight & 0xFFFF;
    case VkLeft: case VkNumpad4: return InputLeft & 0xFFFF;
    case 'Z': case VkSpace: case VkControl: return InputFire & 0xFFFF;
    case 'C': case 'F': case '0': return InputBomb & 0xFFFF;
    default: return 0;
  }
}

KeyAction KeyDownAction(int32_t vk) {
  if (KeyBit(vk)) return KeySetBits;
  switch (vk) {
    case VkShift: case 'X': return KeyCycleWeapon;
    case VkReturn: case VkPause: case 'P': return KeyTogglePause;
    case VkEscape: case VkF12: return KeyClose;
    case VkF1: return KeyShowScores;
    default: return KeyStoreOnly;
  }
}

int32_t KeyDownInput(int32_t input, int32_t vk) { return input | KeyBit(vk); }
int32_t KeyUpInput(int32_t input, int32_t vk) { return input & ~KeyBit(vk); }

KeyAction TakeKeyDown(int32_t vk) {
  KeyAction action = KeyDownAction(vk);
  if (action == KeyCycleWeapon) CycleWeapon();
  if (action == KeyTogglePause) TogglePause();
  InputState.exchange(KeyDownInput(InputState.load(), vk));
  return action;
}

void TakeKeyUp(int32_t vk) { InputState.exchange(KeyUpInput(InputState.load(), vk)); }

// One key for each keyboard bit.
constexpr int32_t ScriptKeys[] = {VkUp, VkDown, VkRight, VkLeft, 'Z', 'C'};

void ApplyKeyFrame(int32_t held, bool weaponPress, bool pausePress) {
  for (int32_t vk : ScriptKeys) {
    int32_t bit = KeyBit(vk);
    bool was = (InputState.load() & bit) != 0, now = (held & bit) != 0;
    if (was && !now) TakeKeyUp(vk);
    if (now && !was) TakeKeyDown(vk);
  }
  if (weaponPress) TakeKeyDown('X'), TakeKeyUp('X');
  if (pausePress) TakeKeyDown('P'), TakeKeyUp('P');
}

void CycleWeapon() {
  // Every key-down counts, auto-repeat included. One compare-exchange takes
  // the weapon to the next: an increment and a later reset would show the
  // game thread a 5 in between.
  int32_t now = SelectedWeapon.load();
  while (!SelectedWeapon.compare_exchange_weak(now, now >= 0 && now < 4 ? now + 1 : 0)) {
  }
}

void TogglePause() {
  int32_t now = Paused.load() == 0 ? 1 : 0;
  Paused.exchange(now);
  if (now == 0 && MusicWanted.load() == 0) MusicWanted.exchange(1);
  if (now == 1 && MusicWanted.load() == 1) MusicWanted.exchange(0);
}

void ActivateApp(int32_t active) {
  AppActive.exchange(active);
  InputState.exchange(0);  // no key stays held across a switch
  if (QuitConfirmed.load()) return;
  if (active) {
    if (Paused.load() == 0 && MusicWanted.load() == 0) MusicWanted.exchange(1);
  } else {
    MusicWanted.exchange(0);
  }
}

uint32_t JoystickThreshold(uint32_t xMin, uint32_t xMax, uint32_t yMin, uint32_t yMax) {
  return ((xMax - xMin) / 10 + (yMax - yMin) / 10) / 2;
}

int32_t JoystickCentre(uint32_t minimum, uint32_t maximum) {
  return static_cast<int32_t>(minimum + (maximum - minimum) / 2);
}

int32_t JoystickInput(int32_t input, uint32_t position, uint32_t buttons, int32_t centreX,
                      int32_t centreY) {
  int32_t dx = (static_cast<int32_t>(position & 0xFFFF) - centreX) / JoystickDeadZone;
  int32_t dy = (static_cast<int32_t>((position >> 16) & 0xFFFF) - centreY) / JoystickDeadZone;
  int32_t bits = input & 0xFFFF;  // the keyboard half stays
  if (dx > 0) bits |= InputRight & ~0xFFFF;
  if (dx < 0) bits |= InputLeft & ~0xFFFF;
  if (dy < 0) bits |= InputUp & ~0xFFFF;
  if (dy > 0) bits |= InputDown & ~0xFFFF;
  if (buttons & JoyButton1) bits |= InputFire & ~0xFFFF;
  if (buttons & JoyButton3) bits |= InputBomb & ~0xFFFF;
  return bits;
}

int32_t StageFromCommandLine(const char* commandLine, int32_t current) {
  if (!commandLine || !commandLine[0] || !commandLine[1]) return current;
  int8_t stage = static_cast<int8_t>(commandLine[1] - 'a');
  // Past 'c' there is no stage to start at: the first one, as without a choice.
  if (stage < 0 || stage > 2) return current;
  return stage;
}

uint32_t SeedFromLocalTime(uint32_t year, uint32_t month, uint32_t dayOfWeek, uint32_t day,
                           uint32_t minute, uint32_t second, uint32_t milliseconds) {
  return minute * milliseconds + month + dayOfWeek + day + second + year;
}
