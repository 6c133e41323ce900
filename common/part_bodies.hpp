// The bodies of a part as the host cycles them.
#pragma once
#include <vector>
#include <uf_defs.h>

// Every body object of the part (type 70, subtype 0), the body occurrences of its components
// included, in the host's order.
std::vector<tag_t> 部件的体(tag_t part);
