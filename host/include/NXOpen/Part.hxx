// Parts of the session and their collections.
#pragma once
#include <vector>
#include "TaggedObject.hxx"

namespace NXOpen {

class View;
class ColorManager;
namespace Drafting { class SettingsManager; }
namespace Features { class FeatureCollection; }
namespace Assemblies { class ComponentAssembly; }
class FileNew;
class ModelingViewCollection;
class DraftingManager;
namespace Drawings { class DrawingSheetCollection; class DraftingViewCollection; }
class ViewCollection {
public:
    void Regenerate();
    View* WorkView();
private:
    friend class Part;
    explicit ViewCollection(tag_t part) : part_(part) {}
    tag_t part_;
};

class BasePart : public NXObject {
public:
    NXString FullPath() const;
    NXString Leaf() const;
    bool IsModified() const;
    enum SaveComponents { SaveComponentsFalse = 0, SaveComponentsTrue = 1 };
    enum CloseAfterSave { CloseAfterSaveFalse = 0, CloseAfterSaveTrue = 1 };
    // Throws when the part or one of its modified components cannot be written.
    void Save(SaveComponents saveComponents, CloseAfterSave close);
    // Saves the part under a new file (a Windows path); the session's part and every assembly that
    // shows it follow the new name. The old file stays. Throws when the file cannot be written.
    void SaveAs(const NXString& newFileName);
    enum CloseWholeTree { CloseWholeTreeFalse = 0, CloseWholeTreeTrue = 1 };
    // 0: a part modified since it was saved stays open; 1: it is closed all the same.
    enum CloseModified { CloseModifiedDontClose = 0, CloseModifiedCloseModified = 1 };
    void Close(CloseWholeTree wholeTree, CloseModified modified, void* responses);
    NXOpen::Assemblies::ComponentAssembly* ComponentAssembly();
    // The colour table, by names.
    NXOpen::ColorManager* Colors();
    ~BasePart() override;
protected:
    explicit BasePart(tag_t tag) : NXObject(tag) {}
    NXOpen::Assemblies::ComponentAssembly* assembly_ = nullptr;
    NXOpen::ColorManager* colors_ = nullptr;
    friend class NXObjectManager;
};

class Part : public BasePart {
public:
    ~Part() override;
    ViewCollection* Views();
    NXOpen::Features::FeatureCollection* Features();
    NXOpen::Assemblies::ComponentAssembly* AssemblyManager() { return ComponentAssembly(); }
    NXOpen::Drawings::DrawingSheetCollection* DrawingSheets();
    NXOpen::Drawings::DraftingViewCollection* DraftingViews();
    NXOpen::ModelingViewCollection* ModelingViews();
    NXOpen::DraftingManager* Drafting();
    NXOpen::Drafting::SettingsManager* SettingsManager();
protected:
    explicit Part(tag_t tag) : BasePart(tag) {}
    friend class NXObjectManager;
private:
    ViewCollection* views_ = nullptr;
    NXOpen::Features::FeatureCollection* features_ = nullptr;
    NXOpen::Drawings::DrawingSheetCollection* sheets_ = nullptr;
    NXOpen::Drawings::DraftingViewCollection* draftingViews_ = nullptr;
    NXOpen::ModelingViewCollection* modelingViews_ = nullptr;
    NXOpen::DraftingManager* drafting_ = nullptr;
    NXOpen::Drafting::SettingsManager* settings_ = nullptr;
};

class PartCollection {
public:
    Part* Work();
    Part* Display();
    // A loaded part by its name (its file name without folder, with or without ".prt"); throws when none is.
    BasePart* FindObject(const NXString& name);
    NXOpen::FileNew* FileNew();
    void SetDisplay(BasePart* part, bool setWorkPart, bool useBlankTemplate, void* loadStatus);
    void SetWork(BasePart* part);
    // The loaded parts, in the order they were loaded.
    typedef std::vector<BasePart*>::iterator iterator;
    iterator begin();
    iterator end();
private:
    std::vector<BasePart*> snapshot_;
};

}  // namespace NXOpen
