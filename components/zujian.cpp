#include "components/zujian.hpp"
#include <algorithm>
#include <map>
#include <set>
#include <memory>
#include <stdexcept>
#include <NXOpen/Assemblies_ComponentAssembly.hxx>
#include <NXOpen/FileNew.hxx>
#include <NXOpen/Features_Feature.hxx>
#include <NXOpen/Features_RemoveParametersBuilder.hxx>
#include <NXOpen/Part.hxx>
#include <NXOpen/PartCollection.hxx>
#include <NXOpen/Session.hxx>
#include <NXOpen/TaggedObject.hxx>
#include <NXOpen/Update.hxx>
#include <uf.h>
#include <uf_assem.h>
#include <uf_cfi.h>
#include <uf_disp.h>
#include <uf_modl.h>
#include <uf_obj.h>
#include <uf_part.h>
#include <uf_so.h>
#include <uf_ui.h>
#include <uf_wave.h>
#include <io.h>
#include <windows.h>
#include "attributes/stock_size.hpp"
#include "common/attributes.hpp"
#include "common/report.hpp"
#include "common/uf_bracket.hpp"
#include "components/assembly_queries.hpp"
#include "components/naming.hpp"

using namespace NXOpen::BlockStyler;

namespace {

void message(const std::string& text) { uc1601(text.c_str(), 1); }

void workOnDisplay() {
    UF_initialize();
    UF_ASSEM_set_work_part(UF_PART_ask_display_part());
    UF_terminate();
}

}  // namespace

zujian::zujian() : StylerDialog("zujian.dlx") {
    theDialog->AddApplyHandler(NXOpen::make_callback(this, &zujian::apply_cb));
    theDialog->AddOkHandler(NXOpen::make_callback(this, &zujian::ok_cb));
    theDialog->AddUpdateHandler(NXOpen::make_callback(this, &zujian::update_cb));
    theDialog->AddFilterHandler(NXOpen::make_callback(this, &zujian::filter_cb));
    theDialog->AddCancelHandler(NXOpen::make_callback(this, &zujian::cancel_cb));
    theDialog->AddInitializeHandler(NXOpen::make_callback(this, &zujian::initialize_cb));
    theDialog->AddDialogShownHandler(NXOpen::make_callback(this, &zujian::dialogShown_cb));
}

void zujian::initialize_cb() {
    guard([&] {
        group0 = block<Group>("group0");
        enum0 = block<Enumeration>("enum0");
        group01 = block<Group>("group01");
        selection0 = block<SelectObject>("selection0");
        moldno = block<StringBlock>("moldno");
        moldname = block<StringBlock>("moldname");
        beginname = block<StringBlock>("beginname");
        toggle0 = block<Toggle>("toggle0");
        requireBlocks();
        solidBodiesOnly(selection0);
        std::unique_ptr<PropertyList> props(selection0->GetProperties());
        props->SetEnum("MaximumScope", 3);
    });
}

void zujian::dialogShown_cb() {
    guard([&] {
        moldno->SetValue("临时组件");
        std::unique_ptr<PropertyList> props(enum0->GetProperties());
        props->SetEnum("Value", 3);
        设置枚举显示();
    });
}

int zujian::update_cb(UIBlock* changed) {
    if (changed != nullptr && changed == enum0) 设置枚举显示();
    return 0;
}

void zujian::requireBlocks() const {
    StylerDialog::requireBlocks({{enum0, "enum0"}, {selection0, "selection0"}, {moldno, "moldno"},
                                 {moldname, "moldname"}, {beginname, "beginname"}, {toggle0, "toggle0"}});
}

int zujian::filter_cb(UIBlock*, NXOpen::TaggedObject* object) {
    if (mode != 3) return UF_UI_SEL_ACCEPT;
    UF_initialize();
    bool other = UF_ASSEM_ask_parent_component(object->Tag()) != UF_ASSEM_ask_work_occurrence();
    UF_terminate();
    return other ? UF_UI_SEL_ACCEPT : UF_UI_SEL_REJECT;
}

int zujian::cancel_cb() { return 0; }

int zujian::apply_cb() {
    return guard([&] {
        requireBlocks();
        switch (mode) {
            case 0: 创建多实体部件(); break;
            case 1: 创建单实体部件枚举2(); break;
            case 2: 批量创建组件(); break;
            case 3: WAVE抽取体(toggle0->Value()); break;
            default: break;
        }
    });
}

void zujian::设置枚举显示() {
    try {
        requireBlocks();
        std::unique_ptr<PropertyList> props(enum0->GetProperties());
        mode = props->GetEnum("Value");
        moldname->SetShow(false);
        beginname->SetShow(false);
        switch (mode) {
            case 0:
            case 1:
                selection0->SetShow(true);
                moldno->SetShow(true);
                toggle0->SetLabel("保存组件");
                break;
            case 2:
                selection0->SetShow(false);
                moldno->SetShow(false);
                message("重要提示:\n  此功能会关闭内存中未显示的图档\n请做好保存工作!!!!");
                break;
            case 3:
                selection0->SetShow(true);
                moldno->SetShow(false);
                toggle0->SetValue(true);
                toggle0->SetLabel("是否删除体");
                break;
            default:
                break;
        }
    } catch (std::exception& ex) {
        theUI->NXMessageBox()->Show("设置UI值和获取路径", NXOpen::NXMessageBox::DialogTypeError, ex.what());
    }
}

std::vector<tag_t> zujian::selected() const {
    std::vector<tag_t> tags;
    for (NXOpen::TaggedObject* o : selection0->GetSelectedObjects()) tags.push_back(o->Tag());
    return tags;
}

bool zujian::saveParts() const { return toggle0->Value(); }

std::string zujian::得到体的属性(tag_t object, std::string title) { return ::得到体的属性(object, std::move(title)); }

tag_t zujian::抽取实体(tag_t body, tag_t* link) {
    UfBracket bracket;
    if (link) *link = NULL_TAG;
    if (UF_ASSEM_ask_parent_component(body) == UF_ASSEM_ask_work_occurrence()) return body;
    tag_t feature = ::抽取实体(body);
    tag_t out = NULL_TAG;
    UF_MODL_ask_feat_body(feature, &out);
    if (link) *link = feature;
    return out;
}

NXOpen::NXObject* zujian::新建组件(const std::string& name, const std::string& file, const std::vector<tag_t>& bodies) {
    NXOpen::Session* session = NXOpen::Session::GetSession();
    NXOpen::Part* work = session->Parts()->Work();
    NXOpen::FileNew* fileNew = session->Parts()->FileNew();
    std::unique_ptr<NXOpen::FileNew, void (*)(NXOpen::FileNew*)> dropFile(fileNew, [](NXOpen::FileNew* f) { f->Destroy(); });
    fileNew->SetTemplateFileName("model-plain-1-mm-template.prt");
    fileNew->SetApplication(1);
    fileNew->SetUnits(1);
    fileNew->SetRelationType("");
    fileNew->SetUsesMasterModel("No");
    fileNew->SetTemplateType(1);
    fileNew->SetNewFileName(file);
    fileNew->SetMasterFileName("");
    fileNew->SetUseBlankTemplate(false);
    fileNew->SetMakeDisplayedPart(false);
    NXOpen::Assemblies::CreateNewComponentBuilder* builder = work->AssemblyManager()->CreateNewComponentBuilder();
    std::unique_ptr<NXOpen::Assemblies::CreateNewComponentBuilder, void (*)(NXOpen::Assemblies::CreateNewComponentBuilder*)> dropBuilder(
        builder, [](NXOpen::Assemblies::CreateNewComponentBuilder* b) { b->Destroy(); });
    builder->SetReferenceSet(1);
    builder->SetReferenceSetName("整个部件");
    builder->SetNewComponentName(name);
    for (tag_t b : bodies) builder->ObjectForNewComponent()->Add(dynamic_cast<NXOpen::NXObject*>(NXOpen::NXObjectManager::Get(b)));
    builder->SetNewFile(fileNew);
    return builder->Commit();
}

int zujian::创建单实体部件(const std::string& name, const std::string& file, tag_t body) {
    UfBracket bracket;
    int state = 100;
    遍历内存(name, state);
    if (state == 10) {
        message(name + "\n 部件已存在请重新输入名称");
        return 1;
    }
    tag_t link = NULL_TAG;
    tag_t b = 抽取实体(body, &link);
    NXOpen::NXObject* component = nullptr;
    try {
        component = 新建组件(name, file, {b});
    } catch (...) {
        // The linked copy made for the new part does not stay in the user's part.
        if (link != NULL_TAG) UF_OBJ_delete_object(link);
        throw;
    }
    if (!saveParts()) return 0;
    std::string why = 保存组件(name, file);
    if (why.empty()) return 0;
    if (link != NULL_TAG) {
        撤回组件(component, name);
        message(name + "\n组件保存失败,实体保留原处:\n" + why);
        return 1;
    }
    // The body itself went into the new part, which stays open holding it until it can be saved.
    message(name + "\n组件保存失败,实体在未保存的新组件中:\n" + why);
    return 0;
}

void zujian::deleteSource(tag_t body) {
    bool occurrenceSeen = false, bodySeen = false;
    tag_t source = NULL_TAG;
    得到装配下的boy(occurrenceSeen, bodySeen, body, source);
    if (source != NULL_TAG) UF_OBJ_delete_object(source);
}

void zujian::创建多实体部件() {
    UfBracket bracket;
    std::vector<tag_t> picked = selected();
    const int n = static_cast<int>(picked.size());
    std::string folder;
    std::vector<std::string> names = 查找可用名称(moldno->Value().GetText(), "%s-00%d.prt", folder);
    if (n == 0) return;
    if (names.empty()) {
        // Without a free name there is no part to hold the bodies: nothing is made and nothing deleted.
        message(std::string(moldno->Value().GetText()) + "\n没有可用的部件名称(1 至 19 均已占用),未创建组件");
        return;
    }
    ProgressBar bar;
    bar.start(0, 2 * n);
    UF_ABORT_clear_abort();
    UF_ABORT_enable_abort();
    std::string name = names[0], file = folder + "\\" + name;
    std::vector<tag_t> prepared, links;
    int taken = 0;  // the picks whose bodies go into the part
    for (int i = 0; i < n; ++i) {
        tag_t link = NULL_TAG;
        tag_t b = 抽取实体(picked[i], &link);
        logical abort = FALSE;
        UF_ABORT_ask_flag_status(&abort);
        if (b == NULL_TAG) {
            UF_ABORT_clear_abort();
            bar.end();
            break;
        }
        prepared.push_back(b);
        links.push_back(link);
        taken = i + 1;
        bar.step(i + 1);
        if (abort) {  // what was prepared before the request still goes into the part
            UF_ABORT_clear_abort();
            bar.end();
            break;
        }
    }
    NXOpen::NXObject* component = nullptr;
    try {
        if (!prepared.empty()) component = 新建组件(name, file, prepared);
    } catch (...) {
        for (tag_t l : links)
            if (l != NULL_TAG) UF_OBJ_delete_object(l);
        UF_ABORT_disable_abort();
        throw;
    }
    if (component && saveParts()) {
        std::string why = 保存组件(name, file);
        bool allLinked = std::find(links.begin(), links.end(), NULL_TAG) == links.end();
        if (!why.empty() && allLinked) {
            撤回组件(component, name);
            message(name + "\n组件保存失败,实体保留原处:\n" + why);
            bar.end();
            UF_ABORT_disable_abort();
            workOnDisplay();
            return;
        }
        if (!why.empty()) message(name + "\n组件保存失败,实体在未保存的新组件中:\n" + why);
    }
    // Only the sources of bodies that went into the part are deleted.
    tag_t workOcc = UF_ASSEM_ask_work_occurrence();
    for (int i = 0; i < taken; ++i) {
        tag_t parent = UF_ASSEM_ask_parent_component(picked[i]);
        if (parent != workOcc) deleteSource(picked[i]);
        else UF_OBJ_delete_object(picked[i]);
        bar.step(n + i + 1);
        logical abort = FALSE;
        UF_ABORT_ask_flag_status(&abort);
        if (abort || parent == NULL_TAG) {
            UF_ABORT_clear_abort();
            bar.end();
            break;
        }
    }
    if (component) 去除参数(component->Tag());
    bar.end();
    UF_ABORT_disable_abort();
    workOnDisplay();
}

void zujian::创建单实体部件枚举2() {
    UfBracket bracket;
    std::vector<tag_t> picked = selected();
    const int n = static_cast<int>(picked.size());
    std::string folder;
    std::vector<std::string> names = 查找可用名称(moldno->Value().GetText(), "%s-%d.prt", folder);
    if (static_cast<int>(names.size()) < n) {
        // Too few free names: no part is made, so no body may be deleted either.
        message(std::string(moldno->Value().GetText()) + "\n可用的部件名称只有 " + std::to_string(names.size()) + " 个,少于所选的 " +
                std::to_string(n) + " 个实体,未创建组件");
        return;
    }
    ProgressBar bar;
    bar.start(0, 2 * n);
    tag_t workOcc = UF_ASSEM_ask_work_occurrence();
    // Each source goes right after its part was made, so that a failure half way leaves no body twice.
    for (int i = 0; i < n; ++i) {
        std::string file = folder + "\\" + names[i];
        tag_t link = NULL_TAG;
        tag_t b = 抽取实体(picked[i], &link);
        if (b != NULL_TAG) {
            NXOpen::NXObject* component = nullptr;
            try {
                component = 新建组件(names[i], file, {b});
            } catch (...) {
                if (link != NULL_TAG) UF_OBJ_delete_object(link);
                throw;
            }
            std::string why = saveParts() ? 保存组件(names[i], file) : std::string();
            if (!why.empty() && link != NULL_TAG) {
                撤回组件(component, names[i]);
                message(names[i] + "\n组件保存失败,实体保留原处:\n" + why);
            } else {
                if (!why.empty()) message(names[i] + "\n组件保存失败,实体在未保存的新组件中:\n" + why);
                if (UF_ASSEM_ask_parent_component(picked[i]) != workOcc) deleteSource(picked[i]);
                else UF_OBJ_delete_object(picked[i]);
            }
        }
        bar.step(2 * (i + 1));
    }
    bar.end();
    workOnDisplay();
}

void zujian::WAVE抽取体(bool deleteSource) {
    UfBracket bracket;
    tag_t work = UF_ASSEM_ask_work_part(), workOcc = UF_ASSEM_ask_work_occurrence();
    NXOpen::Part* workPart = NXOpen::Session::GetSession()->Parts()->Work();
    for (tag_t s : selected()) {
        tag_t p = UF_ASSEM_ask_parent_component(s);
        if (p == workOcc) {
            UF_DISP_set_highlight(s, 0);
            continue;
        }
        tag_t source = p == NULL_TAG ? s : UF_ASSEM_ask_prototype_of_occ(s);
        tag_t xform = NULL_TAG, feature = NULL_TAG, body = NULL_TAG;
        UF_SO_create_xform_assy_ctxt(work, p, workOcc, &xform);
        UF_WAVE_create_linked_body(source, xform, work, TRUE, &feature);
        UF_MODL_ask_feat_body(feature, &body);
        NXOpen::Features::RemoveParametersBuilder* builder = workPart->Features()->CreateRemoveParametersBuilder();
        builder->Objects()->Add(dynamic_cast<NXOpen::NXObject*>(NXOpen::NXObjectManager::Get(body)));
        builder->Commit();
        builder->Destroy();
        if (deleteSource) {
            UF_ASSEM_set_work_part(UF_ASSEM_ask_prototype_of_occ(p));
            this->deleteSource(s);
        }
    }
}

std::string zujian::保存组件(const std::string& name, const std::string&) {
    try {
        NXOpen::BasePart* part = NXOpen::Session::GetSession()->Parts()->FindObject(name);
        part->Save(NXOpen::BasePart::SaveComponentsTrue, NXOpen::BasePart::CloseAfterSaveFalse);
        return "";
    } catch (std::exception& ex) {
        theUI->NXMessageBox()->Show("新模装配树", NXOpen::NXMessageBox::DialogTypeError, ex.what());
        return ex.what();
    }
}

void zujian::撤回组件(NXOpen::NXObject* component, const std::string& name) {
    NXOpen::Session* session = NXOpen::Session::GetSession();
    NXOpen::Session::UndoMarkId mark = session->SetUndoMark(NXOpen::Session::MarkVisibilityInvisible, "Delete");
    session->UpdateManager()->AddToDeleteList(component);
    session->UpdateManager()->DoUpdate(mark);
    session->DeleteUndoMark(mark, nullptr);
    NXOpen::BasePart* part = session->Parts()->FindObject(name);
    part->Close(NXOpen::BasePart::CloseWholeTreeFalse, NXOpen::BasePart::CloseModifiedCloseModified, nullptr);
}

int zujian::去除参数(tag_t component) {
    UfBracket bracket;
    // The new component itself is made the work component; finding it again by its journal name
    // would miss a name longer than the host's name field.
    auto* found = dynamic_cast<NXOpen::Assemblies::Component*>(NXOpen::NXObjectManager::Get(component));
    if (found == nullptr) return 0;
    NXOpen::Session* session = NXOpen::Session::GetSession();
    session->Parts()->Work()->ComponentAssembly()->SetWorkComponent(found);
    std::vector<tag_t> bodies;
    得到组件下所有的实体(found->Tag(), bodies);
    NXOpen::Features::RemoveParametersBuilder* builder = session->Parts()->Work()->Features()->CreateRemoveParametersBuilder();
    for (tag_t b : bodies) builder->Objects()->Add(dynamic_cast<NXOpen::NXObject*>(NXOpen::NXObjectManager::Get(b)));
    builder->Commit();
    builder->Destroy();
    return 0;
}

void zujian::关闭内存未显示部件() {
    UfBracket bracket;
    auto leafOf = [](const std::string& path) {
        size_t slash = naming::lastOf(path, '\\');
        return slash == std::string::npos ? path : path.substr(slash + 1);
    };
    // Every component's part is kept, not one per name: two parts may share a name's first letters.
    std::vector<std::string> keep;
    for (tag_t c : 所有组件()) keep.push_back(leafOf(得到新建组件的路径(c)));
    char display[MAX_FSPEC_BUFSIZE] = "";
    tag_t displayPart = UF_PART_ask_display_part();
    UF_PART_ask_part_name(displayPart, display);
    keep.push_back(leafOf(display));
    NXOpen::Session* session = NXOpen::Session::GetSession();
    NXOpen::PartCollection* parts = session->Parts();
    std::vector<std::string> loaded;
    for (auto it = parts->begin(); it != parts->end(); ++it) loaded.push_back(leafOf((*it)->FullPath().GetText()));
    for (const std::string& leaf : loaded) {
        if (std::find(keep.begin(), keep.end(), leaf) != keep.end()) continue;
        NXOpen::BasePart* part = parts->FindObject(leaf);
        part->Close(NXOpen::BasePart::CloseWholeTreeFalse, NXOpen::BasePart::CloseModifiedDontClose, nullptr);
        session->SetUndoMark(NXOpen::Session::MarkVisibilityVisible, "Change Display Part");
        // The displayed assembly stays displayed, even when the user's work part is one of its components.
        auto* shown = dynamic_cast<NXOpen::BasePart*>(NXOpen::NXObjectManager::Get(displayPart));
        if (shown != nullptr) parts->SetDisplay(shown, false, false, nullptr);
        if (NXOpen::Part* work = parts->Work()) parts->SetWork(work);
    }
}

void zujian::移动组件(const std::string& partName, const std::string& component, const std::string& parent) {
    NXOpen::Session* session = NXOpen::Session::GetSession();
    session->SetUndoMark(NXOpen::Session::MarkVisibilityVisible, "Drag and Drop Components");
    NXOpen::BasePart* part = session->Parts()->FindObject(partName);
    NXOpen::Assemblies::Component* root = session->Parts()->Work()->ComponentAssembly()->RootComponent();
    NXOpen::Assemblies::Component* moved = root->FindObject(component);
    NXOpen::Assemblies::Component* newParent = root->FindObject(parent);
    part->ComponentAssembly()->RestructureComponents({moved}, newParent, true);
}

void zujian::批量创建组件() {
    UfBracket bracket;
    ProgressBar bar;
    关闭内存未显示部件();
    std::vector<tag_t> parents;
    得到组件的tag(parents);
    if (parents.empty()) message("未找到父组件\n无法创建组件");
    // Facts of the whole run, read once and kept up to date as parts are made: the part names the
    // assembly has taken, and the files of each folder.
    std::vector<std::string> takenList;
    得到所有组件的名称(takenList);
    std::set<std::string> taken(takenList.begin(), takenList.end());
    std::map<std::string, std::set<std::string>> folderFiles;
    for (tag_t parent : parents) {
        // A parent moved or gone by an earlier turn of this run is passed over.
        if (UF_OBJ_ask_status(parent) != UF_OBJ_ALIVE) continue;
        std::string parentFile = 得到新建组件的路径(parent);
        std::string folder = 获取文件名和路径(parentFile, 2);
        std::string parentName = 获取文件名和路径(parentFile, 1);
        std::string parentId = naming::componentIdentifier(parentName);
        naming::Series series = naming::seriesOf(parentName);
        if (!series.parent) continue;
        std::vector<tag_t> bodies;
        得到出图的体(parent, bodies);
        std::vector<tag_t> children;
        得到组件下的组件(parent, children);
        std::vector<long long> used = {0};
        for (tag_t c : children) {
            std::string name = 获取文件名和路径(得到新建组件的路径(c), 1);
            if (!naming::contains(name, series.code)) continue;
            long long n = naming::sequenceNumber(naming::afterLastDash(name));
            if (n >= 0) used.push_back(n);
        }
        naming::NumberSource numbers(used);
        if (bodies.empty()) continue;
        if (!folderFiles.count(folder)) {
            std::vector<std::string> files;
            得到目录下所有文件名(folder, files);
            folderFiles[folder].insert(files.begin(), files.end());
        }
        std::set<std::string>& files = folderFiles[folder];
        bar.start(0, static_cast<int>(bodies.size()));
        bool assemblyParent = naming::contains(parentId, "装配");
        for (size_t k = 0; k < bodies.size(); ++k) {
            tag_t body = bodies[k];
            std::string pn = 得到体的属性(body, ATTR_PART_NAME);
            if (taken.count(pn)) continue;
            int n = numbers.next();
            std::string name = naming::batchPartName(pn, series.code, n, assemblyParent);
            std::string file = folder + "\\" + name + ".prt";
            std::string backup = folder + "\\" + name + "(old).prt";
            if (files.count(file)) {
                int missing = 1;
                UF_CFI_ask_file_exist(backup.c_str(), &missing);
                if (missing == 0) DeleteFileA(backup.c_str());
                if (rename(file.c_str(), backup.c_str()) != 0) {
                    message("警告:\n" + file + "\n文件已经存在,且重命令不成功\n需要手动删除后重新新建组件");
                    break;
                }
                files.erase(file);
                files.insert(backup);
            }
            // The source body goes only once the part meant to hold it exists, saved when saving is asked.
            int refused = 1;
            try {
                refused = 创建单实体部件(name, file, body);
            } catch (std::exception& ex) {
                message(name + "\n组件创建失败,实体保留原处:\n" + ex.what());
            }
            if (refused != 0) continue;
            files.insert(file);
            taken.insert(pn);
            deleteSource(body);
            移动组件(parentName, naming::componentIdentifier(name), parentId);
            bar.step(static_cast<int>(k) + 1);
        }
        workOnDisplay();
    }
    bar.end();
    view_refit();
}
