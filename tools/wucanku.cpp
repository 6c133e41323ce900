#include "tools/wucanku.hpp"
#include <io.h>
#include <memory>
#include <NXOpen/Session.hxx>
#include <uf.h>
#include <uf_cfi.h>
#include <uf_mtx.h>
#include <uf_obj.h>
#include <uf_part.h>
#include <uf_trns.h>
#include <uf_ui.h>
#include "common/uf_bracket.hpp"
#include "components/naming.hpp"

namespace {

const char* kFolderIcon = "fileopen";
const char* kPartIcon = "piecepart";
const int kNameColumn = 0, kPathColumn = 1;

bool isPartFile(const std::string& name) {
    const size_t dot = naming::lastOf(name, '.');
    if (dot == std::string::npos) return false;
    std::string ext = name.substr(dot);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".prt";
}

std::string fileName(const std::string& path) {
    char name[UF_CFI_MAX_FILE_NAME_BUFSIZE] = "";
    uc4574(path.c_str(), 0, name);
    return name;
}

bool exists(const std::string& path) {
    int status = 1;
    UF_CFI_ask_file_exist(path.c_str(), &status);
    return status == 0;
}

void read(NXOpen::BlockStyler::SpecifyOrientation* m, double origin[3], double x[3], double y[3]) {
    const NXOpen::Point3d o = m->Origin();
    const NXOpen::Vector3d vx = m->XAxis(), vy = m->YAxis();
    const double values[9] = {o.X, o.Y, o.Z, vx.X, vx.Y, vx.Z, vy.X, vy.Y, vy.Z};
    for (int i = 0; i < 3; ++i) {
        origin[i] = values[i];
        x[i] = values[3 + i];
        y[i] = values[6 + i];
    }
}

}  // namespace

wucanku::wucanku() : StylerDialog("wucanku.dlx") {
    theDialog->AddApplyHandler(NXOpen::make_callback(this, &wucanku::apply_cb));
    theDialog->AddOkHandler(NXOpen::make_callback(this, &wucanku::ok_cb));
    theDialog->AddUpdateHandler(NXOpen::make_callback(this, &wucanku::update_cb));
    theDialog->AddInitializeHandler(NXOpen::make_callback(this, &wucanku::initialize_cb));
    theDialog->AddDialogShownHandler(NXOpen::make_callback(this, &wucanku::dialogShown_cb));
}

void wucanku::initialize_cb() {
    guard([&] {
        tree_control0 = block<NXOpen::BlockStyler::Tree>("tree_control0");
        drawingArea0 = block<NXOpen::BlockStyler::DrawingArea>("drawingArea0");
        group = block<NXOpen::BlockStyler::Group>("group");
        toggle0 = block<NXOpen::BlockStyler::Toggle>("toggle0");
        manip0 = block<NXOpen::BlockStyler::SpecifyOrientation>("manip0");
        requireBlocks();
        tree_control0->SetOnSelectHandler(NXOpen::make_callback(this, &wucanku::OnSelectCallback));
        tree_control0->SetToolTipTextHandler(NXOpen::make_callback(this, &wucanku::ToolTipTextCallback));
        tree_control0->SetOnMenuHandler(NXOpen::make_callback(this, &wucanku::OnMenuCallback));
        tree_control0->SetOnMenuSelectionHandler(NXOpen::make_callback(this, &wucanku::OnMenuSelectionCallback));
        parent_ = nullptr;
        group_ = NULL_TAG;
    });
}

std::string wucanku::libraryFolder() const {
    return std::string(theSession->GetEnvironmentVariableValue("UGII_BASE_DIR").GetText()) + "\\qel-1\\wucanku";
}

void wucanku::showPicture(const std::string& path) { drawingArea0->SetImage(path.c_str()); }

void wucanku::requireBlocks() const {
    StylerDialog::requireBlocks({{tree_control0, "tree_control0"}, {drawingArea0, "drawingArea0"}, {toggle0, "toggle0"}, {manip0, "manip0"}});
}

void wucanku::dialogShown_cb() {
    guard([&] {
        requireBlocks();
        UfBracket bracket;
        tree_control0->InsertColumn(kNameColumn, "零件列表", 180);
        tree_control0->InsertColumn(kPathColumn, "对象路径", 180);
        tree_control0->SetColumnVisible(kPathColumn, false);
        const std::string folder = libraryFolder();
        showPicture(folder + "\\welcome.bmp");
        // A library that is not there is an empty tree; the user is told why.
        if (!exists(folder + "\\welcome.bmp") && _access(folder.c_str(), 0) != 0) {
            uc1601(("零件库文件夹不存在: " + folder).c_str(), 1);
            return;
        }
        show_file(folder, nullptr);
    });
}

std::string wucanku::initarray(const std::string& folder) { return folder + "\\"; }

NXOpen::BlockStyler::Node* wucanku::CreateAndAddNode(NXOpen::BlockStyler::Node* after, const std::string& text) {
    NXOpen::BlockStyler::Node* node = tree_control0->CreateNode(text.c_str());
    last_ = node;
    tree_control0->InsertNode(node, parent_, after, NXOpen::BlockStyler::Tree::NodeInsertOptionSort);
    return node;
}

void wucanku::show_file(const std::string& folder, NXOpen::BlockStyler::Node*) {
    // Paths grow as strings: a library may lie as deep as the file system allows.
    const std::string base = initarray(folder);
    _finddata64i32_t entry{};
    const intptr_t handle = _findfirst64i32((base + "*").c_str(), &entry);
    if (handle == -1) return;
    // The first entry is the folder itself (".").
    while (_findnext64i32(handle, &entry) == 0) {
        const std::string name = entry.name;
        if (name == "..") continue;
        const std::string path = base + name;
        if (entry.attrib & _A_SUBDIR) {
            NXOpen::BlockStyler::Node* node = CreateAndAddNode(nullptr, fileName(path));
            node->SetColumnDisplayText(kPathColumn, path.c_str());
            node->SetDisplayIcon(kFolderIcon);
            node->SetSelectedIcon(kFolderIcon);
            parent_ = node;
            show_file(path, nullptr);
            parent_ = node->ParentNode();
        } else {
            const std::string shown = fileName(path);
            if (!isPartFile(shown)) continue;
            NXOpen::BlockStyler::Node* node = CreateAndAddNode(nullptr, shown);
            node->SetColumnDisplayText(kPathColumn, path.c_str());
            node->SetDisplayIcon(kPartIcon);
            node->SetSelectedIcon(kPartIcon);
        }
    }
    _findclose(handle);
}

void wucanku::OnSelectCallback(NXOpen::BlockStyler::Tree*, NXOpen::BlockStyler::Node* node, int, bool selected) {
    guard([&] {
        // A node that loses the selection changes nothing: the import stays until another part replaces it.
        if (!selected || !node) return;
        UfBracket bracket;
        if (std::string(node->DisplayIcon().GetText()) != kPartIcon) {
            showPicture(libraryFolder() + "\\floder.bmp");
            return;
        }
        const std::string path = node->GetColumnDisplayText(kPathColumn).GetText();
        const std::string picture = path.size() >= 3 ? path.substr(0, path.size() - 3) + "bmp" : path;
        showPicture(exists(picture) ? picture : libraryFolder() + "\\nobitmap.bmp");
        importpart(path);
    });
}

NXOpen::NXString wucanku::ToolTipTextCallback(NXOpen::BlockStyler::Tree*, NXOpen::BlockStyler::Node* node, int) {
    return node ? node->GetColumnDisplayText(kPathColumn) : NXOpen::NXString("");
}

void wucanku::OnMenuCallback(NXOpen::BlockStyler::Tree* tree, NXOpen::BlockStyler::Node*, int) {
    guard([&] {
        std::unique_ptr<NXOpen::BlockStyler::TreeListMenu> menu(tree->CreateMenu());
        if (tree->GetSelectedNodes().empty()) {
            menu->AddMenuItem(2, "全部折叠");
            menu->SetItemIcon(2, "ant_collapse_all");
            menu->AddMenuItem(3, "全部展开");
            menu->SetItemIcon(3, "ant_expand_all");
        } else {
            menu->AddMenuItem(0, "展开至选定的");
            menu->SetItemIcon(0, "ant_expand_to_selected");
            menu->AddMenuItem(1, "全部折叠");
            menu->SetItemIcon(1, "ant_collapse_all");
        }
        tree->SetMenu(menu.get());
    });
}

void wucanku::OnMenuSelectionCallback(NXOpen::BlockStyler::Tree* tree, NXOpen::BlockStyler::Node*, int item) {
    guard([&] {
        using NXOpen::BlockStyler::Node;
        const std::vector<Node*> selected = tree->GetSelectedNodes();
        if (!selected.empty() && item != 1) {
            selected.front()->Expand(Node::ExpandOptionExpand);
            return;
        }
        const Node::ExpandOption option = selected.empty() && item == 3 ? Node::ExpandOptionExpand : Node::ExpandOptionCollapse;
        for (Node* n = tree->RootNode(); n; n = n->NextNode()) n->Expand(option);
    });
}

void wucanku::importpart(const std::string& file) {
    UF_import_part_modes_t modes{};
    modes.layer_mode = toggle0->Value() ? 1 : 0;
    modes.group_mode = 1;
    modes.expression_mode = 0;
    modes.view_mode = false;
    double origin[3], x[3], y[3];
    read(manip0, origin, x, y);
    double csys[6] = {x[0], x[1], x[2], y[0], y[1], y[2]};
    tag_t made = NULL_TAG;
    // A refused import leaves the work part as it was, the earlier import included; the user hears why.
    if (UF_PART_import(file.c_str(), &modes, csys, origin, 1.0, &made) != 0) {
        uc1601(("零件导入失败: " + file).c_str(), 1);
        return;
    }
    // The import it replaces goes only now that the new one is in.
    if (group_ != NULL_TAG) UF_OBJ_delete_object(group_);
    group_ = made;
    for (int i = 0; i < 3; ++i) {
        origin_[i] = origin[i];
        xAxis_[i] = x[i];
        yAxis_[i] = y[i];
    }
}

int wucanku::apply_cb() { return 0; }

int wucanku::update_cb(NXOpen::BlockStyler::UIBlock* changed) {
    if (changed != manip0) return 0;
    return guard([&] {
        UfBracket bracket;
        if (group_ == NULL_TAG) return;
        double origin[3], x[3], y[3];
        read(manip0, origin, x, y);
        double mtx[16];
        UF_MTX4_csys_to_csys(origin_, xAxis_, yAxis_, origin, x, y, mtx);
        const int one = 1, move = 1, layer = 0, noTrace = 2;
        tag_t copies = NULL_TAG, traces = NULL_TAG;
        int status = 0;
        uf5947(mtx, &group_, &one, &move, &layer, &noTrace, &copies, &traces, &status);
        for (int i = 0; i < 3; ++i) {
            origin_[i] = origin[i];
            xAxis_[i] = x[i];
            yAxis_[i] = y[i];
        }
    });
}
