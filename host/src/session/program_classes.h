#pragma once

#include "com/guid.h"
#include "com/hresult.h"

namespace host::session {

// The host's own classes (map services, data and geometry classes) are served by the running
// program: registered under its path, they are created by ProgID like any class, so the
// add-in reaches them as it would on the original platform.
com::HRESULT register_program_classes();

// The program's DllGetClassObject.
com::HRESULT program_class_object(const com::CLSID& clsid, const com::IID& iid, void** out);

} // namespace host::session
