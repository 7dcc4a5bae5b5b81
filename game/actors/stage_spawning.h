#pragma once
#include <cstdint>

// Map and script progress of the running stage.
extern int32_t MapTick;
extern int32_t ScriptIndex;
extern int32_t ScriptBase;

constexpr int32_t BossArrivalFrame = 2560;

void MapStep();
void SpawnStep();
// Creates the stage's boss; null when the allocation failed.
struct Actor;
Actor* CreateBoss();
