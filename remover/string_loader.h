// The removal program's own string loader: entries of its string table as code page 932 text
// of at most 255 characters, and the entries that carry one "%d" or "%s" filled in.
#pragma once

#include <string>

#include "platform/platform.h"

class StringLoader {
public:
    explicit StringLoader(platform::ModuleHandle module) : module_(module) {}

    // The entry, empty when there is none.
    std::string Load(unsigned id) const;

    // The entry with its first "%d" or "%s" replaced by `argument` and every "%%" by "%". The
    // argument is inserted, never read as a format, so a path with "%" in it stays as it is.
    std::string Format(unsigned id, const std::string& argument) const;
    std::string Format(unsigned id, int argument) const;

private:
    platform::ModuleHandle module_;
};

// The replacement that StringLoader::Format applies to an entry's text.
std::string FillPlaceholder(const std::string& text, const std::string& argument);
