// The fresh process of the start-up benchmark: the benchmark program started
// again as `lumiker_bench FIRST_FRAME_FLAG FD LAYERED`.
#pragma once

constexpr const char* FIRST_FRAME_FLAG = "--first-frame-child";

// Start up, draw and show one frame, write the resident memory (long, kB) to
// `out`, and end the process.
int first_frame_child(int out, bool layered);
