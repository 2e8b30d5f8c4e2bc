#pragma once

#include <string>

namespace corvane {

// The add-in's own folder: the folder of the loaded module that holds this code. The marker
// icons ("Icons"), the legend file "VRoute.avl" and the help "CVhelp/corvane.chm" are
// installed there. Empty when the module cannot be found.
std::string AppPath();

} // namespace corvane
