#include "CFrameReader.h"

#include "WireFormat.h"

#include <cerrno>
#include <cstring>
#include <sys/socket.h>

CFrameReader::CFrameReader(int nFd)
    : m_nFd(nFd), m_arrBuffer(2 * (Wire::nHeaderSize + Wire::nMaxPayload))
{
}

CFrameReader::EStatus CFrameReader::Next(uint8_t& nCode, uint8_t& nFlags, const uint8_t*& pPayload,
                                         size_t& nLength)
{
    for (;;)
    {
        const size_t nAvail = m_nEnd - m_nStart;
        const uint8_t* p = m_arrBuffer.data() + m_nStart;
        if (nAvail >= 1 && p[0] != Wire::nMagic0)
            return EStatus::BadMagic;
        if (nAvail >= 2 && p[1] != Wire::nMagic1)
            return EStatus::BadMagic;
        size_t nFrame = Wire::nHeaderSize;
        if (nAvail >= Wire::nHeaderSize)
        {
            nFrame += Wire::GetBe16(p + 4);
            if (nAvail >= nFrame)
            {
                nCode = p[2];
                nFlags = p[3];
                pPayload = p + Wire::nHeaderSize;
                nLength = nFrame - Wire::nHeaderSize;
                m_nStart += nFrame;
                return EStatus::Frame;
            }
        }
        // Make room for the whole frame before receiving more of it.
        if (m_nStart == m_nEnd)
            m_nStart = m_nEnd = 0;
        else if (m_nStart + nFrame > m_arrBuffer.size() || m_nStart > m_arrBuffer.size() / 2)
        {
            std::memmove(m_arrBuffer.data(), m_arrBuffer.data() + m_nStart, nAvail);
            m_nStart = 0;
            m_nEnd = nAvail;
        }
        if (!Fill())
            return EStatus::Closed;
    }
}

bool CFrameReader::Fill()
{
    for (;;)
    {
        const ssize_t n = recv(m_nFd, m_arrBuffer.data() + m_nEnd, m_arrBuffer.size() - m_nEnd, 0);
        if (n > 0)
        {
            m_nEnd += static_cast<size_t>(n);
            return true;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return false;
    }
}
