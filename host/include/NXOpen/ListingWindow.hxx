#pragma once
#include "NXString.hxx"

namespace NXOpen {

class ListingWindow {
public:
    void Open();
    bool IsOpen();
    void WriteLine(const NXString& line);
    void Close();
};

}  // namespace NXOpen
