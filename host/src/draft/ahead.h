// Sheets drawn ahead in a second process. Hidden-line removal is most of the time a batch of sheets
// takes, and the kernel's hidden-line algorithm keeps global state, so it cannot run in two threads.
// A forked helper instead draws every other sheet of a batch from its copy of the session and sends
// the projections it made back through a pipe; the drawing of each sheet then finds them made.
#pragma once
#include <string>
#include <vector>
#include "geom/projection.h"
#include "uf_defs.h"

namespace host {
struct Object;
}

namespace host::draft::ahead {

// Starts a helper on every other one of `sheets` (in that order), ending one that runs; the helper
// passes quickly over sheets projected already. Does nothing for fewer than two sheets, on one core,
// when no process can be forked, or once a helper broke: the sheets are then drawn here.
void start(const std::vector<Object*>& sheets);

// Before a sheet is drawn: waits for the helper's projections when the helper took the sheet, and
// takes in whatever else it sent. When the helper is gone, the sheet is drawn here as ever.
void awaitSheet(tag_t sheet);

// Whether a helper is working for sheets of this batch still to come, and its process (-1 when none).
bool running();
int helperProcess();

// The projection cache tells of each projection it made; a helper sends them home.
void made(const std::string& key, const geom::Projection& p);

// Defined by the projection cache: takes in a projection the helper made.
void keep(std::string key, geom::Projection p);

}  // namespace host::draft::ahead
