// The listing window, through the procedural one.
#include "NXOpen/ListingWindow.hxx"
#include "NXOpen/NXException.hxx"
#include "model/session.h"
#include "uf_ui.h"

using namespace NXOpen;

void ListingWindow::Open() {
    if (UF_UI_open_listing_window() != 0) throw NXException(3520003, "the listing window cannot be opened");
}
bool ListingWindow::IsOpen() { return host::session().listingOpen; }
void ListingWindow::WriteLine(const NXString& line) {
    if (!IsOpen()) Open();
    UF_UI_write_listing_window((std::string(line.GetText()) + "\n").c_str());
}
void ListingWindow::Close() { UF_UI_close_listing_window(); }
