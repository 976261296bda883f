// Bounded copying, appending and formatting of code page 932 texts.
#include "engine/status_text.h"

#include <cstdio>
#include <cstring>

#include "platform/code_page.h"

void CopyTextBounded(char* buffer, int size, const char* text) {
    if (buffer == nullptr || size <= 0) return;
    if (text == nullptr) text = "";
    size_t length = std::strlen(text);
    const size_t room = static_cast<size_t>(size) - 1;
    if (length > room) length = WholeCharacters(text, room);
    std::memmove(buffer, text, length);
    buffer[length] = '\0';
}

void StatusCopy(char* status, const char* text) { CopyTextBounded(status, kStatusSize, text); }

void StatusAppend(char* status, const char* text) {
    if (status == nullptr) return;
    const size_t used = WholeCharacters(status, strnlen(status, kStatusSize - 1));
    CopyTextBounded(status + used, kStatusSize - static_cast<int>(used), text);
}

void FormatTextBoundedV(char* buffer, int size, const char* format, va_list arguments) {
    if (buffer == nullptr || size <= 0) return;
    // Formatted in place, without a heap copy: the out-of-memory box is formatted here too,
    // when an allocation could fail and an exception would cross into the host.
    const int needed = std::vsnprintf(buffer, static_cast<size_t>(size), format, arguments);
    if (needed < 0) {
        buffer[0] = '\0';
        return;
    }
    // A cut result may end on the first byte of a double-byte character: drop that byte.
    if (needed >= size) buffer[WholeCharacters(buffer, static_cast<size_t>(size) - 1)] = '\0';
}

void FormatTextBounded(char* buffer, int size, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    FormatTextBoundedV(buffer, size, format, arguments);
    va_end(arguments);
}
