#pragma once
// A strict reader of one JSON string literal; throws std::runtime_error saying
// where it broke. Test texts are single-byte, so the program escapes every byte
// outside printable ASCII: a raw one or a \u escape above 0xFF is refused.
#include <stdexcept>
#include <string>

struct SJsonValue
{
    enum EKind
    {
        String
    } eKind = String;
    std::string str;
};

class CMiniJson
{
public:
    static SJsonValue Parse(const std::string& strText)
    {
        size_t nPos = 0;
        auto Fail = [&nPos](const char* pszWhat)
        { throw std::runtime_error(pszWhat + (" at " + std::to_string(nPos))); };
        if (strText.empty() || strText[0] != '"')
            Fail("expected a string");
        SJsonValue value;
        const std::string strEscapes = "\"\\/bfnrt";
        for (nPos = 1; nPos < strText.size() && strText[nPos] != '"'; ++nPos)
        {
            const unsigned char c = static_cast<unsigned char>(strText[nPos]);
            const char e = c == '\\' && nPos + 1 < strText.size() ? strText[++nPos] : '\0';
            const std::string strHex = e == 'u' ? strText.substr(nPos + 1, 4) : "";
            if (c < 0x20 || c >= 0x7F)
                Fail("raw byte outside printable ASCII in string");
            else if (c != '\\')
                value.str += static_cast<char>(c);
            else if (e != '\0' && strEscapes.find(e) != std::string::npos)
                value.str += "\"\\/\b\f\n\r\t"[strEscapes.find(e)];
            else if (strHex.size() != 4 || strHex.compare(0, 2, "00") != 0 ||
                     strHex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
                Fail("bad escape (test texts are single-byte)");
            else
            {
                value.str += static_cast<char>(std::stoul(strHex, nullptr, 16));
                nPos += 4;
            }
        }
        if (nPos + 1 != strText.size())
            Fail(nPos >= strText.size() ? "unterminated string" : "text after the value");
        return value;
    }
};
