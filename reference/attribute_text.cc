#include "reference/attribute_text.h"

#include <libxml/tree.h>

#include "driver/wide_text.h"

std::wstring GetAttributeText(const xmlNode* element, const char* name) {
  if (element == nullptr || element->type != XML_ELEMENT_NODE)
    return std::wstring();

  const xmlAttr* found = nullptr;
  for (const xmlAttr* attr = element->properties; attr != nullptr; attr = attr->next) {
    if (xmlStrcmp(attr->name, reinterpret_cast<const xmlChar*>(name)) == 0)
      found = attr;
  }
  if (found == nullptr)
    return std::wstring();

  // The usual attribute is a single text node: read it in place.
  const xmlNode* only = found->children;
  if (only != nullptr && only->next == nullptr && only->type == XML_TEXT_NODE)
    return WidenBytes(reinterpret_cast<const char*>(only->content));

  xmlChar* value = xmlNodeListGetString(element->doc, found->children, 1);
  if (value == nullptr)
    return std::wstring();
  std::wstring text = WidenBytes(reinterpret_cast<const char*>(value));
  xmlFree(value);
  return text;
}
