#pragma once
// Everything the simulator is told on its command line: where it listens,
// which folder is the card, what kind of panel it pretends to be, and which
// faults it injects.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// One --fail or --fail-after rule: message code, optional sub-command (-1 for
// every request of the code) and the rule's number (a result code or a count).
struct CFailRule
{
    int m_nMsg = 0;
    int m_nSub = -1;
    int m_nValue = 0;

    bool Matches(int nMsg, int nSub) const
    {
        return nMsg == m_nMsg && (m_nSub < 0 || m_nSub == nSub);
    }
};

enum class EMalform
{
    None,
    Magic,
    Code,
    ShortEntry,
    ShortCard,
    Oversize,
};

class CSimSettings
{
public:
    std::string m_strAddress = "127.0.0.1";
    int m_nPort = 10001;
    int m_nTftpPort = 69;
    bool m_bTftp = true;
    std::string m_strCard = ".";
    std::string m_strDemoCard; // empty: no demo card

    int m_nType = 186;
    char m_cRevisionLetter = 'k';
    int m_nRevisionNumber = 5;
    uint32_t m_nBuild = 200;
    int m_nInfoLength = 100;
    int m_nCardStatus = 0;

    std::vector<CFailRule> m_arrFail;
    std::vector<CFailRule> m_arrFailAfter;
    std::map<int, int> m_mapCardResult; // card sub-command (14, 15) -> forced result
    int m_nDelayMs = 0;
    int m_nNoReplyEvery = 0;
    int m_nCloseMidReplyEvery = 0;
    EMalform m_eMalform = EMalform::None;
    std::vector<std::string> m_arrZeroDate;
    bool m_bCardNoLastFlag = false;

    std::string m_strGrowLog; // empty: no growing log
    int m_nGrowIntervalMs = 1000;

    int m_nTftpDropEvery = 0;
    bool m_bTftpError = false;
    int m_nTftpErrorCode = 0;
    std::string m_strTftpErrorMessage;

    bool m_bVerbose = false;
    bool m_bHelp = false;
    bool m_bVersion = false;

    bool IsZeroDate(const std::string& strName) const;
};

// Fills settings from argv; false with a one-line reason on a bad option.
bool ParseSimArguments(int argc, const char* const* argv, CSimSettings& settings,
                       std::string& strError);

// The --help text.
const char* SimHelpText();
