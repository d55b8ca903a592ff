#pragma once
// Small helpers for the listening sockets of the command channel and TFTP.
#include <cstdint>
#include <netinet/in.h>
#include <string>

// An IPv4 address and port; false when the address text is not IPv4.
bool MakeAddress(const std::string& strAddress, int nPort, sockaddr_in& addr);

// A socket of the type bound to the address; -1 with a reason on failure.
int BindSocket(int nType, const sockaddr_in& addr, std::string& strError);

// The port a bound socket got (the chosen one for port 0).
int BoundPort(int nFd);
