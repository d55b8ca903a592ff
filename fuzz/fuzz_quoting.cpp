// The CSV and JSON quoting of the exports and the CSV field split: any text
// quoted and split again is the same text (less the blanks at its ends, which
// the reader trims from every field), and a JSON string literal holds no raw
// control character and decodes back to the text.
#include "common/StrFormat.h"
#include "viewer/ChartData.h"
#include "viewer/CsvExport.h"
#include "viewer/DataLogText.h"

#include <string>
#include <vector>

namespace
{
int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Decodes a JSON string literal of single-byte text; false when it is not one.
bool DecodeJsonString(const std::string& strJson, std::string& strOut)
{
    if (strJson.size() < 2 || strJson.front() != '"' || strJson.back() != '"')
        return false;
    const std::string strBody = strJson.substr(1, strJson.size() - 2);
    for (size_t i = 0; i < strBody.size(); ++i)
    {
        const unsigned char c = static_cast<unsigned char>(strBody[i]);
        if (c < 0x20 || c >= 0x7F || c == '"')
            return false;
        if (c != '\\')
        {
            strOut += static_cast<char>(c);
            continue;
        }
        if (++i >= strBody.size())
            return false;
        switch (strBody[i])
        {
        case '"':
            strOut += '"';
            break;
        case '\\':
            strOut += '\\';
            break;
        case '/':
            strOut += '/';
            break;
        case 'n':
            strOut += '\n';
            break;
        case 'r':
            strOut += '\r';
            break;
        case 't':
            strOut += '\t';
            break;
        case 'b':
            strOut += '\b';
            break;
        case 'f':
            strOut += '\f';
            break;
        case 'u':
        {
            if (i + 4 >= strBody.size())
                return false;
            int nValue = 0;
            for (size_t k = 1; k <= 4; ++k)
            {
                const int h = HexValue(strBody[i + k]);
                if (h < 0)
                    return false;
                nValue = nValue * 16 + h;
            }
            if (nValue > 0xFF)
                return false;
            strOut += static_cast<char>(nValue);
            i += 4;
            break;
        }
        default:
            return false;
        }
    }
    return true;
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

    std::string strDecoded;
    if (!DecodeJsonString(JsonQuote(strText), strDecoded) || strDecoded != strText)
        __builtin_trap();

    // Any line at all splits without reading outside it.
    SplitCsvFields(strText, arrFields);
    std::vector<std::string> arrPieces;
    SplitAtDelimiter(strText, ",", arrPieces);
    HtmlEscape(strText);
    ChartValueText(strText);
    return 0;
}
