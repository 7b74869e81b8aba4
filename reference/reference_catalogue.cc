#include "reference/reference_catalogue.h"

#include <sys/stat.h>

#include <cwctype>

#include <libxml/parser.h>
#include <libxml/tree.h>

#include "driver/wide_text.h"
#include "reference/attribute_text.h"

namespace {

bool IsElement(const xmlNode* node, const char* name) {
  return node->type == XML_ELEMENT_NODE &&
         xmlStrcmp(node->name, reinterpret_cast<const xmlChar*>(name)) == 0;
}

// A path is taken only from a CDATA section that opens the element.
void ReadPathElement(const xmlNode* element, std::wstring& field) {
  const xmlNode* first = element->children;
  if (first == nullptr || first->type != XML_CDATA_SECTION_NODE || first->content == nullptr)
    return;
  field = WidenBytes(reinterpret_cast<const char*>(first->content));
}

ReferenceDevice ReadDevice(const xmlNode* deviceElement) {
  ReferenceDevice device;
  const struct {
    const char* name;
    std::wstring ReferenceDevice::*field;
  } kFields[] = {
      {"type", &ReferenceDevice::type},         {"device_id", &ReferenceDevice::device_id},
      {"model", &ReferenceDevice::model},       {"firmware", &ReferenceDevice::firmware},
      {"bios", &ReferenceDevice::bios},         {"boot", &ReferenceDevice::boot},
      {"duration", &ReferenceDevice::duration},
  };
  for (const xmlNode* child = deviceElement->children; child != nullptr; child = child->next) {
    for (const auto& field : kFields) {
      if (!IsElement(child, field.name))
        continue;
      std::wstring value = GetAttributeText(child, "value");
      if (field.field == &ReferenceDevice::bios && value.empty())
        device.has_boot_rom = false;
      device.*field.field = std::move(value);
    }
  }
  return device;
}

void ReadDevices(const xmlNode* devicesElement, ReferenceCatalogue& catalogue) {
  for (const xmlNode* child = devicesElement->children; child != nullptr; child = child->next) {
    if (IsElement(child, "device"))
      catalogue.referenceDevices.push_back(ReadDevice(child));
  }
}

// The walk visits the top-level nodes, enters the root element, and handles
// the recognised elements wherever it meets them on that path. Only elements
// count: a document type declaration named like the root is passed over.
void WalkDocument(const xmlDoc* document, ReferenceCatalogue& catalogue) {
  const xmlNode* node = document->children;
  while (node != nullptr) {
    if (IsElement(node, "pelmo_fchba_reference")) {
      node = node->children;
      continue;
    }
    if (IsElement(node, "discovery_app_path"))
      ReadPathElement(node, catalogue.discovery_app_path);
    else if (IsElement(node, "installer_app_path"))
      ReadPathElement(node, catalogue.installer_app_path);
    else if (IsElement(node, "devices"))
      ReadDevices(node, catalogue);
    node = node->next;
  }
}

std::wstring FoldCase(const std::wstring& text) {
  std::wstring folded(text);
  for (wchar_t& c : folded)
    c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
  return folded;
}

}  // namespace

bool LoadReferenceCatalogue(ReferenceCatalogue& catalogue, const char* path) {
  struct stat status;
  if (stat(path, &status) != 0)
    return false;

  xmlInitParser();
  xmlDoc* document = xmlParseFile(path);
  if (document == nullptr) {
    xmlCleanupParser();
    return false;
  }
  WalkDocument(document, catalogue);
  xmlFreeDoc(document);
  xmlCleanupParser();
  return true;
}

int ReferenceCatalogue::FindDeviceIndex(const std::wstring& deviceId) const {
  // wcscasecmp compares characters after towlower, so equal folded texts are
  // exactly the texts it calls equal.
  if (indexedDevices_ != referenceDevices.size()) {
    firstIndexByFoldedId_.clear();
    for (size_t i = 0; i < referenceDevices.size(); ++i)
      firstIndexByFoldedId_.emplace(FoldCase(referenceDevices[i].device_id), static_cast<int>(i));
    indexedDevices_ = referenceDevices.size();
  }
  auto found = firstIndexByFoldedId_.find(FoldCase(deviceId));
  return found == firstIndexByFoldedId_.end() ? -1 : found->second;
}
