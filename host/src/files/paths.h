// The module sees this machine's file system as drive Z:, the way Wine shows it:
// "Z:\home\ann\plant\frame-2.prt" is "/home/ann/plant/frame-2.prt". Module paths are GBK,
// paths on disk UTF-8. Every path that crosses the boundary goes through here.
#pragma once
#include <string>
#include <string_view>

namespace host::paths {

// A Windows path of the module (GBK) to a path on disk (UTF-8). Only drive Z: exists; a path on any
// other drive maps to a place that does not exist, so calls on it fail as they would for a missing drive.
// A relative path stays relative. Separators "\" and "/" are both accepted, and "\" is found by
// stepping over GBK characters, whose second byte may be 0x5C.
std::string toHost(std::string_view windowsGbk);
// A path on disk (UTF-8, absolute or relative to the current folder) to the module's Windows path (GBK).
std::string toWindows(std::string_view hostUtf8);

// How a part file names another file: relative to its own folder when the file lies under it, so that
// a folder of parts can be moved or copied as a whole; else absolute.
std::string relativeFile(const std::string& file, const std::string& partPath);

// A name (UTF-8) as a part's file name can hold it, on this machine and on Windows: characters no file
// name holds become "_", and so does "-" when `dashes` is false (a component part's number follows its
// name's last "-"); blanks around it go. An empty name stays empty.
std::string fileSafe(std::string utf8, bool dashes);

// Writes `content` to `path` (on disk) whole: into "<path>.writing" first, renamed over `path` once
// complete, so that a reader, or a run cut off, sees the old file or the new one. Throws
// std::runtime_error "cannot write <path>" and leaves nothing aside when it cannot.
void writeWhole(const std::string& path, std::string_view content);

}  // namespace host::paths
