// UF_initialize / UF_terminate as a scope, for code that may leave by an exception.
#pragma once
#include <uf.h>

class UfBracket {
public:
    UfBracket() { UF_initialize(); }
    ~UfBracket() { UF_terminate(); }
    UfBracket(const UfBracket&) = delete;
    UfBracket& operator=(const UfBracket&) = delete;
};
