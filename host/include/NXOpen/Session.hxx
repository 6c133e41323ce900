// The host session.
#pragma once
#include "NXString.hxx"

namespace NXOpen {

class PartCollection;
class ListingWindow;

class Session {
public:
    static Session* GetSession();
    PartCollection* Parts();
    NXOpen::ListingWindow* ListingWindow();
    NXString GetEnvironmentVariableValue(const NXString& name);
};

}  // namespace NXOpen
