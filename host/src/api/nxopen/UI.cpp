// The host's user interface: dialogs read from the dialog folder, the message box.
#include "NXOpen/BlockStyler_BlockDialog.hxx"
#include "NXOpen/NXMessageBox.hxx"
#include "NXOpen/UI.hxx"
#include "text.h"
#include "ui/dialog.h"

using namespace NXOpen;

UI* UI::GetUI() {
    static UI ui;
    return &ui;
}

BlockStyler::BlockDialog* UI::CreateDialog(const NXString& name) {
    std::string path = host::ui::dialogFolder() + "/" + host::text::toUtf8Lossy(name.GetText());
    auto* d = new host::ui::Dialog(path);  // throws NXException for a missing or unreadable file
    ++host::ui::counters().created;
    return new BlockStyler::BlockDialog(d);
}

NXMessageBox* UI::NXMessageBox() {
    static NXOpen::NXMessageBox box;
    return &box;
}
