// Session bracket, messages, environment, run-time libraries and the user's abort request.
#include <cstdlib>
#include <cstring>
#include <map>
#include "api/common.h"
#include "files/library.h"
#include "files/paths.h"
#include "model/guard.h"
#include "text.h"
#include "uf.h"

using namespace host;
using namespace host::api;

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
    copyOut(module_id, MAX_LINE_BUFSIZE, session().application);
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
    // A library once loaded stays mapped for the session, as the host's own libraries do: the module
    // lets the display library go after every step of a progress bar, and mapping it again each time
    // was a twentieth of a batch. Unloading one never loaded is no error.
    return guarded("UF_unload_library", [&] { (void)library_name; });
}

/* Abort requests: the scripted user never asks to stop. */

int UF_ABORT_enable_abort(void) {
    S().abortEnabled = true;
    return 0;
}
int UF_ABORT_disable_abort(void) {
    S().abortEnabled = false;
    return 0;
}
int UF_ABORT_clear_abort(void) {
    S().abortRequested = false;
    return 0;
}
int UF_ABORT_ask_flag_status(logical* flag) {
    if (flag) *flag = S().abortEnabled && S().abortRequested;
    return 0;
}

}  // extern "C"
