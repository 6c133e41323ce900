#pragma once
#include <string>
#include "common/styler_dialog.hpp"

class tuhao_xiegai : public StylerDialog<tuhao_xiegai> {
public:
    tuhao_xiegai();
    void initialize_cb();
    void dialogShown_cb();
    int apply_cb();
    int update_cb(NXOpen::BlockStyler::UIBlock* block);
    // Replaces the series before the first "-" of the bodies' drawing numbers that contain the old prefix.
    void nj_tuhao(const std::string& oldPrefix, const std::string& newPrefix);
    // Writes name and number onto each component from its name (name-number).
    void bj_tuhao();

private:
    std::string qian_, hou_;
    NXOpen::BlockStyler::StringBlock* stringss_qian = nullptr;
    NXOpen::BlockStyler::StringBlock* stringss_hou = nullptr;
};
