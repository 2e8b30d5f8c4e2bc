#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace host::testing {

// A strict enough check that a text is well-formed XML for what the map drawing writes: one
// prolog, elements with quoted attributes, balanced tags, known entities and nothing after
// the root element.
inline ::testing::AssertionResult well_formed_xml(const std::string& text) {
  std::size_t at = 0;
  std::vector<std::string> open;
  bool root_done = false;
  auto fail = [&](const std::string& why) {
    return ::testing::AssertionFailure() << why << " at byte " << at << ": " << text.substr(at, 60);
  };
  auto is_name_char = [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == ':' ||
           c == '.';
  };
  auto check_entities = [&](std::size_t from, std::size_t to) -> bool {
    for (std::size_t i = from; i < to; ++i) {
      if (text[i] == '<')
        return false;
      if (text[i] != '&')
        continue;
      const auto end = text.find(';', i);
      if (end == std::string::npos || end > to)
        return false;
      const auto entity = text.substr(i + 1, end - i - 1);
      if (entity != "amp" && entity != "lt" && entity != "gt" && entity != "quot" &&
          entity != "apos")
        return false;
    }
    return true;
  };
  if (text.rfind("<?xml", 0) != 0)
    return fail("no prolog");
  at = text.find("?>") + 2;
  while (at < text.size()) {
    const auto lt = text.find('<', at);
    if (lt == std::string::npos) {
      if (text.find_first_not_of(" \n\r\t", at) != std::string::npos)
        return fail("text after the root");
      break;
    }
    if (!check_entities(at, lt))
      return fail("bad character data");
    if ((open.empty() && lt > at && text.find_first_not_of(" \n\r\t", at) < lt))
      return fail("text outside the root");
    at = lt;
    const auto gt = text.find('>', at);
    if (gt == std::string::npos)
      return fail("unclosed tag");
    if (text[at + 1] == '/') {
      const auto name = text.substr(at + 2, gt - at - 2);
      if (open.empty() || open.back() != name)
        return fail("mismatched end tag " + name);
      open.pop_back();
      if (open.empty())
        root_done = true;
      at = gt + 1;
      continue;
    }
    if (root_done)
      return fail("second root element");
    std::size_t i = at + 1;
    while (i < gt && is_name_char(text[i]))
      ++i;
    const auto name = text.substr(at + 1, i - at - 1);
    if (name.empty())
      return fail("element without a name");
    const bool empty_element = text[gt - 1] == '/';
    const std::size_t attributes_end = empty_element ? gt - 1 : gt;
    while (i < attributes_end) {
      if (std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
        continue;
      }
      const auto attribute_start = i;
      while (i < attributes_end && is_name_char(text[i]))
        ++i;
      if (i == attribute_start || text[i] != '=' || text[i + 1] != '"')
        return fail("bad attribute");
      const auto close = text.find('"', i + 2);
      if (close == std::string::npos || close >= attributes_end)
        return fail("unclosed attribute");
      if (!check_entities(i + 2, close))
        return fail("bad attribute value");
      i = close + 1;
    }
    if (!empty_element)
      open.push_back(name);
    else if (open.empty())
      root_done = true;
    at = gt + 1;
  }
  if (!open.empty())
    return fail("unclosed element " + open.back());
  if (!root_done)
    return fail("no root element");
  return ::testing::AssertionSuccess();
}

} // namespace host::testing
