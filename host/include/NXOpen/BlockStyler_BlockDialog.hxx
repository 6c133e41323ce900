// A dialog read from a dialog file, shown modally; the user's actions come back through the bound callbacks.
#pragma once
#include "Callback.hxx"
#include "NXString.hxx"
#include "Selection.hxx"
#include "BlockStyler_UIBlock.hxx"

namespace host::ui { class Dialog; }

namespace NXOpen {
class TaggedObject;
namespace BlockStyler {

class BlockDialog {
public:
    enum DialogMode { DialogModeEdit, DialogModeCreate };
    typedef Callback<int> Apply;
    typedef Callback<int> Ok;
    typedef Callback<int> Cancel;
    typedef Callback<void> Initialize;
    typedef Callback<void> DialogShown;
    typedef Callback<int, UIBlock*> Update;
    typedef Callback<int, UIBlock*, NXOpen::TaggedObject*> Filter;

    explicit BlockDialog(host::ui::Dialog* dialog) : dialog_(dialog) {}
    ~BlockDialog();
    void AddApplyHandler(const Apply& cb);
    void AddOkHandler(const Ok& cb);
    void AddCancelHandler(const Cancel& cb);
    void AddInitializeHandler(const Initialize& cb);
    void AddDialogShownHandler(const DialogShown& cb);
    void AddUpdateHandler(const Update& cb);
    void AddFilterHandler(const Filter& cb);
    Selection::DialogResponse Show();
    Selection::DialogResponse Show(DialogMode mode);
    CompositeBlock* TopBlock();
    PropertyList* GetBlockProperties(const NXString& block_id);
private:
    host::ui::Dialog* dialog_;
};

}  // namespace BlockStyler
}  // namespace NXOpen
