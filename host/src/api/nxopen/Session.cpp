// The host session: its parts, listing window, environment, undo marks and managers.
#include "NXOpen/DisplayModification.hxx"
#include "NXOpen/ListingWindow.hxx"
#include "NXOpen/DxfdwgCreator.hxx"
#include "NXOpen/NXException.hxx"
#include "NXOpen/Part.hxx"
#include "NXOpen/Session.hxx"
#include "NXOpen/Update.hxx"
#include "model/session.h"
#include "uf.h"

using namespace NXOpen;
using host::session;

Session* Session::GetSession() {
    static Session s;
    return &s;
}
PartCollection* Session::Parts() {
    static PartCollection c;
    return &c;
}
ListingWindow* Session::ListingWindow() {
    static NXOpen::ListingWindow w;
    return &w;
}
NXString Session::GetEnvironmentVariableValue(const NXString& name) {
    char* v = nullptr;
    UF_initialize();
    UF_translate_variable(name.GetText(), &v);
    UF_terminate();
    return v ? v : "";
}

/* Undo marks */

NXOpen::Session::UndoMarkId NXOpen::Session::SetUndoMark(MarkVisibility, const NXString& name) {
    host::Session& s = session();
    int id = s.nextUndoMark++;
    s.undoMarks.push_back({id, name.GetText()});
    return id;
}

void NXOpen::Session::DeleteUndoMark(UndoMarkId mark, const char*) {
    auto& marks = session().undoMarks;
    for (auto it = marks.begin(); it != marks.end(); ++it)
        if (it->first == mark) { marks.erase(it); return; }
    throw NXException(3520035, "no undo mark " + std::to_string(mark));
}

NXOpen::Update* NXOpen::Session::UpdateManager() {
    static NXOpen::Update u;
    return &u;
}

NXOpen::DisplayManager* NXOpen::Session::DisplayManager() {
    static NXOpen::DisplayManager m;
    return &m;
}

void NXOpen::Session::CleanUpFacetedFacesAndEdges() {}

NXOpen::DexManager* NXOpen::Session::DexManager() {
    static NXOpen::DexManager m;
    return &m;
}

void NXOpen::Session::ApplicationSwitchImmediate(const NXString& application) {
    std::string a = application.GetText();
    if (a != "UG_APP_DRAFTING" && a != "UG_APP_MODELING" && a != "UG_APP_GATEWAY")
        throw NXException(3520068, "no application " + a + " in this host");
    host::session().application = a;
}
