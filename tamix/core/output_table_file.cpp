#include "output_table_file.h"

#include "error.h"
#include "files/file_error.h"
#include "files/replace_file.h"
#include "files/replace_together.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <system_error>

namespace tamix {
namespace {

constexpr std::size_t buffer_bytes = std::size_t{4} << 20;
// The buffer grows with what is written, from this size up to buffer_bytes: a small file (a
// zone shapefile written once per centre) then never pays for clearing megabytes of memory.
constexpr std::size_t first_buffer_bytes = std::size_t{64} << 10;

// Runs a step of the file's writing, turning its failure into the engine's.
template <class Step> void as_engine_step(Step step) {
  try {
    step();
  } catch (const files::FileError& failed) {
    throw NotWritten(failed.what());
  }
}

} // namespace

std::filesystem::path with_extension(std::filesystem::path base, const char* extension) {
  base += extension;
  return base;
}

OutputFile::OutputFile(std::filesystem::path path) : path_(std::move(path)) {
  as_engine_step([&] { file_ = std::make_unique<files::ReplacingFile>(path_); });
}

// The background write, declared last, ends before the file and the buffers go.
OutputFile::~OutputFile() = default;

void OutputFile::write_all(const char* data, std::size_t size, std::uint64_t offset) const {
  as_engine_step([&] { file_->write_at(offset, data, size); });
}

void OutputFile::finish_writing() {
  if (writing_.valid())
    writing_.get();
}

void OutputFile::flush() {
  finish_writing();
  if (used_ == 0)
    return;
  buffer_.swap(in_flight_);
  const auto write = [this, size = used_, offset = written_] {
    write_all(in_flight_.data(), size, offset);
  };
  written_ += used_;
  used_ = 0;
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
  if (size == 0)
    return; // `data` may then be null, which memcpy must not see
  if (size >= buffer_bytes) {
    // Too big for the buffer: straight to the file, after what is buffered.
    drain();
    write_all(static_cast<const char*>(data), size, written_);
    written_ += size;
    return;
  }
  std::memcpy(extend(size), data, size);
}

char* OutputFile::extend(std::size_t size) {
  if (used_ + size > buffer_.size() && buffer_.size() < buffer_bytes)
    buffer_.resize(
        std::min(buffer_bytes, std::max({buffer_.size() * 2, used_ + size, first_buffer_bytes})));
  if (used_ + size > buffer_.size())
    flush();
  if (used_ + size > buffer_.size())
    buffer_.resize(std::max(used_ + size, buffer_bytes));
  char* at = buffer_.data() + used_;
  used_ += size;
  return at;
}

void OutputFile::write_at(std::uint64_t offset, const void* data, std::size_t size) {
  drain();
  write_all(static_cast<const char*>(data), size, offset);
}

void finish_earlier_set(const std::filesystem::path& base) {
  as_engine_step([&] { files::finish_replacement(with_extension(base, ".dbf")); });
}

void replace_output_set(OutputSet& set, const std::vector<std::filesystem::path>& removed,
                        files::Durability durability) {
  if (set.empty())
    return;
  files::remove_stale_indexes(set.front()->target());
  as_engine_step([&] { files::replace_together(set, removed, durability); });
}

void OutputFile::finish(OutputSet& set) {
  if (!file_)
    return;
  drain();
  set.push_back(std::move(file_));
}

} // namespace tamix
