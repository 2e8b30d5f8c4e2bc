#pragma once

// Deletes a file (native or Windows path, found without regard to letter case). Nonzero on
// success; zero when there is no such file, the path is a folder, or the file is read-only,
// as with the platform's function of this name.
namespace win {

int DeleteFileA(const char* path);

} // namespace win
