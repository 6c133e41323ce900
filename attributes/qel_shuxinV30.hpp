// The attribute command: a body's (or the work part's) name, number, material, specification,
// remark, stock category and measured stock size, written onto it and every identical body.
#pragma once
#include <string>
#include <vector>
#include <uf_defs.h>
#include "common/styler_dialog.hpp"

class qel_shuxinV30 : public StylerDialog<qel_shuxinV30> {
public:
    qel_shuxinV30();
    ~qel_shuxinV30() override;
    void initialize_cb();
    void dialogShown_cb();
    int apply_cb();
    int update_cb(NXOpen::BlockStyler::UIBlock* block);
    int cancel_cb();

    void 选择类型设置();
    void 读选择体的属性();
    void 设置高亮();
    void 最大外形();
    void 折弯最大外形();
    std::string 最大外形返回尺寸();
    void 填写材料规格();
    void 填写材料();
    void 填写备注();
    void 写属性();
    void 所有实体写属性(bool& occurrenceSeen, bool& bodySeen, tag_t body, const char* value, const char* title, int colour);
    int 判断名称是否存在(std::vector<std::string>& names);
    void 填写注意事项();
    void 填写说明();
    std::string 得到体的属性(tag_t object, std::string title);

private:
    std::vector<tag_t> selected() const;
    std::string text(NXOpen::BlockStyler::StringBlock* block) const;
    void setText(NXOpen::BlockStyler::StringBlock* block, const std::string& value);
    int mode() const;
    bool bent() const;
    void 显示文件(const char* relative);
    void requireBlocks() const;

    NXOpen::BlockStyler::Group* group1 = nullptr;
    NXOpen::BlockStyler::Enumeration* blockleixing = nullptr;
    NXOpen::BlockStyler::Group* group = nullptr;
    NXOpen::BlockStyler::SelectObject* blockxuanzhe = nullptr;
    NXOpen::BlockStyler::Group* group0 = nullptr;
    NXOpen::BlockStyler::StringBlock* blockgunge = nullptr;
    NXOpen::BlockStyler::Button* jicheng = nullptr;
    NXOpen::BlockStyler::Separator* separator01 = nullptr;
    NXOpen::BlockStyler::StringBlock* blockPartName = nullptr;
    NXOpen::BlockStyler::StringBlock* blockPartNo = nullptr;
    NXOpen::BlockStyler::StringBlock* blockbeizhu = nullptr;
    NXOpen::BlockStyler::StringBlock* blockCaiLiao = nullptr;
    NXOpen::BlockStyler::StringBlock* blocksuling = nullptr;
    NXOpen::BlockStyler::StringBlock* blockRiqi = nullptr;
    NXOpen::BlockStyler::Separator* separator0 = nullptr;
    NXOpen::BlockStyler::Group* group2 = nullptr;
    NXOpen::BlockStyler::Toggle* blocktoggle0 = nullptr;
    NXOpen::BlockStyler::Toggle* blocktoggle01 = nullptr;
    NXOpen::BlockStyler::ObjectColorPicker* colorPicker0 = nullptr;
    NXOpen::BlockStyler::Button* blockbutton0 = nullptr;
    NXOpen::BlockStyler::Button* button0 = nullptr;
};
