#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Whole-file access shared by the profile functions and the file-system object.
namespace win {

// The file's bytes; nullopt when it does not exist or cannot be read.
std::optional<std::string> read_file_contents(const std::filesystem::path& file);

// Whether the file carries the platform's read-only attribute, which is the owner's write
// permission here. Checked by the permission bits, not by access(), so that it holds for
// every user including root, as the attribute does.
bool is_read_only(const std::filesystem::path& file);

// Replaces the file's contents (creating it when missing) through a temporary file in the
// same folder and a rename, so that a failure leaves the old contents whole. Fails for a
// read-only file and when the folder does not exist, with the reason in errno (EACCES for a
// read-only file).
bool replace_file_contents(const std::filesystem::path& file, std::string_view contents);

} // namespace win
