#include "panels/CNameIpRec.h"

#include "common/StrFormat.h"

#include <cctype>
#include <climits>
#include <vector>

namespace
{
// Every piece between separators plus the remainder after the last one
// (which may be empty), so "a|b|" gives three pieces.
std::vector<std::string> SplitText(const std::string& str, char cSeparator)
{
    std::vector<std::string> arrPieces;
    size_t nStart = 0;
    for (;;)
    {
        const size_t nPos = str.find(cSeparator, nStart);
        if (nPos == std::string::npos)
        {
            arrPieces.push_back(str.substr(nStart));
            return arrPieces;
        }
        arrPieces.push_back(str.substr(nStart, nPos - nStart));
        nStart = nPos + 1;
    }
}

// The leading decimal number of a text the way atoi reads it: white space
// skipped, an optional sign, then digits; no digits gives 0. Out-of-range
// values are clamped instead of left undefined. The value modulo 256 is
// worked out on the way, so that an address byte of any length wraps exactly.
struct SLeadingNumber
{
    int nClamped = 0;
    unsigned char nLowByte = 0;
};

SLeadingNumber ParseLeadingNumber(const std::string& str)
{
    size_t i = 0;
    while (i < str.size() && std::isspace(static_cast<unsigned char>(str[i])))
        ++i;
    bool bNegative = false;
    if (i < str.size() && (str[i] == '+' || str[i] == '-'))
        bNegative = str[i++] == '-';
    long long nMagnitude = 0;
    unsigned nMod = 0;
    for (; i < str.size() && std::isdigit(static_cast<unsigned char>(str[i])); ++i)
    {
        const int nDigit = str[i] - '0';
        if (nMagnitude <= static_cast<long long>(INT_MAX) + 1)
            nMagnitude = nMagnitude * 10 + nDigit;
        nMod = (nMod * 10 + static_cast<unsigned>(nDigit)) % 256;
    }
    SLeadingNumber result;
    if (bNegative)
    {
        result.nClamped = nMagnitude > static_cast<long long>(INT_MAX) + 1
                              ? INT_MIN
                              : static_cast<int>(-nMagnitude);
        result.nLowByte = static_cast<unsigned char>((256 - nMod) % 256);
    }
    else
    {
        result.nClamped = nMagnitude > INT_MAX ? INT_MAX : static_cast<int>(nMagnitude);
        result.nLowByte = static_cast<unsigned char>(nMod);
    }
    return result;
}
} // namespace

CNameIpRec::CNameIpRec(const std::string& strName, unsigned char b0, unsigned char b1,
                       unsigned char b2, unsigned char b3, int nPort)
    : m_strName(strName), m_IPAddress{b0, b1, b2, b3}, m_nPort(nPort)
{
}

void CNameIpRec::ResetToDefault()
{
    m_strName.clear();
    for (unsigned char& b : m_IPAddress)
        b = 0;
    m_nPort = DEFAULT_PANEL_PORT;
}

std::string CNameIpRec::GetIPText() const
{
    return StrFormat("%d.%d.%d.%d", m_IPAddress[0], m_IPAddress[1], m_IPAddress[2], m_IPAddress[3]);
}

bool CNameIpRec::IsBlankAddress() const
{
    return m_IPAddress[0] == 0 && m_IPAddress[1] == 0 && m_IPAddress[2] == 0 && m_IPAddress[3] == 0;
}

bool CNameIpRec::IsSamePanel(const CNameIpRec& other) const
{
    if (!EqualsNoCase(m_strName, other.m_strName) || m_nPort != other.m_nPort)
        return false;
    for (int i = 0; i < 4; ++i)
    {
        if (m_IPAddress[i] != other.m_IPAddress[i])
            return false;
    }
    return true;
}

std::string CNameIpRec::FormatLine() const
{
    // The list was always written through a text-mode stream that turned the
    // line feed of "|\r\n" into a second carriage return plus line feed; the
    // bytes are kept so a list file moves between computers unchanged.
    return m_strName + "|" + GetIPText() + "|" + StrFormat("%d", m_nPort) + "|\r\r\n";
}

bool CNameIpRec::ParseLine(const std::string& strLine)
{
    if (strLine.empty())
        return false;
    const std::vector<std::string> arrPieces = SplitText(strLine, '|');
    if (arrPieces.size() < 3)
        return false;
    m_strName = arrPieces[0];
    const std::vector<std::string> arrBytes = SplitText(arrPieces[1], '.');
    if (arrBytes.size() < 4)
        return false;
    for (int i = 0; i < 4; ++i)
        m_IPAddress[i] = ParseLeadingNumber(arrBytes[static_cast<size_t>(i)]).nLowByte;
    m_nPort = ParseLeadingNumber(arrPieces[2]).nClamped;
    return true;
}

bool CNameIpRec::WriteLine(std::FILE* pFile) const
{
    const std::string strLine = FormatLine();
    return std::fwrite(strLine.data(), 1, strLine.size(), pFile) == strLine.size();
}

bool CNameIpRec::ReadLine(std::FILE* pFile)
{
    std::string strLine;
    int c;
    while ((c = std::getc(pFile)) != EOF && c != '\n')
        strLine.push_back(static_cast<char>(c));
    // Lines end in "|\r\r\n" as written, or "|\r\n" / "|\n" when edited by
    // hand; the carriage returns are not part of the record.
    while (!strLine.empty() && strLine.back() == '\r')
        strLine.pop_back();
    return ParseLine(strLine);
}
