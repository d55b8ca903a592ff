#pragma once
// Whether a file read through the file commands arrived whole. The panel's
// open reports the size; a panel that ends the data before it, or reports 0
// at the open for a file its listing shows with bytes, has not delivered the
// file, and the short copy must not be kept. A file that grew while it was
// read is whole, and a file listed with 0 bytes is whole when empty.
#include <cstdint>
#include <string>

// Empty when the file is whole; otherwise the reason, for the failure lines.
// nListedSize is the listing's size, negative when no listing was read.
std::string IncompleteFetchReason(uint64_t nReceived, uint64_t nOpenSize, int64_t nListedSize);
