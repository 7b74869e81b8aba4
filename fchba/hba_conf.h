// Reading one line of the management library configuration ("hba.conf"):
// a library name, a tab or space, and the library's path.

#ifndef FCHBA_HBA_CONF_H_
#define FCHBA_HBA_CONF_H_

#include <string>

// Splits `line` (one read of at most 511 bytes, zero-terminated) into the
// library name and its sanitised path. False when the line is to be skipped:
// a comment, an empty line, a line without a tab or space, or one whose name
// or path is empty before sanitising. Sanitising may still leave "" as path.
bool parseHbaConfLine(const char* line, std::string& name, std::string& path);

#endif  // FCHBA_HBA_CONF_H_
