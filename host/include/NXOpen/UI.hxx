// The host's user interface.
#pragma once
#include "NXString.hxx"

namespace NXOpen {

class NXMessageBox;
namespace BlockStyler { class BlockDialog; }

class UI {
public:
    static UI* GetUI();
    // Reads the dialog file from the host's dialog folder; throws NXException when it is missing or unreadable.
    BlockStyler::BlockDialog* CreateDialog(const NXString& dialog_name);
    NXOpen::NXMessageBox* NXMessageBox();
};

}  // namespace NXOpen
