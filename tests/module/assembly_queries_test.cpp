// Walks over real assemblies, and the names and files already taken.
#include <fstream>
#include "components/assembly_queries.hpp"
#include "components/naming.hpp"
#include "files/paths.h"
#include "fixture.h"

namespace fs = std::filesystem;

namespace {

std::string plate(const std::string& name, const std::string& extra = "") {
    return R"({"name": ")" + name + R"(", "stock": "plate", "size": [50, 50, 5])" + (extra.empty() ? "" : ", " + extra) + "}";
}

std::string comp(const std::string& file, const std::string& name, const std::string& bodies, const std::string& children = "") {
    return R"({"file": ")" + file + R"(", "name": ")" + name + R"(", "part": {"bodies": [)" + bodies + R"(], "components": [)" + children + "]}}";
}

}  // namespace

using QueryTest = ModelTest;

TEST_F(QueryTest, ParentsComeInOrderOfTheirNumberAndTwinsTwice) {
    open(R"({"file": "top.prt", "components": [)" + comp("a-5.prt", "a-5", plate("x") + "," + plate("y")) + "," +
         comp("b-2.prt", "b-2", plate("x") + "," + plate("y")) + "," + comp("c-5.prt", "c-5", plate("x") + "," + plate("y")) + "," +
         comp("d-1.prt", "d-1", plate("x")) + "," + comp("e-x.prt", "e-x", plate("x") + "," + plate("y")) + "]}");
    std::vector<tag_t> parents;
    得到组件的tag(parents);
    // d-1 holds one body, e-x has no number; a-5 and c-5 share 5 and so come twice each.
    std::vector<tag_t> want = {component("b-2"), component("a-5"), component("c-5"), component("a-5"), component("c-5")};
    EXPECT_EQ(want, parents);
}

TEST_F(QueryTest, EveryComponentOncePerNameChildrenFirst) {
    open(R"({"file": "top.prt", "components": [)" +
         comp("g-1.prt", "g-1", plate("x"), comp("k-1.prt", "k", plate("y")) + "," + comp("k-2.prt", "k", plate("z"))) + "," +
         comp("h-1.prt", "h-1", plate("x")) + "]}");
    std::vector<tag_t> all;
    得到所有组件的数组(all);
    ASSERT_EQ(3u, all.size());
    EXPECT_EQ(component("k"), all[0]);
    EXPECT_EQ("k-1", 获取文件名和路径(得到新建组件的路径(all[0]), 1));
    EXPECT_EQ(component("g-1"), all[1]);
    EXPECT_EQ(component("h-1"), all[2]);
    std::vector<tag_t> children;
    得到组件下的组件(component("g-1"), children);
    EXPECT_EQ(1u, children.size());
    std::vector<std::string> names;
    得到所有组件的名称(names);
    EXPECT_EQ((std::vector<std::string>{"k", "g", "h"}), names);
}

TEST_F(QueryTest, LongNamesThatShareTheirStartStayApart) {
    // Sixteen two-byte characters in common: more than the host's 30-byte name field holds.
    std::string head = host::text::toUtf8("支架底座横梁立柱加强筋板连接法兰");
    open(R"({"file": "top.prt", "components": [)" + comp("p1-1.prt", head + "A", plate("x")) + "," + comp("p2-2.prt", head + "B", plate("x")) + "]}");
    std::vector<tag_t> all;
    得到所有组件的数组(all);
    EXPECT_EQ(2u, all.size());
}

TEST_F(QueryTest, BodiesToConvertAreMarkedUnnumberedAndOnePerName) {
    auto attrs = [](const std::string& name, const std::string& no, const std::string& remark) {
        return host::text::toUtf8(R"("attributes": {"DB_PART_NAME": ")" + name + R"(", "DB_PART_NO": ")" + no + R"(", "REMARK": ")" + remark + R"("})");
    };
    open(R"({"file": "top.prt", "components": [)" +
         comp("p-1.prt", "p-1",
              plate("a", attrs("axle", "", "按图制作")) + "," + plate("b", attrs("axle", "", "按图制作")) + "," +
                  plate("c", attrs("cover", "QEL-1-2", "按图制作")) + "," + plate("d", attrs("bolt", "", "外购件")) + "," +
                  plate("e", attrs("rib", "QEL", "按图制作"))) +
         "]}");
    std::vector<tag_t> bodies;
    得到出图的体(component("p-1"), bodies);
    EXPECT_EQ((std::vector<tag_t>{named("a", "p-1"), named("e", "p-1")}), bodies);
    bool occ = false, own = false;
    tag_t out = NULL_TAG;
    得到装配下的boy(occ, own, named("a", "p-1"), out);
    EXPECT_TRUE(occ);
    EXPECT_EQ(host::session().object(named("a", "p-1")).prototype, out);
    own = true;
    out = NULL_TAG;
    得到装配下的boy(occ, own, named("b", "p-1"), out);
    EXPECT_EQ(NULL_TAG, out);  // both seen already: nothing more
}

TEST_F(QueryTest, TakenNamesOnDiskAndInMemory) {
    open(R"({"file": "top.prt", "bodies": [)" + plate("x") + "]}");
    fs::create_directories(dir / "deep" / "er");
    std::ofstream(dir / "deep" / "er" / "w-3.prt") << "x";
    std::ofstream(dir / "w-1.prt") << "x";
    std::vector<std::string> files;
    std::string folder = host::paths::toWindows(dir.string());
    得到目录下所有文件名(folder, files);
    EXPECT_NE(files.end(), std::find(files.begin(), files.end(), folder + "\\deep\\er\\w-3.prt"));
    EXPECT_NE(files.end(), std::find(files.begin(), files.end(), folder + "\\w-1.prt"));
    for (auto& f : files) EXPECT_EQ(std::string::npos, f.find("\\.")) << f;

    int state = 0;
    遍历内存("top.prt", state);
    EXPECT_EQ(10, state);
    遍历内存("top", state);
    EXPECT_EQ(100, state);

    // Free names skip what is on disk in this folder (not deeper) and what is loaded.
    std::string where;
    std::vector<std::string> free = 查找可用名称("w", "%s-%d.prt", where);
    EXPECT_EQ(folder, where);
    ASSERT_EQ(18u, free.size());
    EXPECT_EQ("w-2.prt", free[0]);
    EXPECT_EQ("w-3.prt", free[1]);
    free = 查找可用名称("top", "%s-00%d.prt", where);
    EXPECT_EQ("top-001.prt", free[0]);
}
