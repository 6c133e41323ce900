// The host session.
#pragma once
#include "NXString.hxx"

namespace NXOpen {

class PartCollection;
class ListingWindow;
class DisplayManager;
class Update;
class DexManager;

class Session {
public:
    static Session* GetSession();
    PartCollection* Parts();
    NXOpen::ListingWindow* ListingWindow();
    NXString GetEnvironmentVariableValue(const NXString& name);

    enum MarkVisibility { MarkVisibilityVisible, MarkVisibilityInvisible, MarkVisibilityAnyVisibility };
    typedef int UndoMarkId;
    UndoMarkId SetUndoMark(MarkVisibility visibility, const NXString& name);
    void DeleteUndoMark(UndoMarkId mark, const char* name);
    NXOpen::Update* UpdateManager();
    NXOpen::DisplayManager* DisplayManager();
    void CleanUpFacetedFacesAndEdges();
    // Enters an application ("UG_APP_DRAFTING", "UG_APP_MODELING").
    void ApplicationSwitchImmediate(const NXString& application);
    NXOpen::DexManager* DexManager();
};

}  // namespace NXOpen
