// The component command: bodies become component part files, in four ways.
#pragma once
#include <string>
#include <vector>
#include <uf_defs.h>
#include "common/styler_dialog.hpp"

namespace NXOpen { class NXObject; }

class zujian : public StylerDialog<zujian> {
public:
    zujian();
    void initialize_cb();
    void dialogShown_cb();
    int apply_cb();
    int update_cb(NXOpen::BlockStyler::UIBlock* block);
    int cancel_cb();
    int filter_cb(NXOpen::BlockStyler::UIBlock* block, NXOpen::TaggedObject* selectObject);

    void 设置枚举显示();
    void 批量创建组件();
    // The body to put into a new part, as the work part sees it (linked in from another component;
    // `link` then gets the link feature, which the caller removes when the part is not made).
    tag_t 抽取实体(tag_t body, tag_t* link = nullptr);
    // 1 when nothing is made (a loaded part has the name, or the new part could not be saved and was
    // taken back: the body stays where it was), 0 when the part was made.
    int 创建单实体部件(const std::string& name, const std::string& file, tag_t body);
    void 创建多实体部件();
    void 创建单实体部件枚举2();
    void WAVE抽取体(bool deleteSource);
    // Saves the new part with its components; empty when saved, else why not.
    std::string 保存组件(const std::string& name, const std::string& file);
    // Takes a new component that could not be saved out of the assembly again and closes its part, so
    // that no parent names a file that does not exist. Only for parts whose bodies were linked copies.
    void 撤回组件(NXOpen::NXObject* component, const std::string& name);
    int 去除参数(tag_t component);
    void 关闭内存未显示部件();
    void 移动组件(const std::string& partName, const std::string& component, const std::string& parent);
    std::string 得到体的属性(tag_t object, std::string title);

private:
    std::vector<tag_t> selected() const;
    bool saveParts() const;
    // Makes the part of `name` in `file` from the bodies and answers the new component (null when refused).
    NXOpen::NXObject* 新建组件(const std::string& name, const std::string& file, const std::vector<tag_t>& bodies);
    void deleteSource(tag_t body);
    void requireBlocks() const;

    int mode = 0;

    NXOpen::BlockStyler::Group* group0 = nullptr;
    NXOpen::BlockStyler::Enumeration* enum0 = nullptr;
    NXOpen::BlockStyler::Group* group01 = nullptr;
    NXOpen::BlockStyler::SelectObject* selection0 = nullptr;
    NXOpen::BlockStyler::StringBlock* moldno = nullptr;
    NXOpen::BlockStyler::StringBlock* moldname = nullptr;
    NXOpen::BlockStyler::StringBlock* beginname = nullptr;
    NXOpen::BlockStyler::Toggle* toggle0 = nullptr;
};
