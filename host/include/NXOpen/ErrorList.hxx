// Errors an operation on several objects collected, one per object it could not handle.
#pragma once
#include <vector>
#include "NXString.hxx"

namespace NXOpen {

class ErrorList {
public:
    int Length() const { return static_cast<int>(errors_.size()); }
    void Clear() { errors_.clear(); }
    void Dispose() { delete this; }
    std::vector<NXString> errors_;
};

}  // namespace NXOpen
