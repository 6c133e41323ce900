// The drafting application of a part.
#include "NXOpen/DraftingManager.hxx"
#include "api/common.h"

using namespace host::api;

// Sheets are whole once their builder committed; telling the host so changes nothing here.
void NXOpen::DraftingManager::SetTemplateInstantiationIsComplete(bool) { partOf(part_); }
