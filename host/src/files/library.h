// Run-time libraries of the host: where a named library lives, and its entry points by name.
#pragma once
#include <string>

namespace host::library {

// A name without a folder is looked up in the installation's UGII folder, where the host keeps its
// own libraries; a path is mapped from Windows.
std::string path(const char* nameGbk);
void* open(const char* nameGbk);
// Decorated names hold "@", which ELF reads as a version mark: the stand-in's libraries spell it "$".
void* symbol(void* handle, const char* name);

}  // namespace host::library
