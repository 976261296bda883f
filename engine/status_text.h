// The painting's status buffer: one 256-byte text into which every component writes its name
// prefix and its failure details. All writes go through these bounded helpers.
#pragma once

#include <cstdarg>

constexpr int kStatusSize = 256;

// Replaces the text with `text`, cut to 255 bytes without splitting a double-byte character.
void StatusCopy(char* status, const char* text);

// Appends `text`, cut so that the whole stays within 255 bytes.
void StatusAppend(char* status, const char* text);

// Copies `text` into a buffer of `size` bytes, cut without splitting a double-byte character
// of code page 932. Always terminates when size > 0.
void CopyTextBounded(char* buffer, int size, const char* text);

// printf into a buffer of `size` bytes, cut like CopyTextBounded. No allocation; the
// arguments must not point into `buffer`.
void FormatTextBounded(char* buffer, int size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
void FormatTextBoundedV(char* buffer, int size, const char* format, va_list arguments);
