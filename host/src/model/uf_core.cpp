// Session bracket, messages, environment, run-time libraries, menubar.
#include <dlfcn.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include "files/library.h"
#include "files/paths.h"
#include "model/guard.h"
#include "model/menu.h"
#include "text.h"
#include "uf.h"
#include "uf_mb.h"
#include "uf_ui.h"
#include "ui/dialog.h"

using namespace host;

namespace host {

void noteFailure(const char* function, int status, const std::string& message) {
    session().syslog.push_back(std::string(function) + " failed with status " + std::to_string(status) + ": " + text::toUtf8Lossy(message));
}

void copyOut(char* buffer, size_t size, const std::string& gbk) {
    if (!buffer || size == 0) return;
    std::string_view cut = text::prefix(gbk, size - 1);
    std::memcpy(buffer, cut.data(), cut.size());
    buffer[cut.size()] = '\0';
}

char* allocString(const std::string& gbk) {
    char* p = static_cast<char*>(std::malloc(gbk.size() + 1));
    std::memcpy(p, gbk.c_str(), gbk.size() + 1);
    return p;
}

Menu& menu() {
    static Menu m;
    return m;
}

}  // namespace host

extern "C" {

int UF_initialize(void) {
    ++session().initCount;
    return 0;
}

int UF_terminate(void) {
    if (session().initCount > 0) --session().initCount;
    return 0;
}

logical UF_is_initialized(void) { return session().initCount > 0; }

int UF_get_fail_message(int code, char message[MAX_LINE_BUFSIZE]) {
    static const std::map<int, const char*> messages = {
        {UF_err_program_not_initialized, "The program was not initialized with UF_initialize"},
        {UF_err_bad_parameter_number_1, "Invalid value for parameter 1"},
        {UF_err_bad_parameter_number_2, "Invalid value for parameter 2"},
        {UF_err_bad_parameter_number_3, "Invalid value for parameter 3"},
        {UF_err_bad_parameter_number_4, "Invalid value for parameter 4"},
        {UF_err_invalid_tag, "Invalid object tag"},
        {UF_err_operation_failed, "The operation failed"},
        {UF_err_file_not_found, "File not found"},
        {UF_err_not_provided, "This function is not provided by the host"},
    };
    auto it = messages.find(code);
    std::string m = it != messages.end() ? it->second : "Unknown error code " + std::to_string(code);
    copyOut(message, MAX_LINE_BUFSIZE, m);
    return it != messages.end() ? 0 : 1;
}

int UF_translate_variable(const char* variable, char** translation) {
    // The value stays in host storage, as the host hands it out; null when the variable is not set.
    static std::string value;
    if (!translation) return UF_err_bad_parameter_number_2;
    *translation = nullptr;
    if (!variable) return UF_err_bad_parameter_number_1;
    Session& s = session();
    if (std::strcmp(variable, "UGII_BASE_DIR") == 0 && !s.baseDir.empty()) {
        value = paths::toWindows(s.baseDir);
        *translation = const_cast<char*>(value.c_str());
        return 0;
    }
    auto it = s.env.find(variable);
    if (it != s.env.end()) {
        value = it->second;
        *translation = const_cast<char*>(value.c_str());
    }
    return 0;
}

void UF_free(void* data) { std::free(data); }

void UF_free_string_array(int n, char** strings) {
    if (!strings) return;
    for (int i = 0; i < n; ++i) std::free(strings[i]);
    std::free(strings);
}

int UF_print_syslog(char* message, logical) {
    if (message) session().syslog.push_back(text::toUtf8Lossy(message));
    return 0;
}

int UF_ask_application_module(char module_id[MAX_LINE_BUFSIZE]) {
    copyOut(module_id, MAX_LINE_BUFSIZE, "UG_APP_MODELING");
    return 0;
}

static std::map<std::string, void*>& loadedLibraries() {
    static std::map<std::string, void*> m;
    return m;
}

int UF_load_library(char* library_name, char* symbol_name, UF_load_f_p_t* function_ptr) {
    return guarded("UF_load_library", [&] {
        if (!function_ptr) fail(UF_err_bad_parameter_number_3, "no output for the function");
        *function_ptr = nullptr;
        void*& h = loadedLibraries()[library_name ? library_name : ""];
        if (!h) h = library::open(library_name);
        if (!h) fail(UF_err_file_not_found, "cannot load library " + library::path(library_name));
        void* f = library::symbol(h, symbol_name);
        if (!f) fail(UF_err_operation_failed, std::string("no entry point ") + (symbol_name ? symbol_name : "") + " in " + library::path(library_name));
        *function_ptr = reinterpret_cast<UF_load_f_p_t>(f);
    });
}

int UF_unload_library(char* library_name) {
    return guarded("UF_unload_library", [&] {
        auto& libs = loadedLibraries();
        auto it = libs.find(library_name ? library_name : "");
        if (it == libs.end()) return;
        if (it->second) dlclose(it->second);
        libs.erase(it);
    });
}

int UF_MB_add_actions(UF_MB_action_t actions[]) {
    return guarded("UF_MB_add_actions", [&] {
        if (!actions) fail(UF_err_bad_parameter_number_1, "no action table");
        for (int i = 0; actions[i].action_name; ++i) {
            if (!actions[i].callback) fail(UF_err_bad_parameter_number_1, std::string("action ") + actions[i].action_name + " has no callback");
            menu().actions.push_back({actions[i].action_name, actions[i].callback, actions[i].client_data});
        }
    });
}

int UF_MB_register_application(UF_MB_application_t* app) {
    return guarded("UF_MB_register_application", [&] {
        if (!app || !app->name) fail(UF_err_bad_parameter_number_1, "no application record");
        app->id = static_cast<int>(menu().applications.size()) + 1;
        menu().applications.push_back(*app);
        menu().applications.back().name = nullptr;
        menu().applicationNames.push_back(app->name);
    });
}

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
