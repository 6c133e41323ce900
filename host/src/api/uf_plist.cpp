// Parts lists of drawing sheets.
#include "api/common.h"
#include "model/guard.h"
#include "uf_plist.h"

using namespace host;

extern "C" {

// Parts lists hold what was added to them; there is nothing derived to bring up to date.
int UF_PLIST_update_all_plists(void) {
    return guarded("UF_PLIST_update_all_plists", [] { api::workPart(); });
}

}  // extern "C"
