#pragma once
// The --tftp-port option: the UDP port of the panel's TFTP server (default
// 69), read by every command that may use TFTP (get, put, pull, collect).
#include "CliCommand.h"

#include <string>

// The option main stored; false when it is no port (1 to 65535).
bool GetTftpPortOption(const CCliContext& ctx, int& nPort);
// The same, with the refusal's text for standard error in strError.
bool ParseTftpPort(const CCliContext& ctx, int& nPort, std::string& strError);
