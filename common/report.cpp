#include "common/report.hpp"
#include <cstdio>
#include <string>
#include <utility>
#include <NXOpen/Part.hxx>
#include <NXOpen/PartCollection.hxx>
#include <NXOpen/Session.hxx>
#include <uf.h>
#include <uf_disp.h>
#include <uf_obj.h>
#include <uf_ui.h>
#include <uf_view.h>
#include <windows.h>

namespace {

// Decorated names of the display library's entry points.
const char* kCreate = "?MT_create_progress_bar@@YA_NH_NPEAJ@Z";
const char* kCueContext = "?MT_ask_progress_cue_context@@YAHXZ";
const char* kShow = "?MT_show_progress_bar@@YAXPEAJ@Z";
const char* kText = "?MT_set_progress_text@@YAXPEAJPEAD_N@Z";
const char* kRange = "?MT_set_progress_range@@YAXPEAJHH@Z";
const char* kPos = "?MT_set_progress_pos@@YAXPEAJH@Z";
const char* kDelete = "?MT_delete_progress_bar@@YAXPEAJ@Z";
const char* kBackground = "?DISPLAY_set_background_type@@YAXHH@Z";

std::string display_library() {
    char* base = nullptr;
    UF_translate_variable("UGII_BASE_DIR", &base);
    return std::string(base ? base : "") + "\\UGII\\libdisp.dll";
}

template <class... F, class Use, size_t... I>
void call_found(UF_load_f_p_t* found, Use& use, std::index_sequence<I...>) {
    use(reinterpret_cast<F>(found[I])...);
}

// Looks up the entry points one progress operation needs, calls `use` with them when all were
// found, then lets the library go.
template <class... F, class Use>
void with_display(const char* const (&names)[sizeof...(F)], Use use) {
    UF_initialize();
    std::string lib = display_library();
    UF_load_f_p_t found[sizeof...(F)] = {};
    bool all = true;
    for (size_t i = 0; i < sizeof...(F); ++i) {
        if (UF_load_library(&lib[0], const_cast<char*>(names[i]), &found[i]) != 0 || !found[i]) all = false;
    }
    if (all) call_found<F...>(found, use, std::index_sequence_for<F...>());
    UF_unload_library(&lib[0]);
    UF_terminate();
}

}  // namespace

void print_status(const char* name, int status) {
    if (status == 0) return;
    char message[133];
    UF_get_fail_message(status, message);
    printf("%s failed with error = %d\n  %s\n", name, status, message);
}

int report_error(const char* file, int line, const char* call, int status) {
    if (status == 0) return 0;
    char err[133];
    char head[300];
    snprintf(head, sizeof head, "*** ERROR code %d at line %d in %s:\n+++ ", status, line, file);
    UF_get_fail_message(status, err);
    UF_print_syslog(head, FALSE);
    UF_print_syslog(err, FALSE);
    UF_print_syslog(const_cast<char*>("\n"), FALSE);
    UF_print_syslog(const_cast<char*>(call), FALSE);
    UF_print_syslog(const_cast<char*>(";\n"), FALSE);
    if (UF_UI_open_listing_window() == 0) {
        UF_UI_write_listing_window(head);
        UF_UI_write_listing_window(err);
        UF_UI_write_listing_window("\n");
        UF_UI_write_listing_window(call);
        UF_UI_write_listing_window(";\n");
    }
    return status;
}

namespace progress {

using CreateFn = bool (*)(int, bool, long*);
using CueFn = int (*)();
using HandleFn = void (*)(long*);
using TextFn = void (*)(long*, char*, bool);
using RangeFn = void (*)(long*, int, int);
using PosFn = void (*)(long*, int);

long create() {
    long handle = 0;
    const char* const names[] = {kCreate, kCueContext};
    with_display<CreateFn, CueFn>(names, [&](CreateFn create_bar, CueFn cue) { create_bar(cue(), true, &handle); });
    return handle;
}

void show(long& handle) {
    const char* const names[] = {kShow};
    with_display<HandleFn>(names, [&](HandleFn f) { f(&handle); });
}

void start(long& handle, int low, int high) {
    const char* const names[] = {kText, kRange};
    with_display<TextFn, RangeFn>(names, [&](TextFn text, RangeFn range) {
        char title[] = "qel-progress";
        text(&handle, title, true);
        range(&handle, low, high);
    });
}

void step(long& handle, int position) {
    const char* const names[] = {kPos};
    with_display<PosFn>(names, [&](PosFn f) { f(&handle, position); });
}

void end(long& handle) {
    const char* const names[] = {kDelete};
    with_display<HandleFn>(names, [&](HandleFn f) { f(&handle); });
}

}  // namespace progress

void view_refit() {
    UF_initialize();
    tag_t view = NULL_TAG;
    UF_VIEW_ask_work_view(&view);
    UF_VIEW_fit_view(view, 1.0);
    std::string lib = display_library();
    UF_unload_library(&lib[0]);
    UF_terminate();
}

int baijin_heibai() {
    UF_initialize();
    if (HMODULE lib = LoadLibraryA("libdisp.dll")) {
        using BackgroundFn = void (*)(int, int);
        if (auto set_type = reinterpret_cast<BackgroundFn>(GetProcAddress(lib, kBackground))) set_type(0, 2);
        FreeLibrary(lib);
    }
    double rgb[3] = {0, 0, 0};
    UF_DISP_ask_color(0, UF_DISP_rgb_model, nullptr, rgb);
    double v = (rgb[0] == 0.0 && rgb[1] == 0.0 && rgb[2] == 0.0) ? 1.0 : 0.0;
    rgb[0] = rgb[1] = rgb[2] = v;
    UF_DISP_set_color(0, UF_DISP_rgb_model, nullptr, rgb);
    UF_DISP_load_color_table();
    if (NXOpen::Part* work = NXOpen::Session::GetSession()->Parts()->Work()) work->Views()->Regenerate();
    UF_terminate();
    return 0;
}

bool alive(tag_t object) { return object != NULL_TAG && UF_OBJ_ask_status(object) == UF_OBJ_ALIVE; }

void reportSkipped(int missing) {
    if (missing > 0) uc1601((std::to_string(missing) + " 个对象已不存在,已跳过").c_str(), 1);
}
