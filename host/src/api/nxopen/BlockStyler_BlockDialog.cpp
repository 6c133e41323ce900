// Dialogs shown modally, driven by the scripted user.
#include <filesystem>
#include "NXOpen/BlockStyler_BlockDialog.hxx"
#include "NXOpen/NXException.hxx"
#include "api/common.h"
#include "model/session.h"
#include "text.h"
#include "ui/dialog.h"
#include "ui/tree.h"

using namespace NXOpen;
using namespace NXOpen::BlockStyler;
using namespace host::api;
using host::ui::Block;

BlockDialog::~BlockDialog() {
    if (dialog_) tops().erase(dialog_->top.get());
    delete dialog_;
    ++host::ui::counters().destroyed;
}

void BlockDialog::AddApplyHandler(const Apply& cb) { dialog_->apply = cb; }
void BlockDialog::AddOkHandler(const Ok& cb) { dialog_->ok = cb; }
void BlockDialog::AddCancelHandler(const Cancel& cb) { dialog_->cancel = cb; }
void BlockDialog::AddInitializeHandler(const Initialize& cb) { dialog_->initialize = cb; }
void BlockDialog::AddDialogShownHandler(const DialogShown& cb) { dialog_->shown = cb; }
void BlockDialog::AddUpdateHandler(const Update& cb) { dialog_->update = cb; }
void BlockDialog::AddFilterHandler(const Filter& cb) { dialog_->filter = cb; }

CompositeBlock* BlockDialog::TopBlock() {
    tops()[dialog_->top.get()] = dialog_;
    return dialog_->top.get();
}

PropertyList* BlockDialog::GetBlockProperties(const NXString& id) {
    Block* b = dialog_->find(id.GetText());
    if (!b) throw NXException(3520020, "the dialog has no block " + std::string(id.GetText()));
    return new PropertyList(b);
}

Selection::DialogResponse BlockDialog::Show(DialogMode) { return Show(); }

Selection::DialogResponse BlockDialog::Show() {
    host::Session& s = host::session();
    host::ui::Dialog& d = *dialog_;
    if (d.open) throw NXException(3520021, "the dialog is already shown");
    ++host::ui::counters().shown;
    d.open = true;
    std::string name = std::filesystem::path(d.file).filename().string();
    s.say("[dialog] " + host::text::toUtf8Lossy(d.title) + " (" + name + ") opened");
    tops()[d.top.get()] = dialog_;
    if (d.initialize) d.initialize();
    if (d.shown) d.shown();
    for (auto& b : d.blocks)
        if (b->kind == "Tree") host::ui::showTree(*b);
    // Without a user the dialog is closed at once, as a user who only looks at it.
    if (host::ui::user()) host::ui::user()->drive(d);
    if (d.open) d.open = false;
    s.say("[dialog] " + host::text::toUtf8Lossy(d.title) + " closed");
    return Selection::DialogResponseOk;
}
