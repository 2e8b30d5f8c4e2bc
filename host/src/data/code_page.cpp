#include "data/code_page.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "data/host_error.h"

namespace host {

namespace {

// Language driver ids of the ".dbf" header and the code pages they stand for.
std::string ldid_code_page(int ldid) {
  switch (ldid) {
  case 0x01:
    return "CP437";
  case 0x02:
    return "CP850";
  case 0x03:
    return "CP1252";
  case 0x08:
    return "CP865";
  case 0x09:
    return "CP437";
  case 0x0A:
    return "CP850";
  case 0x0B:
    return "CP437";
  case 0x0D:
    return "CP437";
  case 0x0E:
    return "CP850";
  case 0x0F:
    return "CP437";
  case 0x10:
    return "CP850";
  case 0x11:
    return "CP437";
  case 0x12:
    return "CP850";
  case 0x13:
    return "CP932";
  case 0x14:
    return "CP850";
  case 0x15:
    return "CP437";
  case 0x16:
    return "CP850";
  case 0x17:
    return "CP865";
  case 0x18:
    return "CP437";
  case 0x19:
    return "CP437";
  case 0x1A:
    return "CP850";
  case 0x1B:
    return "CP437";
  case 0x1C:
    return "CP863";
  case 0x1D:
    return "CP850";
  case 0x1F:
    return "CP852";
  case 0x22:
    return "CP852";
  case 0x23:
    return "CP852";
  case 0x24:
    return "CP860";
  case 0x25:
    return "CP850";
  case 0x26:
    return "CP866";
  case 0x37:
    return "CP850";
  case 0x40:
    return "CP852";
  case 0x4D:
    return "CP936";
  case 0x4E:
    return "CP949";
  case 0x4F:
    return "CP950";
  case 0x50:
    return "CP874";
  case 0x57:
    return "ISO-8859-1";
  case 0x58:
    return "CP1252";
  case 0x59:
    return "CP1252";
  case 0x64:
    return "CP852";
  case 0x65:
    return "CP866";
  case 0x66:
    return "CP865";
  case 0x67:
    return "CP861";
  case 0x6A:
    return "CP737";
  case 0x6B:
    return "CP857";
  case 0x7C:
    return "CP874";
  case 0x7D:
    return "CP1255";
  case 0x7E:
    return "CP1256";
  case 0x96:
    return "MACCYRILLIC";
  case 0x97:
    return "MACCENTRALEUROPE";
  case 0x98:
    return "MACGREEK";
  case 0xC8:
    return "CP1250";
  case 0xC9:
    return "CP1251";
  case 0xCA:
    return "CP1254";
  case 0xCB:
    return "CP1253";
  case 0xCC:
    return "CP1257";
  default:
    return "ISO-8859-1";
  }
}

// ".cpg" texts: "UTF-8", "65001", "1252", "ANSI 1252", "88591", "ISO 8859-1", "8859_1", ...
std::string cpg_code_page(std::string text) {
  std::string key;
  for (char c : text)
    if (std::isalnum(static_cast<unsigned char>(c)))
      key += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (key.empty())
    return "ISO-8859-1";
  if (key == "UTF8" || key == "65001")
    return "UTF-8";
  if (key.rfind("ANSI", 0) == 0)
    key = key.substr(4);
  if (key.rfind("ISO", 0) == 0)
    key = key.substr(3);
  if (key.rfind("8859", 0) == 0 && key.size() > 4)
    return "ISO-8859-" + key.substr(4);
  if (key.rfind("CP", 0) == 0)
    key = key.substr(2);
  if (std::all_of(key.begin(), key.end(), [](unsigned char c) { return std::isdigit(c); }))
    return "CP" + key;
  return text;
}

// The length of the text without its last UTF-8 character.
std::size_t without_last_character(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0 && (static_cast<unsigned char>(text[end - 1]) & 0xC0) == 0x80)
    --end;
  return end > 0 ? end - 1 : 0;
}

// The length of the first `count` UTF-8 characters of the text (all of it when shorter).
std::size_t first_characters(std::string_view text, std::size_t count) {
  std::size_t end = 0;
  for (; end < text.size(); ++end)
    if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80 && count-- == 0)
      break;
  return end;
}

bool plain_ascii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Every code page a table may declare reads ASCII as ASCII, so most texts need no converter.
std::string convert(std::string_view text, const std::string& to, const std::string& from) {
  if (to == from || plain_ascii(text))
    return std::string(text);
  iconv_t cd = iconv_open(to.c_str(), from.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1))
    throw HostError("the code page " + (to == "UTF-8" ? from : to) + " is not known");
  std::string out;
  std::string in(text);
  char* src = in.data();
  std::size_t left = in.size();
  char buffer[1024];
  while (left > 0) {
    char* dst = buffer;
    std::size_t room = sizeof buffer;
    const auto done = iconv(cd, &src, &left, &dst, &room);
    out.append(buffer, static_cast<std::size_t>(dst - buffer));
    if (done != static_cast<std::size_t>(-1))
      continue;
    if (errno == E2BIG)
      continue;
    // A byte or character the other side cannot hold: mark it and skip one input character.
    out += '?';
    std::size_t skip = 1;
    if (from == "UTF-8")
      while (skip < left && (static_cast<unsigned char>(src[skip]) & 0xC0) == 0x80)
        ++skip;
    src += skip;
    left -= skip;
  }
  iconv_close(cd);
  return out;
}

} // namespace

CodePage::CodePage(const char* declared) {
  const std::string text = declared ? declared : "";
  if (text.rfind("LDID/", 0) == 0)
    iconv_name_ = ldid_code_page(std::atoi(text.c_str() + 5));
  else
    iconv_name_ = cpg_code_page(text);
  // A ".cpg" naming a code page nobody knows should not make the table unreadable.
  iconv_t probe = iconv_open("UTF-8", iconv_name_.c_str());
  if (probe == reinterpret_cast<iconv_t>(-1))
    iconv_name_ = "ISO-8859-1";
  else
    iconv_close(probe);
}

std::string CodePage::to_utf8(std::string_view text) const {
  return convert(text, "UTF-8", iconv_name_);
}

std::string CodePage::from_utf8(std::string_view text) const {
  return convert(text, iconv_name_, "UTF-8");
}

std::string CodePage::from_utf8_within(std::string_view text, std::size_t bytes) const {
  // No character takes less than one byte, so more characters than bytes never fit.
  text = text.substr(0, first_characters(text, bytes));
  auto out = from_utf8(text);
  while (out.size() > bytes) {
    text = text.substr(0, without_last_character(text));
    out = from_utf8(text);
  }
  return out;
}

} // namespace host
