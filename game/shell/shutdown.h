#pragma once

// Releases everything once; later calls do nothing.
void Shutdown();
