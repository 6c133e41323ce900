// Message boxes and the listing window go to the transcript; class selection asks the scripted user.
#include <cstdlib>
#include "model/guard.h"
#include "text.h"
#include "uf_ui.h"
#include "ui/dialog.h"

using namespace host;

extern "C" {

int uc1601(const char* message, int) {
    Session& s = session();
    s.lastMessage = text::toUtf8Lossy(message ? message : "");
    s.say("[message] " + s.lastMessage);
    return 1;
}

int UF_UI_open_listing_window(void) {
    Session& s = session();
    if (!s.listingAvailable) return UF_err_operation_failed;
    s.listingOpen = true;
    return 0;
}

int UF_UI_is_listing_window_open(logical* response) {
    if (response) *response = session().listingOpen;
    return 0;
}

int UF_UI_close_listing_window(void) {
    session().listingOpen = false;
    return 0;
}

int UF_UI_write_listing_window(const char* string) {
    Session& s = session();
    if (!s.listingOpen) return UF_err_operation_failed;
    s.listingPartial += text::toUtf8Lossy(string ? string : "");
    size_t nl;
    while ((nl = s.listingPartial.find('\n')) != std::string::npos) {
        std::string line = s.listingPartial.substr(0, nl);
        s.listingPartial.erase(0, nl + 1);
        s.listing.push_back(line);
        s.say("[listing] " + line);
    }
    return 0;
}

}  // extern "C"

extern "C" int UF_UI_select_with_class_dialog(char* message, char* title, int, UF_UI_sel_init_fn_t, void*, int* response,
                                              int* count, tag_p_t* objects) {
    if (response) *response = UF_UI_CANCEL;
    if (count) *count = 0;
    if (objects) *objects = nullptr;
    return guarded("UF_UI_select_with_class_dialog", [&] {
        // The selection masks of the init procedure are not applied: the journal names the objects itself.
        session().say("[select] " + text::toUtf8Lossy(title ? title : "") + ": " + text::toUtf8Lossy(message ? message : ""));
        std::optional<std::vector<tag_t>> chosen;
        if (ui::user()) chosen = ui::user()->chooseObjects(title ? title : "");
        if (!chosen) return;
        if (response) *response = UF_UI_OK;
        if (count) *count = static_cast<int>(chosen->size());
        if (objects && !chosen->empty()) {
            *objects = static_cast<tag_t*>(std::malloc(chosen->size() * sizeof(tag_t)));
            std::copy(chosen->begin(), chosen->end(), *objects);
        }
    });
}
