#include "CSimSettings.h"

#include "common/NumberText.h"
#include "common/StrFormat.h"

#include <cctype>
#include <functional>

bool CSimSettings::IsZeroDate(const std::string& strName) const
{
    for (const std::string& strZero : m_arrZeroDate)
    {
        if (EqualsNoCase(strZero, strName))
            return true;
    }
    return false;
}

namespace
{
// "18", "143:7" or "128:14".
bool ParseSpec(const std::string& strSpec, CFailRule& rule)
{
    long nMsg = 0, nSub = -1;
    const size_t nColon = strSpec.find(':');
    if (!ParseIntInRange(strSpec.substr(0, nColon), 0, 255, nMsg))
        return false;
    if (nColon != std::string::npos && !ParseIntInRange(strSpec.substr(nColon + 1), 0, 255, nSub))
        return false;
    rule.m_nMsg = static_cast<int>(nMsg);
    rule.m_nSub = static_cast<int>(nSub);
    return true;
}

// WHICH=N with N in [nMin, nMax].
bool ParseRule(const std::string& strText, long nMin, long nMax, CFailRule& rule)
{
    const size_t nEq = strText.find('=');
    long nValue = 0;
    if (nEq == std::string::npos || !ParseSpec(strText.substr(0, nEq), rule) ||
        !ParseIntInRange(strText.substr(nEq + 1), nMin, nMax, nValue))
        return false;
    rule.m_nValue = static_cast<int>(nValue);
    return true;
}

bool ParseRevision(const std::string& strText, CSimSettings& settings)
{
    long nNumber = 0;
    if (strText.size() < 2 || !std::isalpha(static_cast<unsigned char>(strText[0])) ||
        !ParseIntInRange(strText.substr(1), 0, 255, nNumber))
        return false;
    settings.m_cRevisionLetter = strText[0];
    settings.m_nRevisionNumber = static_cast<int>(nNumber);
    return true;
}

bool ParseMalform(const std::string& strKind, EMalform& eKind)
{
    static const std::pair<const char*, EMalform> arrKinds[] = {
        {"magic", EMalform::Magic},
        {"code", EMalform::Code},
        {"short-entry", EMalform::ShortEntry},
        {"short-card", EMalform::ShortCard},
        {"oversize", EMalform::Oversize},
    };
    for (const auto& kind : arrKinds)
    {
        if (strKind == kind.first)
        {
            eKind = kind.second;
            return true;
        }
    }
    return false;
}

bool ParseTftpError(const std::string& strText, CSimSettings& settings)
{
    const size_t nColon = strText.find(':');
    long nCode = 0;
    if (nColon == std::string::npos || !ParseIntInRange(strText.substr(0, nColon), 0, 65535, nCode))
        return false;
    settings.m_bTftpError = true;
    settings.m_nTftpErrorCode = static_cast<int>(nCode);
    settings.m_strTftpErrorMessage = strText.substr(nColon + 1);
    return true;
}

// How one option reads its value; false when the value is not acceptable.
using ValueParser = std::function<bool(const std::string&, CSimSettings&)>;

ValueParser IntInto(int CSimSettings::*pMember, long nMin, long nMax)
{
    return [=](const std::string& strValue, CSimSettings& settings)
    {
        long n = 0;
        if (!ParseIntInRange(strValue, nMin, nMax, n))
            return false;
        settings.*pMember = static_cast<int>(n);
        return true;
    };
}

struct COptionDef
{
    const char* m_pszName;
    ValueParser m_parse; // empty for a flag
    std::function<void(CSimSettings&)> m_setFlag;
};

const std::vector<COptionDef>& Options()
{
    static const std::vector<COptionDef> arrOptions = {
        {"--address",
         [](const std::string& s, CSimSettings& st)
         {
             st.m_strAddress = s;
             return !s.empty();
         },
         nullptr},
        {"--port", IntInto(&CSimSettings::m_nPort, 0, 65535), nullptr},
        {"--tftp-port",
         [](const std::string& s, CSimSettings& st)
         {
             st.m_bTftp = true;
             return IntInto(&CSimSettings::m_nTftpPort, 0, 65535)(s, st);
         },
         nullptr},
        {"--no-tftp", nullptr, [](CSimSettings& st) { st.m_bTftp = false; }},
        {"--card",
         [](const std::string& s, CSimSettings& st)
         {
             st.m_strCard = s;
             return !s.empty();
         },
         nullptr},
        {"--demo-card",
         [](const std::string& s, CSimSettings& st)
         {
             st.m_strDemoCard = s;
             return !s.empty();
         },
         nullptr},
        {"--type", IntInto(&CSimSettings::m_nType, 0, 255), nullptr},
        {"--revision", ParseRevision, nullptr},
        {"--build",
         [](const std::string& s, CSimSettings& st)
         {
             long n = 0;
             if (!ParseIntInRange(s, 0, 0xFFFFFFFFL, n))
                 return false;
             st.m_nBuild = static_cast<uint32_t>(n);
             return true;
         },
         nullptr},
        {"--info-length", IntInto(&CSimSettings::m_nInfoLength, 0, 65535), nullptr},
        {"--card-status", IntInto(&CSimSettings::m_nCardStatus, 0, 255), nullptr},
        {"--fail",
         [](const std::string& s, CSimSettings& st)
         {
             CFailRule rule;
             if (!ParseRule(s, 1, 255, rule))
                 return false;
             st.m_arrFail.push_back(rule);
             return true;
         },
         nullptr},
        {"--fail-after",
         [](const std::string& s, CSimSettings& st)
         {
             CFailRule rule;
             if (!ParseRule(s, 0, 0x7FFFFFFFL, rule))
                 return false;
             st.m_arrFailAfter.push_back(rule);
             return true;
         },
         nullptr},
        {"--card-result",
         [](const std::string& s, CSimSettings& st)
         {
             const size_t nEq = s.find('=');
             long nSub = 0, nResult = 0;
             if (nEq == std::string::npos || !ParseIntInRange(s.substr(0, nEq), 14, 15, nSub) ||
                 !ParseIntInRange(s.substr(nEq + 1), 0, 255, nResult))
                 return false;
             st.m_mapCardResult[static_cast<int>(nSub)] = static_cast<int>(nResult);
             return true;
         },
         nullptr},
        {"--delay-ms", IntInto(&CSimSettings::m_nDelayMs, 0, 600000), nullptr},
        {"--no-reply-every", IntInto(&CSimSettings::m_nNoReplyEvery, 1, 0x7FFFFFFFL), nullptr},
        {"--close-mid-reply-every", IntInto(&CSimSettings::m_nCloseMidReplyEvery, 1, 0x7FFFFFFFL),
         nullptr},
        {"--malform",
         [](const std::string& s, CSimSettings& st) { return ParseMalform(s, st.m_eMalform); },
         nullptr},
        {"--zero-date",
         [](const std::string& s, CSimSettings& st)
         {
             st.m_arrZeroDate.push_back(s);
             return !s.empty();
         },
         nullptr},
        {"--card-no-last-flag", nullptr, [](CSimSettings& st) { st.m_bCardNoLastFlag = true; }},
        {"--grow-log",
         [](const std::string& s, CSimSettings& st)
         {
             st.m_strGrowLog = s;
             return !s.empty();
         },
         nullptr},
        {"--grow-interval-ms", IntInto(&CSimSettings::m_nGrowIntervalMs, 1, 86400000), nullptr},
        {"--tftp-drop-every", IntInto(&CSimSettings::m_nTftpDropEvery, 1, 0x7FFFFFFFL), nullptr},
        {"--tftp-error", ParseTftpError, nullptr},
        {"--verbose", nullptr, [](CSimSettings& st) { st.m_bVerbose = true; }},
        {"--help", nullptr, [](CSimSettings& st) { st.m_bHelp = true; }},
        {"--version", nullptr, [](CSimSettings& st) { st.m_bVersion = true; }},
    };
    return arrOptions;
}
} // namespace

bool ParseSimArguments(int argc, const char* const* argv, CSimSettings& settings,
                       std::string& strError)
{
    for (int i = 1; i < argc; ++i)
    {
        std::string strArg = argv[i];
        std::string strValue;
        bool bInlineValue = false;
        const size_t nEq = strArg.find('=');
        if (strArg.rfind("--", 0) == 0 && nEq != std::string::npos)
        {
            // --option=value is accepted as well as --option value.
            strValue = strArg.substr(nEq + 1);
            strArg.resize(nEq);
            bInlineValue = true;
        }
        const COptionDef* pDef = nullptr;
        for (const COptionDef& def : Options())
        {
            if (strArg == def.m_pszName)
                pDef = &def;
        }
        if (!pDef)
        {
            strError = StrFormat("unknown option '%s' (see --help)", argv[i]);
            return false;
        }
        if (!pDef->m_parse)
        {
            if (bInlineValue)
            {
                strError = StrFormat("option %s takes no value", pDef->m_pszName);
                return false;
            }
            pDef->m_setFlag(settings);
            continue;
        }
        if (!bInlineValue)
        {
            if (i + 1 >= argc)
            {
                strError = StrFormat("option %s needs a value", pDef->m_pszName);
                return false;
            }
            strValue = argv[++i];
        }
        if (!pDef->m_parse(strValue, settings))
        {
            strError = StrFormat("bad value '%s' for option %s", strValue.c_str(), pDef->m_pszName);
            return false;
        }
    }
    return true;
}
