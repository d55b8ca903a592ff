#pragma once
// The Data View's CSV export: the file name, the filters in force and the
// table as it stands (after any sort), with CR LF line ends.
#include "CDataLogFile.h"
#include "CDataViewTable.h"

#include <string>

// The whole export text.
std::string BuildCsvExport(CDataLogFile& log, const CDataViewTable& table);

// Writes the export to strPath. The file appears whole or not at all: the
// text goes to a temporary file beside it, which then replaces the target.
// On failure shows "Unable to create/open the csv file." and returns false.
bool ExportCsv(const std::string& strPath, CDataLogFile& log, const CDataViewTable& table);

// Every double quote written twice; and that, enclosed in double quotes.
std::string DoubleQuotes(const std::string& strText);
std::string EncloseQuoted(const std::string& strText);
