#include "vendor/discovery_report.h"

#include <cstdio>

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlIO.h>
#include <libxml/xmlsave.h>

#include "driver/wide_text.h"

namespace {

const xmlChar* Name(const char* text) {
  return reinterpret_cast<const xmlChar*>(text);
}

// Adds an empty element under `parent` whose one attribute `value` holds the
// text, written one byte per wide character.
void AddValueElement(xmlNode* parent, const char* name, const std::wstring& value) {
  xmlNode* element = xmlNewChild(parent, nullptr, Name(name), nullptr);
  std::string bytes = NarrowLowBytes(value);
  xmlNewProp(element, Name("value"), Name(bytes.c_str()));
}

void AddFirmwareItem(xmlNode* device, const FirmwareItem& item) {
  xmlNode* element = xmlNewChild(device, nullptr, Name("fw_item"), nullptr);
  AddValueElement(element, "type", item.type);
  AddValueElement(element, "firmware_id", item.firmware_id);
  AddValueElement(element, "version", item.version);
  AddValueElement(element, "active_version", item.active_version);
  AddValueElement(element, "action", item.action);
  AddValueElement(element, "duration", item.duration);
  AddValueElement(element, "message", item.message);
  AddValueElement(element, "shared", item.shared);
}

void AddDevice(xmlNode* devices, const DeviceEntry& entry) {
  xmlNode* device = xmlNewChild(devices, nullptr, Name("device"), nullptr);
  AddValueElement(device, "device_id", entry.device_id);
  AddValueElement(device, "product_id", entry.product_id);
  AddValueElement(device, "busnumber", entry.busnumber);
  AddValueElement(device, "funcnumber", entry.funcnumber);
  for (const FirmwareItem& item : entry.fw_items)
    AddFirmwareItem(device, item);
}

xmlDoc* BuildReport(const ReportTexts& texts, const std::vector<DeviceEntry>& devices) {
  xmlDoc* document = xmlNewDoc(nullptr);
  if (document == nullptr)
    return nullptr;
  xmlNode* root = xmlNewNode(nullptr, Name("qv_rom_discovery"));
  xmlNewProp(root, Name("version"), Name("2.0.0.0"));
  xmlDocSetRootElement(document, root);

  AddValueElement(root, "type", texts.type);
  AddValueElement(root, "alt_name", texts.alt_name);
  AddValueElement(root, "version", texts.version);
  AddValueElement(root, "takes_effect", texts.takes_effect);
  xmlNode* devicesElement = xmlNewChild(root, nullptr, Name("devices"), nullptr);
  for (const DeviceEntry& entry : devices)
    AddDevice(devicesElement, entry);
  return document;
}

// The library's formatted save, into a file opened here: the library's own
// file opening would read "-" as standard output and undo %-escapes in the
// name, and the path is to be taken literally.
bool SaveFormatted(xmlDoc* document, const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (file == nullptr)
    return false;
  xmlOutputBuffer* output = xmlOutputBufferCreateFile(file, nullptr);
  if (output == nullptr) {
    std::fclose(file);
    return false;
  }
  int written = xmlSaveFormatFileTo(output, document, nullptr, 1);
  bool closed = std::fclose(file) == 0;
  return written >= 0 && closed;
}

}  // namespace

bool SaveDiscoveryReport(const std::string& path, const ReportTexts& texts,
                         const std::vector<DeviceEntry>& devices) {
  xmlInitParser();
  xmlDoc* document = BuildReport(texts, devices);
  if (document == nullptr)
    return false;
  bool saved = SaveFormatted(document, path);
  xmlFreeDoc(document);
  return saved;
}
