#pragma once
// Every temporary file the program and the command-line tool write. Each has
// a short hidden name of one pattern, ".orvak-XXXXXXXX.tmp", whatever the name
// of its target: a long target name cannot push it past the file system's
// name limit, and a leftover is easy to recognise. Live temporaries are
// registered, so that SIGINT and SIGTERM remove them before the process ends
// (InstallTempFileCleanup); only SIGKILL or a power loss can leave one.
//
// A temporary replaces its target only whole (Commit): flushed to disk, given
// the target's permission bits (or the ordinary mode for a new file), and
// never over a read-only target. SafeReplaceFile is the one way a file the
// program writes whole (the panel list, a transferred file, a CSV export)
// takes its target's place.
#include <functional>
#include <string>

constexpr const char* TEMP_FILE_PREFIX = ".orvak-";
constexpr const char* TEMP_FILE_SUFFIX = ".tmp";

// True for a name (without folder) of the temporary pattern.
bool IsTempFileName(const std::string& strName);

// SIGINT and SIGTERM remove every registered temporary and then end the
// process as the signal would; SIGXFSZ is ignored, so that passing the file
// size limit fails the write (and the command) instead of killing it.
void InstallTempFileCleanup();

// The system's temporary folder, empty when there is none.
std::string GetSystemTempFolder();

// Why the target cannot be replaced (empty when it can or does not exist):
// the system's text for a folder, or for a read-only or unwritable file.
std::string TargetRefusal(const std::string& strTarget);

class CTempFile
{
public:
    CTempFile() = default;
    ~CTempFile() { Discard(); }
    CTempFile(const CTempFile&) = delete;
    CTempFile& operator=(const CTempFile&) = delete;

    // Creates a new private temporary in the folder (empty: the current one).
    // On failure strError is "<folder>: <reason>".
    bool Create(const std::string& strFolder, std::string& strError);
    // Creates it beside the target, in the target's folder.
    bool CreateBeside(const std::string& strTarget, std::string& strError);

    const std::string& Path() const { return m_strPath; }
    int Fd() const { return m_nFd; }
    // Writes every byte (retrying interrupted and partial writes).
    bool WriteAll(const void* pData, size_t nLength, std::string& strError);
    // Closes the descriptor so that another writer may fill the file by path.
    void CloseFd();
    // Flushes the file, gives it the target's mode and renames it over the
    // target. On failure the temporary is removed, the target is as it was,
    // and strError is "<target>: <reason>". A target that is no plain file (a
    // device such as /dev/null, a FIFO) is written to instead of replaced.
    bool Commit(const std::string& strTarget, std::string& strError);
    // Removes the temporary (nothing once committed).
    void Discard();

private:
    bool CopyInto(const std::string& strTarget, std::string& strError);

    std::string m_strPath;
    int m_nFd = -1;
    int m_nSlot = -1; // its place in the registry the signal clean-up reads
};

// Writes a file whole: fnWrite fills a new temporary beside strTarget, which
// then replaces the target (Commit). On any failure the temporary is removed,
// the target is as it was, and strError names the cause (fnWrite sets it for
// its own failures).
using TempFileWriteFn = std::function<bool(CTempFile& temp, std::string& strError)>;
bool SafeReplaceFile(const std::string& strTarget, const TempFileWriteFn& fnWrite,
                     std::string& strError);
