#pragma once
// A list of texts that sorts itself ascending without regard to letter case,
// keeping texts that compare equal in the order they were added (the folder
// tree lists sub-folders this way).
#include <string>
#include <vector>

class CSortStringArray : public std::vector<std::string>
{
public:
    void Add(const std::string& str) { push_back(str); }
    void Sort();

    // <0, 0, >0 like strcmp, comparing both texts in lower case byte by byte.
    static int CompareNoCase(const std::string& a, const std::string& b);
};
