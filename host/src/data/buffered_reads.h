#pragma once

#include <shapefil.h>

namespace host {

// File functions for shapelib that read through a buffer of their own, for files opened to be
// read only. shapelib seeks before every record it reads; through the standard streams each of
// those seeks is a system call and drops what was read ahead, so a pass over a layer of a
// million records made two million calls. Here a seek only moves the position, and a record
// that lies in what was read last is copied from there: a pass in record order reads each
// file in large blocks. Reads of more than a block go to the file at once.
//
// What another handle writes to the file after a block was read is not seen in that block:
// a reader sees the file as it stood when it read each block, as a cursor sees the files as
// they stood when it was opened. The functions open files for reading only: an access mode that
// would write makes the opening fail.
const SAHooks& buffered_read_hooks();

} // namespace host
