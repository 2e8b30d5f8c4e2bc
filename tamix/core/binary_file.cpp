#include "binary_file.h"

#include <limits>

#include "error.h"
#include "files/file_error.h"
#include "files/replace_file.h"

#include <cstring>

namespace tamix {

FileHeader make_header(const char (&magic)[9], std::uint32_t version) {
  FileHeader header;
  std::memcpy(header.magic.data(), magic, header.magic.size());
  header.version = version;
  return header;
}

namespace {

// The replacement's message names the file as the user knows it and the reason. A file that
// cannot be written is no file the engine could not find: its reason (a full disk, a read-only
// folder) is the whole failure.
[[noreturn]] void cannot_write(const files::FileError& error) {
  throw NotWritten(error.what());
}

} // namespace

BinaryWriter::BinaryWriter(std::filesystem::path path, const FileHeader& header)
    : path_(std::move(path)) {
  try {
    file_ = std::make_unique<files::ReplacingFile>(path_);
  } catch (const files::FileError& error) {
    cannot_write(error);
  }
  write_bytes(&header, sizeof header);
}

BinaryWriter::~BinaryWriter() = default;

void BinaryWriter::write_bytes(const void* data, std::size_t size) {
  try {
    file_->write_at(written_, data, size);
    written_ += size;
  } catch (const files::FileError& error) {
    cannot_write(error);
  }
}

void BinaryWriter::commit() {
  try {
    file_->commit();
  } catch (const files::FileError& error) {
    cannot_write(error);
  }
}

BinaryReader::BinaryReader(const std::filesystem::path& path, const char (&magic)[9],
                           std::uint32_t version)
    : path_(path) {
  file_.reset(std::fopen(path.c_str(), "rb"));
  if (!file_)
    throw Error(code::load_failed, "cannot open " + path.string());
  if (std::fread(&header_, sizeof header_, 1, file_.get()) != 1 ||
      std::memcmp(header_.magic.data(), magic, header_.magic.size()) != 0)
    throw Error(code::wrong_version, path.string() + " is not an engine file of this kind");
  if (header_.version != version)
    throw Error(code::wrong_version, path.string() + " has format version " +
                                         std::to_string(header_.version) + ", expected " +
                                         std::to_string(version));
}

void BinaryReader::check_size(std::uint64_t body_size) {
  std::error_code error;
  std::uint64_t size = std::filesystem::file_size(path_, error);
  if (error)
    throw Error(code::load_failed, "cannot read " + path_.string());
  if (size != sizeof(FileHeader) + body_size)
    throw Error(code::wrong_version, path_.string() + " has " + std::to_string(size) +
                                         " bytes, its header calls for " +
                                         std::to_string(sizeof(FileHeader) + body_size));
}

void BinaryReader::read_bytes(void* data, std::uint64_t size) {
  if (size != 0 && std::fread(data, 1, size, file_.get()) != size)
    throw Error(code::load_failed, "cannot read " + path_.string());
}

void BinaryReader::skip(std::uint64_t size) {
  if (size > static_cast<std::uint64_t>(std::numeric_limits<long>::max()) ||
      std::fseek(file_.get(), static_cast<long>(size), SEEK_CUR) != 0)
    throw Error(code::load_failed, "cannot read " + path_.string());
}

} // namespace tamix
