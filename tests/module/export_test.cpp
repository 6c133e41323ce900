// Export of sheets for AutoCAD users: what stands in the export folder before is replaced only by a
// file that was written, and kept when nothing replaces it.
#include <fstream>
#include "fixture.h"

namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

using ExportTest = ModelTest;

TEST_F(ExportTest, AnOlderExportIsReplacedAndAFileOfAnotherFormatKept) {
    drawnPlant();
    const fs::path folder = dir / u8"plant-1CAD工程图";
    fs::create_directories(folder);
    // A drawing someone saved as DWG under a sheet's name, and an export of an earlier run.
    std::ofstream(folder / u8"000-0-总图.dwg") << "a drawing of the user's own";
    std::ofstream(folder / u8"2-1-横梁.dxf") << "an earlier export";
    ASSERT_EQ(UF_MB_CB_CONTINUE, pick("2D"));
    EXPECT_EQ("a drawing of the user's own", slurp(folder / u8"000-0-总图.dwg"));
    EXPECT_NE(std::string::npos, slurp(folder / u8"000-0-总图.dxf").find("SECTION"));
    EXPECT_NE(std::string::npos, slurp(folder / u8"2-1-横梁.dxf").find("SECTION"));
    for (auto& e : fs::directory_iterator(folder)) EXPECT_NE(".old", e.path().extension()) << e.path();
}
