// Loading the program's own string-table entries and filling their one placeholder.
#include "remover/string_loader.h"

namespace {

// Entries are loaded into this many bytes, the terminating zero included.
constexpr int kEntrySize = 256;

}  // namespace

std::string StringLoader::Load(unsigned id) const {
    char buffer[kEntrySize];
    const int length = platform::LoadStringEntry(module_, id, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

std::string StringLoader::Format(unsigned id, const std::string& argument) const {
    return FillPlaceholder(Load(id), argument);
}

std::string StringLoader::Format(unsigned id, int argument) const {
    return FillPlaceholder(Load(id), std::to_string(argument));
}

// "%" never occurs as the second byte of a double-byte character (those start at 0x40), so
// the text can be scanned byte by byte.
std::string FillPlaceholder(const std::string& text, const std::string& argument) {
    std::string out;
    out.reserve(text.size() + argument.size());
    bool filled = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (text[i] == '%' && next == '%') {
            out += '%';
            ++i;
        } else if (text[i] == '%' && !filled && (next == 'd' || next == 's')) {
            out += argument;
            filled = true;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}
