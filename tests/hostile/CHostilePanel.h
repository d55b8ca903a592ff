#pragma once
// A file command panel that lies: sizes the data does not reach, endless data, slow replies.
#include "../../tools/panelsim/CardNames.h"
#include "support/CFramePeer.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

struct SHostileFile
{
    std::string strName;
    std::string strContent;
    int64_t nListedSize = -1;   // the listing's size (-1: the content's)
    int64_t nOpenSize = -1;     // the size the open reports (-1: the content's)
    int64_t nDeliverBytes = -1; // bytes delivered before empty blocks (-1: all)
    bool bEndless = false;      // blocks never run out: the content, again and again
};

struct SHostileScript
{
    std::vector<SHostileFile> arrFiles;
    int nReadDelayMs = 0; // wait before every block reply after the first
};

class CHostilePanel
{
public:
    using CBytes = CFramePeer::CBytes;

    explicit CHostilePanel(SHostileScript script)
        : m_script(std::move(script)), m_peer([this](unsigned char nCode, const CBytes& arrRequest)
                                              { return std::optional(Answer(nCode, arrRequest)); })
    {
    }

    std::string Address() const { return "127.0.0.1:" + std::to_string(m_peer.Port()); }
    int RequestCount() const { return m_peer.RequestCount(); }

private:
    static uint64_t Size(int64_t n, const SHostileFile& file)
    {
        return static_cast<uint64_t>(n >= 0 ? n : static_cast<int64_t>(file.strContent.size()));
    }
    // The bytes given, then n in four bytes, least significant first.
    static CBytes WithNumber(CBytes arr, uint64_t n)
    {
        for (int i = 0; i < 4; ++i)
            arr.push_back(static_cast<unsigned char>(n >> (8 * i)));
        return arr;
    }

    CBytes Answer(unsigned char nCode, const CBytes& arrRequest)
    {
        if (nCode == 18) // the panel information block, the build little-endian from byte 48
        {
            CBytes arrInfo = {186, 0, 0, 0, 'j', 1};
            arrInfo.resize(48);
            return WithNumber(arrInfo, 100);
        }
        if (nCode != 143 || arrRequest.empty())
            return {};
        // The name: after the sub-command, or after the mode byte of an open.
        const auto itName =
            arrRequest.begin() + std::min<size_t>(arrRequest.size(), arrRequest[0] == 3 ? 2 : 1);
        const std::string strName(itName, std::find(itName, arrRequest.end(), 0));
        switch (arrRequest[0])
        {
        case 6: // list open: the pattern
            m_strPattern = strName;
            m_nListNext = 0;
            return {6};
        case 7:
            return NextListEntry();
        case 3: // open: mode byte, name
            m_pOpen = nullptr;
            for (const SHostileFile& file : m_script.arrFiles)
                m_pOpen = file.strName == strName ? &file : m_pOpen;
            m_nPosition = 0;
            m_nBlocksSent = 0;
            return {3};
        case 2: // seek: offset (little-endian), origin 1 the end; answers the position
        {
            uint64_t nOffset = 0;
            for (size_t i = 0; i < 4 && 1 + i < arrRequest.size(); ++i)
                nOffset |= static_cast<uint64_t>(arrRequest[1 + i]) << (8 * i);
            if (m_pOpen != nullptr)
                m_nPosition = arrRequest.size() > 5 && arrRequest[5] == 1
                                  ? Size(m_pOpen->nOpenSize, *m_pOpen)
                                  : nOffset;
            return WithNumber({2}, m_nPosition);
        }
        case 0:
            return NextBlock();
        default: // reset, close, list close and the rest: acknowledged
            return {arrRequest[0]};
        }
    }

    // A listing record: name, 0, size (big-endian), 14:30:00 on 4 December 2026.
    CBytes NextListEntry()
    {
        while (m_nListNext < m_script.arrFiles.size())
        {
            const SHostileFile& file = m_script.arrFiles[m_nListNext++];
            if (!CardNames::MatchFatPattern(m_strPattern, file.strName))
                continue;
            CBytes arr = {7};
            arr.insert(arr.end(), file.strName.begin(), file.strName.end());
            arr.push_back(0);
            const uint64_t nSize = Size(file.nListedSize, file);
            for (int i = 3; i >= 0; --i)
                arr.push_back(static_cast<unsigned char>(nSize >> (8 * i)));
            arr.insert(arr.end(), {14, 30, 0, 4, 12, 2026 >> 8, 2026 & 0xFF});
            return arr;
        }
        return {7};
    }

    CBytes NextBlock()
    {
        if (m_nBlocksSent++ > 0 && m_script.nReadDelayMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(m_script.nReadDelayMs));
        CBytes arr = {0};
        if (m_pOpen == nullptr || m_pOpen->strContent.empty())
            return arr;
        const std::string& strContent = m_pOpen->strContent;
        const uint64_t nDeliver =
            std::min<uint64_t>(strContent.size(), Size(m_pOpen->nDeliverBytes, *m_pOpen));
        const uint64_t nEnd = m_pOpen->bEndless ? UINT64_MAX : nDeliver;
        for (uint64_t i = 0; i < 254 && m_nPosition < nEnd; ++i, ++m_nPosition)
            arr.push_back(static_cast<unsigned char>(strContent[m_nPosition % strContent.size()]));
        return arr;
    }

    SHostileScript m_script;
    // The panel's state between requests (used by the serving thread only).
    std::string m_strPattern;
    size_t m_nListNext = 0;
    const SHostileFile* m_pOpen = nullptr;
    uint64_t m_nPosition = 0;
    int m_nBlocksSent = 0;
    CFramePeer m_peer; // last: it serves only once the state above exists
};
