#include "components/tuhao_xiegai.hpp"
#include <set>
#include <utility>
#include <uf.h>
#include <uf_assem.h>
#include <uf_obj.h>
#include <uf_part.h>
#include "common/attributes.hpp"
#include "common/part_bodies.hpp"
#include "common/uf_bracket.hpp"

tuhao_xiegai::tuhao_xiegai() : StylerDialog("tuhao_xiegai.dlx") {
    theDialog->AddApplyHandler(NXOpen::make_callback(this, &tuhao_xiegai::apply_cb));
    theDialog->AddOkHandler(NXOpen::make_callback(this, &tuhao_xiegai::ok_cb));
    theDialog->AddUpdateHandler(NXOpen::make_callback(this, &tuhao_xiegai::update_cb));
    theDialog->AddInitializeHandler(NXOpen::make_callback(this, &tuhao_xiegai::initialize_cb));
    theDialog->AddDialogShownHandler(NXOpen::make_callback(this, &tuhao_xiegai::dialogShown_cb));
}

void tuhao_xiegai::initialize_cb() {
    guard([&] {
        stringss_qian = block<NXOpen::BlockStyler::StringBlock>("stringss_qian");
        stringss_hou = block<NXOpen::BlockStyler::StringBlock>("stringss_hou");
        requireBlocks({{stringss_qian, "stringss_qian"}, {stringss_hou, "stringss_hou"}});
    });
}

void tuhao_xiegai::dialogShown_cb() {
    guard([&] {
        stringss_qian->SetValue("空");
        stringss_hou->SetValue("");
    });
}

int tuhao_xiegai::apply_cb() {
    return guard([&] {
        qian_ = stringss_qian->Value().GetText();
        hou_ = stringss_hou->Value().GetText();
        nj_tuhao(qian_, hou_);
        bj_tuhao();
    });
}

void tuhao_xiegai::nj_tuhao(const std::string& oldPrefix, const std::string& newPrefix) {
    UfBracket bracket;
    for (tag_t b : 部件的体(UF_ASSEM_ask_work_part())) {
        const std::string number = 得到体的属性(b, ATTR_PART_NO);
        if (number.empty()) continue;
        const size_t dash = number.find('-');
        // The whole series before the first "-" is replaced, whatever part of it matched.
        if (dash == std::string::npos || number.find(oldPrefix) == std::string::npos) continue;
        写字符串属性(b, ATTR_PART_NO, newPrefix + "-" + number.substr(dash + 1));
    }
}

void tuhao_xiegai::bj_tuhao() {
    UfBracket bracket;
    std::vector<std::pair<tag_t, std::string>> components;
    std::set<std::string> names;
    for (tag_t b : 部件的体(UF_ASSEM_ask_work_part())) {
        const tag_t c = UF_ASSEM_ask_parent_component(b);
        if (c == NULL_TAG) continue;
        char name[UF_OBJ_NAME_BUFSIZE] = "";
        UF_OBJ_ask_name(c, name);
        if (names.insert(name).second) components.emplace_back(c, name);
    }
    for (auto& [c, m] : components) {
        const size_t dash = m.find('-');
        写字符串属性(c, ATTR_PART_NO, dash == std::string::npos ? std::string() : m.substr(dash + 1));
        写字符串属性(c, ATTR_PART_NAME, dash == std::string::npos ? m : m.substr(0, dash));
    }
}

int tuhao_xiegai::update_cb(NXOpen::BlockStyler::UIBlock*) {
    return 0;
}
