// Direct commands whose work is still to come: each brackets the session like the rest.
#include <uf.h>
#include "app/commands.hpp"

namespace {
int bracketed() {
    UF_initialize();
    UF_terminate();
    return 0;
}
}  // namespace

int bili_yangshi() { return bracketed(); }
int tuceng_xianshi() { return bracketed(); }
int wrod_lujin() { return bracketed(); }
int yanse_touming() { return bracketed(); }
