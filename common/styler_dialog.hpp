// The life every dialog command shares: the dialog made from its file, Show, the error box,
// block lookup, and the guards that keep exceptions inside the callbacks.
#pragma once
#include <exception>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <NXOpen/BlockStyler_BlockDialog.hxx>
#include <NXOpen/BlockStyler_UIBlock.hxx>
#include <NXOpen/Callback.hxx>
#include <NXOpen/NXException.hxx>
#include <NXOpen/NXMessageBox.hxx>
#include <NXOpen/Session.hxx>
#include <NXOpen/UI.hxx>
#include <uf_assem.h>

// Each command class C derives from StylerDialog<C> and so has its own theSession and theUI.
template <class C>
class StylerDialog {
public:
    static NXOpen::Session* theSession;
    static NXOpen::UI* theUI;

    explicit StylerDialog(const char* dialogFile) {
        // An exception here goes on to the launcher, which shows it.
        theSession = NXOpen::Session::GetSession();
        theUI = NXOpen::UI::GetUI();
        theDlxFileName = dialogFile;
        theDialog = theUI->CreateDialog(theDlxFileName);
    }
    virtual ~StylerDialog() {
        if (theDialog != nullptr) {
            delete theDialog;
            theDialog = nullptr;
        }
    }
    StylerDialog(const StylerDialog&) = delete;
    StylerDialog& operator=(const StylerDialog&) = delete;

    int Show() {
        try {
            theDialog->Show();
        } catch (std::exception& ex) {
            showError(ex);
        }
        return 0;
    }

    // OK runs Apply; the dialog closes only when Apply answered 0.
    int ok_cb() {
        int errorCode = 0;
        try {
            errorCode = static_cast<C*>(this)->apply_cb();
        } catch (std::exception& ex) {
            errorCode = 1;
            showError(ex);
        }
        return errorCode;
    }

    NXOpen::BlockStyler::PropertyList* GetBlockProperties(const char* blockID) {
        return theDialog->GetBlockProperties(blockID);
    }

    static void showError(const std::exception& ex) {
        theUI->NXMessageBox()->Show("Block Styler", NXOpen::NXMessageBox::DialogTypeError, ex.what());
    }

protected:
    // The block of that id in this dialog, or null when the dialog file has none of that kind.
    template <class B>
    B* block(const char* id) {
        return dynamic_cast<B*>(theDialog->TopBlock()->FindBlock(id));
    }

    // Lets a selection block take solid bodies only (selection action 3, mask 70/0/36).
    static void solidBodiesOnly(NXOpen::BlockStyler::SelectObject* selection) {
        if (selection == nullptr) return;
        std::unique_ptr<NXOpen::BlockStyler::PropertyList> props(selection->GetProperties());
        props->SetSelectionFilter("SelectionFilter", NXOpen::Selection::SelectionActionClearAndEnableSpecific,
                                  {NXOpen::Selection::MaskTriple(70, 0, 36)});
    }

    // Throws, naming the dialog file, when one of the blocks the command works with is missing from it.
    void requireBlocks(std::initializer_list<std::pair<const void*, const char*>> blocks) const {
        for (auto& [b, id] : blocks)
            if (b == nullptr) {
                missingBlock_ = std::string(theDlxFileName) + ": no block " + id;
                throw std::runtime_error(missingBlock_);
            }
    }

    // Throws when no part is open: a command that works on the work part has nothing to work on.
    static void requireWorkPart() {
        if (UF_ASSEM_ask_work_part() == NULL_TAG) throw std::runtime_error("请先打开部件");
    }

    // Runs a callback body; an exception ends in the error box and the callback answers `onError`.
    // Once a block the command needs was found missing, no callback runs its body: each says why instead.
    template <class F>
    int guard(F&& body, int onError = 1) {
        if (!missingBlock_.empty()) {
            showError(std::runtime_error(missingBlock_));
            return onError;
        }
        try {
            body();
            return 0;
        } catch (std::exception& ex) {
            showError(ex);
            return onError;
        }
    }

    const char* theDlxFileName = nullptr;
    NXOpen::BlockStyler::BlockDialog* theDialog = nullptr;

private:
    mutable std::string missingBlock_;
};

template <class C>
NXOpen::Session* StylerDialog<C>::theSession = nullptr;
template <class C>
NXOpen::UI* StylerDialog<C>::theUI = nullptr;
