// Damaged input of every reader: journals, dialog files, part files and model descriptions, mutated
// at random from good ones (a fixed seed, so a failure repeats). Each must read or fail with its own
// plain error; none may crash, hang or leave half a part behind. Run under the sanitizers too.
#include <fstream>
#include <random>
#include "NXOpen/BlockStyler_BlockDialog.hxx"
#include "NXOpen/NXException.hxx"
#include "files/partfile.h"
#include "fixture.h"
#include "journal/journal.h"
#include "model/modeldesc.h"
#include "ui/dialog.h"

namespace {

std::string slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Flips, drops, doubles or cuts a few bytes.
std::string mutate(std::string s, std::mt19937& rng) {
    std::uniform_int_distribution<int> kind(0, 3), count(1, 4);
    for (int n = count(rng); n > 0 && !s.empty(); --n) {
        size_t at = std::uniform_int_distribution<size_t>(0, s.size() - 1)(rng);
        switch (kind(rng)) {
            case 0: s[at] = static_cast<char>(rng()); break;
            case 1: s.erase(at, 1); break;
            case 2: s.insert(at, 1, s[at]); break;
            default: s.resize(at); break;
        }
    }
    return s;
}

const int kRounds = 500;

}  // namespace

using RobustnessTest = HostTest;

TEST_F(RobustnessTest, JournalsParseOrSayWhere) {
    std::string good = slurp(std::filesystem::path(VORTA_SOURCE_DIR) / "tests/journals/attributes.vj");
    std::mt19937 rng(7);
    for (int i = 0; i < kRounds; ++i) {
        std::string text = mutate(good, rng);
        try {
            host::journal::parse(text, "j.vj");
        } catch (const host::journal::JournalError& e) {
            EXPECT_GE(e.line, 1);
        }
    }
}

TEST_F(RobustnessTest, DialogFilesLoadOrThrowTheHostsException) {
    std::string good = slurp(std::filesystem::path(VORTA_SOURCE_DIR) / "dialogs/qel_shuxinV3.0.dlx");
    std::mt19937 rng(11);
    std::string path = (dir / "d.dlx").string();
    for (int i = 0; i < kRounds; ++i) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << mutate(good, rng);
        try {
            host::ui::Dialog d(path);
            for (auto& b : d.blocks) EXPECT_TRUE(b->ui != nullptr);
        } catch (const NXOpen::NXException&) {
        }
    }
}

TEST_F(RobustnessTest, PartFilesOpenOrFailLeavingNothingLoaded) {
    host::Part& p = part("good.prt");
    plate(p, "底板").attrs.push_back({"REMARK", 5, "按图制作"});
    host::session().addSheet(p, "001");
    host::partfile::save(p);
    std::string good = slurp(dir / "good.prt");
    host::session().reset();
    std::mt19937 rng(13);
    std::string path = (dir / "m.prt").string();
    for (int i = 0; i < kRounds; ++i) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << mutate(good, rng);
        try {
            host::partfile::open(path);
        } catch (const host::HostError&) {
            EXPECT_TRUE(host::session().parts().empty());
        }
        host::session().reset();
    }
}

TEST_F(RobustnessTest, ModelDescriptionsBuildOrNameTheirLine) {
    std::string good = slurp(std::filesystem::path(VORTA_SOURCE_DIR) / "tests/journals/attributes.json");
    std::mt19937 rng(17);
    std::string path = (dir / "m.json").string();
    for (int i = 0; i < kRounds / 3; ++i) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << mutate(good, rng);
        try {
            host::modeldesc::build(path, (dir / "out").string());
        } catch (const host::modeldesc::ModelError& e) {
            EXPECT_GE(e.line, 1);
        }
        host::session().reset();
    }
}
