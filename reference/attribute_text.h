// Reading one attribute of a catalogue element as wide text.
#ifndef REFERENCE_ATTRIBUTE_TEXT_H_
#define REFERENCE_ATTRIBUTE_TEXT_H_

#include <string>

struct _xmlNode;

// The text of the element's attribute `name`, widened byte by byte, or an
// empty text when there is none. Of repeated attributes the last one counts.
// Nodes that are not elements have no attributes.
std::wstring GetAttributeText(const _xmlNode* element, const char* name);

#endif  // REFERENCE_ATTRIBUTE_TEXT_H_
