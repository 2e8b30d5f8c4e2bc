#include "win/delete_file.h"

#include "win/file_system_object.h"

namespace win {

int DeleteFileA(const char* path) {
  return path && FileSystemObject().DeleteFile(path, false) ? 1 : 0;
}

} // namespace win
