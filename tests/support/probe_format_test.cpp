#include "tests/support/probe_format.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(ProbeFormat, RecordsSurviveTabsLineBreaksAndPercentSigns)
{
    const std::vector<ProbeRecord> records = {
        {L"\"C:\\a b\\korvane_probe.exe\" x\ty\r\nz 100%25 %09", L"C:\\作業\\", true, 7},
        {L"probe", L"", false, 0},
        {L"", L"D:\\", true, 65535},
    };
    std::wstring log;
    for (const ProbeRecord& record : records)
        log += EncodeProbeRecord(record);
    EXPECT_EQ(std::count(log.begin(), log.end(), L'\n'), 3);
    EXPECT_EQ(DecodeProbeLog(log), records);
}

TEST(ProbeFormat, ATornOrDamagedLineIsSkippedAndTheRestIsKept)
{
    const ProbeRecord good{L"probe a", L"C:\\", true, 1};
    const std::wstring line = EncodeProbeRecord(good);
    // A line still being written has no line end yet.
    EXPECT_EQ(DecodeProbeLog(line + line.substr(0, 5)), std::vector<ProbeRecord>{good});
    const std::wstring damaged[] = {
        L"only\tthree\t1\n",         // a field missing
        L"a\tb\t2\t1\n",             // the flag is 0 or 1
        L"a\tb\t1\tx\n",             // not a number
        L"a%zz\tb\t1\t1\n",          // unknown escape
        L"a%2\tb\t1\t1\n",           // escape cut short
        L"a\tb\t1\t1\textra\n",      // a field too many
    };
    for (const std::wstring& bad : damaged)
        EXPECT_EQ(DecodeProbeLog(bad + line), std::vector<ProbeRecord>{good}) << bad.size();
}
