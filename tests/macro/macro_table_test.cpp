#include "macro/macro_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zrv {
namespace {

Macro WithEvents(int count) {
    Macro m;
    for (int k = 0; k < count; ++k) {
        m.eventCount = static_cast<uint8_t>(k + 1);
        SetEvent(m, k, {static_cast<uint8_t>(k % 200 + 4), static_cast<uint8_t>(k % 2 + 1), static_cast<uint16_t>(100 + k)});
    }
    return m;
}

TEST(MacroRecord, FieldsSitAtTheirFileOffsets) {
    Macro m;
    SetMacroName(m, "Ab");
    m.repeatMode = 1;
    m.repeatCount = 0x1234;
    m.eventCount = 2;
    SetEvent(m, 0, {4, 1, 0x0102});
    SetEvent(m, 254, {0xF1, 2, 0xBEEF});
    const auto* b = reinterpret_cast<const uint8_t*>(&m);
    EXPECT_EQ(b[0], 'A');
    EXPECT_EQ(b[1], 0);
    EXPECT_EQ(b[2], 'b');
    EXPECT_EQ(b[4], 0);  // terminator
    EXPECT_EQ(b[40], 1);
    EXPECT_EQ(b[41], 0x34);  // low byte first
    EXPECT_EQ(b[42], 0x12);
    EXPECT_EQ(b[43], 2);
    EXPECT_EQ(b[44], 4);
    EXPECT_EQ(b[45], 1);
    EXPECT_EQ(b[44 + 2 * 254], 0xF1);
    EXPECT_EQ(b[45 + 2 * 254], 2);
    EXPECT_EQ(b[554], 0x02);
    EXPECT_EQ(b[555], 0x01);
    EXPECT_EQ(b[554 + 2 * 254], 0xEF);
    EXPECT_EQ(b[555 + 2 * 254], 0xBE);
}

TEST(InsertEvent, AtTheFrontShiftsEveryEventWithItsDelay) {
    Macro m = WithEvents(3);
    const Macro before = m;
    ASSERT_TRUE(InsertEvent(m, 0, 0xF0, 1));
    EXPECT_EQ(m.eventCount, 4);
    EXPECT_EQ(GetEvent(m, 0), (MacroEvent{0xF0, 1, 30}));
    for (int k = 0; k < 3; ++k) EXPECT_EQ(GetEvent(m, k + 1), GetEvent(before, k));
}

TEST(InsertEvent, AtTheEndAppends) {
    Macro m = WithEvents(3);
    const Macro before = m;
    ASSERT_TRUE(InsertEvent(m, 3, 0xF2, 2));
    for (int k = 0; k < 3; ++k) EXPECT_EQ(GetEvent(m, k), GetEvent(before, k));
    EXPECT_EQ(GetEvent(m, 3), (MacroEvent{0xF2, 2, 30}));
}

TEST(InsertEvent, TakesThe254thEventButNotThe255th) {
    Macro m = WithEvents(253);
    ASSERT_TRUE(InsertEvent(m, 100, 0xF0, 1));
    EXPECT_EQ(m.eventCount, 254);
    EXPECT_EQ(GetEvent(m, 253), GetEvent(WithEvents(253), 252));
    const Macro full = m;
    EXPECT_FALSE(InsertEvent(m, 0, 0xF0, 1));
    EXPECT_EQ(m, full);
}

TEST(InsertEvent, OverflowOnATableSlotShowsTheMessageOnce) {
    MacroTable table;
    table.slot[3] = WithEvents(254);
    std::vector<std::string> messages;
    EXPECT_FALSE(InsertEvent(table, 3, 0, 4, 1, [&](const std::string& t) { messages.push_back(t); }));
    EXPECT_EQ(messages, std::vector<std::string>{"Overflow!!!"});
    EXPECT_EQ(table.slot[3].eventCount, 254);
    EXPECT_TRUE(InsertEvent(table, 4, 0, 4, 1, [&](const std::string& t) { messages.push_back(t); }));
    EXPECT_EQ(messages.size(), 1u);
}

TEST(DeleteEvent, EdgesOfTheList) {
    struct Case {
        int count;
        int index;
        std::vector<int> keptFrom;  // original index of each remaining event
    };
    const Case cases[] = {
        {0, 0, {}},
        {1, 0, {}},
        {3, 0, {1, 2}},
        {3, 1, {0, 2}},
        {3, 2, {0, 1}},
        {3, 7, {0, 1}},  // beyond the list: only the count drops
        {254, 0, {}},    // checked by count below
    };
    for (const auto& c : cases) {
        const Macro before = WithEvents(c.count);
        Macro m = before;
        DeleteEvent(m, c.index);
        EXPECT_EQ(m.eventCount, c.count > 0 ? c.count - 1 : 0) << c.count << "/" << c.index;
        for (size_t k = 0; k < c.keptFrom.size(); ++k)
            EXPECT_EQ(GetEvent(m, static_cast<int>(k)), GetEvent(before, c.keptFrom[k])) << c.count << "/" << c.index;
    }
    Macro full = WithEvents(254);
    DeleteEvent(full, 0);
    EXPECT_EQ(GetEvent(full, 252), GetEvent(WithEvents(254), 253));
}

TEST(MacroName, LongNamesAreCutTo19CodeUnits) {
    struct Case {
        std::string text;
        std::string stored;
    };
    const Case cases[] = {
        {"", ""},
        {"Copy", "Copy"},
        {"1234567890123456789", "1234567890123456789"},
        {"12345678901234567890abc", "1234567890123456789"},
        {"复制粘贴", "复制粘贴"},
        // An emoji takes two code units; the one that would end at unit 20 is dropped whole.
        {"123456789012345678\xF0\x9F\x98\x80", "123456789012345678"},
    };
    for (const auto& c : cases) {
        Macro m;
        m.name.fill(0xFF);
        SetMacroName(m, c.text);
        EXPECT_EQ(MacroName(m), c.stored) << c.text;
        EXPECT_EQ(m.name[38], 0);
        EXPECT_EQ(m.name[39], 0);
    }
}

TEST(FindMacroByName, FirstExactMatchAmongUserMacrosOrTheCount) {
    MacroTable table;
    const char* names[] = {"Fire", "fire", "Fire", "Hidden"};
    for (int i = 0; i < 4; ++i) SetMacroName(table.slot[i], names[i]);
    table.userCount = 3;
    EXPECT_EQ(FindMacroByName(table, "Fire"), 0);
    EXPECT_EQ(FindMacroByName(table, "fire"), 1);
    EXPECT_EQ(FindMacroByName(table, "Fir"), 3);
    EXPECT_EQ(FindMacroByName(table, "Hidden"), 3);  // slot 3 is not in use

    SetMacroName(table.slot[2], "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(FindMacroByName(table, "ABCDEFGHIJKLMNOPQRSTUVWXYZ"), 2);  // compared as it was stored
}

TEST(SnapshotMacro, CopiesTheSlotAndIgnoresBadIndices) {
    MacroTable table;
    table.slot[20] = WithEvents(5);
    EXPECT_EQ(SnapshotMacro(table, 20), table.slot[20]);
    EXPECT_EQ(SnapshotMacro(table, 26), Macro{});
    EXPECT_EQ(SnapshotMacro(table, -1), Macro{});
}

}  // namespace
}  // namespace zrv
