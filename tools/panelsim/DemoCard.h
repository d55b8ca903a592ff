#pragma once
// The demo card: a folder of sample files a panel might hold, so that the
// program can be tried without a panel and without preparing files.
#include <string>

// Creates strFolder (and its parents) and writes the sample files into it,
// replacing older copies of them; other files in the folder stay. False with
// a reason when something cannot be written.
bool CreateDemoCard(const std::string& strFolder, std::string& strError);
