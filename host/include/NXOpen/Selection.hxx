// Selection masks and dialog responses.
#pragma once

namespace NXOpen {

class Selection {
public:
    enum SelectionAction {
        SelectionActionEnableAll = 0,
        SelectionActionEnableSpecific = 1,
        SelectionActionDisableSpecific = 2,
        SelectionActionClearAndEnableSpecific = 3,
        SelectionActionAllAndDisableSpecific = 4
    };
    struct MaskTriple {
        int Type = 0, Subtype = 0, SolidBodySubtype = 0;
        MaskTriple() = default;
        MaskTriple(int type, int subtype, int detail) : Type(type), Subtype(subtype), SolidBodySubtype(detail) {}
    };
    enum DialogResponse {
        DialogResponseInvalid = 0,
        DialogResponseBack = 1,
        DialogResponseCancel = 2,
        DialogResponseOk = 3,
        DialogResponseObjectSelected = 4,
        DialogResponseApply = 5
    };
};

}  // namespace NXOpen
