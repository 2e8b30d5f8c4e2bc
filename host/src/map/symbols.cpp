#include "map/symbols.h"

#include <array>
#include <fstream>

namespace host {
namespace {
constexpr int picture_bitmap = 1;

bool is_bitmap_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::array<char, 2> magic{};
  return in.read(magic.data(), magic.size()) && magic[0] == 'B' && magic[1] == 'M';
}
} // namespace

SimpleFillSymbol::SimpleFillSymbol() : outline_(com::make<SimpleLineSymbol>()) {}

com::HRESULT PictureMarkerSymbol::CreateMarkerSymbolFromFile(int picture_type,
                                                             const std::string& path) {
  if (picture_type != picture_bitmap)
    return com::E_INVALIDARG;
  if (!is_bitmap_file(path))
    return com::E_FAIL;
  path_ = path;
  return com::S_OK;
}

TextSymbol::TextSymbol() : font_(com::make<host::Font>()) {}

void TextSymbol::SetFont(StdFont* font) {
  if (font)
    font_ = com::ComPtr<StdFont>(font);
}

double TextSymbol::Size() {
  return font_->Size();
}
void TextSymbol::SetSize(double points) {
  font_->SetSize(points);
}

} // namespace host
