// The module's four exports; its classes are listed in class_registration.cpp.
#include "com/module.h"

COM_MODULE_EXPORTS()
