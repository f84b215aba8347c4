// Walking a VS_VERSIONINFO block along a sub-block path such as
// "\StringFileInfo\040904E4\CompanyName". Every node is checked to lie inside its parent,
// and the root's wLength bounds the whole walk, so a damaged block ends the
// search instead of leading the reads astray.
#include "platform/posix/files/files_posix.h"
#include "platform/posix/ui/ui_posix.h"
#include "platform/posix/version/version_posix.h"

namespace posix {
namespace {

size_t Align4(size_t n) { return (n + 3) & ~static_cast<size_t>(3); }

struct Node {
  size_t start = 0;
  size_t end = 0;  // start + wLength
  size_t keyStart = 0;
  size_t keyLength = 0;  // characters, without the NUL
  size_t valueStart = 0;
  size_t valueBytes = 0;  // as the node declares it
  uint16_t valueLength = 0;
  bool text = false;
};

// A node of a 32-bit block: wLength, wValueLength, wType, WCHAR key.
// A 16-bit node lacks wType and has an ANSI key.
bool ParseNode(const uint8_t* b, size_t start, size_t limit, bool sixteenBit, Node* n) {
  const size_t header = sixteenBit ? 4 : 6;
  const size_t unit = sixteenBit ? 1 : 2;
  if (start + header > limit) return false;
  size_t length = LoadU16(b + start);
  if (length < header || start + length > limit) return false;
  n->start = start;
  n->end = start + length;
  n->valueLength = LoadU16(b + start + 2);
  n->text = !sixteenBit && LoadU16(b + start + 4) == 1;
  n->keyStart = start + header;
  size_t p = n->keyStart;
  while (p + unit <= n->end && (sixteenBit ? b[p] : LoadU16(b + p)) != 0) p += unit;
  if (p + unit > n->end) return false;  // the key has no terminator inside the node
  n->keyLength = (p - n->keyStart) / unit;
  n->valueStart = Align4(p + unit);
  n->valueBytes = n->text ? n->valueLength * 2u : n->valueLength;
  return true;
}

// Folds the case of a character of the Latin-1 range, as Windows compares
// these keys without regard to case.
uint16_t FoldCase(uint16_t c) {
  if (c >= 'a' && c <= 'z') return static_cast<uint16_t>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<uint16_t>(c - 32);
  return c;
}

bool KeyEquals(const uint8_t* b, const Node& n, bool sixteenBit, const char* name, size_t nameLength) {
  if (n.keyLength != nameLength) return false;
  for (size_t i = 0; i < nameLength; ++i) {
    uint16_t k = sixteenBit ? b[n.keyStart + i] : LoadU16(b + n.keyStart + 2 * i);
    if (FoldCase(k) != FoldCase(static_cast<uint8_t>(name[i]))) return false;
  }
  return true;
}

bool FindChild(const uint8_t* b, const Node& parent, bool sixteenBit, const char* name,
               size_t nameLength, Node* child) {
  size_t pos = Align4(parent.valueStart + parent.valueBytes);
  while (pos < parent.end) {
    if (!ParseNode(b, pos, parent.end, sixteenBit, child)) return false;
    if (KeyEquals(b, *child, sixteenBit, name, nameLength)) return true;
    pos = Align4(child->end);
  }
  return false;
}

}  // namespace

bool FindVersionValue(const uint8_t* block, const char* subBlock, VersionValue* value) {
  const bool sixteenBit = IsSixteenBitBlock(block);
  Node node;
  if (!ParseNode(block, 0, LoadU16(block), sixteenBit, &node)) return false;
  const char* p = subBlock ? subBlock : "";
  while (*p) {
    if (*p == '\\') {  // empty components, as in "\\StringFileInfo", are skipped
      ++p;
      continue;
    }
    const char* end = p;
    while (*end && *end != '\\') ++end;
    Node child;
    if (!FindChild(block, node, sixteenBit, p, static_cast<size_t>(end - p), &child)) return false;
    node = child;
    p = end;
  }
  size_t available = node.valueStart < node.end ? node.end - node.valueStart : 0;
  size_t bytes = node.valueBytes < available ? node.valueBytes : available;
  value->offset = node.valueStart;
  value->text = node.text;
  value->length = static_cast<uint32_t>(node.text ? bytes / 2 : bytes);
  return true;
}

}  // namespace posix
