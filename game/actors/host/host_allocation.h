#pragma once

// Makes `count` record allocations fail, after `after` more succeed.
void HostFailAllocations(int after, int count);
