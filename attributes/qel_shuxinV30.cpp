#include "attributes/qel_shuxinV30.hpp"
#include <cstdio>
#include <memory>
#include <NXOpen/TaggedObject.hxx>
#include <uf.h>
#include <uf_assem.h>
#include <uf_attr.h>
#include <uf_cfi.h>
#include <uf_disp.h>
#include <uf_modl.h>
#include <uf_obj.h>
#include <uf_part.h>
#include <uf_ui.h>
#include "attributes/identical_bodies.hpp"
#include "attributes/shuxin_jichen.hpp"
#include "attributes/stock_rules.hpp"
#include "attributes/stock_size.hpp"
#include "common/attributes.hpp"

using namespace NXOpen::BlockStyler;

qel_shuxinV30::qel_shuxinV30() : StylerDialog("qel_shuxinV3.0.dlx") {
    theDialog->AddApplyHandler(NXOpen::make_callback(this, &qel_shuxinV30::apply_cb));
    theDialog->AddUpdateHandler(NXOpen::make_callback(this, &qel_shuxinV30::update_cb));
    theDialog->AddCancelHandler(NXOpen::make_callback(this, &qel_shuxinV30::cancel_cb));
    theDialog->AddInitializeHandler(NXOpen::make_callback(this, &qel_shuxinV30::initialize_cb));
    theDialog->AddDialogShownHandler(NXOpen::make_callback(this, &qel_shuxinV30::dialogShown_cb));
}

qel_shuxinV30::~qel_shuxinV30() {
    UF_initialize();
    UF_PART_cleanup(UF_PART_cleanup_highlight);
    UF_terminate();
}

void qel_shuxinV30::initialize_cb() {
    guard([&] {
        group1 = block<Group>("group1");
        blockleixing = block<Enumeration>("blockleixing");
        group = block<Group>("group");
        blockxuanzhe = block<SelectObject>("blockxuanzhe");
        group0 = block<Group>("group0");
        blockgunge = block<StringBlock>("blockgunge");
        jicheng = block<Button>("jicheng");
        separator01 = block<Separator>("separator01");
        blockPartName = block<StringBlock>("blockPartName");
        blockPartNo = block<StringBlock>("blockPartNo");
        blockbeizhu = block<StringBlock>("blockbeizhu");
        blockCaiLiao = block<StringBlock>("blockCaiLiao");
        blocksuling = block<StringBlock>("blocksuling");
        blockRiqi = block<StringBlock>("blockRiqi");
        separator0 = block<Separator>("separator0");
        group2 = block<Group>("group2");
        blocktoggle0 = block<Toggle>("blocktoggle0");
        blocktoggle01 = block<Toggle>("blocktoggle01");
        colorPicker0 = block<ObjectColorPicker>("colorPicker0");
        blockbutton0 = block<Button>("blockbutton0");
        button0 = block<Button>("button0");
        requireBlocks();
        solidBodiesOnly(blockxuanzhe);
        UF_initialize();
        UF_ASSEM_set_work_part(UF_PART_ask_display_part());
        UF_terminate();
    });
}

void qel_shuxinV30::requireBlocks() const {
    StylerDialog::requireBlocks({{blockleixing, "blockleixing"}, {blockxuanzhe, "blockxuanzhe"}, {blockgunge, "blockgunge"},
                                 {blockPartName, "blockPartName"}, {blockPartNo, "blockPartNo"}, {blockbeizhu, "blockbeizhu"},
                                 {blockCaiLiao, "blockCaiLiao"}, {blocksuling, "blocksuling"}, {blockRiqi, "blockRiqi"},
                                 {blocktoggle0, "blocktoggle0"}, {blocktoggle01, "blocktoggle01"}, {colorPicker0, "colorPicker0"}});
}

void qel_shuxinV30::dialogShown_cb() {
    guard([&] {
        requireBlocks();
        选择类型设置();
    });
}

int qel_shuxinV30::apply_cb() {
    return guard([&] {
        requireBlocks();
        if (!blocktoggle01->Value()) 写属性();
    });
}

int qel_shuxinV30::cancel_cb() {
    UF_initialize();
    UF_PART_cleanup(UF_PART_cleanup_highlight);
    UF_terminate();
    return 0;
}

int qel_shuxinV30::update_cb(UIBlock* changed) {
    guard([&] {
        requireBlocks();
        if (changed == blockleixing) {
            选择类型设置();
        } else if (changed == blockxuanzhe) {
            读选择体的属性();
            if (!selected().empty()) bent() ? 折弯最大外形() : 最大外形();
            if (!blocktoggle01->Value()) 设置高亮();
        } else if (changed == blockgunge) {
            if (!selected().empty()) bent() ? 折弯最大外形() : 最大外形();
            填写材料规格();
            填写材料();
            填写备注();
        } else if (changed == jicheng) {
            shuxin_jichen* inherit = new shuxin_jichen();
            std::unique_ptr<shuxin_jichen> owner(inherit);
            inherit->Show();
            if (!inherit->taken) return;
            setText(blockPartName, inherit->name);
            setText(blockPartNo, inherit->partNo);
            setText(blocksuling, inherit->spec);
            setText(blockCaiLiao, inherit->material);
            setText(blockbeizhu, inherit->remark);
            setText(blockgunge, inherit->category);
        } else if (changed == blockPartName) {
            std::vector<std::string> names;
            判断名称是否存在(names);
            std::string typed = text(blockPartName);
            for (const std::string& n : names) {
                if (n != typed) continue;
                std::string message = "警告:\n" + typed + "\n已存在,请重新输入";
                uc1601(message.c_str(), 1);
                break;
            }
        } else if (changed == blockPartNo) {
            填写备注();
        } else if (changed == blockbutton0) {
            填写注意事项();
        } else if (changed == button0) {
            填写说明();
        }
    }, 0);
    return 0;
}

std::vector<tag_t> qel_shuxinV30::selected() const {
    std::vector<tag_t> tags;
    if (!blockxuanzhe) return tags;
    for (NXOpen::TaggedObject* o : blockxuanzhe->GetSelectedObjects()) tags.push_back(o->Tag());
    return tags;
}

std::string qel_shuxinV30::text(StringBlock* b) const { return b ? std::string(b->Value().GetText()) : std::string(); }

void qel_shuxinV30::setText(StringBlock* b, const std::string& value) {
    if (b) b->SetValue(value);
}

int qel_shuxinV30::mode() const {
    std::unique_ptr<PropertyList> props(blockleixing->GetProperties());
    return props->GetEnum("Value");
}

bool qel_shuxinV30::bent() const {
    std::string category = text(blockgunge);
    return stock::gbk_contains(category, "钢板,折弯") || stock::gbk_contains(category, "扁钢,折弯");
}

void qel_shuxinV30::选择类型设置() {
    bool body = mode() != 0;
    for (UIBlock* b : std::initializer_list<UIBlock*>{group, group2, blockgunge, blockRiqi, blocksuling})
        if (b) b->SetShow(body);
}

void qel_shuxinV30::读选择体的属性() {
    if (mode() != 1) return;
    UF_initialize();
    std::vector<tag_t> picked = selected();
    if (picked.empty()) {
        uc1601("请选择体!", 1);
        UF_terminate();
        return;
    }
    tag_t body = picked[0];
    setText(blockPartName, 得到体的属性(body, ATTR_PART_NAME));
    setText(blockPartNo, 得到体的属性(body, ATTR_PART_NO));
    setText(blocksuling, 得到体的属性(body, ATTR_SPEC));
    setText(blockCaiLiao, 得到体的属性(body, ATTR_MATERIAL));
    setText(blockbeizhu, 得到体的属性(body, ATTR_REMARK));
    setText(blockgunge, 得到体的属性(body, ATTR_CATEGORY));
    UF_terminate();
}

void qel_shuxinV30::设置高亮() {
    UF_initialize();
    UF_PART_cleanup(UF_PART_cleanup_highlight);
    std::vector<tag_t> picked = selected();
    if (!picked.empty()) {
        std::vector<tag_t> same;
        找相同体(picked[0], same);
        for (tag_t b : same) UF_DISP_set_highlight(b, 1);
    }
    UF_terminate();
}

void qel_shuxinV30::最大外形() {
    std::vector<tag_t> picked = selected();
    if (picked.empty()) return;
    setText(blockRiqi, 普通尺寸记录(picked[0]));
}

void qel_shuxinV30::折弯最大外形() {
    std::vector<tag_t> picked = selected();
    if (picked.empty()) return;
    std::string record = 折弯尺寸记录(picked[0]);
    if (!record.empty()) setText(blockRiqi, record);
}

std::string qel_shuxinV30::最大外形返回尺寸() {
    std::vector<tag_t> picked = selected();
    return picked.empty() ? std::string() : 外形文本(picked[0]);
}

void qel_shuxinV30::填写材料规格() {
    setText(blocksuling, stock::specification_of(text(blockgunge), text(blockRiqi)));
}

void qel_shuxinV30::填写材料() { setText(blockCaiLiao, stock::material_of(text(blockgunge))); }

void qel_shuxinV30::填写备注() {
    UF_initialize();
    std::string outline = 最大外形返回尺寸();
    stock::Remark remark = stock::remark_of(text(blockPartNo), text(blockgunge), text(blockRiqi), outline);
    if (remark.unfold_failed) uc1601(stock::kUnfoldFailedMessage, 1);
    setText(blockbeizhu, remark.text);
    UF_terminate();
}

void qel_shuxinV30::写属性() {
    const std::string name = text(blockPartName), number = text(blockPartNo), record = text(blockRiqi),
                      category = text(blockgunge), material = text(blockCaiLiao), remark = text(blockbeizhu),
                      spec = text(blocksuling);
    std::vector<tag_t> picked = selected();
    bool hide = blocktoggle0->Value();
    int current = mode();
    UF_initialize();
    if (current != 0) {
        if (picked.empty()) {
            uc1601("请选择体!", 1);
            UF_terminate();
            return;
        }
        std::vector<tag_t> bodies;
        找相同体(picked[0], bodies);
        std::vector<int> colours = colorPicker0->GetValue();
        int colour = colours.empty() ? 0 : colours[0];
        const std::pair<const char*, const std::string*> fields[] = {
            {ATTR_PART_NAME, &name}, {ATTR_PART_NO, &number},  {ATTR_MATERIAL, &material}, {ATTR_SPEC, &spec},
            {ATTR_REMARK, &remark},  {ATTR_SIZE, &record},     {ATTR_CATEGORY, &category},
        };
        for (tag_t body : bodies) {
            bool occurrenceSeen = false, bodySeen = false;
            if (hide) UF_OBJ_set_blank_status(body, UF_OBJ_BLANKED);
            for (auto& [title, value] : fields) 所有实体写属性(occurrenceSeen, bodySeen, body, value->c_str(), title, colour);
            UF_MODL_update();
        }
        找重叠体(bodies);
    } else {
        tag_t part = UF_ASSEM_ask_work_part();
        写字符串属性(part, ATTR_PART_NAME, name);
        写字符串属性(part, ATTR_PART_NO, number);
        写字符串属性(part, ATTR_MATERIAL, material);
        写字符串属性(part, ATTR_REMARK, remark);
    }
    UF_terminate();
}

void qel_shuxinV30::所有实体写属性(bool& occurrenceSeen, bool& bodySeen, tag_t body, const char* value, const char* title, int colour) {
    UF_initialize();
    auto* object = dynamic_cast<NXOpen::NXObject*>(NXOpen::NXObjectManager::Get(body));
    if (object && object->IsOccurrence()) {
        occurrenceSeen = true;
        tag_t prototype = UF_ASSEM_ask_prototype_of_occ(body);
        写字符串属性(prototype, title, value);
        设置选择体颜色(colour, prototype);
        写字符串属性(body, title, value);
    } else {
        bodySeen = true;
        写字符串属性(body, title, value);
    }
    设置选择体颜色(colour, body);
    UF_terminate();
}

int qel_shuxinV30::判断名称是否存在(std::vector<std::string>& names) {
    UF_initialize();
    std::vector<tag_t> bodies;
    得到工作所有的体(UF_ASSEM_ask_work_part(), bodies);
    for (tag_t b : bodies) names.push_back(得到体的属性(b, ATTR_PART_NAME));
    UF_terminate();
    return 0;
}

void qel_shuxinV30::显示文件(const char* relative) {
    UF_initialize();
    char* base = nullptr;
    UF_translate_variable("UGII_BASE_DIR", &base);
    std::string path = std::string(base ? base : "") + relative;
    int missing = 1;
    UF_CFI_ask_file_exist(path.c_str(), &missing);
    if (missing == 1) {
        uc1601("数据库文件不存在", 1);
        UF_terminate();
        return;
    }
    int channel = 0;
    if (uc4504(path.c_str(), 1, 87, &channel) == 0) {
        UF_UI_open_listing_window();
        char* line = nullptr;
        while (uc4514a(channel, &line) >= 0) {
            UF_UI_write_listing_window(line);
            UF_UI_write_listing_window("\n");
            UF_free(line);
            line = nullptr;
        }
        uc4540(channel, 0);
    }
    UF_terminate();
}

void qel_shuxinV30::填写注意事项() { 显示文件("\\qel-1\\bom\\注意事项.dat"); }
void qel_shuxinV30::填写说明() { 显示文件("\\qel-1\\bom\\紧固件常用规格.dat"); }

std::string qel_shuxinV30::得到体的属性(tag_t object, std::string title) { return ::得到体的属性(object, std::move(title)); }
