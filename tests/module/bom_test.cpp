// The bill of materials when its files cannot be written: the user hears which, nothing is claimed.
#include <fstream>
#include "fixture.h"

namespace fs = std::filesystem;

using BomTest = ModelTest;

TEST_F(BomTest, AFolderThatCannotHoldTheWorkbookIsReportedNotPassedOver) {
    open(u8R"({ "file": "press-1.prt", "bodies": [ { "name": "a", "stock": "plate", "size": [200, 100, 5], "attributes": { "DB_PART_NAME": "底板" } } ] })");
    // A file where the output folder should be.
    std::ofstream(dir / "out") << "in the way";
    const std::string folder = (dir / "out").string();
    user.onDialog = [&](host::ui::Dialog& d) {
        host::ui::setValue(d, "enum0", "1");
        host::ui::setValue(d, "filepath", folder);
        host::ui::pressApply(d);
    };
    pick("bom_shuchu");
    EXPECT_EQ(1, count(u8"[message] Block Styler (error): 明细表模板无法复制: "));
    EXPECT_FALSE(fs::exists(dir / "press-1.xlsx"));
}
