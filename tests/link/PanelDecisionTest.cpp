// The decisions made from the panel information block, as tables of cases.
#include "link/CCommInterface.h"

#include <cstring>
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

struct SDecisionCase
{
    SPanel panel;
    bool bExpected;
};

std::string Describe(const SPanel& p)
{
    return "type " + std::to_string(p.nType) + " rev " + p.cLetter + std::to_string(p.nNumber) +
           " build " + std::to_string(p.nBuild);
}

template <typename TDecision>
void ExpectDecisions(const std::vector<SDecisionCase>& arrCases, TDecision decide)
{
    for (const SDecisionCase& c : arrCases)
    {
        StorePanelInfo(c.panel);
        EXPECT_EQ(decide(), c.bExpected) << Describe(c.panel);
    }
}
} // namespace

TEST(PanelInfoTest, FieldsAreReadFromTheirOffsets)
{
    StorePanelInfo({181, 'k', 7, 0x01020304});
    EXPECT_EQ(GetPanelType(), 181);
    EXPECT_EQ(GetPanelRevisionLetter(), 'k');
    EXPECT_EQ(GetPanelRevisionNumber(), 7);
    EXPECT_EQ(GetPanelBuildNumber(), 0x01020304u); // little-endian from byte 48
    EXPECT_TRUE(IsFileCmdPanel());
}

TEST(PanelInfoTest, PanelGroups)
{
    for (unsigned n = 0; n < 256; ++n)
    {
        const unsigned char nType = static_cast<unsigned char>(n);
        EXPECT_EQ(IsPanelGroupA(nType), n == 92 || n == 165 || n == 169) << n;
        EXPECT_EQ(IsPanelGroupC(nType), n == 161 || n == 163 || n == 171 || n == 180) << n;
        StorePanelInfo({nType, 'k', 1, 0});
        EXPECT_EQ(IsFileCmdPanel(),
                  n == 176 || n == 177 || n == 181 || n == 182 || n == 183 || n == 186)
            << n;
    }
}

TEST(PanelInfoTest, CompareFirmwareRevision)
{
    struct SCase
    {
        char c1;
        unsigned char n1;
        char c2;
        unsigned char n2;
        int nExpected;
    };
    const SCase arrCases[] = {
        {'a', 1, 'b', 1, 'A' - 'B'},   // letters first, folded
        {'i', 200, 'K', 0, 'I' - 'K'}, // the letter outranks any number
        {'K', 3, 'k', 3, 1},           // same letter and number: upper above lower
        {'k', 3, 'K', 3, -1},          {'k', 3, 'k', 3, 0},
        {'K', 3, 'K', 3, 0},           {'k', 4, 'K', 3, 1}, // the number before the case rule
        {'k', 200, 'k', 100, 100},                          // numbers are unsigned bytes
        {'I', 11, 'i', 12, -1},
    };
    for (const SCase& c : arrCases)
        EXPECT_EQ(CompareFirmwareRevision(c.c1, c.n1, c.c2, c.n2), c.nExpected)
            << c.c1 << int(c.n1) << " vs " << c.c2 << int(c.n2);
}

TEST(PanelInfoTest, PanelAcceptance)
{
    ExpectDecisions(
        {
            {{186, 'a', 0, 0}, true},    // always accepted
            {{177, 'i', 11, 39}, false}, // equal revision, old build: in neither list
            {{177, 'i', 11, 40}, true},
            {{177, 'i', 12, 0}, true},
            {{177, 'I', 11, 0}, true},    // upper-case I ranks above i11
            {{177, 'i', 10, 999}, false}, // below: the lists are not consulted
            {{176, 'h', 99, 999}, false},
            {{183, 'k', 1, 0}, true},
            {{80, 'a', 0, 0}, true}, // list 1, no revision rule
            {{188, 'a', 0, 0}, true},
            {{162, 'a', 0, 0}, true}, // list 2
            {{190, 'a', 0, 0}, true},
            {{169, 'k', 9, 999}, false}, // group A but in neither list
            {{100, 'k', 9, 999}, false},
            {{0, 'k', 9, 999}, false}, // no answer recorded
        },
        IsPanelAccepted);
}

TEST(PanelInfoTest, CanBackupCsvFiles)
{
    ExpectDecisions(
        {
            {{92, 'a', 0, 0}, true},  // group A
            {{176, 'a', 0, 0}, true}, // file command panel
            {{161, 'k', 3, 149}, true},
            {{161, 'k', 3, 148}, false},
            {{163, 'k', 4, 0}, true},
            {{171, 'k', 2, 999}, false},
            {{180, 'K', 3, 0}, true}, // K3 ranks above k3
            {{180, 'j', 99, 999}, false},
            {{180, 'L', 0, 0}, true},
            {{100, 'z', 99, 999}, false}, // not in group C
        },
        CanBackupCsvFiles);
}

TEST(PanelInfoTest, CanViewFileData)
{
    ExpectDecisions(
        {
            {{186, 'i', 14, 14}, true}, // file command threshold i14 build 14
            {{186, 'i', 14, 13}, false},
            {{176, 'i', 15, 0}, true},
            {{176, 'i', 13, 999}, false},
            {{165, 'i', 14, 14}, true}, // group A shares it
            {{165, 'h', 99, 999}, false},
            {{80, 'k', 5, 76}, true}, // everyone else: k5 build 76
            {{80, 'k', 5, 75}, false},
            {{80, 'k', 6, 0}, true},
            {{80, 'k', 4, 999}, false},
            {{80, 'K', 5, 0}, true},
            {{80, 'i', 14, 14}, false},
        },
        CanViewFileData);
}
