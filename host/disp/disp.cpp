// Stand-in of the host's display library. Its entry points carry the decorated names the
// host's own build gives them, so they are found by name the same way. ELF reads "@" in a symbol
// name as a version mark, so here each "@" is spelt "$"; the host's loader looks names up so.
#include <string>
#include "model/session.h"
#include "text.h"

namespace {

host::Session::ProgressBar& bar(long* handle) { return host::session().progressBars[handle ? *handle : 0]; }
void say(const std::string& s) { host::session().say("[progress] " + s); }

}  // namespace

extern "C" {

// Plain names here; the decorated names are given to the same code below.
__attribute__((visibility("default"))) bool disp_create_progress_bar(int, bool, long* handle) {
    if (!handle) return false;
    *handle = host::session().nextProgressBar++;
    bar(handle) = {};
    return true;
}
__attribute__((visibility("default"))) int disp_ask_progress_cue_context() { return 1; }
__attribute__((visibility("default"))) void disp_show_progress_bar(long*) {}
__attribute__((visibility("default"))) void disp_set_progress_text(long* handle, char* text, bool) {
    bar(handle).title = host::text::toUtf8Lossy(text ? text : "");
}
__attribute__((visibility("default"))) void disp_set_progress_range(long* handle, int low, int high) {
    auto& b = bar(handle);
    b.low = low;
    b.high = high;
    b.pos = low;
    say(b.title + " " + std::to_string(low) + "/" + std::to_string(high));
}
__attribute__((visibility("default"))) void disp_set_progress_pos(long* handle, int pos) {
    auto& b = bar(handle);
    b.pos = pos;
    say(b.title + " " + std::to_string(pos) + "/" + std::to_string(b.high));
}
__attribute__((visibility("default"))) void disp_delete_progress_bar(long* handle) {
    say(bar(handle).title + " done");
    host::session().progressBars.erase(handle ? *handle : 0);
}
__attribute__((visibility("default"))) void disp_set_background_type(int, int type) { host::session().backgroundType = type; }

}  // extern "C"

#define DECORATED(name, target) \
    __asm__(".globl \"" name "\"\n.type \"" name "\", @function\n.set \"" name "\", " #target "\n")

DECORATED("?MT_create_progress_bar$$YA_NH_NPEAJ$Z", disp_create_progress_bar);
DECORATED("?MT_ask_progress_cue_context$$YAHXZ", disp_ask_progress_cue_context);
DECORATED("?MT_show_progress_bar$$YAXPEAJ$Z", disp_show_progress_bar);
DECORATED("?MT_set_progress_text$$YAXPEAJPEAD_N$Z", disp_set_progress_text);
DECORATED("?MT_set_progress_range$$YAXPEAJHH$Z", disp_set_progress_range);
DECORATED("?MT_set_progress_pos$$YAXPEAJH$Z", disp_set_progress_pos);
DECORATED("?MT_delete_progress_bar$$YAXPEAJ$Z", disp_delete_progress_bar);
DECORATED("?DISPLAY_set_background_type$$YAXHH$Z", disp_set_background_type);
