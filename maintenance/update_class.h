#pragma once

#include "command/command_base.h"

namespace corvane {

// Rebuilds the road classes from the network layer's road-class field ([INFO] "ATTRIBUTE
// FIELD") after the user changed its values: the distinct classes (|value| mod 32, values of
// 4097 or more and values that are no number making the field unusable, which leaves the one
// class 1), the engine's attribute file through "Attrib.txt", and gRoadClassSpeeds with
// "link.spd", where a class that was there before keeps its speed and name and a new one starts
// at 1 mph. The loaded network stays loaded and takes the new classes at once.
class UpdateClass final : public CommandBase<> {
public:
  UpdateClass();

protected:
  void click() override;
};

} // namespace corvane
