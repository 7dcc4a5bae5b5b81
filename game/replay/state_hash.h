#pragma once
#include <cstdint>

// A fingerprint of everything that decides what happens next: counters, the
// ship, the generator and every record of the three lists.
uint32_t GameStateHash();
