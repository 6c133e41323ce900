// Backup of the project's part files under a new prefix, and the rename of one component's file.
#include <memory>
#include <stdexcept>
#include <NXOpen/Assemblies_Component.hxx>
#include <NXOpen/BlockStyler_PropertyList.hxx>
#include <NXOpen/Part.hxx>
#include <NXOpen/PartCollection.hxx>
#include <uf.h>
#include <uf_cfi.h>
#include <uf_part.h>
#include <uf_ui.h>
#include "common/uf_bracket.hpp"
#include "components/assembly_queries.hpp"
#include "components/naming.hpp"
#include "drawings/BlockStyler2D.hpp"
#include <direct.h>
#include <io.h>
#include <windows.h>

namespace {

void message(const std::string& text) { uc1601(text.c_str(), 1); }

bool exists(const std::string& path) { return _access(path.c_str(), 0) == 0; }

}  // namespace

int BlockStyler2D::判断图纸是否备份过(std::string& previous) {
    std::vector<tag_t> comps;
    得到所有组件的数组(comps);
    std::vector<std::string> stems;
    for (tag_t c : comps) stems.push_back(componentStem(c));
    previous = drawing::previousPrefix(stems);
    return previous.empty() ? 2 : 1;
}

bool BlockStyler2D::重命名组件(const std::string& oldPath, const std::string& newPath, tag_t component) {
    // Saving under the same name and then deleting the old file would delete the only copy.
    if (oldPath == newPath) {
        message(newPath + "\n新旧文件名相同,文件保留原处");
        return true;
    }
    auto* c = dynamic_cast<NXOpen::Assemblies::Component*>(NXOpen::NXObjectManager::Get(component));
    if (!c) return false;
    try {
        // The component's own part: after an earlier rename its display name no longer names the file.
        NXOpen::BasePart* part = c->Prototype();
        if (!part) throw std::runtime_error("the component's part is not loaded");
        part->SaveAs(newPath);
    } catch (std::exception& ex) {
        message(newPath + "\n保存失败,原文件保留:\n" + ex.what());
        return false;
    }
    // The old file goes only once the new one is there.
    if (!exists(newPath)) {
        message(newPath + "\n新文件不存在,原文件保留");
        return false;
    }
    DeleteFileA(oldPath.c_str());
    return true;
}

int BlockStyler2D::图纸备份() {
    UfBracket bracket;
    std::unique_ptr<NXOpen::BlockStyler::PropertyList> props(filepath_lujin->GetProperties());
    const std::string F = props->GetString("Path").GetText(), Q = text(ming_qz);
    char name[MAX_FSPEC_BUFSIZE] = "";
    UF_PART_ask_part_name(UF_PART_ask_display_part(), name);
    const std::string s = 获取文件名和路径(name, 1), d = 获取文件名和路径(name, 2);
    // No folder is no backup: the working folder of the process is nobody's choice, and the working
    // files are not renamed without one.
    if (F.empty()) {
        message("未选择备份文件夹,未做任何修改");
        return 1;
    }
    // The folder as typed, with a "\" at its end so that the backup goes inside it.
    const std::string folder = F.empty() || naming::lastOf(F, '\\') == F.size() - 1 ? F : F + "\\";
    const std::string B = folder + s + "(备份)";
    if (!exists(B)) _mkdir(B.c_str());
    if (!exists(B)) {
        message(B + "\n无法建立备份文件夹,未做任何修改");
        return 1;
    }
    UF_PART_save();
    std::string previous;
    判断图纸是否备份过(previous);
    auto copy = [&](const std::string& from, const std::string& to) {
        if (uc4567(from.c_str(), to.c_str(), 1, 2, 2) == 0 && exists(to)) return true;
        message(from + "\n备份失败,备份停止;已处理的文件均在新名称下,其余保留原名");
        return false;
    };
    if (!copy(name, B + "\\" + s + ".prt")) return 1;
    std::vector<tag_t> comps;
    得到所有组件的数组(comps);
    for (tag_t c : comps) {
        const std::string p = 得到新建组件的路径(c), t = 获取文件名和路径(p, 1), at = 获取文件名和路径(p, 2);
        if (!copy(p, B + "\\" + t + ".prt")) return 1;
        if (!重命名组件(p, at + "\\" + drawing::newStem(t, Q, previous) + ".prt", c)) return 1;
    }
    const std::string displayed = d + "\\" + drawing::newStem(s, Q, previous) + ".prt";
    if (displayed == name) {
        message(displayed + "\n新旧文件名相同,文件保留原处");
    } else if (UF_PART_save_as(displayed.c_str()) == 0 && exists(displayed)) {
        DeleteFileA(name);
    } else {
        message(displayed + "\n保存失败,原文件保留");
        return 1;
    }
    // Assemblies inside whose components got new names are written again, so that they name them.
    auto* shown = dynamic_cast<NXOpen::BasePart*>(NXOpen::NXObjectManager::Get(UF_PART_ask_display_part()));
    if (shown) {
        try {
            shown->Save(NXOpen::BasePart::SaveComponentsTrue, NXOpen::BasePart::CloseAfterSaveFalse);
        } catch (std::exception& ex) {
            message(std::string("保存失败:\n") + ex.what());
            return 1;
        }
    }
    return 0;
}
