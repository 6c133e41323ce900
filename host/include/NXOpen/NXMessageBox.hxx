// The host's modal message box.
#pragma once
#include "NXString.hxx"

namespace NXOpen {

class NXMessageBox {
public:
    enum DialogType { DialogTypeError, DialogTypeWarning, DialogTypeInformation, DialogTypeQuestion };
    // Returns 1 (yes/ok) or 2 (no) as the user answers; the scripted user answers ok.
    int Show(const NXString& title, DialogType type, const NXString& message);
};

}  // namespace NXOpen
