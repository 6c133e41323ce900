// The drawing command: drawing numbers and sheets with four views and a filled title block for every
// component or marked body (component mode or layer mode), backup and rename of the project's files.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>
#include <uf_defs.h>
#include <uf_draw.h>
#include "common/styler_dialog.hpp"
#include "drawings/drawing_rules.hpp"

class BlockStyler2D : public StylerDialog<BlockStyler2D> {
public:
    BlockStyler2D();
    void initialize_cb();
    void dialogShown_cb();
    int apply_cb();
    int update_cb(NXOpen::BlockStyler::UIBlock* block);

    // The dialog and its jobs.
    void UI初始设置();
    void 向UI写值();
    int 判断模式();          // 1 component mode, 2 layer mode
    int 组件出图初始化();    // 1 when the work part has sheets already

    // Walks of the assembly as drawing output sees it: layer 171 left out, each component once.
    int 得到组件及零件的tag(std::vector<tag_t>& multi, std::vector<tag_t>& single);
    int 得到组件下所有的实体(tag_t component, std::vector<tag_t>& bodies);
    int 得到工作部件所有的实体(std::vector<tag_t>& bodies);
    void 得到所有组件的数组(std::vector<tag_t>& out);
    void ASSEM_cycle_all_part(tag_t occurrence);

    // Scale, sheets, views and title block.
    int A3总图比例设置(tag_t part, double& scale);
    // Measured in the component's own part, whose views component mode draws; layer mode (`ownFrame`
    // false) imports the assembly's views and measures in the assembly.
    int A3部件比例设置(tag_t component, double& scale, bool ownFrame = true);
    int A4比例设置(tag_t body, double& scale);
    // True when the sheet was made (false: a sheet of the name exists, or its template cannot be read).
    bool 创建图纸页(const std::string& name, const std::string& number, const std::string& sheetName, const std::string& quantity,
                   const std::string& total, const std::string& material, double scale, const std::string& templ,
                   const std::string& partPath, const std::string& partName);
    int 创建视图(const std::string& partPath, const std::string& partName, double scale, const std::string& modelView, double x, double y,
                tag_t& view);
    bool 创建工程图(const std::string& name, const std::string& number, const std::string& sheetName, const std::string& quantity,
                   const std::string& total, const std::string& material, double scale, const std::string& templ, tag_t component);
    tag_t 创建导入视图(const std::string& modelView, double x, double y, tag_t component);
    void 标题栏设置(const std::string& material, const std::string& number, const std::string& name, const std::string& quantity,
                  const std::string& total);
    void 设置组件精确显示(tag_t component);

    // Component mode.
    void 批量创建图纸及视图_assm();
    void 得到路径名称部件(tag_t component, std::vector<std::string>& parts);
    void 得到路径名称零件(tag_t component, std::vector<std::string>& parts);
    bool 判断图纸是否存在(const std::string& sheetName);
    void 得到当前文件名称和路径(std::string& stem, std::string& path);
    int 得到数量及总数(tag_t prototype, tag_t parent, int& quantity, int& total);
    int 找重叠体(const std::vector<tag_t>& bodies);

    // Backup and rename.
    int 图纸备份();
    int 判断图纸是否备份过(std::string& previous);
    // False, with a message, when the part could not be saved under the new name (nothing is deleted then).
    bool 重命名组件(const std::string& oldPath, const std::string& newPath, tag_t component);

    // Numbers and layer mode.
    int 批量修改零件图号();
    int 批量修改零件图号_图层出图();
    int 图层出图();
    void 得到出过图的数组b及未出过图的数组a(tag_t component, std::vector<tag_t>& drawn, std::vector<tag_t>& undrawn);
    void 得到所有出图的数组zong_tag_ys(std::vector<std::string>& names, std::vector<tag_t>& bodies);
    void 所有实体写属性(bool& occurrenceSet, bool& plainSet, tag_t object, const std::string& value, const char* title);

private:
    // Numbers and names onto the work part and its sub-assemblies, and with `singleParts` onto the single
    // parts and the bodies of their names.
    void 写部件图号(bool singleParts);
    void requireBlocks() const;
    std::string text(NXOpen::BlockStyler::UIBlock* block) const;
    void setText(NXOpen::BlockStyler::UIBlock* block, const std::string& value);
    int job() const;
    // Places the layout's four views and the title block on the current sheet (both sheet operations).
    void fill(tag_t sheet, double scale);
    // Facts of one drawing run that do not change while it makes sheets, read once.
    void beginRun();
    void endRun();
    const std::vector<tag_t>& workBodies();
    std::string nameOf(tag_t body);

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

    // Kept while the dialog lives: every component met, in walk order, with its instance name.
    std::vector<tag_t> components_;
    std::vector<std::string> instanceNames_;
    std::set<tag_t> listed_;
    // The layout of what is being drawn, set by the scale functions.
    drawing::Layout layout_;
    tag_t currentSheet_ = NULL_TAG;
    UF_DRAW_info_t sheetInfo_{};
    // Layer mode, per component.
    std::vector<std::string> madeNames_;
    std::vector<tag_t> drawnBodies_;
    long long largest_ = 0;
    // One run's facts.
    bool running_ = false;
    std::set<std::string> sheetNames_;
    std::vector<tag_t> workBodies_;
    bool workBodiesRead_ = false;
    std::map<std::string, std::vector<tag_t>> bodiesByName_;
    std::map<tag_t, std::map<std::string, int>> quantitiesUnder_;
    int failedSheets_ = 0;
};
