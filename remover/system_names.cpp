// Names resolved as the system resolves them.
#include "remover/system_names.h"

#include "platform/code_page.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Drops the blanks and dots that end the path part starting at `partBegin`. Neither byte is
// ever the second byte of a double-byte character, so no character is split.
void DropTrailingBlanksAndDots(std::string* resolved, size_t partBegin) {
    while (resolved->size() > partBegin && (resolved->back() == ' ' || resolved->back() == '.'))
        resolved->pop_back();
}

}  // namespace

std::string ResolvedName(const std::string& name) {
    std::string resolved;
    resolved.reserve(name.size());
    size_t partBegin = 0;
    for (size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < name.size()) {
            resolved += c;
            resolved += name[++i];  // any value from 0x40 up, letters and "\" among them
        } else if (IsSeparator(c)) {
            DropTrailingBlanksAndDots(&resolved, partBegin);
            resolved += '\\';
            partBegin = resolved.size();
        } else {
            resolved += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        }
    }
    DropTrailingBlanksAndDots(&resolved, partBegin);
    return resolved;
}

bool IsBlankName(const std::string& name) {
    return name.find_first_not_of(' ') == std::string::npos;
}
