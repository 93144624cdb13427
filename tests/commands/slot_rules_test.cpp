#include "commands/slot_rules.h"

#include <gtest/gtest.h>

#include "base/numbered_error.h"
#include "base/slot_names.h"

namespace {

// A list of count slots where only the given ones are free.
std::vector<bool> FreeSlots(std::int32_t count, std::initializer_list<std::int32_t> free)
{
    std::vector<bool> empty(count, false);
    for (std::int32_t slot : free)
        empty[slot] = true;
    return empty;
}

std::int32_t ErrorOf(CommandListKind kind, const std::vector<bool>& empty, std::int32_t index)
{
    try {
        FindEmptySlotIn(kind, empty, index, false, true);
    } catch (const NumberedError& error) {
        return error.Number();
    }
    return 0;
}

}  // namespace

TEST(FindEmptySlot, DragsSearchTheRingOfDirectionsAndNeverSlotZero)
{
    const auto oneAndTwo = FreeSlots(9, {0, 1, 2});
    EXPECT_EQ(FindEmptySlotIn(CommandListKind::Drags, oneAndTwo, 8, false, true), 1);  // copy wraps past 8
    EXPECT_EQ(FindEmptySlotIn(CommandListKind::Drags, oneAndTwo, 8, false, false), 1);  // always wraps
    EXPECT_EQ(FindEmptySlotIn(CommandListKind::Drags, oneAndTwo, 3, true, false), 2);
    EXPECT_EQ(FindEmptySlotIn(CommandListKind::Drags, oneAndTwo, 1, true, false), 2);  // 0 is skipped

    const auto onlyFive = FreeSlots(9, {5});
    EXPECT_EQ(FindEmptySlotIn(CommandListKind::Drags, onlyFive, 1, true, false), 5);
    EXPECT_EQ(FindEmptySlotIn(CommandListKind::Drags, onlyFive, 6, false, false), 5);
    EXPECT_EQ(FindEmptySlotIn(CommandListKind::Drags, onlyFive, 5, false, false), -1);  // never itself
    EXPECT_EQ(FindEmptySlotIn(CommandListKind::Drags, onlyFive, 0, true, false), 5);

    EXPECT_EQ(FindEmptySlotIn(CommandListKind::Drags, FreeSlots(9, {0}), 1, true, false), -1);
    EXPECT_EQ(FindEmptySlotIn(CommandListKind::Drags, FreeSlots(9, {3, 7}), 5, true, false), 3);
    EXPECT_EQ(FindEmptySlotIn(CommandListKind::Drags, FreeSlots(9, {3, 7}), 5, false, false), 7);
    EXPECT_EQ(FindEmptySlotIn(CommandListKind::Drags, FreeSlots(9, {8}), 3, false, false), 8);
}

TEST(FindEmptySlot, KeysSearchALineAndWrapOnlyForwardWhenAsked)
{
    std::vector<bool> fourOn(36, true);
    fourOn[0] = fourOn[1] = fourOn[2] = fourOn[35] = false;
    EXPECT_EQ(FindEmptySlotIn(CommandListKind::Keys, fourOn, 35, false, true), 3);   // copy wraps
    EXPECT_EQ(FindEmptySlotIn(CommandListKind::Keys, fourOn, 35, false, false), -1);  // move never
    EXPECT_EQ(FindEmptySlotIn(CommandListKind::Keys, FreeSlots(36, {5}), 0, true, true), -1);
    EXPECT_EQ(FindEmptySlotIn(CommandListKind::Keys, FreeSlots(36, {4, 8}), 10, true, false), 8);
    EXPECT_EQ(FindEmptySlotIn(CommandListKind::Keys, FreeSlots(36, {0}), 3, true, false), 0);
    EXPECT_EQ(FindEmptySlotIn(CommandListKind::Keys, FreeSlots(36, {4, 8}), 6, false, false), 8);
    EXPECT_EQ(FindEmptySlotIn(CommandListKind::Keys, FreeSlots(36, {4, 8}), 8, true, true), 4);
    EXPECT_EQ(FindEmptySlotIn(CommandListKind::Keys, FreeSlots(36, {4}), 4, false, true), -1);
}

TEST(FindEmptySlot, MenusHaveNoFreeSlotsAndBadIndexesAreRejected)
{
    EXPECT_EQ(FindEmptySlotIn(CommandListKind::Menus, FreeSlots(3, {1, 2}), 0, false, true), -1);
    EXPECT_EQ(ErrorOf(CommandListKind::Drags, FreeSlots(9, {}), 9), kErrInvalidArgument);
    EXPECT_EQ(ErrorOf(CommandListKind::Keys, FreeSlots(36, {}), -1), kErrInvalidArgument);
    EXPECT_EQ(ErrorOf(CommandListKind::Menus, FreeSlots(0, {}), 0), kErrInvalidArgument);
}

TEST(SlotKeys, NamesOfStoredSlots)
{
    EXPECT_EQ(SlotCountOf(CommandListKind::Drags), 9);
    EXPECT_EQ(SlotCountOf(CommandListKind::Keys), 36);
    EXPECT_EQ(SlotCountOf(CommandListKind::Menus), 0);
    EXPECT_EQ(FirstStoredSlot(CommandListKind::Drags), 1);
    EXPECT_EQ(FirstStoredSlot(CommandListKind::Keys), 0);
    const wchar_t* directions[] = {L"Upward",         L"UpperRightward", L"Rightward",
                                   L"LowerRightward", L"Downward",       L"LowerLeftward",
                                   L"Leftward",       L"UpperLeftward"};
    for (std::int32_t slot = 1; slot <= 8; ++slot)
        EXPECT_EQ(SlotKeyName(CommandListKind::Drags, slot), directions[slot - 1]);
    EXPECT_EQ(SlotKeyName(CommandListKind::Keys, 0), L"A");
    EXPECT_EQ(SlotKeyName(CommandListKind::Keys, 25), L"Z");
    EXPECT_EQ(SlotKeyName(CommandListKind::Keys, 26), L"0");
    EXPECT_EQ(SlotKeyName(CommandListKind::Keys, 35), L"9");
    EXPECT_EQ(SlotKeyName(CommandListKind::Menus, 12), L"12");
}

TEST(SlotKeys, MenuEntryKeysArePlainDecimals)
{
    EXPECT_EQ(MenuSlotOfKeyName(L"0"), 0);
    EXPECT_EQ(MenuSlotOfKeyName(L"12"), 12);
    EXPECT_EQ(MenuSlotOfKeyName(L"2147483647"), 2147483647);
    for (const wchar_t* other : {L"", L"012", L"-1", L"1a", L" 1", L"2147483648", L"99999999999"})
        EXPECT_EQ(MenuSlotOfKeyName(other), std::nullopt) << other;
}
