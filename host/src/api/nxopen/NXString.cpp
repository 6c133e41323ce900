// Text of the object interface.
#include "NXOpen/NXString.hxx"
#include "text.h"

using namespace NXOpen;

std::string NXString::GetUTF8Text() const { return host::text::toUtf8Lossy(text_); }
