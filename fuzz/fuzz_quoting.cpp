// The CSV and JSON quoting of the exports and the CSV field split: any text
// quoted and split again is the same text (less the blanks at its ends, which
// the reader trims from every field), and a JSON string literal holds no raw
// control character and decodes back to the text (read by the strict JSON
// reader the viewer tests use).
#include "../tests/viewer/MiniJson.h"
#include "common/StrFormat.h"
#include "viewer/ChartData.h"
#include "viewer/CsvExport.h"
#include "viewer/DataLogText.h"

#include <string>
#include <vector>

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

    try
    {
        const SJsonValue json = CMiniJson::Parse(JsonQuote(strText));
        if (json.eKind != SJsonValue::String || json.str != strText)
            __builtin_trap();
    }
    catch (const std::runtime_error&)
    {
        __builtin_trap();
    }

    // Any line at all splits without reading outside it.
    SplitCsvFields(strText, arrFields);
    std::vector<std::string> arrPieces;
    SplitAtDelimiter(strText, ",", arrPieces);
    HtmlEscape(strText);
    ChartValueText(strText);
    return 0;
}
