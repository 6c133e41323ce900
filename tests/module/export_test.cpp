// Export of sheets for AutoCAD users: what stands in the export folder before is replaced only by a
// file that was written, and kept when nothing replaces it; sheets drawn ahead in a helper process.
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <functional>
#include <optional>
#include <set>
#include <fstream>
#include "draft/ahead.h"
#include "draft/render.h"
#include "export/svg.h"
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

// Sheets drawn ahead by a helper process come out as sheets drawn here, byte for byte; so do they
// when the helper is killed halfway, which leaves its sheets to this process. Each way runs in a
// process of its own, so that neither finds the projections the other kept.
TEST_F(ExportTest, SheetsDrawnAheadAreTheSheetsDrawnHereEvenWhenTheHelperDies) {
    cpu_set_t cpus;
    if (sched_getaffinity(0, sizeof cpus, &cpus) == 0 && CPU_COUNT(&cpus) < 2) GTEST_SKIP() << "one core: no helper draws ahead";
    drawnPlant();
    host::Session& s = host::session();
    std::vector<host::Object*> sheets;
    for (tag_t t : s.sheets(*s.work)) sheets.push_back(&s.object(t));
    ASSERT_EQ(5u, sheets.size());
    auto write = [&](const std::string& way, size_t i) {
        std::ofstream(dir / (way + std::to_string(i) + ".svg"), std::ios::binary) << host::exporter::svg(host::draft::drawSheet(*sheets[i]));
    };
    // The child's exit code says what went wrong: 1 a throw, 2 the helper was not there to draw.
    auto inChild = [&](const std::function<int()>& draw) {
        const pid_t pid = fork();
        if (pid == 0) {
            int code = 1;
            try {
                code = draw();
            } catch (...) {
            }
            _exit(code);
        }
        int status = -1;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + status;
    };
    EXPECT_EQ(0, inChild([&] {
        for (size_t i = 0; i < sheets.size(); ++i) write("here", i);
        return 0;
    }));
    EXPECT_EQ(0, inChild([&] {
        host::draft::drawAhead(sheets);
        if (!host::draft::drawingAhead()) return 2;
        const int helper = host::draft::ahead::helperProcess();
        write("ahead", 0);   // drawn here
        write("ahead", 1);   // drawn by the helper
        if (!host::draft::projected(*sheets[1])) return 2;
        kill(helper, SIGKILL);
        for (size_t i = 2; i < sheets.size(); ++i) write("ahead", i);
        return 0;
    }));
    for (size_t i = 0; i < sheets.size(); ++i) {
        const std::string here = slurp(dir / ("here" + std::to_string(i) + ".svg"));
        EXPECT_NE(std::string::npos, here.find("stroke-width=\"0.35\"")) << "sheet " << i << " shows no visible edge";
        EXPECT_EQ(here, slurp(dir / ("ahead" + std::to_string(i) + ".svg"))) << "sheet " << i;
    }
}

// A sheet is picked as its drawing-sheet view and narrows the export to it; a member view picked of
// one sheet does not narrow it, and every sheet is exported.
TEST_F(ExportTest, OnlyPickedSheetsNarrowTheExport) {
    drawnPlant();
    host::Session& s = host::session();
    const fs::path folder = dir / u8"plant-1CAD工程图";
    struct Picks : ScriptedUser {
        std::vector<tag_t> picked;
        std::optional<std::vector<tag_t>> chooseObjects(const std::string&) override { return picked; }
    } picks;
    host::ui::setUser(&picks);
    host::Object* frameSheet = nullptr;
    for (tag_t t : s.sheets(*s.work))
        if (host::text::toUtf8(s.object(t).name) == u8"2-0组件-frame") frameSheet = &s.object(t);
    ASSERT_NE(nullptr, frameSheet);
    picks.picked = {frameSheet->sheet->sheetView};
    ASSERT_EQ(UF_MB_CB_CONTINUE, pick("2D"));
    std::set<std::string> files;
    for (auto& e : fs::directory_iterator(folder)) files.insert(e.path().filename().u8string());
    EXPECT_EQ((std::set<std::string>{u8"2-0组件-frame.dxf"}), files);

    picks.picked = {frameSheet->sheet->views.front()};
    ASSERT_EQ(UF_MB_CB_CONTINUE, pick("2D"));
    files.clear();
    for (auto& e : fs::directory_iterator(folder)) files.insert(e.path().filename().u8string());
    EXPECT_EQ(s.sheets(*s.work).size(), files.size()) << ::testing::PrintToString(files);
    host::ui::setUser(&user);
}
