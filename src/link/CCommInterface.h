#pragma once
// One command channel to one panel, built per user operation. Sends numbered
// message codes through CSerialComm and turns every failure into the fixed
// message text the user sees. Also holds the panel identification read by
// message code 18 and the decisions made from it. The bytes on the wire are
// described in docs/wire-format.md.
#include "link/CSerialComm.h"

#include <cstdint>
#include <string>

// Reply of message code 18 (byte 0 type, byte 4 revision letter, byte 5
// revision number, bytes 48..51 build number little-endian). One per thread:
// the block read at connect must decide that thread's later transfers even
// while other threads talk to other panels (orvak-cli collect).
constexpr size_t PANEL_INFO_SIZE = 52;
extern thread_local unsigned char g_PanelInfo[PANEL_INFO_SIZE];

unsigned char GetPanelType();
char GetPanelRevisionLetter();
unsigned char GetPanelRevisionNumber();
uint32_t GetPanelBuildNumber();

bool IsPanelGroupA(unsigned char nType);
bool IsPanelGroupC(unsigned char nType);
bool IsFileCmdPanel();
int CompareFirmwareRevision(char cLetter1, unsigned char nNumber1, char cLetter2,
                            unsigned char nNumber2);
bool CanBackupCsvFiles();
// The decision CheckPanelType makes from the stored block (type 0: false).
bool IsPanelAccepted();
bool CanViewFileData();

class CCommInterface
{
public:
    CCommInterface(const std::string& strAddress, int nPort);
    virtual ~CCommInterface();
    CCommInterface(const CCommInterface&) = delete;
    CCommInterface& operator=(const CCommInterface&) = delete;

    void CloseComm();
    bool InitEthernet();
    // One exchange. Virtual so that a stand-in panel (fuzzing, tests) can
    // answer without a network.
    virtual bool SendMsgCode(unsigned char nMsgCode, bool bFlag, const unsigned char* pRequest,
                             unsigned long nRequestLen, unsigned char* pReply,
                             unsigned long nReplyCapacity, unsigned long* pReplyLen);
    void SetCommError(unsigned long nCode);
    bool ReadPanelInfo();
    bool CheckPanelType();

    const std::string& GetError() const { return m_strError; }
    void SetError(const std::string& strError) { m_strError = strError; }
    const std::string& GetIPAddress() const { return m_strIPAddress; }
    int GetPort() const { return m_nPort; }

    // Shortens the transport's time-outs (tests, the command-line tool).
    void SetTimeouts(int nConnectMs, int nReplyMs);

private:
    std::string m_strIPAddress;
    int m_nPort;
    std::string m_strError;
    CSerialComm m_SerialComm;
    bool m_bEthernetReady = false;
};

// The text SetCommError gives for a result code; nSystemError is the error
// number saved at the failure (used by codes outside the fixed table).
std::string CommErrorText(unsigned long nCode, int nSystemError);
