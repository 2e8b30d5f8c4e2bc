#include "output_table_file.h"

#include "error.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>

namespace tamix {
namespace {

constexpr std::size_t buffer_bytes = std::size_t{4} << 20;

} // namespace

std::filesystem::path with_extension(std::filesystem::path base, const char* extension) {
  base += extension;
  return base;
}

OutputFile::OutputFile(std::filesystem::path path)
    : path_(std::move(path)), buffer_(buffer_bytes) {
  descriptor_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (descriptor_ < 0) fail("cannot be created");
}

OutputFile::~OutputFile() {
  if (descriptor_ < 0) return;
  try {
    drain();
  } catch (const std::exception&) {
    // Dropped after a failure: the file keeps what could be written.
  }
  ::close(descriptor_);
}

void OutputFile::fail(const char* what) const {
  throw Error(code::output_file_failed, path_.string() + " " + what + ": " + std::strerror(errno));
}

void OutputFile::write_all(const char* data, std::size_t size, std::uint64_t offset) const {
  while (size > 0) {
    const ssize_t done = ::pwrite(descriptor_, data, size, static_cast<off_t>(offset));
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) fail("cannot be written");
    data += done;
    size -= static_cast<std::size_t>(done);
    offset += static_cast<std::uint64_t>(done);
  }
}

void OutputFile::finish_writing() {
  if (writing_.valid()) writing_.get();
}

void OutputFile::flush() {
  finish_writing();
  if (used_ == 0) return;
  buffer_.swap(in_flight_);
  const auto write = [this, size = used_, offset = written_] {
    write_all(in_flight_.data(), size, offset);
  };
  written_ += used_;
  used_ = 0;
  if (buffer_.size() < buffer_bytes) buffer_.resize(buffer_bytes);
  try {
    writing_ = std::async(std::launch::async, write);
  } catch (const std::system_error&) {
    write(); // no thread to be had: the write waits for itself
  }
}

void OutputFile::drain() {
  flush();
  finish_writing();
}

void OutputFile::append(const void* data, std::size_t size) {
  if (size == 0) return; // `data` may then be null, which memcpy must not see
  if (size >= buffer_.size()) {
    // Too big for the buffer: straight to the file, after what is buffered.
    drain();
    write_all(static_cast<const char*>(data), size, written_);
    written_ += size;
    return;
  }
  std::memcpy(extend(size), data, size);
}

char* OutputFile::extend(std::size_t size) {
  if (used_ + size > buffer_.size()) flush();
  if (size > buffer_.size()) buffer_.resize(size);
  char* at = buffer_.data() + used_;
  used_ += size;
  return at;
}

void OutputFile::write_at(std::uint64_t offset, const void* data, std::size_t size) {
  drain();
  write_all(static_cast<const char*>(data), size, offset);
}

void OutputFile::close() {
  if (descriptor_ < 0) return;
  drain();
  const int descriptor = descriptor_;
  descriptor_ = -1;
  if (::close(descriptor) != 0) fail("cannot be closed");
}

} // namespace tamix
