// Parts of the session: names, saving and closing, their assemblies, features and views, the part collection.
#include <string>
#include <vector>
#include "NXOpen/Assemblies_ComponentAssembly.hxx"
#include "NXOpen/Features_Feature.hxx"
#include "NXOpen/FileNew.hxx"
#include "NXOpen/NXException.hxx"
#include "NXOpen/DraftingManager.hxx"
#include "NXOpen/Drawings_BaseViewBuilder.hxx"
#include "NXOpen/Drawings_DrawingSheet.hxx"
#include "NXOpen/ModelingView.hxx"
#include "NXOpen/Part.hxx"
#include "NXOpen/Drafting_SettingsManager.hxx"
#include "api/common.h"
#include "files/partfile.h"
#include <filesystem>
#include "files/paths.h"
#include "text.h"
#include "uf_object_types.h"

namespace fs = std::filesystem;
using namespace NXOpen;
using namespace host::api;
using host::Object;

NXString BasePart::FullPath() const { return host::paths::toWindows(obj(Tag()).part->path); }
NXString BasePart::Leaf() const { return host::text::toGbk(obj(Tag()).part->leaf()); }
bool BasePart::IsModified() const { return obj(Tag()).part->modified; }

/* Saving and closing */

void NXOpen::BasePart::Save(SaveComponents components, CloseAfterSave close) {
    host::Part& p = partOf(live(this, "part").tag);
    try {
        host::partfile::saveTree(p, components == SaveComponentsTrue);
    } catch (const std::exception& e) {
        throw NXException(3520043, host::text::toGbk(e.what()));
    }
    if (close == CloseAfterSaveTrue) Close(CloseWholeTreeFalse, CloseModifiedCloseModified, nullptr);
}

void NXOpen::BasePart::SaveAs(const NXString& newFileName) {
    host::Part& p = partOf(live(this, "part").tag);
    try {
        host::partfile::saveAs(p, fs::absolute(host::paths::toHost(newFileName.GetText())).lexically_normal().string());
    } catch (const std::exception& e) {
        throw NXException(3520043, host::text::toGbk(e.what()));
    }
}

void NXOpen::BasePart::Close(CloseWholeTree wholeTree, CloseModified modified, void*) {
    host::Part& p = partOf(live(this, "part").tag);
    if (p.modified && modified == CloseModifiedDontClose) return;
    std::vector<std::string> children;
    if (wholeTree == CloseWholeTreeTrue)
        for (auto& in : p.instances) children.push_back(in.file);
    S().closePart(p);
    for (auto& f : children)
        if (host::Part* c = S().partByPath(f)) {
            bool used = false;
            for (auto& other : S().parts())
                for (auto& in : other->instances) used |= in.file == f;
            if (!used && !(c->modified && modified == CloseModifiedDontClose)) S().closePart(*c);
        }
}

NXOpen::Assemblies::ComponentAssembly* NXOpen::BasePart::ComponentAssembly() {
    if (!assembly_) assembly_ = new NXOpen::Assemblies::ComponentAssembly(Tag());
    return assembly_;
}

Part::~Part() {
    delete views_;
    delete features_;
    delete assembly_;
    delete sheets_;
    delete draftingViews_;
    delete modelingViews_;
    delete drafting_;
    delete settings_;
}
Drawings::DrawingSheetCollection* Part::DrawingSheets() {
    if (!sheets_) sheets_ = new Drawings::DrawingSheetCollection(Tag());
    return sheets_;
}
Drawings::DraftingViewCollection* Part::DraftingViews() {
    if (!draftingViews_) draftingViews_ = new Drawings::DraftingViewCollection(Tag());
    return draftingViews_;
}
ModelingViewCollection* Part::ModelingViews() {
    if (!modelingViews_) modelingViews_ = new ModelingViewCollection(Tag());
    return modelingViews_;
}
DraftingManager* Part::Drafting() {
    if (!drafting_) drafting_ = new DraftingManager(Tag());
    return drafting_;
}
ViewCollection* Part::Views() {
    if (!views_) views_ = new ViewCollection(Tag());
    return views_;
}

NXOpen::Features::FeatureCollection* NXOpen::Part::Features() {
    if (!features_) features_ = new NXOpen::Features::FeatureCollection(Tag());
    return features_;
}

void ViewCollection::Regenerate() {
    obj(part_);
    host::session().say("[view] regenerate");
}
View* ViewCollection::WorkView() { return nullptr; }

Part* PartCollection::Work() {
    host::Part* p = host::session().work;
    return p ? static_cast<Part*>(NXObjectManager::Get(p->tag)) : nullptr;
}
Part* PartCollection::Display() {
    host::Part* p = host::session().display;
    return p ? static_cast<Part*>(NXObjectManager::Get(p->tag)) : nullptr;
}

/* Part collection */

NXOpen::BasePart* NXOpen::PartCollection::FindObject(const NXString& name) {
    std::string raw = name.GetText();
    // A full path names one file; a bare name a loaded part's file name.
    if (raw.find('\\') != std::string::npos || raw.find(':') != std::string::npos) {
        std::string path = fs::absolute(host::paths::toHost(raw)).lexically_normal().string();
        if (host::Part* p = S().partByPath(path)) return static_cast<BasePart*>(NXObjectManager::Get(p->tag));
    } else if (host::Part* p = S().partByLeaf(host::text::toUtf8Lossy(raw))) {
        return static_cast<BasePart*>(NXObjectManager::Get(p->tag));
    }
    throw NXException(3520002, "no part " + std::string(name.GetText()) + " is loaded");
}

NXOpen::FileNew* NXOpen::PartCollection::FileNew() { return new NXOpen::FileNew(); }

void NXOpen::PartCollection::SetDisplay(BasePart* part, bool setWorkPart, bool, void*) {
    host::Part& p = partOf(live(part, "part").tag);
    S().syncOccurrences(p);
    S().display = &p;
    if (setWorkPart || !S().work) {
        S().work = &p;
        S().workOcc = p.rootOcc;
    }
}

void NXOpen::PartCollection::SetWork(BasePart* part) {
    host::Part& p = partOf(live(part, "part").tag);
    S().workOcc = S().workOccurrenceFor(p);
    S().work = &p;
}

NXOpen::PartCollection::iterator NXOpen::PartCollection::begin() {
    snapshot_.clear();
    for (auto& p : S().parts()) snapshot_.push_back(static_cast<BasePart*>(NXObjectManager::Get(p->tag)));
    return snapshot_.begin();
}

NXOpen::PartCollection::iterator NXOpen::PartCollection::end() { return snapshot_.end(); }
