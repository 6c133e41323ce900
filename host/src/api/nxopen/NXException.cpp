// Failures of the object interface, with the procedural interface's messages.
#include "NXOpen/NXException.hxx"
#include "uf.h"

using namespace NXOpen;

NXException NXException::Create(int code) {
    char m[MAX_LINE_BUFSIZE];
    UF_get_fail_message(code, m);
    return NXException(code, m);
}
