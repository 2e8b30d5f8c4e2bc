#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace host {

// Converts a table's text between its code page and UTF-8. The code page comes from the
// ".cpg" file or the ".dbf" header's language driver id, as shapelib reports it ("LDID/87",
// "1252", "UTF-8", ...); ISO-8859-1 when neither says or the code page is not known. A
// character the code page cannot hold is written as "?".
class CodePage {
public:
  // `declared` as shapelib's DBFGetCodePage gives it (may be null).
  explicit CodePage(const char* declared);

  const std::string& name() const { return iconv_name_; }
  std::string to_utf8(std::string_view text) const;
  std::string from_utf8(std::string_view text) const;
  // from_utf8 cut to at most `bytes` bytes at the end of a whole character, so that a text cut
  // to its field's width stays readable in a code page of several bytes a character.
  std::string from_utf8_within(std::string_view text, std::size_t bytes) const;

private:
  std::string iconv_name_;
};

} // namespace host
