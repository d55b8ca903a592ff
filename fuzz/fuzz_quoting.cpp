// The CSV and JSON quoting of the exports and the CSV field split: any text
// quoted and split again is the same text (less the blanks at its ends, which
// the reader trims from every field), and a JSON string literal holds no raw
// control character and decodes back to the text.
#include "common/StrFormat.h"
#include "viewer/ChartData.h"
#include "viewer/CsvExport.h"
#include "viewer/DataLogText.h"

#include <optional>
#include <string>
#include <vector>

namespace
{
// A strict decoder of one JSON string literal: escapes checked, no raw byte
// outside printable ASCII. The exports escape every other byte, so a \u
// escape above 0xFF is refused too. Nothing when the literal breaks a rule.
std::optional<std::string> DecodeJsonString(const std::string& strText)
{
    if (strText.size() < 2 || strText.front() != '"' || strText.back() != '"')
        return std::nullopt;
    std::string str;
    const std::string strEscapes = "\"\\/bfnrt";
    for (size_t nPos = 1; nPos + 1 < strText.size(); ++nPos)
    {
        const unsigned char c = static_cast<unsigned char>(strText[nPos]);
        if (c < 0x20 || c >= 0x7F || c == '"')
            return std::nullopt;
        if (c != '\\')
        {
            str += static_cast<char>(c);
            continue;
        }
        const char e = ++nPos + 1 < strText.size() ? strText[nPos] : '\0';
        const std::string strHex = e == 'u' ? strText.substr(nPos + 1, 4) : "";
        if (e != '\0' && strEscapes.find(e) != std::string::npos)
            str += "\"\\/\b\f\n\r\t"[strEscapes.find(e)];
        else if (strHex.size() == 4 && nPos + 5 < strText.size() &&
                 strHex.compare(0, 2, "00") == 0 &&
                 strHex.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos)
            str += static_cast<char>(std::stoul(strHex, nullptr, 16)), nPos += 4;
        else
            return std::nullopt;
    }
    return str;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::string strText(reinterpret_cast<const char*>(pData), nSize);

    std::vector<std::string> arrFields;
    if (SplitCsvFields(EncloseQuoted(strText), arrFields) != 1 ||
        arrFields[0] != TrimBlanks(strText))
        __builtin_trap();
    const std::string strDoubled = DoubleQuotes(strText);
    if (strDoubled.size() < strText.size())
        __builtin_trap();

    if (DecodeJsonString(JsonQuote(strText)) != strText)
        __builtin_trap();

    // Any line at all splits without reading outside it.
    SplitCsvFields(strText, arrFields);
    std::vector<std::string> arrPieces;
    SplitAtDelimiter(strText, ",", arrPieces);
    HtmlEscape(strText);
    ChartValueText(strText);
    return 0;
}
