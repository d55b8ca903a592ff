#include "DataLogFormat.h"

#include "common/StrFormat.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace DataLog
{
std::string PadLeft(const std::string& strValue, size_t nWidth)
{
    if (strValue.size() >= nWidth)
        return strValue;
    return std::string(nWidth - strValue.size(), ' ') + strValue;
}

std::string FormatDate(const struct tm& tmWhen, bool bFourDigitYear)
{
    const int nYear = tmWhen.tm_year + 1900;
    return StrFormat("%02d/%02d/%0*d", tmWhen.tm_mon + 1, tmWhen.tm_mday, bFourDigitYear ? 4 : 2,
                     bFourDigitYear ? nYear : nYear % 100);
}

std::string FormatTime(const struct tm& tmWhen, bool bMilliseconds)
{
    std::string str = StrFormat("%02d:%02d:%02d", tmWhen.tm_hour, tmWhen.tm_min, tmWhen.tm_sec);
    if (bMilliseconds)
        str += ":000";
    return str;
}

std::string FormatValue(double dValue, int nDecimals, size_t nWidth)
{
    return PadLeft(StrFormat("%.*f", nDecimals, dValue), nWidth);
}

namespace
{
// Digits with an optional sign and one decimal point; nDecimals gets the
// number of digits after the point.
bool ParseNumber(const std::string& strText, double& dValue, int& nDecimals)
{
    if (strText.empty())
        return false;
    size_t i = (strText[0] == '-' || strText[0] == '+') ? 1 : 0;
    bool bDigits = false;
    int nAfterPoint = -1;
    for (; i < strText.size(); ++i)
    {
        const char c = strText[i];
        if (std::isdigit(static_cast<unsigned char>(c)))
        {
            bDigits = true;
            if (nAfterPoint >= 0)
                ++nAfterPoint;
        }
        else if (c == '.' && nAfterPoint < 0)
            nAfterPoint = 0;
        else
            return false;
    }
    if (!bDigits)
        return false;
    dValue = std::strtod(strText.c_str(), nullptr);
    nDecimals = nAfterPoint < 0 ? 0 : nAfterPoint;
    return true;
}

unsigned Mix(unsigned nStep, size_t nField)
{
    unsigned n = nStep * 2654435761u + static_cast<unsigned>(nField) * 40503u + 12345u;
    n ^= n >> 13;
    n *= 0x5bd1e995u;
    return n ^ (n >> 15);
}

std::string ToggledOnOff(const std::string& strText)
{
    const bool bUpper = std::isupper(static_cast<unsigned char>(strText[0]));
    if (EqualsNoCase(strText, "on"))
        return bUpper ? "OFF" : "off";
    return bUpper ? "ON" : "on";
}

// The field's next text in exactly the raw field's width, or the raw field.
std::string NextValue(const std::string& strRaw, unsigned nStep, size_t nField)
{
    const std::string strText = TrimBlanks(strRaw);
    const unsigned nMix = Mix(nStep, nField);
    double dValue = 0;
    int nDecimals = 0;
    std::string strNew;
    if (ParseNumber(strText, dValue, nDecimals))
    {
        const double dDelta = (1 + nMix % 3) * std::pow(10.0, -nDecimals);
        const double dSign = (nMix >> 8) % 2 ? 1.0 : -1.0;
        strNew = FormatValue(dValue + dSign * dDelta, nDecimals, strRaw.size());
        if (strNew.size() != strRaw.size())
            strNew = FormatValue(dValue - dSign * dDelta, nDecimals, strRaw.size());
    }
    else if (EqualsNoCase(strText, "on") || EqualsNoCase(strText, "off"))
        strNew = (nMix % 5 == 0) ? PadLeft(ToggledOnOff(strText), strRaw.size()) : strRaw;
    return strNew.size() == strRaw.size() ? strNew : strRaw;
}

// Keeps the field's width: the new text right-aligned, or the old text.
std::string Fitted(const std::string& strNew, const std::string& strRaw)
{
    const std::string strPadded = PadLeft(strNew, strRaw.size());
    return strPadded.size() == strRaw.size() ? strPadded : strRaw;
}
} // namespace

std::string NextRecord(const std::string& strLast, const struct tm& tmNow, unsigned nStep)
{
    std::string strBody = strLast;
    std::string strEnding;
    if (!strBody.empty() && strBody.back() == '\n')
    {
        strBody.pop_back();
        strEnding = "\n";
        if (!strBody.empty() && strBody.back() == '\r')
        {
            strBody.pop_back();
            strEnding = "\r\n";
        }
    }
    std::vector<std::string> arrFields;
    size_t nStart = 0;
    for (;;)
    {
        const size_t nComma = strBody.find(',', nStart);
        arrFields.push_back(strBody.substr(nStart, nComma - nStart));
        if (nComma == std::string::npos)
            break;
        nStart = nComma + 1;
    }
    const bool bQuoted = strBody.find('"') != std::string::npos;
    for (size_t i = 0; i < arrFields.size(); ++i)
    {
        std::string& strField = arrFields[i];
        const std::string strOld = TrimBlanks(strField);
        if (i == 0)
            strField = Fitted(FormatDate(tmNow, strOld.size() >= 10), strField);
        else if (i == 1)
            strField = Fitted(FormatTime(tmNow, strOld.size() > 8), strField);
        else if (!bQuoted) // quoted values keep their text: commas inside them split wrongly here
            strField = NextValue(strField, nStep, i);
    }
    std::string strRecord;
    strRecord.reserve(strLast.size());
    for (size_t i = 0; i < arrFields.size(); ++i)
    {
        if (i)
            strRecord += ',';
        strRecord += arrFields[i];
    }
    strRecord += strEnding;
    return strRecord.size() == strLast.size() ? strRecord : strLast;
}

bool MeasureLayout(const std::string& strStart, size_t& nHeader, size_t& nRecord)
{
    const size_t nHeaderEnd = strStart.find('\n');
    if (nHeaderEnd == std::string::npos)
        return false;
    const size_t nRecordEnd = strStart.find('\n', nHeaderEnd + 1);
    if (nRecordEnd == std::string::npos)
        return false;
    nHeader = nHeaderEnd;
    nRecord = nRecordEnd - nHeaderEnd;
    return true;
}
} // namespace DataLog
