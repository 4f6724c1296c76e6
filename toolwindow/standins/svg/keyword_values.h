#pragma once

#include <libxml/tree.h>

namespace corvane::standin::svg {

// SVG++ matches colour names and keywords byte by byte as plain chars, and
// a byte above 127 (an accented or CJK letter typed into a fill) breaks
// that match. No keyword or colour contains one, so such a value cannot be
// read anyway: it is dropped before the traversal, from the attribute and
// from the style, and the element keeps what it inherits, as with any
// other paint this reader cannot read.
void dropNonAsciiKeywordValues(xmlNode* root);

}  // namespace corvane::standin::svg
