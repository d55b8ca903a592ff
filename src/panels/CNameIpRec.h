#pragma once
// One known panel: the user's name for it, its IPv4 address and its port,
// and the one-line text form it takes in the panel list file.
#include <cstdio>
#include <string>

constexpr int DEFAULT_PANEL_PORT = 10001;

class CNameIpRec
{
public:
    CNameIpRec() { ResetToDefault(); }
    CNameIpRec(const std::string& strName, unsigned char b0, unsigned char b1, unsigned char b2,
               unsigned char b3, int nPort);
    virtual ~CNameIpRec() = default;
    CNameIpRec(const CNameIpRec&) = default;
    CNameIpRec& operator=(const CNameIpRec&) = default;

    // Empty name, address 0.0.0.0, port 10001.
    void ResetToDefault();
    void CopyFrom(const CNameIpRec& other) { *this = other; }

    // "a.b.c.d", byte 0 first.
    std::string GetIPText() const;
    bool IsBlankAddress() const;
    // Names equal ignoring case, same port, same four address bytes.
    bool IsSamePanel(const CNameIpRec& other) const;

    // The line as stored: name|a.b.c.d|port| and the line end "\r\r\n".
    std::string FormatLine() const;
    // Fills the record from one stored line (line end already removed). The
    // fields are set as far as the line gives them, so a short line leaves the
    // rest as they were; false when the line has no complete record.
    bool ParseLine(const std::string& strLine);

    // Writes FormatLine in one write; false on a write error.
    bool WriteLine(std::FILE* pFile) const;
    // Reads one line (up to and without its line feed, trailing carriage
    // returns dropped) and parses it. An empty line gives false.
    bool ReadLine(std::FILE* pFile);

    std::string m_strName;
    unsigned char m_IPAddress[4];
    int m_nPort;
};
