#pragma once
// Whole-buffer send and receive on a blocking stream socket, for the test
// peers and benchmark peers that speak raw TCP beside the program's client.
#include <cstddef>
#include <sys/socket.h>
#include <sys/types.h>

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
