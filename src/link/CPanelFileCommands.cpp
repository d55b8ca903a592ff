#include "link/CPanelFileCommands.h"

#include "common/StrFormat.h"
#include "link/CCommInterface.h"
#include "link/CardStatus.h"

#include <algorithm>
#include <cstring>

namespace
{
constexpr unsigned char MSG_FILE_CMD = 143;
constexpr unsigned char MSG_CARD_CMD = 128;
constexpr unsigned long REPLY_CAPACITY = 255;

// Sub-commands of the file command family.
constexpr unsigned char FILE_READ_BLOCK = 0;
constexpr unsigned char FILE_SEEK = 2;
constexpr unsigned char FILE_OPEN = 3;
constexpr unsigned char FILE_CLOSE = 4;
constexpr unsigned char FILE_LIST_OPEN = 6;
constexpr unsigned char FILE_LIST_NEXT = 7;
constexpr unsigned char FILE_LIST_CLOSE = 8;
constexpr unsigned char FILE_DELETE = 13;
constexpr unsigned char FILE_RENAME = 14;
constexpr unsigned char FILE_BACKUP = 16;
constexpr unsigned char FILE_BACKUP_ALL_CSV = 17;
constexpr unsigned char FILE_RESET = 21;

// A sub-command 7 record after the name's 0 byte: size 4, h m s, day, month, year 2.
constexpr unsigned long ENTRY_FIELDS_SIZE = 11;

// Card frames: 0x71 0x14 length payload... checksum, at most 255 bytes in all.
constexpr unsigned char CARD_FRAME_0 = 0x71;
constexpr unsigned char CARD_FRAME_1 = 0x14;
constexpr unsigned char CARD_FRAME_IN_USE = 0xF1;
constexpr unsigned long CARD_FRAME_MAX = 255;
constexpr unsigned long CARD_FRAME_OVERHEAD = 4;

constexpr unsigned char CARD_LIST = 11;
constexpr unsigned char CARD_DELETE = 14;
constexpr unsigned char CARD_RENAME = 15;
constexpr unsigned char CARD_LIST_OPEN = 0;
constexpr unsigned char CARD_LIST_NEXT = 1;
constexpr unsigned char CARD_LIST_CLOSE = 2;

// Reply offsets of the card frame and its listing entry.
constexpr unsigned long CARD_STATUS = 3;
constexpr unsigned long CARD_DATA = 4;
constexpr unsigned long CARD_ENTRY_NAME = 6;
constexpr unsigned long CARD_ENTRY_NAME_MAX = 32;
constexpr unsigned long CARD_ENTRY_SIZE = 38;
constexpr unsigned long CARD_ENTRY_TIME = 46;
constexpr unsigned long CARD_ENTRY_YEAR = 51;
constexpr unsigned long CARD_ENTRY_END = 53;

const char* const LINE_NAME_TOO_LONG = "Error: The name is too long for a request to the panel.";
const char* const LINE_SHORT_REPLY = "Error: Incomplete reply from the panel.";
const char* const LINE_LIST_FAILED = "Error in Getting Remote file list.";
const char* const LINE_LIST_ENDLESS = "Error: The panel's file list does not end.";
const char* const LINE_IN_USE = "Error: File may be in use.";
const char* const LINE_NO_BACKUP = "Error: This panel cannot back up CSV files.";
const char* const FMT_BACKUP_FAILED = "Unable to backup %s.";
const char* const FMT_RENAME_FAILED = "Error in renaming file.\nCould not rename %s.";
const char* const FMT_DELETE_FAILED = "Error in deleting file.\nCould not delete %s.";

using CBytes = std::vector<unsigned char>;

void AppendText(CBytes& arr, const std::string& str)
{
    arr.insert(arr.end(), str.begin(), str.end());
}

// Name bytes followed by the 0 byte, as the file family sends names.
void AppendName(CBytes& arr, const std::string& str)
{
    AppendText(arr, str);
    arr.push_back(0);
}

// (length + 1), name bytes, 0: how the card family sends names.
void AppendCardName(CBytes& arr, const std::string& str)
{
    arr.push_back(static_cast<unsigned char>(str.size() + 1));
    AppendName(arr, str);
}

uint32_t BigEndian32(const unsigned char* p)
{
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
           static_cast<uint32_t>(p[2]) << 8 | p[3];
}

int BigEndian16(const unsigned char* p)
{
    return p[0] << 8 | p[1];
}

// The six date-time fields at p: hour, minute, second, day, month, then the
// year (two bytes big-endian) at pYear.
DIR_DATA EntryFromFields(const std::string& strName, uint32_t nSize, const unsigned char* p,
                         const unsigned char* pYear)
{
    return MakeDirEntry(strName, nSize, BigEndian16(pYear), p[4], p[3], p[0], p[1], p[2]);
}
} // namespace

CPanelFileCommands::CPanelFileCommands(CCommInterface* pComm) : m_pComm(pComm) {}

void CPanelFileCommands::AddError(const std::string& strLine)
{
    m_strErrors = JoinLines(m_strErrors, strLine);
}

bool CPanelFileCommands::FileRequestFits(unsigned long nPayloadLen)
{
    if (nPayloadLen <= FILE_CMD_MAX_PAYLOAD)
        return true;
    AddError(LINE_NAME_TOO_LONG);
    return false;
}

// ---------------------------------------------------------------------------
// Family-neutral calls

bool CPanelFileCommands::ListFiles(CDirData& list, const std::string& strPattern)
{
    return IsFileCmdPanel() ? GetFileList(list, strPattern) : CardGetFileList(list, strPattern);
}

bool CPanelFileCommands::Rename(const std::string& strOldName, const std::string& strNewName)
{
    return IsFileCmdPanel() ? RenameFile(strOldName, strNewName)
                            : CardRenameFile(strOldName, strNewName);
}

bool CPanelFileCommands::Delete(const std::vector<std::string>& arrNames)
{
    return IsFileCmdPanel() ? DeleteFiles(arrNames) : CardDeleteFiles(arrNames);
}

bool CPanelFileCommands::BackupOffered()
{
    if (CanBackupCsvFiles())
        return true;
    AddError(LINE_NO_BACKUP);
    return false;
}

bool CPanelFileCommands::Backup(const std::vector<std::string>& arrNames)
{
    return BackupOffered() && BackupFiles(arrNames);
}

bool CPanelFileCommands::BackupAll()
{
    return BackupOffered() && BackupAllCsvFiles();
}

// ---------------------------------------------------------------------------
// File command family (message code 143)

bool CPanelFileCommands::SendFileCmd(unsigned char nSub, const unsigned char* pPayload,
                                     unsigned long nPayloadLen, unsigned char* pOut,
                                     unsigned long* pOutLen)
{
    if (!m_pComm || !FileRequestFits(nPayloadLen))
        return false;
    unsigned char arrRequest[1 + FILE_CMD_MAX_PAYLOAD];
    arrRequest[0] = nSub;
    if (nPayloadLen > 0)
        std::memcpy(arrRequest + 1, pPayload, nPayloadLen);
    unsigned char arrReply[REPLY_CAPACITY];
    unsigned long nReplyLen = 0;
    try
    {
        if (!m_pComm->SendMsgCode(MSG_FILE_CMD, false, arrRequest, nPayloadLen + 1, arrReply,
                                  REPLY_CAPACITY, &nReplyLen))
            return false;
    }
    catch (...)
    {
        return false;
    }
    if (pOut && pOutLen)
    {
        // Reply byte 0 echoes the sub-command and is dropped unread.
        const unsigned long n = std::min(nReplyLen > 0 ? nReplyLen - 1 : 0, *pOutLen);
        if (n > 0)
            std::memcpy(pOut, arrReply + 1, n);
        *pOutLen = n;
    }
    return true;
}

bool CPanelFileCommands::SeekFile(unsigned char nOrigin, int nOffset, unsigned long* pPosition)
{
    const uint32_t nBits = static_cast<uint32_t>(nOffset);
    const unsigned char arrPayload[5] = {
        static_cast<unsigned char>(nBits), static_cast<unsigned char>(nBits >> 8),
        static_cast<unsigned char>(nBits >> 16), static_cast<unsigned char>(nBits >> 24), nOrigin};
    unsigned char arrOut[4];
    unsigned long nOutLen = sizeof(arrOut);
    if (!SendFileCmd(FILE_SEEK, arrPayload, sizeof(arrPayload), arrOut, &nOutLen))
        return false;
    if (nOutLen < sizeof(arrOut))
    {
        AddError(LINE_SHORT_REPLY);
        return false;
    }
    if (pPosition)
        *pPosition = static_cast<unsigned long>(arrOut[0]) |
                     static_cast<unsigned long>(arrOut[1]) << 8 |
                     static_cast<unsigned long>(arrOut[2]) << 16 |
                     static_cast<unsigned long>(arrOut[3]) << 24;
    return true;
}

bool CPanelFileCommands::OpenRemoteFileSize(const std::string& strName, unsigned long* pSize)
{
    *pSize = 0;
    // Mode byte, name, 0: refused before the reset goes out when it cannot fit.
    if (!FileRequestFits(strName.size() + 2))
        return false;
    SendFileCmd(FILE_RESET, nullptr, 0, nullptr, nullptr);
    CBytes arrPayload{0};
    AppendName(arrPayload, strName);
    if (!SendFileCmd(FILE_OPEN, arrPayload.data(), arrPayload.size(), nullptr, nullptr))
        return false;
    unsigned long nSize = 0;
    if (!SeekFile(1, 0, &nSize))
        return false;
    unsigned long nPosition = 0;
    if (!SeekFile(0, 0, &nPosition) || nPosition != 0)
        return false;
    *pSize = nSize;
    return true;
}

unsigned long CPanelFileCommands::OpenRemoteFile(const std::string& strName)
{
    unsigned long nSize = 0;
    OpenRemoteFileSize(strName, &nSize);
    return nSize;
}

bool CPanelFileCommands::ReadFileBlock(unsigned char* pBlock, unsigned long* pLen)
{
    return SendFileCmd(FILE_READ_BLOCK, nullptr, 0, pBlock, pLen);
}

void CPanelFileCommands::CloseRemoteFile()
{
    SendFileCmd(FILE_CLOSE, nullptr, 0, nullptr, nullptr);
}

bool CPanelFileCommands::SendNameCmd(unsigned char nSub, const std::string& strName,
                                     const char* pszFailure)
{
    CBytes arrPayload;
    AppendName(arrPayload, strName);
    if (SendFileCmd(nSub, arrPayload.data(), arrPayload.size(), nullptr, nullptr))
        return true;
    AddError(StrFormat(pszFailure, strName.c_str()));
    return false;
}

bool CPanelFileCommands::BackupFile(const std::string& strName)
{
    return SendNameCmd(FILE_BACKUP, strName, FMT_BACKUP_FAILED);
}

bool CPanelFileCommands::DeleteFile(const std::string& strName)
{
    return SendNameCmd(FILE_DELETE, strName, FMT_DELETE_FAILED);
}

bool CPanelFileCommands::RenameFile(const std::string& strOldName, const std::string& strNewName)
{
    CBytes arrPayload;
    AppendName(arrPayload, strOldName);
    AppendName(arrPayload, strNewName);
    if (SendFileCmd(FILE_RENAME, arrPayload.data(), arrPayload.size(), nullptr, nullptr))
        return true;
    AddError(StrFormat(FMT_RENAME_FAILED, strOldName.c_str()));
    return false;
}

bool CPanelFileCommands::BackupFiles(const std::vector<std::string>& arrNames)
{
    return std::all_of(arrNames.begin(), arrNames.end(),
                       [this](const std::string& strName) { return BackupFile(strName); });
}

bool CPanelFileCommands::DeleteFiles(const std::vector<std::string>& arrNames)
{
    return std::all_of(arrNames.begin(), arrNames.end(),
                       [this](const std::string& strName) { return DeleteFile(strName); });
}

bool CPanelFileCommands::BackupAllCsvFiles()
{
    return SendFileCmd(FILE_BACKUP_ALL_CSV, nullptr, 0, nullptr, nullptr);
}

bool CPanelFileCommands::ReadDirEntries(CDirData& list)
{
    // A card holds no more entries than its 16-bit entry count can name; a
    // panel that keeps answering past that is not listing a card.
    for (unsigned long nEntries = 0;; ++nEntries)
    {
        unsigned char arrRecord[REPLY_CAPACITY];
        unsigned long nLen = sizeof(arrRecord);
        if (!SendFileCmd(FILE_LIST_NEXT, nullptr, 0, arrRecord, &nLen))
            return false;
        if (nLen == 0 || arrRecord[0] == 0)
            return true;
        if (nEntries >= MAX_LIST_ENTRIES)
        {
            AddError(LINE_LIST_ENDLESS);
            return false;
        }
        const void* pTerminator = std::memchr(arrRecord, 0, nLen);
        const unsigned long nNameLen =
            pTerminator ? static_cast<unsigned long>(
                              static_cast<const unsigned char*>(pTerminator) - arrRecord)
                        : nLen;
        if (!pTerminator || nLen < nNameLen + 1 + ENTRY_FIELDS_SIZE)
        {
            AddError(LINE_SHORT_REPLY);
            return false;
        }
        const unsigned char* pFields = arrRecord + nNameLen + 1;
        list.Add(EntryFromFields(std::string(reinterpret_cast<const char*>(arrRecord), nNameLen),
                                 BigEndian32(pFields), pFields + 4, pFields + 9));
    }
}

bool CPanelFileCommands::GetFileList(CDirData& list, const std::string& strPattern)
{
    if (!FileRequestFits(strPattern.size() + 1))
    {
        AddError(LINE_LIST_FAILED);
        return false;
    }
    SendFileCmd(FILE_RESET, nullptr, 0, nullptr, nullptr);
    CBytes arrPayload;
    AppendName(arrPayload, strPattern);
    if (!SendFileCmd(FILE_LIST_OPEN, arrPayload.data(), arrPayload.size(), nullptr, nullptr) ||
        !ReadDirEntries(list))
    {
        AddError(LINE_LIST_FAILED);
        return false;
    }
    SendFileCmd(FILE_LIST_CLOSE, nullptr, 0, nullptr, nullptr);
    return true;
}

// ---------------------------------------------------------------------------
// Card command family (message code 128)

bool CPanelFileCommands::SendCardCmd(const unsigned char* pPayload, unsigned long nPayloadLen,
                                     unsigned long* pValue, DIR_DATA* pEntry)
{
    if (!m_pComm || nPayloadLen == 0)
        return false;
    if (nPayloadLen + CARD_FRAME_OVERHEAD > CARD_FRAME_MAX)
    {
        AddError(LINE_NAME_TOO_LONG);
        return false;
    }
    const unsigned long nFrameLen = nPayloadLen + CARD_FRAME_OVERHEAD;
    unsigned char arrFrame[CARD_FRAME_MAX] = {};
    arrFrame[0] = CARD_FRAME_0;
    arrFrame[1] = CARD_FRAME_1;
    arrFrame[2] = static_cast<unsigned char>(nFrameLen);
    std::memcpy(arrFrame + 3, pPayload, nPayloadLen);
    unsigned nSum = 0;
    for (unsigned long i = 0; i < nFrameLen - 1; ++i)
        nSum += arrFrame[i];
    arrFrame[nFrameLen - 1] = static_cast<unsigned char>(nSum & 0xFF);

    unsigned char arrReply[REPLY_CAPACITY] = {};
    unsigned long nReplyLen = 0;
    if (!m_pComm->SendMsgCode(MSG_CARD_CMD, false, arrFrame, nFrameLen, arrReply, REPLY_CAPACITY,
                              &nReplyLen))
        return false;

    const unsigned char nSub = pPayload[0];
    const bool bWrongHeader = (nReplyLen >= 1 && arrReply[0] != CARD_FRAME_0) ||
                              (nReplyLen >= 2 && arrReply[1] != CARD_FRAME_1);
    if (bWrongHeader)
    {
        if ((nSub == CARD_DELETE || nSub == CARD_RENAME) && arrReply[0] == CARD_FRAME_IN_USE)
            AddError(LINE_IN_USE);
        return false;
    }
    // Every length check below keeps the reply from being read past its end.
    if (nReplyLen <= CARD_STATUS)
    {
        AddError(LINE_SHORT_REPLY);
        return false;
    }
    bool bStatusError = false;
    const std::string strStatus = GetCardStatusText(arrReply[CARD_STATUS], &bStatusError);
    if (bStatusError)
    {
        AddError("Error: " + strStatus);
        return false;
    }

    switch (nSub)
    {
    case CARD_LIST:
    {
        const unsigned char nStep = nPayloadLen > 1 ? pPayload[1] : CARD_LIST_CLOSE;
        if (nStep == CARD_LIST_OPEN && pValue)
        {
            if (nReplyLen < CARD_DATA + 2)
                break;
            *pValue = static_cast<unsigned long>(BigEndian16(arrReply + CARD_DATA));
        }
        else if (nStep == CARD_LIST_NEXT && (pValue || pEntry))
        {
            if (nReplyLen < (pEntry ? CARD_ENTRY_END : CARD_DATA + 1))
                break;
            if (pValue)
                *pValue = arrReply[CARD_DATA];
            if (pEntry)
            {
                const char* pszName = reinterpret_cast<const char*>(arrReply + CARD_ENTRY_NAME);
                const std::string strName(pszName, strnlen(pszName, CARD_ENTRY_NAME_MAX));
                *pEntry = EntryFromFields(strName, BigEndian32(arrReply + CARD_ENTRY_SIZE),
                                          arrReply + CARD_ENTRY_TIME, arrReply + CARD_ENTRY_YEAR);
            }
        }
        return true;
    }
    case CARD_DELETE:
    case CARD_RENAME:
    {
        if (nReplyLen <= CARD_DATA)
            break;
        const unsigned char nResult = arrReply[CARD_DATA];
        if (nResult == 0)
            return true;
        AddError("Error: " + (nSub == CARD_DELETE ? GetCardDeleteResultText(nResult)
                                                  : GetCardRenameResultText(nResult)));
        return false;
    }
    default:
        return true;
    }
    AddError(LINE_SHORT_REPLY);
    return false;
}

bool CPanelFileCommands::CardReadDir(CDirData& list, const std::string& strPattern)
{
    CBytes arrOpen{CARD_LIST, CARD_LIST_OPEN};
    if (strPattern.empty())
        arrOpen.push_back(0);
    else
        AppendCardName(arrOpen, strPattern);
    unsigned long nCount = 0;
    if (!SendCardCmd(arrOpen.data(), arrOpen.size(), &nCount, nullptr))
        return false;
    const unsigned char arrNext[] = {CARD_LIST, CARD_LIST_NEXT};
    for (unsigned long i = 0; nCount != 0; ++i)
    {
        DIR_DATA entry;
        unsigned long nLast = 0;
        if (!SendCardCmd(arrNext, sizeof(arrNext), &nLast, &entry))
            return false;
        list.Add(entry);
        if (nLast == 1 || i + 1 >= nCount)
            break;
    }
    const unsigned char arrClose[] = {CARD_LIST, CARD_LIST_CLOSE};
    return SendCardCmd(arrClose, sizeof(arrClose), nullptr, nullptr);
}

bool CPanelFileCommands::CardGetFileList(CDirData& list, const std::string& strPattern)
{
    if (CardReadDir(list, strPattern))
        return true;
    AddError(LINE_LIST_FAILED);
    return false;
}

bool CPanelFileCommands::CardRenameFile(const std::string& strOldName,
                                        const std::string& strNewName)
{
    CBytes arrPayload{CARD_RENAME};
    AppendCardName(arrPayload, strOldName);
    AppendCardName(arrPayload, strNewName);
    if (SendCardCmd(arrPayload.data(), arrPayload.size(), nullptr, nullptr))
        return true;
    AddError(StrFormat(FMT_RENAME_FAILED, strOldName.c_str()));
    return false;
}

bool CPanelFileCommands::CardDeleteFile(const std::string& strName)
{
    CBytes arrPayload{CARD_DELETE};
    AppendCardName(arrPayload, strName);
    if (SendCardCmd(arrPayload.data(), arrPayload.size(), nullptr, nullptr))
        return true;
    AddError(StrFormat(FMT_DELETE_FAILED, strName.c_str()));
    return false;
}

bool CPanelFileCommands::CardDeleteFiles(const std::vector<std::string>& arrNames)
{
    return std::all_of(arrNames.begin(), arrNames.end(),
                       [this](const std::string& strName) { return CardDeleteFile(strName); });
}
