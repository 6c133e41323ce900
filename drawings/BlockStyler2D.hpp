#pragma once
#include "common/styler_dialog.hpp"

class BlockStyler2D : public StylerDialog<BlockStyler2D> {
public:
    BlockStyler2D();
    void initialize_cb();
    void dialogShown_cb();
    int apply_cb();
    int update_cb(NXOpen::BlockStyler::UIBlock* block);

private:
    NXOpen::BlockStyler::Group* group1 = nullptr;
    NXOpen::BlockStyler::Enumeration* enum0 = nullptr;
    NXOpen::BlockStyler::StringBlock* tuhao = nullptr;
    NXOpen::BlockStyler::StringBlock* ming = nullptr;
    NXOpen::BlockStyler::Group* chong = nullptr;
    NXOpen::BlockStyler::SelectObject* selection0 = nullptr;
    NXOpen::BlockStyler::StringBlock* ming_new = nullptr;
    NXOpen::BlockStyler::StringBlock* tuhao_new = nullptr;
    NXOpen::BlockStyler::Group* beifen = nullptr;
    NXOpen::BlockStyler::Label* label0 = nullptr;
    NXOpen::BlockStyler::FolderSelection* filepath_lujin = nullptr;
    NXOpen::BlockStyler::StringBlock* ming_qz = nullptr;
};
