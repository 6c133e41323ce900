// Callbacks bound to member functions, as the dialog interface takes them.
#pragma once
#include <functional>

namespace NXOpen {

template <class R, class... A>
class Callback {
public:
    Callback() = default;
    explicit Callback(std::function<R(A...)> f) : f_(std::move(f)) {}
    R operator()(A... args) const { return f_(args...); }
    explicit operator bool() const { return static_cast<bool>(f_); }
private:
    std::function<R(A...)> f_;
};

template <class T, class U, class R, class... A>
Callback<R, A...> make_callback(T* object, R (U::*method)(A...)) {
    return Callback<R, A...>([object, method](A... args) { return (object->*method)(args...); });
}

}  // namespace NXOpen
