#include "data/buffered_reads.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include "data/shapelib_hooks.h"
#include "files/all_bytes.h"

namespace host {

namespace {

constexpr std::size_t block_size = 64 * 1024;

struct BufferedFile {
  int descriptor = -1;
  // The file position shapelib reads from next.
  SAOffset position = 0;
  // The block read last: the bytes from `block_start` on.
  SAOffset block_start = 0;
  std::vector<char> block;
};

BufferedFile& file_of(SAFile file) {
  return *reinterpret_cast<BufferedFile*>(file);
}

SAFile open_buffered(const char* name, const char* access) {
  if (std::string_view(access).find_first_of("wa+") != std::string_view::npos)
    return nullptr;
  const int descriptor = ::open(name, O_RDONLY | O_CLOEXEC);
  if (descriptor < 0)
    return nullptr;
  auto* file = new BufferedFile;
  file->descriptor = descriptor;
  return reinterpret_cast<SAFile>(file);
}

// As fread: the count of whole items read; the position moves by the bytes read.
SAOffset read_buffered(void* into, SAOffset size, SAOffset count, SAFile handle) {
  auto& file = file_of(handle);
  const SAOffset wanted = size * count;
  if (size == 0 || wanted == 0)
    return 0;
  auto* out = static_cast<char*>(into);
  SAOffset done = 0;
  while (done < wanted) {
    const SAOffset at = file.position;
    if (at >= file.block_start && at < file.block_start + file.block.size()) {
      const SAOffset from = at - file.block_start;
      const SAOffset copied = std::min<SAOffset>(wanted - done, file.block.size() - from);
      std::memcpy(out + done, file.block.data() + from, copied);
      done += copied;
      file.position += copied;
      continue;
    }
    if (wanted - done >= block_size) {
      const ssize_t got = files::read_all_at(file.descriptor, out + done, wanted - done, at);
      if (got > 0) {
        done += static_cast<SAOffset>(got);
        file.position += static_cast<SAOffset>(got);
      }
      break;
    }
    file.block.resize(block_size);
    const ssize_t got = files::read_all_at(file.descriptor, file.block.data(), block_size, at);
    file.block.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    file.block_start = at;
    if (got <= 0)
      break;
  }
  return done / size;
}

SAOffset write_refused(void*, SAOffset, SAOffset, SAFile) {
  return 0;
}

SAOffset seek_buffered(SAFile handle, SAOffset offset, int whence) {
  auto& file = file_of(handle);
  SAOffset base = 0;
  if (whence == SEEK_CUR) {
    base = file.position;
  } else if (whence == SEEK_END) {
    struct stat status {};
    if (::fstat(file.descriptor, &status) != 0)
      return static_cast<SAOffset>(-1);
    base = static_cast<SAOffset>(status.st_size);
  } else if (whence != SEEK_SET) {
    return static_cast<SAOffset>(-1);
  }
  file.position = base + offset;
  return 0;
}

SAOffset tell_buffered(SAFile handle) {
  return file_of(handle).position;
}

int flush_nothing(SAFile) {
  return 0;
}

int close_buffered(SAFile handle) {
  const auto* file = &file_of(handle);
  const int closed = ::close(file->descriptor);
  delete file;
  return closed;
}

SAHooks make_hooks() {
  SAHooks hooks{};
  SASetupDefaultHooks(&hooks);
  hooks.FOpen = open_buffered;
  hooks.FRead = read_buffered;
  hooks.FWrite = write_refused;
  hooks.FSeek = seek_buffered;
  hooks.FTell = tell_buffered;
  hooks.FFlush = flush_nothing;
  hooks.FClose = close_buffered;
  // The library's complaints go where those of every other shapefile call go, never to
  // standard error.
  hooks.Error = checked_hooks()->Error;
  return hooks;
}

} // namespace

const SAHooks& buffered_read_hooks() {
  static const SAHooks hooks = make_hooks();
  return hooks;
}

} // namespace host
