// Sequence numbers and names of component part files.
#include <gtest/gtest.h>
#include <algorithm>
#include "components/naming.hpp"

namespace {

std::vector<int> range(int from, int to) {
    std::vector<int> v;
    for (int i = from; i <= to; ++i) v.push_back(i);
    return v;
}

std::vector<int> join(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

TEST(NamingNumbers, FreeNumbersAreTheGapsThenTheTail) {
    struct Case { std::vector<int> used, free; } cases[] = {
        {{0}, range(1, 21)},
        {{0, 1, 2, 3}, range(4, 24)},
        {{0, 2, 5}, join({1, 3, 4}, range(6, 23))},
        {{0, 30}, range(1, 29)},
        {{0, 2, 2}, join({1}, range(3, 23))},
        {{0, 1, 3}, join({2}, range(4, 23))},
    };
    for (auto& c : cases) {
        std::vector<int> free = {-1};  // appended to, not replaced
        EXPECT_EQ(0, 查找连续图号(c.used, free));
        EXPECT_EQ(join({-1}, c.free), free);
    }
}

TEST(NamingNumbers, HandingOutFollowsTheFreeListAndGoesOnPastItsEnd) {
    for (std::vector<int> used : {std::vector<int>{0, 1, 3, 25, 26}, {0, 2, 5}, {0, 30}, {0, 2, 2}}) {
        std::vector<int> free;
        查找连续图号(used, free);
        naming::NumberSource source(std::vector<long long>(used.begin(), used.end()));
        std::vector<int> got;
        for (size_t i = 0; i < free.size(); ++i) got.push_back(source.next());
        EXPECT_EQ(free, got);
        // Past the list: the next numbers no child takes, never one twice.
        int after = source.next();
        EXPECT_GT(after, free.back());
        EXPECT_EQ(std::find(used.begin(), used.end(), after), used.end());
        EXPECT_EQ(after + 1 + (std::find(used.begin(), used.end(), after + 1) != used.end()), source.next());
    }
    // A used number far out (a date code) costs nothing and takes nothing from the start.
    naming::NumberSource farOut({0, 20231207});
    EXPECT_EQ(1, farOut.next());
    EXPECT_EQ(20231207, naming::sequenceNumber("20231207"));
    EXPECT_EQ(-1, naming::sequenceNumber("12345678901"));
    EXPECT_EQ(-1, naming::sequenceNumber("10a"));
    EXPECT_EQ(-1, naming::sequenceNumber(""));
}

TEST(NamingText, DigitsFoldersAndFileNames) {
    EXPECT_EQ(3, 得到字符数字个数("A12-3"));
    EXPECT_EQ(0, 得到字符数字个数(""));
    EXPECT_EQ(20, 得到字符数字个数("12345678901234567890"));
    // The second byte of a GBK character is never a digit.
    EXPECT_EQ(1, 得到字符数字个数("钢9板"));
    EXPECT_TRUE(naming::allDigits(""));
    EXPECT_FALSE(naming::allDigits("10a"));

    struct Case { const char* path; const char* name; const char* folder; } cases[] = {
        {"D:\\a\\b\\x.prt.prt", "x", "D:\\a\\b"},
        {"x.prt", "x", ""},
        {"Z:\\a\\noext", "noext", "Z:\\a"},
        // "淺" ends in the byte of "\": it is no separator.
        {"Z:\\淺\\底板-100.prt", "底板-100", "Z:\\淺"},
        {"Z:\\a\\淺.prt", "淺", "Z:\\a"},
    };
    for (auto& c : cases) {
        EXPECT_EQ(c.name, 获取文件名和路径(c.path, 1)) << c.path;
        EXPECT_EQ(c.folder, 获取文件名和路径(c.path, 2)) << c.path;
    }
}

TEST(NamingText, PartNamesAreReadBackFromComponentFiles) {
    struct Case { const char* stem; const char* name; } cases[] = {
        {"axle-100-2", "axle"}, {"axle-2", "axle"}, {"A-B-100-3", "B"}, {"axle", "axle"},
        {"底板-100-12", "底板"}, {"frame-x", "frame"}, {"a-b-c", "b"},
    };
    for (auto& c : cases) EXPECT_EQ(c.name, naming::partNameOfFile(c.stem)) << c.stem;
    // No name is cut short, however long.
    std::string longName(300, 'x');
    EXPECT_EQ(longName, naming::partNameOfFile(longName + "-100-2"));
}

TEST(NamingText, SeriesCodesOfParents) {
    struct Case { const char* stem; bool parent; const char* code; } cases[] = {
        {"base-100", true, "100"},
        {"base-10a", true, ""},
        {"frame装配-2", true, "2"},
        {"数模-3", false, ""},
        {"数模装配-3", true, ""},
        {"总装配", true, ""},
        {"plate", false, ""},
    };
    for (auto& c : cases) {
        naming::Series s = naming::seriesOf(c.stem);
        EXPECT_EQ(c.parent, s.parent) << c.stem;
        EXPECT_EQ(c.code, s.code) << c.stem;
    }
    EXPECT_EQ("axle-100-2", naming::batchPartName("axle", "100", 2, false));
    EXPECT_EQ("axle--7", naming::batchPartName("axle", "", 7, false));
    EXPECT_EQ("axle-7", naming::batchPartName("axle", "2", 7, true));
    EXPECT_EQ("COMPONENT axle-100-2 1", naming::componentIdentifier("axle-100-2"));
}
