// The application shell: start-up, actions and launchers, reporting, progress, background.
#include <filesystem>
#include <fstream>
#include <sstream>
#include "common/report.hpp"
#include "fixture.h"
#include "uf_mb.h"
#include "uf_part.h"

extern "C" int ufusr_ask_unload();

namespace {

const std::vector<std::pair<std::string, std::string>> kActions = {
    {"drawing", "2D.dlx"}, {"attrV2", "qel_shuxinV3.0.dlx"}, {"bom_shuchu", "bom.dlx"},
    {"attr_jiancha", "shuxingjiancha.dlx"}, {"genxinbom", "zidong-bom.dlx"}, {"wucanku", "wucanku.dlx"},
    {"new_zujianV1", "zujian.dlx"}, {"bili_yangshi", ""}, {"tuceng_xianshi", ""}, {"baijin_heibai", ""},
    {"tuhao_xiegai", "tuhao_xiegai.dlx"}, {"delete_attr", "delete_attr.dlx"}, {"wrod_lujin", ""},
    {"TWO_CYL_tool", "TWO_CYL_tool.dlx"}, {"boark", "boark.dlx"}, {"delete_xiantong", "delete_xiantong.dlx"},
    {"yanse_touming", ""}, {"shitu_shichu", "shitu_shichu.dlx"}, {"2D", ""},
};

}  // namespace

using ShellTest = ModuleTest;

TEST_F(ShellTest, StartUpRegistersTheActionsInOrderAndTheApplication) {
    std::vector<std::string> names;
    for (auto& a : host::menu().actions) names.push_back(a.name);
    std::vector<std::string> expected;
    for (auto& a : kActions) expected.push_back(a.first);
    EXPECT_EQ(expected, names);
    ASSERT_EQ(1u, host::menu().applicationNames.size());
    EXPECT_EQ("XXX", host::menu().applicationNames[0]);
    auto& app = host::menu().applications[0];
    EXPECT_TRUE(app.drawings_supported && app.design_in_context_supported);
    testing::internal::CaptureStdout();
    app.init_proc();
    app.enter_proc();
    app.exit_proc();
    EXPECT_EQ("Initializing application\nEntering application\nExiting application\n", testing::internal::GetCapturedStdout());
    EXPECT_EQ(1, ufusr_ask_unload());
}

TEST_F(ShellTest, EveryDialogActionOpensItsFileAndClosesCleanly) {
    for (auto& [action, file] : kActions) {
        if (file.empty()) continue;
        user.shown.clear();
        host::ui::counters() = {};
        EXPECT_EQ(UF_MB_CB_CONTINUE, pick(action));
        EXPECT_EQ(std::vector<std::string>{file}, user.shown) << action;
        EXPECT_EQ(1, host::ui::counters().created) << action;
        EXPECT_EQ(1, host::ui::counters().destroyed) << action;
    }
    EXPECT_EQ(0, count("[message]"));
    // A second pick makes a fresh dialog object.
    host::ui::counters() = {};
    pick("attrV2");
    pick("attrV2");
    EXPECT_EQ(2, host::ui::counters().created);
    EXPECT_EQ(2, host::ui::counters().destroyed);
}

TEST_F(ShellTest, AMissingDialogFileGivesOneErrorBoxAndTheActionGoesOn) {
    auto empty = std::filesystem::temp_directory_path() / ("vorta-nodialogs-" + std::to_string(::getpid()));
    std::filesystem::create_directories(empty);
    host::session().baseDir = empty.string();
    EXPECT_EQ(UF_MB_CB_CONTINUE, pick("new_zujianV1"));
    EXPECT_EQ(1, count("[message] Block Styler (error): Dialog file "));
    EXPECT_TRUE(user.shown.empty());
    EXPECT_EQ(0, host::ui::counters().created);
    EXPECT_EQ(0, host::ui::counters().destroyed);
    std::filesystem::remove_all(empty);
}

TEST_F(ShellTest, DirectCommandsReturnTheContinueStatus) {
    int open = host::session().initCount;
    for (auto& [action, file] : kActions)
        if (file.empty()) EXPECT_EQ(UF_MB_CB_CONTINUE, pick(action)) << action;
    EXPECT_EQ(open, host::session().initCount);  // every bracket closed
}

using BackgroundTest = ModuleTest;

TEST_F(BackgroundTest, BlackTurnsWhiteAndAnyOtherColourBlack) {
    struct Case { std::array<double, 3> before, after; } cases[] = {
        {{0, 0, 0}, {1, 1, 1}},
        {{1, 1, 1}, {0, 0, 0}},
        {{0.1, 0.1, 0.1}, {0, 0, 0}},
        {{0, 0, 1e-9}, {0, 0, 0}},
        {{0.2, 0.4, 0.6}, {0, 0, 0}},
    };
    for (auto& c : cases) {
        host::session().colors[0] = c.before;
        int loads = host::session().colorTableLoads;
        EXPECT_EQ(UF_MB_CB_CONTINUE, pick("baijin_heibai"));
        EXPECT_EQ(c.after, host::session().colors[0]);
        EXPECT_EQ(loads + 1, host::session().colorTableLoads);
    }
    EXPECT_EQ(2, host::session().backgroundType);
}

TEST_F(BackgroundTest, WithoutTheDisplayLibraryTheColourStillToggles) {
    host::session().baseDir = "/nonexistent";
    host::session().colors[0] = {0, 0, 0};
    pick("baijin_heibai");
    EXPECT_EQ((std::array<double, 3>{1, 1, 1}), host::session().colors[0]);
    EXPECT_EQ(0, host::session().backgroundType);
}

using ReportTest = ModuleTest;

TEST_F(ReportTest, TheStatusPrinterPrintsOnlyFailures) {
    testing::internal::CaptureStdout();
    print_status("UF_MB_add_actions", 0);
    print_status("UF_MB_register_application", 8);
    EXPECT_EQ("UF_MB_register_application failed with error = 8\n  The operation failed\n", testing::internal::GetCapturedStdout());
}

TEST_F(ReportTest, TheCallCheckerLogsAndListsFailuresAndReturnsTheStatus) {
    EXPECT_EQ(0, report_error("一键透明", 12, "UF_initialize()", 0));
    EXPECT_TRUE(host::session().syslog.empty());
    EXPECT_EQ(7, report_error("一键透明", 12, "UF_initialize()", 7));
    std::vector<std::string> log = host::session().syslog;
    ASSERT_EQ(5u, log.size());
    EXPECT_EQ(u8"*** ERROR code 7 at line 12 in 一键透明:\n+++ ", log[0]);
    EXPECT_EQ("Invalid object tag", log[1]);
    EXPECT_EQ("UF_initialize()", log[3]);
    EXPECT_EQ((std::vector<std::string>{u8"*** ERROR code 7 at line 12 in 一键透明:", "+++ Invalid object tag", "UF_initialize();"}),
              host::session().listing);

    host::session().listing.clear();
    host::session().listingOpen = false;
    host::session().listingAvailable = false;
    EXPECT_EQ(7, report_error("一键透明", 13, "UF_initialize()", 7));
    EXPECT_EQ(10u, host::session().syslog.size());
    EXPECT_TRUE(host::session().listing.empty());
}

using ProgressTest = ModuleTest;

TEST_F(ProgressTest, ABatchDrivesTheBarThroughTheDisplayLibrary) {
    host::Part& p = host::session().newPart("/tmp/progress.prt");
    host::session().display = host::session().work = &p;
    int open = host::session().initCount;
    long bar = progress::create();
    EXPECT_NE(0, bar);
    progress::show(bar);
    progress::start(bar, 0, 3);
    for (int i = 1; i <= 3; ++i) progress::step(bar, i);
    progress::end(bar);
    view_refit();
    std::vector<std::string> lines(transcript.begin(), transcript.end());
    EXPECT_EQ((std::vector<std::string>{"[progress] qel-progress 0/3", "[progress] qel-progress 1/3", "[progress] qel-progress 2/3",
                                        "[progress] qel-progress 3/3", "[progress] qel-progress done", "[view] fit TFR-TRI"}),
              lines);
    EXPECT_EQ(open, host::session().initCount);
}

TEST_F(ProgressTest, WithoutTheDisplayLibraryTheBatchRunsWithoutABar) {
    host::session().baseDir = "/nonexistent";
    int open = host::session().initCount;
    long bar = progress::create();
    EXPECT_EQ(0, bar);
    progress::show(bar);
    progress::start(bar, 0, 2);
    progress::step(bar, 1);
    progress::end(bar);
    EXPECT_EQ(0, count("[progress]"));
    EXPECT_EQ(open, host::session().initCount);
}

TEST_F(ShellTest, ADialogFileWithoutABlockTheCommandNeedsGivesErrorBoxesNotACrash) {
    auto base = std::filesystem::temp_directory_path() / ("vorta-lackingblock-" + std::to_string(::getpid()));
    std::filesystem::remove_all(base);
    std::filesystem::copy(host::session().baseDir, base, std::filesystem::copy_options::recursive);
    std::string file = (base / "application" / "qel_shuxinV3.0.dlx").string();
    std::ifstream in(file);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), kept;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        if (line.find("\"blockRiqi\"") == std::string::npos) kept += line + "\n";
    std::ofstream(file) << kept;
    host::session().baseDir = base.string();
    user.onDialog = [](host::ui::Dialog& d) {
        host::ui::setValue(d, "blockleixing", "0");
        host::ui::pressApply(d);
    };
    EXPECT_EQ(UF_MB_CB_CONTINUE, pick("attrV2"));
    EXPECT_GE(count("[message] Block Styler (error): qel_shuxinV3.0.dlx: no block blockRiqi"), 3);
    std::filesystem::remove_all(base);
}

// Every dialog of the module, with each of its blocks missing in turn from its file: the command
// shows an error box or goes on without it, and never crashes.
TEST_F(ShellTest, EveryDialogLackingAnyOneBlockStillOpensAppliesAndCloses) {
    auto base = std::filesystem::temp_directory_path() / ("vorta-everyblock-" + std::to_string(::getpid()));
    std::filesystem::remove_all(base);
    std::filesystem::copy(host::session().baseDir, base, std::filesystem::copy_options::recursive);
    const std::string home = host::session().baseDir;
    host::session().baseDir = base.string();
    UF_initialize();
    int variants = 0;
    for (bool withPart : {false, true})
    for (auto& [action, dlx] : kActions) {
        if (dlx.empty()) continue;
        const auto file = base / "application" / dlx;
        std::ifstream in(file);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::vector<std::string> lines;
        std::istringstream split(text);
        for (std::string l; std::getline(split, l);) lines.push_back(l);
        for (size_t drop = 0; drop < lines.size(); ++drop) {
            // Only lines that declare a block alone on them: the file stays well formed.
            const std::string& l = lines[drop];
            if (l.find("<block ") == std::string::npos || l.find("/>") == std::string::npos) continue;
            std::string kept;
            for (size_t i = 0; i < lines.size(); ++i)
                if (i != drop) kept += lines[i] + "\n";
            std::ofstream(file) << kept;
            ++variants;
            host::Session& s = host::session();
            s.display = s.work = nullptr;
            if (withPart) {
                // A fresh plant each time: the commands change it.
                auto plant = base / ("plant" + std::to_string(variants));
                std::filesystem::create_directories(plant);
                std::filesystem::copy_file(std::filesystem::path(VORTA_SOURCE_DIR) / "tests/journals/drawing.json", plant / "drawing.json");
                host::Part& p = host::partfile::open(host::modeldesc::build((plant / "drawing.json").string(), "", true));
                s.display = s.work = &p;
                s.workOcc = p.rootOcc;
            }
            user.onDialog = [](host::ui::Dialog& d) {
                for (auto press : {host::ui::pressApply, host::ui::pressOk}) {
                    if (!d.open) break;
                    try {
                        press(d);
                    } catch (const host::ui::UserError&) {
                        // The dialog has no such button.
                    }
                }
            };
            pick(action);
            // Every dialog made for the command is gone again, however its callbacks ended.
            EXPECT_EQ(host::ui::counters().created, host::ui::counters().destroyed) << action << " without line " << drop + 1;
        }
        std::ofstream(file) << text;
    }
    EXPECT_GT(variants, 60);
    user.onDialog = nullptr;
    UF_terminate();
    host::session().baseDir = home;
    std::filesystem::remove_all(base);
}
