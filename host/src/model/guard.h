// Host exceptions become statuses at the procedural boundary, as on the real host.
#pragma once
#include <exception>
#include <string>
#include "geom/kernel.h"
#include "model/session.h"
#include "uf_defs.h"

namespace host {

void noteFailure(const char* function, int status, const std::string& message);

// Runs `body` for the procedural call `function`; 0, or the status of the failure (told to the system log).
template <class F>
int guarded(const char* function, F&& body) {
    if (session().initCount <= 0) {
        noteFailure(function, UF_err_program_not_initialized, "called outside UF_initialize/UF_terminate");
        return UF_err_program_not_initialized;
    }
    try {
        body();
        return 0;
    } catch (const HostError& e) {
        noteFailure(function, e.status, e.what());
        return e.status;
    } catch (const std::exception& e) {
        noteFailure(function, UF_err_operation_failed, e.what());
        return UF_err_operation_failed;
    } catch (const Standard_Failure& e) {
        noteFailure(function, UF_err_operation_failed, geom::kernelMessage("do it", e));
        return UF_err_operation_failed;
    }
}

// The same for calls that answer a value instead of a status: the fallback on failure.
template <class T, class F>
T guardedValue(const char* function, T fallback, F&& body) {
    T result = fallback;
    guarded(function, [&] { result = body(); });
    return result;
}

// Copies GBK text into a fixed buffer of the interface without cutting a character.
void copyOut(char* buffer, size_t size, const std::string& gbk);
// A copy the module frees with UF_free.
char* allocString(const std::string& gbk);

}  // namespace host
