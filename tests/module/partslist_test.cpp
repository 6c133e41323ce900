// Picked bodies into the parts list of the current sheet: the first list met gets them, one row a name.
#include "draft/drafting.h"
#include "fixture.h"

namespace {

const char* kModel = R"({ "file": "sheet-1.prt",
  "bodies": [
    { "name": "a1", "stock": "plate", "size": [200, 100, 5], "attributes": { "DB_PART_NAME": "A", "DB_PART_NO": "Q-1", "MATERIALS": "Q235" } },
    { "name": "b1", "stock": "flat", "size": [200, 50, 8], "at": [0, 300, 0], "attributes": { "DB_PART_NAME": "B", "DB_PART_NO": "Q-2" } },
    { "name": "a2", "stock": "plate", "size": [200, 100, 5], "at": [0, 600, 0], "attributes": { "DB_PART_NAME": "A", "DB_PART_NO": "Q-1" } } ],
  "sheets": [ { "name": "001", "size": [420, 297],
    "notes": [ { "subtype": 1, "at": [10, 290], "columns": [20], "rows": [8], "cells": [["title"]] },
               { "subtype": 11, "at": [235, 120], "columns": [10, 40, 40, 12, 30], "rows": [7], "cells": [["序号", "图号", "名称", "数量", "材料"]] },
               { "subtype": 11, "at": [20, 120], "columns": [10, 40, 40, 12, 30], "rows": [7], "cells": [["序号", "图号", "名称", "数量", "材料"]] } ] } ] })";

}  // namespace

class PartsListTest : public ModelTest {
protected:
    std::vector<std::vector<std::string>> rows(int k) {
        host::Session& s = host::session();
        host::Object& sheet = s.object(s.sheets(*s.work).front());
        std::vector<std::vector<std::string>> out;
        for (auto& r : s.object(sheet.sheet->notes[k]).note->cells) {
            std::vector<std::string> row;
            for (auto& c : r) row.push_back(host::text::toUtf8(c));
            out.push_back(row);
        }
        return out;
    }
    void addToList(std::vector<tag_t> picks) {
        user.onDialog = [&](host::ui::Dialog& d) {
            if (!picks.empty()) host::ui::pick(d, "selection0", picks);
            host::ui::pressApply(d);
        };
        pick("genxinbom");
    }
};

TEST_F(PartsListTest, TheFirstListGetsThePickedBodiesOneRowAName) {
    open(host::text::toUtf8(kModel));
    const auto title = rows(1);
    addToList({});
    EXPECT_EQ(title, rows(1));  // nothing picked: the list stays as it was
    addToList({named("a1"), named("b1"), named("a2")});
    EXPECT_EQ((std::vector<std::vector<std::string>>{{u8"序号", u8"图号", u8"名称", u8"数量", u8"材料"},
                                                     {"1", "Q-1", "A", "2", "Q235"},
                                                     {"2", "Q-2", "B", "1", ""}}),
              rows(1));
    EXPECT_EQ(title, rows(2));                                        // the second list is not touched
    EXPECT_EQ((std::vector<std::vector<std::string>>{{"title"}}), rows(0));  // nor is a note that is no list
    EXPECT_EQ(0, count("[message] Block Styler"));
}
