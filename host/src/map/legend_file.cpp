#include "map/legend_file.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "files/file_error.h"
#include "files/replace_file.h"
#include "map/color.h"
#include "map/renderers.h"
#include "map/symbols.h"

namespace host {
namespace {

constexpr const char* magic = "corvane-legend";
constexpr const char* version = "1";

using Fields = std::vector<std::string>;

struct BadLegend : std::runtime_error {
  using std::runtime_error::runtime_error;
};

Fields split_tabs(const std::string& line) {
  Fields fields;
  std::size_t start = 0;
  for (;;) {
    const auto tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos)
      return fields;
    start = tab + 1;
  }
}

double number(const Fields& f, std::size_t i) {
  if (i >= f.size())
    throw BadLegend("missing number");
  double value = 0;
  const auto& text = f[i];
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size())
    throw BadLegend("bad number");
  return value;
}

int whole(const Fields& f, std::size_t i) {
  return static_cast<int>(number(f, i));
}

const std::string& text(const Fields& f, std::size_t i) {
  if (i >= f.size())
    throw BadLegend("missing text");
  return f[i];
}

com::ComPtr<HostColor> color_at(const Fields& f, std::size_t i) {
  return make_color({whole(f, i), whole(f, i + 1), whole(f, i + 2)});
}

com::ComPtr<HostLineSymbol> read_line_symbol(const Fields& f, std::size_t i) {
  auto line = com::make<SimpleLineSymbol>();
  line->SetColor(color_at(f, i + 1).get());
  line->SetWidth(number(f, i + 4));
  line->SetStyle(whole(f, i + 5));
  return line;
}

com::ComPtr<HostSymbol> read_symbol(const Fields& f, std::size_t i) {
  const auto& kind = text(f, i);
  if (kind == "line")
    return read_line_symbol(f, i);
  if (kind == "fill") {
    auto fill = com::make<SimpleFillSymbol>();
    fill->SetColor(color_at(f, i + 1).get());
    fill->SetStyle(whole(f, i + 4));
    fill->SetOutline(text(f, i + 5) == "none" ? nullptr : read_line_symbol(f, i + 5).get());
    return fill;
  }
  if (kind == "marker") {
    auto marker = com::make<SimpleMarkerSymbol>();
    marker->SetColor(color_at(f, i + 1).get());
    marker->SetSize(number(f, i + 4));
    marker->SetStyle(whole(f, i + 5));
    return marker;
  }
  throw BadLegend("unknown symbol kind");
}

void write_color(std::ostream& out, HostColor* color) {
  const Rgb c = rgb_of(color);
  out << '\t' << c.red << '\t' << c.green << '\t' << c.blue;
}

void write_line(std::ostream& out, HostLineSymbol* line) {
  const auto simple = com::ComPtr<HostLineSymbol>(line).as<HostSimpleLineSymbol>();
  out << "\tline";
  write_color(out, line->Color().get());
  out << '\t' << line->Width() << '\t' << (simple ? simple->Style() : 0);
}

// Symbols of another kind than the three (pictures, texts) are written as a black line, the
// only thing a legend can still draw for them.
void write_symbol(std::ostream& out, const com::ComPtr<HostSymbol>& symbol) {
  if (const auto fill = symbol.as<HostFillSymbol>()) {
    const auto simple = fill.as<HostSimpleFillSymbol>();
    out << "\tfill";
    write_color(out, fill->Color().get());
    out << '\t' << (simple ? simple->Style() : 0);
    if (const auto outline = fill->Outline())
      write_line(out, outline.get());
    else
      out << "\tnone";
  } else if (const auto marker = symbol.as<HostMarkerSymbol>()) {
    const auto simple = marker.as<HostSimpleMarkerSymbol>();
    out << "\tmarker";
    write_color(out, marker->Color().get());
    out << '\t' << marker->Size() << '\t' << (simple ? simple->Style() : 0);
  } else if (const auto line = symbol.as<HostLineSymbol>()) {
    write_line(out, line.get());
  } else {
    out << "\tline\t0\t0\t0\t1\t0";
  }
}

// A line without its end, CRLF or LF.
bool read_line(std::istream& in, std::string& line) {
  if (!std::getline(in, line))
    return false;
  if (!line.empty() && line.back() == '\r')
    line.pop_back();
  return true;
}

com::ComPtr<HostFeatureRenderer> read_renderer(std::istream& in) {
  std::string line;
  if (!read_line(in, line) || split_tabs(line) != Fields{magic, version})
    throw BadLegend("not a legend");
  if (!read_line(in, line))
    throw BadLegend("no renderer");
  const auto head = split_tabs(line);
  if (text(head, 0) != "renderer")
    throw BadLegend("no renderer");
  const auto& kind = text(head, 1);
  std::vector<Fields> classes;
  while (read_line(in, line)) {
    if (line.empty())
      continue;
    auto f = split_tabs(line);
    if (text(f, 0) != "class")
      throw BadLegend("not a class");
    classes.push_back(std::move(f));
  }
  if (kind == "simple") {
    auto renderer = com::make<SimpleRenderer>();
    if (classes.size() != 1)
      throw BadLegend("a simple legend has one class");
    renderer->SetLabel(text(classes[0], 1));
    renderer->SetSymbol(read_symbol(classes[0], 2).get());
    return renderer;
  }
  if (kind == "class-breaks") {
    auto renderer = com::make<ClassBreaksRenderer>();
    renderer->SetField(text(head, 2));
    renderer->SetMinimumBreak(number(head, 3));
    renderer->SetBreakCount(static_cast<int>(classes.size()));
    for (int i = 0; i < static_cast<int>(classes.size()); ++i) {
      renderer->SetBreak(i, number(classes[i], 1));
      renderer->SetLabel(i, text(classes[i], 2));
      renderer->SetSymbol(i, read_symbol(classes[i], 3).get());
    }
    return renderer;
  }
  if (kind == "unique-value") {
    auto renderer = com::make<UniqueValueRenderer>();
    renderer->SetFieldCount(1);
    renderer->SetField(0, text(head, 2));
    for (const auto& c : classes) {
      renderer->AddValue(text(c, 1), text(c, 2), read_symbol(c, 4).get());
      renderer->SetLabel(text(c, 1), text(c, 3));
    }
    return renderer;
  }
  throw BadLegend("unknown renderer");
}

bool write_renderer(std::ostream& out, const com::ComPtr<HostFeatureRenderer>& renderer) {
  out << magic << '\t' << version << '\n';
  if (const auto simple = renderer.as<HostSimpleRenderer>()) {
    out << "renderer\tsimple\nclass\t" << simple->Label();
    write_symbol(out, simple->Symbol());
  } else if (const auto breaks = renderer.as<HostClassBreaksRenderer>()) {
    out << "renderer\tclass-breaks\t" << breaks->Field() << '\t' << breaks->MinimumBreak();
    for (int i = 0; i < breaks->BreakCount(); ++i) {
      out << "\nclass\t" << breaks->Break(i) << '\t' << breaks->Label(i);
      write_symbol(out, breaks->Symbol(i));
    }
  } else if (const auto unique = renderer.as<HostUniqueValueRenderer>()) {
    out << "renderer\tunique-value\t" << unique->Field(0);
    for (int i = 0; i < unique->ValueCount(); ++i) {
      const auto value = unique->Value(i);
      out << "\nclass\t" << value << '\t' << unique->Heading(value) << '\t' << unique->Label(value);
      write_symbol(out, unique->Symbol(value));
    }
  } else {
    return false;
  }
  out << '\n';
  return true;
}

} // namespace

com::HRESULT LegendFile::LoadRenderer(const std::string& path,
                                      com::ComPtr<HostFeatureRenderer>* renderer) {
  if (!renderer)
    return com::E_POINTER;
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return com::E_FAIL;
  try {
    *renderer = read_renderer(in);
    return com::S_OK;
  } catch (const BadLegend&) {
    return com::E_FAIL;
  }
}

com::HRESULT LegendFile::SaveRenderer(const std::string& path, HostFeatureRenderer* renderer) {
  if (!renderer)
    return com::E_POINTER;
  std::ostringstream text;
  text.precision(17);
  if (!write_renderer(text, com::ComPtr<HostFeatureRenderer>(renderer)))
    return com::E_INVALIDARG;
  try {
    files::replace_contents(path, text.str());
  } catch (const files::FileError&) {
    return com::E_FAIL;
  }
  return com::S_OK;
}

} // namespace host
