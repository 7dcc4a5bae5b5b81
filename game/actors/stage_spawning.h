#pragma once
#include <cstdint>

// Map and script progress of the running stage; ResetGame sets them for each
// stage (MapTick 64, so the map reads row 0 on the first frame).
extern int32_t MapTick;
extern int32_t ScriptIndex;  // the next event of the stage's script
extern int32_t ScriptBase;   // the frame from which event times count

constexpr int32_t MapRowFrames = 32;  // a map row is read every 32 frames
constexpr int32_t RandomSpawnFrames = 10;
constexpr int32_t RandomTypeCount = 5;  // random spawns use types 0 to 4
constexpr int32_t BossArrivalFrame = 2560;

// Lays the next map row's blocks when its time has come; the clearing row
// (and every row past the end of the map) calls BossDestroyed instead.
void MapStep();
// Spawns the script's events that are due, or a random enemy every 10 frames
// once the script is exhausted. While a boss lives it spawns nothing and
// rewinds the script.
void SpawnStep();
// Creates the stage's boss; null when the allocation failed.
struct Actor;
Actor* CreateBoss();
