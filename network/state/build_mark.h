#pragma once

#include <string_view>

namespace corvane {

// A build replaces the engine's network files first and the settings files last, so a kill
// between them would leave new network files beside the old settings, which an opening would
// take as current. The build therefore puts a mark beside the files before the engine starts
// and takes it away only once "Corvane.ini" is written whole; an opening that finds the mark
// knows that files and settings may disagree and builds again. The mark is
// "Corvane.ini.building" in the network folder, a file of the system's own.
// False when the mark cannot be written (nor, then, the network files).
bool PutBuildMark(std::string_view folder);
// Once the engine has made network files with the same links as those it replaced, the mark
// says so: the link numbers in the settings of the last finished build then still name the
// same roads, so a rebuild after a kill may carry them over.
void MarkLinksKept(std::string_view folder);
bool BuildMarkSaysLinksKept(std::string_view folder);
void RemoveBuildMark(std::string_view folder);
bool BuildMarkPresent(std::string_view folder);

} // namespace corvane
