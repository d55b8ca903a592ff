#include "SocketUtil.h"

#include "common/StrFormat.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

bool MakeAddress(const std::string& strAddress, int nPort, sockaddr_in& addr)
{
    std::memset(&addr, 0, sizeof addr);
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(nPort));
    return inet_pton(AF_INET, strAddress.c_str(), &addr.sin_addr) == 1;
}

int BindSocket(int nType, const sockaddr_in& addr, std::string& strError)
{
    const int nFd = socket(AF_INET, nType | SOCK_CLOEXEC, 0);
    if (nFd < 0)
    {
        strError = StrFormat("cannot create socket: %s", std::strerror(errno));
        return -1;
    }
    if (nType == SOCK_STREAM)
    {
        const int nOn = 1;
        setsockopt(nFd, SOL_SOCKET, SO_REUSEADDR, &nOn, sizeof nOn);
    }
    if (bind(nFd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0)
    {
        char szAddress[INET_ADDRSTRLEN] = "";
        inet_ntop(AF_INET, &addr.sin_addr, szAddress, sizeof szAddress);
        strError = StrFormat("cannot bind %s port %d: %s", szAddress, ntohs(addr.sin_port),
                             std::strerror(errno));
        close(nFd);
        return -1;
    }
    return nFd;
}

int BoundPort(int nFd)
{
    sockaddr_in addr{};
    socklen_t nLen = sizeof addr;
    if (getsockname(nFd, reinterpret_cast<sockaddr*>(&addr), &nLen) != 0)
        return 0;
    return ntohs(addr.sin_port);
}
