// Values of builders.
#include <cstdlib>
#include <string>
#include "NXOpen/Expression.hxx"
#include "NXOpen/NXException.hxx"

using NXOpen::NXException;

void NXOpen::Expression::SetRightHandSide(const NXString& rhs) {
    char* end = nullptr;
    double v = std::strtod(rhs.GetText(), &end);
    if (end == rhs.GetText() || *end) throw NXException(3520032, std::string("not a number: ") + rhs.GetText());
    rhs_ = rhs.GetText();
    value_ = v;
}
