#include "tools/bom.hpp"
#include <algorithm>
#include <stdexcept>
#include <memory>
#include <NXOpen/BlockStyler_PropertyList.hxx>
#include <NXOpen/TaggedObject.hxx>
#include <direct.h>
#include <io.h>
#include <uf.h>
#include <uf_assem.h>
#include <uf_cfi.h>
#include <uf_kf.h>
#include <uf_modl.h>
#include <uf_obj.h>
#include <uf_object_types.h>
#include <uf_part.h>
#include "common/attributes.hpp"
#include "common/part_bodies.hpp"
#include "common/uf_bracket.hpp"
#include "tools/bom_rules.hpp"

using namespace NXOpen::BlockStyler;

namespace {

const char* kRoot = "Root:";

void rule(const char* name, const char* type, const std::string& formula) {
    UF_KF_create_rule_no_update(kRoot, name, type, formula.c_str(), nullptr);
}

double grams(tag_t body) {
    double accuracy[11] = {0.01, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, props[47] = {0}, stats[13] = {0};
    // Density 0: each body at its own density, as its stock size record was measured.
    UF_MODL_ask_mass_props_3d(&body, 1, 1, 3, 0.0, 1, accuracy, props, stats);
    return props[2];
}

}  // namespace

bom::bom() : StylerDialog("bom.dlx") {
    theDialog->AddApplyHandler(NXOpen::make_callback(this, &bom::apply_cb));
    theDialog->AddOkHandler(NXOpen::make_callback(this, &bom::ok_cb));
    theDialog->AddUpdateHandler(NXOpen::make_callback(this, &bom::update_cb));
    theDialog->AddInitializeHandler(NXOpen::make_callback(this, &bom::initialize_cb));
    theDialog->AddDialogShownHandler(NXOpen::make_callback(this, &bom::dialogShown_cb));
}

void bom::initialize_cb() {
    guard([&] {
        group1 = block<Group>("group1");
        enum0 = block<Enumeration>("enum0");
        group2 = block<Group>("group2");
        selection0 = block<SelectObject>("selection0");
        label0 = block<Label>("label0");
        filepath = block<FolderSelection>("filepath");
        group3 = block<Group>("group3");
        toggle0 = block<Toggle>("toggle0");
        requireBlocks();
        solidBodiesOnly(selection0);
    });
}

void bom::requireBlocks() const {
    StylerDialog::requireBlocks({{enum0, "enum0"}, {selection0, "selection0"}, {filepath, "filepath"}, {toggle0, "toggle0"}});
}

void bom::showSelection() {
    std::unique_ptr<PropertyList> props(enum0->GetProperties());
    selection0->SetShow(props->GetEnum("Value") == 0);
}

void bom::dialogShown_cb() {
    guard([&] {
        requireBlocks();
        showSelection();
    });
}

int bom::update_cb(UIBlock* changed) {
    guard([&] {
        requireBlocks();
        if (changed == enum0) showSelection();
    });
    return 0;
}

int bom::apply_cb() {
    return guard([&] {
        requireBlocks();
        AA();
    });
}

std::vector<tag_t> bom::bodies() const {
    std::vector<tag_t> out;
    std::unique_ptr<PropertyList> props(enum0->GetProperties());
    if (props->GetEnum("Value") != 0) {
        out = 部件的体(UF_ASSEM_ask_work_part());
    } else {
        for (NXOpen::TaggedObject* o : selection0->GetSelectedObjects()) out.push_back(o->Tag());
    }
    return out;
}

void bom::AA() {
    UfBracket bracket;
    const bool merge = toggle0->Value();
    // 1. The bodies that get a row; with merging, the first of each name stands for all of them.
    std::vector<tag_t> rows;
    std::vector<std::string> allNames, rowNames;
    for (tag_t b : bodies()) {
        std::string name = 得到体的属性(b, ATTR_PART_NAME);
        allNames.push_back(name);
        if (merge && std::find(rowNames.begin(), rowNames.end(), name) != rowNames.end()) continue;
        rowNames.push_back(name);
        rows.push_back(b);
    }
    // 2. Files: a fresh copy of the template each run.
    char* base = nullptr;
    UF_translate_variable("UGII_BASE_DIR", &base);
    const std::string templ = std::string(base ? base : "") + "\\qel-1\\bom\\明细表模版.xlsx";
    const std::string folder = bomrules::folder(filepath->Path().GetText());
    char spec[MAX_FSPEC_BUFSIZE] = "";
    tag_t work = UF_ASSEM_ask_work_part();
    UF_PART_ask_part_name(work, spec);
    const std::string working = folder + "qel", delivered = folder + bomrules::baseName(spec);
    // A folder typed that does not exist yet is made, as a folder dialog would offer.
    if (!folder.empty() && _access(folder.substr(0, folder.size() - 1).c_str(), 0) != 0) _mkdir(folder.substr(0, folder.size() - 1).c_str());
    // A copy that fails ends the run with what failed: nothing would be written, and nothing delivered.
    if (uc4567(templ.c_str(), working.c_str(), 1, 254, 254) != 0) throw std::runtime_error("明细表模板无法复制: " + templ + " -> " + working);
    // 3. The workbook opens with the first row's rules.
    UF_KF_init_part(work);
    rule("open", "Integer Parameter", bomrules::openFormula(working));
    // 4. A row a body: nine cells, evaluated together, the rules taken away again.
    static const char* const writes[] = {"Write0", "Write1", "Write2", "Write3", "Write4", "Write5", "Write6", "Write7", "Write8"};
    for (size_t n = 0; n < rows.size(); ++n) {
        const tag_t b = rows[n];
        const int row = static_cast<int>(n) + 4;
        const std::string name = 得到体的属性(b, ATTR_PART_NAME), suling = 得到体的属性(b, ATTR_SPEC);
        const int quantity = merge ? static_cast<int>(std::count(allNames.begin(), allNames.end(), name)) : 1;
        // Texts go in with a leading apostrophe, as a spreadsheet takes "text, as typed": a drawing
        // number of twenty digits stays twenty digits instead of becoming a rounded number.
        const auto asText = [](const std::string& value) { return "'" + value; };
        const std::string cells[9][2] = {
            {"1", std::to_string(n + 1)},
            {"2", asText(得到体的属性(b, ATTR_PART_NO))},
            {"3", asText(name)},
            {"5", std::to_string(quantity)},
            {"6", asText(得到体的属性(b, ATTR_MATERIAL))},
            {"7", bomrules::kilograms(grams(b))},
            {"9", asText(得到体的属性(b, ATTR_REMARK))},
            {"4", asText(suling)},
            {"10", std::to_string(bomrules::stockCode(suling))},
        };
        for (int k = 0; k < 9; ++k) rule(writes[k], "Boolean Parameter", bomrules::writeFormula(row, std::stoi(cells[k][0]), cells[k][1]));
        rule("demandvalue", "List Parameter", "{Write0:, Write1:,Write2:, Write3:, Write4:, Write5:, Write6:, Write7:, Write8: }");
        UF_MODL_update();
        UF_KF_delete_instance_rule(kRoot, "demandvalue");
        for (const char* w : writes) UF_KF_delete_instance_rule(kRoot, w);
    }
    // 5. The workbook is written whole on close.
    rule("close", "Boolean Parameter", "ug_excel_close_file(open:,True)");
    rule("demandvalue", "List Parameter", "{close:}");
    UF_MODL_update();
    UF_KF_delete_instance_rule(kRoot, "demandvalue");
    UF_KF_delete_instance_rule(kRoot, "open");
    UF_KF_delete_instance_rule(kRoot, "close");
    UF_MODL_update();
    // 6. The copy named after the part.
    if (uc4567(working.c_str(), delivered.c_str(), 33, 254, 254) != 0) throw std::runtime_error("明细表无法复制为: " + delivered);
}
