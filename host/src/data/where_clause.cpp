#include "data/where_clause.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <variant>
#include <vector>

#include "data/host_error.h"

namespace host {

struct WhereClause::Node {
  enum class Kind { comparison, conjunction, disjunction } kind = Kind::comparison;
  // comparison
  int column = -1;
  std::string op;
  std::variant<double, std::string> literal;
  // conjunction / disjunction: a chain "a AND b AND c" is one node with three terms, so only
  // parentheses make the tree deeper and a long chain costs no depth to evaluate or free.
  std::vector<std::shared_ptr<const Node>> terms;
};

namespace {

using Node = WhereClause::Node;

// Each level of parentheses costs the parser three stack frames; far deeper than any clause a
// person writes, far below what overflows the stack.
constexpr int MaxParenthesisDepth = 100;

class Parser {
public:
  Parser(const std::string& text, const WhereClause::Resolver& resolve)
      : text_(text), resolve_(resolve) {}

  std::shared_ptr<const Node> clause() {
    skip_blanks();
    if (at_end())
      return nullptr;
    auto root = disjunction();
    skip_blanks();
    if (!at_end())
      fail("expected AND, OR or the end");
    return root;
  }

private:
  std::shared_ptr<const Node> disjunction() {
    return chain(Node::Kind::disjunction, "OR", [this] { return conjunction(); });
  }

  std::shared_ptr<const Node> conjunction() {
    return chain(Node::Kind::conjunction, "AND", [this] { return factor(); });
  }

  // One term, or a node of `kind` holding every term joined by `word`.
  template <class Term>
  std::shared_ptr<const Node> chain(Node::Kind kind, const char* word, const Term& term) {
    auto first = term();
    if (!keyword(word))
      return first;
    auto node = std::make_shared<Node>();
    node->kind = kind;
    node->terms.push_back(std::move(first));
    do
      node->terms.push_back(term());
    while (keyword(word));
    return node;
  }

  std::shared_ptr<const Node> factor() {
    skip_blanks();
    if (peek() == '(') {
      if (depth_ == MaxParenthesisDepth)
        fail("parentheses are nested deeper than " + std::to_string(MaxParenthesisDepth) +
             " levels");
      ++at_;
      ++depth_;
      auto inner = disjunction();
      --depth_;
      skip_blanks();
      if (peek() != ')')
        fail("expected \")\"");
      ++at_;
      return inner;
    }
    return comparison();
  }

  std::shared_ptr<const Node> comparison() {
    skip_blanks();
    const auto name_at = at_;
    const auto name = field_name();
    const auto column = resolve_(name);
    if (!column)
      fail_at(name_at, "there is no field \"" + name + "\"");
    auto node = std::make_shared<Node>();
    node->column = column->index;
    node->op = comparison_operator();
    skip_blanks();
    const auto literal_at = at_;
    if (peek() == '\'') {
      node->literal = text_literal();
      if (!column->text)
        fail_at(literal_at, "the field \"" + name + "\" takes a number");
    } else {
      node->literal = number_literal();
      if (column->text)
        fail_at(literal_at, "the field \"" + name + "\" takes a text in quotes");
    }
    return node;
  }

  std::string field_name() {
    if (peek() == '"')
      return quoted_field_name();
    const auto start = at_;
    while (!at_end() && (std::isalnum(uchar()) || peek() == '_'))
      ++at_;
    if (start == at_ || std::isdigit(static_cast<unsigned char>(text_[start])))
      fail_at(start, "expected a field name");
    auto name = text_.substr(start, at_ - start);
    if (is_keyword(name))
      fail_at(start, "expected a field name");
    return name;
  }

  std::string quoted_field_name() {
    auto name = quoted('"', "the field name has no closing quote");
    if (name.empty())
      fail("expected a field name");
    return name;
  }

  std::string comparison_operator() {
    skip_blanks();
    for (const char* op : {"<=", ">=", "<>", "=", "<", ">"}) {
      if (text_.compare(at_, std::char_traits<char>::length(op), op) == 0) {
        at_ += std::char_traits<char>::length(op);
        return op;
      }
    }
    fail("expected one of = <> < > <= >=");
  }

  std::string text_literal() { return quoted('\'', "the text has no closing quote"); }

  // The text between two `mark`s from here on, a doubled mark inside standing for one.
  std::string quoted(char mark, const char* unclosed) {
    std::string value;
    for (++at_; !at_end(); ++at_) {
      if (peek() != mark) {
        value += peek();
        continue;
      }
      if (at_ + 1 < text_.size() && text_[at_ + 1] == mark) {
        value += mark;
        ++at_;
        continue;
      }
      ++at_;
      return value;
    }
    fail(unclosed);
  }

  double number_literal() {
    const char* start = text_.c_str() + at_;
    // strtod alone would also take "inf", "nan" and hexadecimal forms.
    std::size_t n = 0;
    if (start[n] == '+' || start[n] == '-')
      ++n;
    if (!std::isdigit(static_cast<unsigned char>(start[n])) && start[n] != '.')
      fail("expected a number or a text in quotes");
    char* end = nullptr;
    const double value = std::strtod(start, &end);
    if (end == start || (at_ + static_cast<std::size_t>(end - start) < text_.size() &&
                         (std::isalpha(static_cast<unsigned char>(*end)) || *end == '_')))
      fail("expected a number or a text in quotes");
    for (const char* c = start; c < end; ++c)
      if (*c == 'x' || *c == 'X')
        fail("expected a number or a text in quotes");
    at_ += static_cast<std::size_t>(end - start);
    return value;
  }

  bool keyword(const char* word) {
    skip_blanks();
    const auto length = std::char_traits<char>::length(word);
    if (at_ + length > text_.size())
      return false;
    for (std::size_t i = 0; i < length; ++i)
      if (std::toupper(static_cast<unsigned char>(text_[at_ + i])) != word[i])
        return false;
    const auto after = at_ + length;
    if (after < text_.size() &&
        (std::isalnum(static_cast<unsigned char>(text_[after])) || text_[after] == '_'))
      return false;
    at_ = after;
    return true;
  }

  static bool is_keyword(std::string name) {
    for (auto& c : name)
      c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name == "AND" || name == "OR";
  }

  void skip_blanks() {
    while (!at_end() && std::isspace(uchar()))
      ++at_;
  }
  bool at_end() const { return at_ >= text_.size(); }
  char peek() const { return at_end() ? '\0' : text_[at_]; }
  unsigned char uchar() const { return static_cast<unsigned char>(peek()); }

  [[noreturn]] void fail(const std::string& what) { fail_at(at_, what); }
  [[noreturn]] void fail_at(std::size_t where, const std::string& what) {
    throw HostError("the where clause \"" + text_ + "\" is not understood at character " +
                        std::to_string(where + 1) + ": " + what,
                    com::E_INVALIDARG);
  }

  const std::string& text_;
  const WhereClause::Resolver& resolve_;
  std::size_t at_ = 0;
  int depth_ = 0;
};

template <class T> bool compare(const T& a, const std::string& op, const T& b) {
  if (op == "=")
    return a == b;
  if (op == "<>")
    return a != b;
  if (op == "<")
    return a < b;
  if (op == ">")
    return a > b;
  if (op == "<=")
    return a <= b;
  return a >= b;
}

bool evaluate(const Node& node, const WhereClause::Values& value_of) {
  const auto holds = [&](const auto& term) { return evaluate(*term, value_of); };
  switch (node.kind) {
  case Node::Kind::conjunction:
    return std::ranges::all_of(node.terms, holds);
  case Node::Kind::disjunction:
    return std::ranges::any_of(node.terms, holds);
  case Node::Kind::comparison:
    break;
  }
  const com::Variant value = value_of(node.column);
  if (value.is_empty())
    return false;
  if (const auto* number = std::get_if<double>(&node.literal)) {
    const auto mine = value.to_double();
    return mine && compare(*mine, node.op, *number);
  }
  const auto mine = value.to_string();
  return mine && compare(*mine, node.op, std::get<std::string>(node.literal));
}

} // namespace

WhereClause WhereClause::parse(const std::string& text, const Resolver& resolve) {
  WhereClause clause;
  clause.root_ = Parser(text, resolve).clause();
  return clause;
}

bool WhereClause::matches(const Values& value_of) const {
  return !root_ || evaluate(*root_, value_of);
}

} // namespace host
