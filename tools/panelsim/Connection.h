#pragma once
// One command-channel connection: reads request frames, answers each with one
// reply frame in order, and applies the per-connection faults. Returns when
// the peer closes, sends something that is not a frame, a fault closes the
// connection, or the simulator stops.
#include "SimContext.h"

void RunConnection(int nFd, int nId, CSimContext& context);
