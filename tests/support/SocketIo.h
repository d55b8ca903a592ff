#pragma once
// Whole-buffer send and receive on a blocking stream socket, for the test
// peers and benchmark peers that speak raw TCP beside the program's client.
#include <cstddef>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/types.h>
#include <unistd.h>

// False when the peer closed the connection or the call failed.
inline bool SendAll(int nSocket, const unsigned char* p, size_t n)
{
    while (n > 0)
    {
        const ssize_t nSent = send(nSocket, p, n, MSG_NOSIGNAL);
        if (nSent <= 0)
            return false;
        p += nSent;
        n -= static_cast<size_t>(nSent);
    }
    return true;
}

inline bool ReceiveAll(int nSocket, unsigned char* p, size_t n)
{
    while (n > 0)
    {
        const ssize_t nGot = recv(nSocket, p, n, 0);
        if (nGot <= 0)
            return false;
        p += nGot;
        n -= static_cast<size_t>(nGot);
    }
    return true;
}

inline sockaddr_in LoopbackAddress(int nPort)
{
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(nPort));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return addr;
}

// A socket of the type bound to a free port of 127.0.0.1 (nPort); -1 on failure.
inline int BindLoopbackSocket(int nType, int& nPort)
{
    const int nSocket = socket(AF_INET, nType | SOCK_CLOEXEC, 0);
    sockaddr_in sa = LoopbackAddress(0);
    socklen_t nLen = sizeof(sa);
    nPort = 0;
    if (nSocket >= 0 && bind(nSocket, reinterpret_cast<sockaddr*>(&sa), sizeof(sa)) == 0 &&
        getsockname(nSocket, reinterpret_cast<sockaddr*>(&sa), &nLen) == 0)
        nPort = ntohs(sa.sin_port);
    return nSocket;
}

// A port of 127.0.0.1 that was free a moment ago: nothing listens on it.
inline int FreeLoopbackPort(int nType)
{
    int nPort = 0;
    const int nSocket = BindLoopbackSocket(nType, nPort);
    if (nSocket >= 0)
        close(nSocket);
    return nPort;
}
