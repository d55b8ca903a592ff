#include "CScriptedPanel.h"

#include "support/SocketIo.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

CScriptedPanel::CScriptedPanel(std::vector<std::vector<unsigned char>> arrReplies)
    : m_arrReplies(std::move(arrReplies))
{
    m_nListen = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t nLen = sizeof(sa);
    bind(m_nListen, reinterpret_cast<sockaddr*>(&sa), sizeof(sa));
    listen(m_nListen, 4);
    getsockname(m_nListen, reinterpret_cast<sockaddr*>(&sa), &nLen);
    m_nPort = ntohs(sa.sin_port);
    m_thread = std::thread([this] { Serve(); });
}

CScriptedPanel::~CScriptedPanel()
{
    shutdown(m_nListen, SHUT_RDWR);
    close(m_nListen);
    m_thread.join();
}

void CScriptedPanel::Serve()
{
    size_t nNext = 0;
    while (nNext < m_arrReplies.size())
    {
        pollfd pfd{m_nListen, POLLIN, 0};
        if (poll(&pfd, 1, 10000) <= 0 || (pfd.revents & POLLIN) == 0)
            return;
        const int nSocket = accept(m_nListen, nullptr, nullptr);
        if (nSocket < 0)
            return;
        unsigned char arrHeader[6];
        while (nNext < m_arrReplies.size() && ReceiveAll(nSocket, arrHeader, sizeof(arrHeader)))
        {
            std::vector<unsigned char> arrRequest(
                static_cast<size_t>(arrHeader[4] << 8 | arrHeader[5]));
            if (!ReceiveAll(nSocket, arrRequest.data(), arrRequest.size()))
                break;
            ++m_nRequests;
            const std::vector<unsigned char>& arrPayload = m_arrReplies[nNext++];
            std::vector<unsigned char> arrFrame = {
                0x50,
                0x4C,
                arrHeader[2],
                0,
                static_cast<unsigned char>(arrPayload.size() >> 8),
                static_cast<unsigned char>(arrPayload.size())};
            arrFrame.insert(arrFrame.end(), arrPayload.begin(), arrPayload.end());
            send(nSocket, arrFrame.data(), arrFrame.size(), MSG_NOSIGNAL);
        }
        close(nSocket);
    }
}
