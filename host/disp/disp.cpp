// Stand-in of the host's display library. Its entry points carry the decorated names the
// host's own build gives them, so they are found by name the same way. ELF reads "@" in a symbol
// name as a version mark, so here each "@" is spelt "$"; the host's loader looks names up so.
#include <string>
#include "model/session.h"
#include "text.h"

namespace {

struct Bar {
    std::string title;
    int low = 0, high = 0;
};
Bar g_bar;
long g_next = 1;

void say(const std::string& s) { host::session().say("[progress] " + s); }

}  // namespace

extern "C" {

// Plain names here; the decorated names are given to the same code below.
__attribute__((visibility("default"))) bool disp_create_progress_bar(int, bool, long* handle) {
    if (!handle) return false;
    *handle = g_next++;
    g_bar = Bar();
    return true;
}
__attribute__((visibility("default"))) int disp_ask_progress_cue_context() { return 1; }
__attribute__((visibility("default"))) void disp_show_progress_bar(long*) {}
__attribute__((visibility("default"))) void disp_set_progress_text(long*, char* text, bool) {
    g_bar.title = host::text::toUtf8Lossy(text ? text : "");
}
__attribute__((visibility("default"))) void disp_set_progress_range(long*, int low, int high) {
    g_bar.low = low;
    g_bar.high = high;
    say(g_bar.title + " " + std::to_string(low) + "/" + std::to_string(high));
}
__attribute__((visibility("default"))) void disp_set_progress_pos(long*, int pos) {
    say(g_bar.title + " " + std::to_string(pos) + "/" + std::to_string(g_bar.high));
}
__attribute__((visibility("default"))) void disp_delete_progress_bar(long*) { say(g_bar.title + " done"); }
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
