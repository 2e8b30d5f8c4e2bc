// The engine module: its two classes and the four exports.
#include "com/module.h"
#include "net_base_object.h"
#include "net_calc_object.h"

using tamix::NetBaseObject;
using tamix::NetCalcObject;

COM_CLASS(NetBaseObject, tamix::NetBaseProgId, "03359D1F-9DD5-4410-9BB2-0B5C96E35040",
          "tamix Routing Engine")
COM_CLASS(NetCalcObject, tamix::NetCalcProgId, "1DB62286-5C82-4B0B-8097-8C3603E7633A",
          "tamix Routing Engine")
COM_MODULE_EXPORTS()
