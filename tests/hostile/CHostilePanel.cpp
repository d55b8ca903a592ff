#include "CHostilePanel.h"

#include "../../tools/panelsim/CardNames.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace
{
constexpr uint64_t BLOCK_BYTES = 254;

// A listing record: name, 0, size (big-endian), 14:30:00 on 4 December 2026.
std::vector<unsigned char> EntryRecord(const std::string& strName, uint64_t nSize)
{
    std::vector<unsigned char> arr(strName.size() + 2, 0);
    arr[0] = 7;
    std::copy(strName.begin(), strName.end(), arr.begin() + 1);
    for (int i = 3; i >= 0; --i)
        arr.push_back(static_cast<unsigned char>(nSize >> (8 * i)));
    arr.insert(arr.end(), {14, 30, 0, 4, 12, 2026 >> 8, 2026 & 0xFF});
    return arr;
}

uint64_t OrContentSize(int64_t n, const SHostileFile& file)
{
    return static_cast<uint64_t>(n >= 0 ? n : static_cast<int64_t>(file.strContent.size()));
}
} // namespace

CHostilePanel::CHostilePanel(SHostileScript script)
    : m_script(std::move(script)),
      m_peer([this](unsigned char nCode, const CBytes& arrRequest) -> std::optional<CBytes>
             { return Answer(nCode, arrRequest); })
{
}

CHostilePanel::CBytes CHostilePanel::Answer(unsigned char nCode, const CBytes& arrRequest)
{
    if (nCode == 18) // panel information: type 186, revision j1, build 100
    {
        CBytes arrInfo(52, 0);
        arrInfo[0] = 186;
        arrInfo[4] = 'j';
        arrInfo[5] = 1;
        arrInfo[48] = 100;
        return arrInfo;
    }
    if (nCode != 143 || arrRequest.empty())
        return {};
    // The text from nStart to its 0.
    auto nameAt = [&arrRequest](size_t nStart)
    {
        std::string str;
        for (size_t i = nStart; i < arrRequest.size() && arrRequest[i] != 0; ++i)
            str += static_cast<char>(arrRequest[i]);
        return str;
    };
    switch (arrRequest[0])
    {
    case 6: // list open: the pattern
        m_strPattern = nameAt(1);
        m_nListNext = 0;
        return {6};
    case 7:
        return NextListEntry();
    case 3: // open: mode byte, name
        m_pOpen = nullptr;
        for (const SHostileFile& file : m_script.arrFiles)
            m_pOpen = file.strName == nameAt(2) ? &file : m_pOpen;
        m_nPosition = 0;
        m_nBlocksSent = 0;
        return {3};
    case 2: // seek: offset (little-endian), origin; answers the position
    {
        uint64_t nOffset = 0;
        for (size_t i = 0; i < 4 && 1 + i < arrRequest.size(); ++i)
            nOffset |= static_cast<uint64_t>(arrRequest[1 + i]) << (8 * i);
        if (m_pOpen != nullptr)
            m_nPosition = arrRequest.size() > 5 && arrRequest[5] == 1
                              ? OrContentSize(m_pOpen->nOpenSize, *m_pOpen)
                              : nOffset;
        CBytes arr = {2};
        for (int i = 0; i < 4; ++i)
            arr.push_back(static_cast<unsigned char>(m_nPosition >> (8 * i)));
        return arr;
    }
    case 0:
        return NextBlock();
    default: // reset, close, list close and the rest: acknowledged
        return {arrRequest[0]};
    }
}

CHostilePanel::CBytes CHostilePanel::NextListEntry()
{
    while (m_nListNext < m_script.arrFiles.size())
    {
        const SHostileFile& file = m_script.arrFiles[m_nListNext++];
        if (CardNames::MatchFatPattern(m_strPattern, file.strName))
            return EntryRecord(file.strName, OrContentSize(file.nListedSize, file));
    }
    return {7};
}

CHostilePanel::CBytes CHostilePanel::NextBlock()
{
    if (m_nBlocksSent++ > 0 && m_script.nReadDelayMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(m_script.nReadDelayMs));
    CBytes arr = {0};
    if (m_pOpen == nullptr || m_pOpen->strContent.empty())
        return arr;
    const std::string& strContent = m_pOpen->strContent;
    const uint64_t nEnd = m_pOpen->bEndless
                              ? UINT64_MAX
                              : std::min<uint64_t>(strContent.size(),
                                                   OrContentSize(m_pOpen->nDeliverBytes, *m_pOpen));
    for (uint64_t i = 0; i < BLOCK_BYTES && m_nPosition < nEnd; ++i, ++m_nPosition)
        arr.push_back(static_cast<unsigned char>(strContent[m_nPosition % strContent.size()]));
    return arr;
}
