#pragma once

#include <vector>

#include "canvas.h"

namespace resources {

struct CommandPicture {
  int id;
  Canvas canvas;
};

// The 16 x 16 pictures of the command bitmaps, one per bitmap id that a command uses.
std::vector<CommandPicture> command_pictures();

} // namespace resources
