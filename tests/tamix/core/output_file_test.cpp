#include "fixture.h"

#include "files/replace_file.h"
#include "output_table_file.h"

#include <cstdint>
#include <fstream>
#include <string>

namespace tamix::test {
namespace {

std::string file_bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Records of every size from 1 byte to past the write buffer, through both ways in, with a
// header put in place at the end: the file holds exactly what was given, in order, whether it
// stays within the first small buffer or fills the full one several times over.
TEST(OutputFile, HoldsEveryByteGivenWhateverTheSizeOfTheFile) {
  TempFolder folder;
  for (const std::size_t total :
       {std::size_t{100}, std::size_t{200} << 10, std::size_t{13} << 20}) {
    SCOPED_TRACE(total);
    const auto path = folder.path() / ("out" + std::to_string(total) + ".dbf");
    std::string expected(8, '\0');
    {
      OutputFile file(path);
      file.append(expected.data(), expected.size()); // the header, filled in below
      for (std::size_t k = 1; expected.size() < total; k = k * 3 % 5'000'011) {
        std::string record(k % 70'000 + 1, static_cast<char>('a' + k % 26));
        if (k % 2 == 0)
          file.append(record.data(), record.size());
        else
          std::copy(record.begin(), record.end(), file.extend(record.size()));
        expected += record;
      }
      ASSERT_EQ(file.size(), expected.size());
      const std::uint64_t header = expected.size();
      file.write_at(0, &header, sizeof header);
      expected.replace(0, sizeof header, reinterpret_cast<const char*>(&header), sizeof header);
      OutputSet set;
      file.finish(set);
      replace_output_set(set);
    }
    EXPECT_TRUE(file_bytes(path) == expected);
  }
}

} // namespace
} // namespace tamix::test
