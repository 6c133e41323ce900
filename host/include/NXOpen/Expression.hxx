// A value of a builder, given as the text of its right-hand side.
#pragma once
#include "NXString.hxx"

namespace NXOpen {

class Expression {
public:
    NXString RightHandSide() const { return rhs_; }
    void SetRightHandSide(const NXString& rhs);
    double Value() const { return value_; }
private:
    std::string rhs_ = "0";
    double value_ = 0;
};

}  // namespace NXOpen
