// The kernel throws Standard_Failure and its kin, which are no std::exception: every call into it
// from outside the kernel layer goes through `kernel`, so that a refusal becomes a plain error.
#pragma once
#include <stdexcept>
#include <string>
#include <Standard_Failure.hxx>

namespace host::geom {

struct KernelError : std::runtime_error { using std::runtime_error::runtime_error; };

// "the geometric kernel cannot <what> (<its reason>)".
std::string kernelMessage(const std::string& what, const Standard_Failure& e);

template <class F>
decltype(auto) kernel(const std::string& what, F&& f) {
    try {
        return f();
    } catch (const Standard_Failure& e) {
        throw KernelError(kernelMessage(what, e));
    }
}

}  // namespace host::geom
