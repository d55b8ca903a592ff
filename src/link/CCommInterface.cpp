#include "link/CCommInterface.h"

#include "common/StrFormat.h"

#include <algorithm>
#include <cstring>

// One per thread: each thread that runs panel commands (the GUI's, a CLI worker) has its own.
thread_local unsigned char g_PanelInfo[PANEL_INFO_SIZE] = {};

namespace
{
constexpr unsigned char MSG_PANEL_INFO = 18;
constexpr unsigned long PANEL_INFO_REPLY_CAPACITY = 100;

constexpr size_t INFO_TYPE = 0;
constexpr size_t INFO_REVISION_LETTER = 4;
constexpr size_t INFO_REVISION_NUMBER = 5;
constexpr size_t INFO_BUILD = 48;

bool IsTypeIn(unsigned char nType, std::initializer_list<unsigned char> list)
{
    return std::find(list.begin(), list.end(), nType) != list.end();
}

// Compares the stored revision with a threshold letter and number: negative,
// zero or positive like CompareFirmwareRevision.
int CompareRevisionWith(char cLetter, unsigned char nNumber)
{
    return CompareFirmwareRevision(GetPanelRevisionLetter(), GetPanelRevisionNumber(), cLetter,
                                   nNumber);
}

// Below the threshold: false; above: true; equal: the build decides.
bool RevisionAtLeast(char cLetter, unsigned char nNumber, uint32_t nBuild)
{
    const int nCompare = CompareRevisionWith(cLetter, nNumber);
    if (nCompare != 0)
        return nCompare > 0;
    return GetPanelBuildNumber() >= nBuild;
}

bool IsLower(unsigned char c)
{
    return c >= 'a' && c <= 'z';
}

bool IsUpper(unsigned char c)
{
    return c >= 'A' && c <= 'Z';
}

unsigned char FoldUpper(unsigned char c)
{
    return IsLower(c) ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}
} // namespace

unsigned char GetPanelType()
{
    return g_PanelInfo[INFO_TYPE];
}

char GetPanelRevisionLetter()
{
    return static_cast<char>(g_PanelInfo[INFO_REVISION_LETTER]);
}

unsigned char GetPanelRevisionNumber()
{
    return g_PanelInfo[INFO_REVISION_NUMBER];
}

uint32_t GetPanelBuildNumber()
{
    return static_cast<uint32_t>(g_PanelInfo[INFO_BUILD]) |
           static_cast<uint32_t>(g_PanelInfo[INFO_BUILD + 1]) << 8 |
           static_cast<uint32_t>(g_PanelInfo[INFO_BUILD + 2]) << 16 |
           static_cast<uint32_t>(g_PanelInfo[INFO_BUILD + 3]) << 24;
}

bool IsPanelGroupA(unsigned char nType)
{
    return IsTypeIn(nType, {92, 165, 169});
}

bool IsPanelGroupC(unsigned char nType)
{
    return IsTypeIn(nType, {161, 163, 171, 180});
}

bool IsFileCmdPanel()
{
    return IsTypeIn(GetPanelType(), {176, 177, 181, 182, 183, 186});
}

int CompareFirmwareRevision(char cLetter1, unsigned char nNumber1, char cLetter2,
                            unsigned char nNumber2)
{
    const unsigned char c1 = static_cast<unsigned char>(cLetter1);
    const unsigned char c2 = static_cast<unsigned char>(cLetter2);
    const unsigned char cFolded1 = FoldUpper(c1);
    const unsigned char cFolded2 = FoldUpper(c2);
    if (cFolded1 != cFolded2)
        return static_cast<int>(cFolded1) - static_cast<int>(cFolded2);
    if (nNumber1 != nNumber2)
        return static_cast<int>(nNumber1) - static_cast<int>(nNumber2);
    // Same letter and number: an upper-case letter ranks above a lower-case one.
    if (IsUpper(c1) && IsLower(c2))
        return 1;
    if (IsLower(c1) && IsUpper(c2))
        return -1;
    return 0;
}

bool CanBackupCsvFiles()
{
    const unsigned char nType = GetPanelType();
    if (IsPanelGroupA(nType) || IsFileCmdPanel())
        return true;
    if (!IsPanelGroupC(nType))
        return false;
    return RevisionAtLeast('k', 3, 149);
}

bool CanViewFileData()
{
    if (IsFileCmdPanel() || IsPanelGroupA(GetPanelType()))
        return RevisionAtLeast('i', 14, 14);
    return RevisionAtLeast('k', 5, 76);
}

CCommInterface::CCommInterface(const std::string& strAddress, int nPort)
    : m_strIPAddress(strAddress), m_nPort(nPort)
{
    CSerialComm::m_enumAppType = COM_APP_DEFAULT;
}

CCommInterface::~CCommInterface()
{
    CloseComm();
}

void CCommInterface::CloseComm()
{
    m_SerialComm.CloseComPort();
    m_SerialComm.EthernetClose();
    m_bEthernetReady = false;
}

bool CCommInterface::InitEthernet()
{
    if (m_bEthernetReady)
        return true;
    m_SerialComm.SetCommModeToEthernetCE();
    m_SerialComm.SetIPAndPort(m_strIPAddress, m_nPort);
    m_bEthernetReady = true;
    return true;
}

void CCommInterface::SetTimeouts(int nConnectMs, int nReplyMs)
{
    m_SerialComm.SetTimeouts(nConnectMs, nReplyMs);
}

bool CCommInterface::SendMsgCode(unsigned char nMsgCode, bool bFlag, const unsigned char* pRequest,
                                 unsigned long nRequestLen, unsigned char* pReply,
                                 unsigned long nReplyCapacity, unsigned long* pReplyLen)
{
    InitEthernet();
    // The transport only reads the request; its signature is the library's.
    const unsigned long nResult =
        m_SerialComm.ProccessMsgCode_NoThread(nMsgCode, bFlag, const_cast<unsigned char*>(pRequest),
                                              nRequestLen, pReply, nReplyCapacity, pReplyLen);
    if (nResult == SERIAL_OK)
        return true;
    SetCommError(nResult);
    return false;
}

void CCommInterface::SetCommError(unsigned long nCode)
{
    if (nCode == SERIAL_OK)
        return;
    m_strError = CommErrorText(nCode, m_SerialComm.GetLastSystemError());
}

bool CCommInterface::ReadPanelInfo()
{
    g_PanelInfo[INFO_TYPE] = 0;
    unsigned char arrReply[PANEL_INFO_REPLY_CAPACITY] = {};
    unsigned long nReplyLen = 0;
    if (!SendMsgCode(MSG_PANEL_INFO, false, nullptr, 0, arrReply, sizeof(arrReply), &nReplyLen))
        return false;
    std::memset(g_PanelInfo, 0, sizeof(g_PanelInfo));
    std::memcpy(g_PanelInfo, arrReply, std::min<unsigned long>(nReplyLen, PANEL_INFO_SIZE));
    return true;
}

bool IsPanelAccepted()
{
    const unsigned char nType = GetPanelType();
    if (nType == 0)
        return false;
    bool bInList1 =
        IsTypeIn(nType, {80, 82, 87, 90, 91, 92, 94, 160, 161, 173, 177, 182, 184, 187, 188});
    bool bInList2 =
        IsTypeIn(nType, {162, 163, 164, 165, 174, 176, 178, 179, 180, 181, 183, 185, 189, 190});
    bool bConsultLists = true;
    if (IsFileCmdPanel())
    {
        const int nCompare = CompareRevisionWith('i', 11);
        if (nCompare < 0)
            bConsultLists = false;
        else if (nCompare == 0 && GetPanelBuildNumber() < 40)
            bInList1 = bInList2 = false;
    }
    if (bConsultLists && (bInList1 || bInList2))
        return true;
    return nType == 186;
}

bool CCommInterface::CheckPanelType()
{
    if (!ReadPanelInfo())
        return false;
    if (IsPanelAccepted())
        return true;
    if (GetPanelType() == 0)
    {
        // A panel that answers without a type cannot be told apart from a wrong
        // device; say so rather than refuse without a word.
        if (m_strError.empty())
            m_strError = "Error: The panel did not identify itself (panel type 0).";
        return false;
    }
    m_strError = "Error: Device Type Mismatch";
    return false;
}

// These are the panels' own texts, odd spacing and all: users and support look
// them up as they stand, so they are kept exactly, not tidied.
std::string CommErrorText(unsigned long nCode, int nSystemError)
{
    switch (nCode)
    {
    case 0:
        return std::string();
    case 1:
        return "Incorrect Communication Packet  (Checksum Error).";
    case 2:
        return "Incorrect Communication Packet  (Time Out Error). \nCheck cable and communication "
               "port.";
    case 3:
        return "Incorrect Communication Packet  (Incorrect message code).";
    case 6:
        return "Panel is out of memory;  \nPlease delete few objects and try again. If you have "
               "linegraphs in your project, reduce number of samples and try again.  Bitmaps and "
               "linegraphs are objects that may consume lot of memory.  If you are using "
               "linegraphs in your project, reducing the number of samples will reduce memory "
               "consumption.";
    case 7:
        return "Incorrect Communication Packet  (Incorrect message number).";
    case 8:
        return "Incorrect Communication Packet  (Incorrect message length).";
    case 9:
        return "Incorrect Communication Packet  (Incorrect type).";
    case 10:
        return "Incorrect Communication Packet  (Error in EEPROM program).";
    case 11:
        return "Incorrect Communication Packet  (Incorrect message load).";
    case 14:
        return "Incorrect Communication Packet  (Program read only error).";
    case 15:
        return "Incorrect Communication Packet  (Incorrect Format).";
    case 16:
        return "Incorrect Communication Packet  (Image not found).";
    case 17:
        return "There is a Port conflict. Check the ports.";
    case 18:
        return "Panel does not have the firmware loaded.  \nPlease load the panel with latest "
               "firmware.";
    case 19:
        return "Incorrect Communication Packet  (Protection error).";
    case 20:
        return "Incorrect Communication Packet  (Incorrect password).";
    case 21:
        return "Incorrect Communication Packet  (Error in INIT).";
    case 23:
        return "Incorrect Communication Packet  (ERR MSG ECHOED).";
    case 24:
        return "File System Error.";
    case 30:
        return "Netwyn dll not initialized.";
    case 31:
        return "Invalid argument type.";
    case 32:
        return "Unable to create thread.";
    case 33:
        return "Unable to close communication port.";
    case 34:
        return "Netwyn Dll not loaded.";
    case 35:
        return "Error in transmitting data.";
    case 36:
        return "Error C01_1:  Unable to open communication port.";
    case 37:
        return "Error C01_3:  communication port is being used by some other application, Access "
               "denied.";
    case 39:
        return "Error C01_5:  Unable to Connect to host device.\nPlease check the cable and "
               "connection.";
    case 100:
        return "The starting address does not match.";
    case 101:
        return "Error reading driver or hex file.";
    case 212:
        return "User aborted communication.";
    default:
        break;
    }
    if (nSystemError == 0)
        return "Error C01_4:  Unknown communication error. Please check the cable and connection.";
    return StrFormat("%s", std::strerror(nSystemError));
}
