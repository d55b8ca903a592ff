#pragma once
// The two temporary files of a transfer. The remote file is first fetched into
// a private temporary file (CTempFile) in the system's temporary folder; only a
// complete fetch is then copied next to the target and renamed over it, so the
// target is either its old self or the complete new file, never half-written.
#include <string>

// Copies strSource into a new temporary file in the target's own folder,
// flushes it to disk and renames it over strTarget (replacing an existing,
// writable file and keeping that file's permissions; a read-only one is left
// alone). On any failure the temporary file is removed, strTarget is left as
// it was, and strError names the cause.
bool ReplaceFileWithCopy(const std::string& strSource, const std::string& strTarget,
                         std::string& strError);
