#include "model/menu.h"

namespace host {

Menu& menu() {
    static Menu m;
    return m;
}

}  // namespace host
