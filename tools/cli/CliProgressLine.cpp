#include "CliProgressLine.h"

#include "common/StrFormat.h"

#include <algorithm>
#include <unistd.h>

namespace
{
// A terminal is redrawn at most this often; a slow one would lag behind.
constexpr int64_t kRedrawMs = 200;
// Long names are cut to keep the line on one row of a narrow terminal.
constexpr size_t kNameWidth = 24;
} // namespace

CCliProgressLine::CCliProgressLine(std::FILE* pStream, bool bShow, CTransferRate::FnClockMs fnClock)
    : m_pStream(pStream), m_bShow(bShow), m_fnClock(fnClock), m_rate(std::move(fnClock))
{
}

bool CCliProgressLine::IsTerminal(std::FILE* pStream)
{
    return ::isatty(::fileno(pStream)) == 1;
}

void CCliProgressLine::StartTransfer(uint64_t nTotalBytes)
{
    m_rate.StartTransfer(nTotalBytes);
}

void CCliProgressLine::StartFile(const std::string& strName, uint64_t nFileSize)
{
    m_rate.StartFile(nFileSize);
    m_strName = strName.size() > kNameWidth ? strName.substr(0, kNameWidth - 3) + "..." : strName;
    m_nFileSize = nFileSize;
    m_nFileBytes = 0;
    m_nLastDrawMs = -1;
    Draw();
}

void CCliProgressLine::Update(uint64_t nFileBytes)
{
    m_rate.Update(nFileBytes);
    m_nFileBytes = nFileBytes;
    const int64_t nNow = m_fnClock();
    if (m_nLastDrawMs < 0 || nNow - m_nLastDrawMs >= kRedrawMs || nFileBytes >= m_nFileSize)
        Draw();
}

std::string CCliProgressLine::Text() const
{
    const uint64_t nPercent =
        m_nFileSize == 0 ? 100 : std::min<uint64_t>(100, m_nFileBytes * 100 / m_nFileSize);
    return StrFormat("%-*s %3u%%  %s  %s", static_cast<int>(kNameWidth), m_strName.c_str(),
                     static_cast<unsigned>(nPercent), m_rate.FileText().c_str(),
                     m_rate.TransferText().c_str());
}

void CCliProgressLine::Draw()
{
    m_nLastDrawMs = m_fnClock();
    if (!m_bShow)
        return;
    // Back to the line's start, the text, then wipe what a longer line left.
    std::fprintf(m_pStream, "\r%s\033[K", Text().c_str());
    std::fflush(m_pStream);
    m_bDrawn = true;
}

void CCliProgressLine::Clear()
{
    if (!m_bShow || !m_bDrawn)
        return;
    std::fputs("\r\033[K", m_pStream);
    std::fflush(m_pStream);
    m_bDrawn = false;
}
