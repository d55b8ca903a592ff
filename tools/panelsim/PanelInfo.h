#pragma once
// Message 18: the panel information block the simulator pretends to be.
#include "CReplyBuffer.h"
#include "CSimSettings.h"

// Appends the --info-length bytes of the block: byte 0 type, byte 4 revision
// letter, byte 5 revision number, bytes 48..51 build number little-endian, the
// rest 0 (a shorter block simply ends early).
void AppendPanelInfo(const CSimSettings& settings, CReplyBuffer& reply);
