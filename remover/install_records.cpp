// Reading the installation records for a command and changing them key by key.
#include "remover/install_records.h"

#include <algorithm>

namespace {

const char kListSection[] = "INSTALL";

std::string NumberedKey(const char* stem, int number) { return stem + std::to_string(number); }

// The characters the profile functions trim from both ends of a section name they look up.
bool IsProfileSpace(char c) { return (c >= '\t' && c <= '\r') || c == '\x1A' || c == ' '; }

std::string TrimProfileSpace(const std::string& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsProfileSpace(text[begin])) ++begin;
    while (end > begin && IsProfileSpace(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

bool SameNameIgnoringCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        if (x != y) return false;
    }
    return i == a.size() && b[i] == '\0';
}

}  // namespace

int ParseRecordCount(const std::string& text, int limit) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > limit) value = limit;  // saturate before it could overflow
    }
    if (negative) return 0;
    return static_cast<int>(value);
}

std::string SectionLookedUp(const std::string& partName) {
    std::string name = TrimProfileSpace(partName);
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
        name = TrimProfileSpace(name.substr(1, name.size() - 2));
    return name;
}

bool HasOwnSection(const std::string& partName) {
    const std::string name = SectionLookedUp(partName);
    return !name.empty() && !SameNameIgnoringCase(name, kListSection);
}

int InstallRecords::ReadPartCount() const {
    return ParseRecordCount(store_->Read(kListSection, "SECTIONS"), kMaxListedParts);
}

std::vector<std::string> InstallRecords::ReadPartNames(int count) const {
    std::vector<std::string> names;
    for (int n = 1; n <= count; ++n)
        names.push_back(store_->Read(kListSection, NumberedKey("SECTION", n)));
    return names;
}

InstalledPart InstallRecords::ReadPart(const std::string& name) const {
    InstalledPart part;
    part.name = name;
    if (!HasOwnSection(name)) return part;
    part.group = store_->Read(name, "GROUP");
    part.folder = store_->Read(name, "DIR");
    const int files = ParseRecordCount(store_->Read(name, "FILES"), kMaxPartEntries);
    const int items = ParseRecordCount(store_->Read(name, "ITEMS"), kMaxPartEntries);
    for (int k = 1; k <= files; ++k)
        part.files.push_back(store_->Read(name, NumberedKey("FILE", k)));
    // Each ITEM key is read once, for both lists it may belong to.
    for (int k = 1; k <= std::max(files, items); ++k) {
        const std::string title = store_->Read(name, NumberedKey("ITEM", k));
        if (k <= items) part.items.push_back(title);
        if (k <= files) part.fileItems.push_back(title);
    }
    return part;
}

std::vector<InstalledPart> InstallRecords::ReadListedParts() const {
    std::vector<InstalledPart> parts;
    for (const std::string& name : ReadPartNames(ReadPartCount())) parts.push_back(ReadPart(name));
    return parts;
}

bool InstallRecords::DeletePart(const std::string& name) const {
    return !HasOwnSection(name) || store_->DeleteSection(name);
}

bool InstallRecords::DropFromList(int index, int count) const {
    if (index < 0 || index >= count) return true;
    for (int n = index + 1; n < count; ++n)
        if (!store_->Write(kListSection, NumberedKey("SECTION", n),
                           store_->Read(kListSection, NumberedKey("SECTION", n + 1))))
            return false;
    return store_->DeleteKey(kListSection, NumberedKey("SECTION", count)) &&
           store_->Write(kListSection, "SECTIONS", std::to_string(count - 1));
}
