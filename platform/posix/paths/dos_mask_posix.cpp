// DOS wildcard masks as FindFirstFile applies them. Windows turns a mask
// into the file system's DOS wildcards before matching:
//   "?"               any one character, or none before a dot or the end;
//   "*" before a "."  any characters up to the name's last dot;
//   "." before "?" or "*" or at the end of the mask
//                     a dot, or nothing at the end of the name;
//   any other "*"     any characters.
// So "*.*" matches names without a dot and "*." only names without one.
#include <string>
#include <vector>

#include "platform/posix/paths/paths_posix.h"

namespace posix {
namespace {

enum class Token { kLiteral, kStar, kDosStar, kDosDot, kDosQuestion };

struct MaskItem {
  Token token;
  char literal;
};

std::vector<MaskItem> ParseMask(const std::string& mask) {
  std::vector<MaskItem> items;
  for (size_t i = 0; i < mask.size(); ++i) {
    char c = mask[i];
    char next = i + 1 < mask.size() ? mask[i + 1] : '\0';
    if (c == '?') items.push_back({Token::kDosQuestion, 0});
    else if (c == '*') items.push_back({next == '.' ? Token::kDosStar : Token::kStar, 0});
    else if (c == '.' && (next == '?' || next == '*' || next == '\0')) items.push_back({Token::kDosDot, 0});
    else items.push_back({Token::kLiteral, c});
  }
  return items;
}

char Fold(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool MatchDosMask(const std::string& mask, const std::string& name) {
  std::vector<MaskItem> items = ParseMask(mask);
  const size_t m = items.size();
  const size_t n = name.size();
  const size_t lastDot = name.find_last_of('.');
  // can[i * (n + 1) + j]: the mask from item i matches the name from byte j.
  std::vector<char> can((m + 1) * (n + 1), 0);
  auto at = [&](size_t i, size_t j) -> char& { return can[i * (n + 1) + j]; };
  at(m, n) = 1;
  for (size_t i = m; i-- > 0;) {
    for (size_t j = n + 1; j-- > 0;) {
      bool more = j < n;
      bool atDotOrEnd = !more || name[j] == '.';
      bool ok = false;
      switch (items[i].token) {
        case Token::kLiteral:
          ok = more && Fold(name[j]) == Fold(items[i].literal) && at(i + 1, j + 1);
          break;
        case Token::kStar:
          ok = at(i + 1, j) || (more && at(i, j + 1));
          break;
        case Token::kDosStar:
          ok = at(i + 1, j) || (more && j != lastDot && at(i, j + 1));
          break;
        case Token::kDosDot:
          ok = (more && name[j] == '.' && at(i + 1, j + 1)) || (!more && at(i + 1, j));
          break;
        case Token::kDosQuestion:
          ok = (!atDotOrEnd && at(i + 1, j + 1)) || (atDotOrEnd && at(i + 1, j));
          break;
      }
      at(i, j) = ok ? 1 : 0;
    }
  }
  return at(0, 0) != 0;
}

}  // namespace posix
