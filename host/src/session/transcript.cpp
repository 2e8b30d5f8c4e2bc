#include "session/transcript.h"

namespace host::session {

std::string quote(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
    case '"':
      out += "\\\"";
      break;
    case '\\':
      out += "\\\\";
      break;
    case '\n':
      out += "\\n";
      break;
    case '\r':
      out += "\\r";
      break;
    default:
      out += c;
    }
  }
  return out + "\"";
}

bool unquote(std::string_view text, std::string& out) {
  if (text.size() < 2 || text.front() != '"' || text.back() != '"')
    return false;
  out.clear();
  const auto body = text.substr(1, text.size() - 2);
  for (std::size_t i = 0; i < body.size(); ++i) {
    const char c = body[i];
    if (c == '"')
      return false;
    if (c != '\\') {
      out += c;
      continue;
    }
    if (++i == body.size())
      return false;
    switch (body[i]) {
    case '"':
      out += '"';
      break;
    case '\\':
      out += '\\';
      break;
    case 'n':
      out += '\n';
      break;
    case 'r':
      out += '\r';
      break;
    default:
      return false;
    }
  }
  return true;
}

std::string comma_separated(const std::vector<std::string>& names) {
  std::string out;
  for (const auto& name : names)
    out += (out.empty() ? "" : ", ") + name;
  return out;
}

void Transcript::line(std::string_view text) {
  out_ << text << '\n';
  out_.flush();
}

void Transcript::error(std::string_view text) {
  line(text);
  if (errors_)
    *errors_ << "gishost: " << text << '\n' << std::flush;
}

} // namespace host::session
