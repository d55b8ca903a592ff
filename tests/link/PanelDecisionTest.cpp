// The decisions made from the panel information block, as tables of cases.
#include "link/CCommInterface.h"

#include <cstring>
#include <functional>
#include <gtest/gtest.h>

namespace
{
struct SPanel
{
    unsigned char nType;
    char cLetter;
    unsigned char nNumber;
    uint32_t nBuild;
};

void StorePanelInfo(const SPanel& panel)
{
    std::memset(g_PanelInfo, 0, sizeof(g_PanelInfo));
    g_PanelInfo[0] = panel.nType;
    g_PanelInfo[4] = static_cast<unsigned char>(panel.cLetter);
    g_PanelInfo[5] = panel.nNumber;
    for (int i = 0; i < 4; ++i)
        g_PanelInfo[48 + i] = static_cast<unsigned char>(panel.nBuild >> (8 * i));
}
} // namespace

TEST(PanelDecisionTest, CompareFirmwareRevision)
{
    const struct
    {
        char c1;
        unsigned char n1;
        char c2;
        unsigned char n2;
        int nExpected;
    } arrCases[] = {
        {'a', 1, 'b', 1, 'A' - 'B'},   // letters first, folded
        {'i', 200, 'K', 0, 'I' - 'K'}, // the letter outranks any number
        {'K', 3, 'k', 3, 1},           // same letter and number: upper above lower
        {'k', 3, 'K', 3, -1},          {'k', 3, 'k', 3, 0},
        {'k', 4, 'K', 3, 1},       // the number before the case rule
        {'k', 200, 'k', 100, 100}, // numbers are unsigned bytes
        {'I', 11, 'i', 12, -1},
    };
    for (const auto& c : arrCases)
        EXPECT_EQ(CompareFirmwareRevision(c.c1, c.n1, c.c2, c.n2), c.nExpected)
            << c.c1 << int(c.n1) << " vs " << c.c2 << int(c.n2);
}

TEST(PanelDecisionTest, AcceptanceBackupAndViewing)
{
    const struct
    {
        const char* pszDecision;
        std::function<bool()> decide;
        std::vector<std::pair<SPanel, bool>> arrCases;
    } arrDecisions[] = {
        {"accepted",
         IsPanelAccepted,
         {
             {{186, 'a', 0, 0}, true},    // always accepted
             {{177, 'i', 11, 39}, false}, // equal revision, old build: in neither list
             {{177, 'i', 11, 40}, true},
             {{177, 'I', 11, 0}, true},    // upper-case I ranks above i11
             {{177, 'i', 10, 999}, false}, // below: the lists are not consulted
             {{183, 'k', 1, 0}, true},
             {{80, 'a', 0, 0}, true},     // list 1, no revision rule
             {{190, 'a', 0, 0}, true},    // list 2
             {{169, 'k', 9, 999}, false}, // group A but in neither list
             {{0, 'k', 9, 999}, false},   // no answer recorded
         }},
        {"backup",
         CanBackupCsvFiles,
         {
             {{92, 'a', 0, 0}, true},  // group A
             {{176, 'a', 0, 0}, true}, // file command panel
             {{161, 'k', 3, 149}, true},
             {{161, 'k', 3, 148}, false},
             {{163, 'k', 4, 0}, true},
             {{171, 'k', 2, 999}, false},
             {{180, 'K', 3, 0}, true},     // K3 ranks above k3
             {{100, 'z', 99, 999}, false}, // not in group C
         }},
        {"view",
         CanViewFileData,
         {
             {{186, 'i', 14, 14}, true}, // file command threshold i14 build 14
             {{186, 'i', 14, 13}, false},
             {{176, 'i', 13, 999}, false},
             {{165, 'i', 14, 14}, true}, // group A shares it
             {{165, 'h', 99, 999}, false},
             {{80, 'k', 5, 76}, true}, // everyone else: k5 build 76
             {{80, 'k', 5, 75}, false},
             {{80, 'K', 5, 0}, true},
             {{80, 'i', 14, 14}, false},
         }},
    };
    for (const auto& d : arrDecisions)
    {
        for (const auto& [panel, bExpected] : d.arrCases)
        {
            StorePanelInfo(panel);
            EXPECT_EQ(d.decide(), bExpected)
                << d.pszDecision << ": type " << int(panel.nType) << " " << panel.cLetter
                << int(panel.nNumber) << " build " << panel.nBuild;
        }
    }
}
