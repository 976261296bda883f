// Names of files, folders and Program Manager entries as the system resolves them: two parts
// of the product that spell one name differently still name one file, one group or one item.
#pragma once

#include <string>

// The form in which two spellings of one name are equal: ASCII letters in upper case (never the
// second byte of a double-byte character), "/" as "\", and every path part without its
// trailing blanks and dots. The system drops those at the end of a name and a dot at the end
// of a folder's; dropping them from every part can make names that the system still tells
// apart look alike, which only ever keeps a file or an entry that could have gone.
std::string ResolvedName(const std::string& name);

// True for a name that names nothing once the system has dropped its trailing blanks: empty,
// or blanks alone.
bool IsBlankName(const std::string& name);
