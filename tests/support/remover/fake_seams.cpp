// The stand-in seams of the removal's portable tests.
#include "tests/support/remover/fake_seams.h"

#include <algorithm>
#include <sstream>

#ifdef ZO_WIN32
#include <windows.h>
#else
#include "platform/native_module.h"
#endif

platform::ModuleHandle ZoclearStrings() {
#ifdef ZO_WIN32
    return GetModuleHandleA(nullptr);  // the test program carries the program's string table
#else
    return platform::NativeModuleHandle("Zoclear");
#endif
}

namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
               return upper(x) == upper(y);
           });
}

}  // namespace

// ---- MemoryProfile -----------------------------------------------------------------------------

MemoryProfile::MemoryProfile(const std::string& text) {
    std::istringstream lines(text);
    std::string line, section;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        const size_t equals = line.find('=');
        if (equals != std::string::npos)
            Write(section, line.substr(0, equals), line.substr(equals + 1));
    }
}

// As the profile functions do, the name looked up is trimmed of blanks and tabs at both ends.
MemoryProfile::Section* MemoryProfile::Find(const std::string& section) {
    const size_t begin = section.find_first_not_of(" \t");
    const std::string name =
        begin == std::string::npos
            ? std::string()
            : section.substr(begin, section.find_last_not_of(" \t") - begin + 1);
    for (Section& s : sections_)
        if (SameIgnoringCase(s.name, name)) return &s;
    return nullptr;
}

std::string MemoryProfile::Read(const std::string& section, const std::string& key) {
    ++reads_;
    if (Section* s = Find(section))
        for (const auto& entry : s->keys)
            if (SameIgnoringCase(entry.first, key)) return entry.second;
    return std::string();
}

bool MemoryProfile::TakeWrite() {
    if (writesLeft == 0) return false;
    if (writesLeft > 0) --writesLeft;
    return true;
}

bool MemoryProfile::Write(const std::string& section, const std::string& key,
                          const std::string& value) {
    if (!TakeWrite()) return false;
    Section* s = Find(section);
    if (s == nullptr) {
        sections_.push_back({section, {}});
        s = &sections_.back();
    }
    for (auto& entry : s->keys)
        if (SameIgnoringCase(entry.first, key)) {
            entry.second = value;
            return true;
        }
    s->keys.emplace_back(key, value);
    return true;
}

bool MemoryProfile::DeleteKey(const std::string& section, const std::string& key) {
    if (!TakeWrite()) return false;
    if (Section* s = Find(section))
        s->keys.erase(
            std::remove_if(s->keys.begin(), s->keys.end(),
                           [&](const auto& entry) { return SameIgnoringCase(entry.first, key); }),
            s->keys.end());
    return true;
}

bool MemoryProfile::DeleteSection(const std::string& section) {
    if (!TakeWrite()) return false;
    sections_.erase(
        std::remove_if(sections_.begin(), sections_.end(),
                       [&](const Section& s) { return SameIgnoringCase(s.name, section); }),
        sections_.end());
    return true;
}

std::string MemoryProfile::Text() const {
    std::string text;
    for (const Section& s : sections_) {
        text += "[" + s.name + "]\n";
        for (const auto& entry : s.keys) text += entry.first + "=" + entry.second + "\n";
    }
    return text;
}

std::vector<std::string> FileValues(const std::string& ini) {
    std::vector<std::string> values;
    std::istringstream lines(ini);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t equals = line.find('=');
        const bool fileKey = equals != std::string::npos && equals > 4 &&
                             line.compare(0, 4, "FILE") == 0 &&
                             line.find_first_not_of("0123456789", 4) == equals;
        if (fileKey && equals + 1 < line.size()) values.push_back(line.substr(equals + 1));
    }
    return values;
}

// ---- FakeFileSystem ----------------------------------------------------------------------------

RemoveOutcome FakeFileSystem::RemoveFile(const std::string& path) {
    log.push_back("file " + path);
    const auto refusal = refusals.find(path);
    if (refusal != refusals.end()) return RemoveOutcomeOfError(refusal->second);
    if (files.erase(path) == 0) return RemoveOutcomeOfError(2);  // the file is not there
    return RemoveOutcome::kRemoved;
}

void FakeFileSystem::RemoveFolder(const std::string& path) { log.push_back("folder " + path); }

void FakeFileSystem::StartSelfRemoval() { log.push_back("self-removal"); }

// ---- FakeProgramManager ------------------------------------------------------------------------

bool FakeProgramManager::Execute(const std::vector<std::string>& commands) {
    if (!connects) {
        log.push_back("connection refused");
        return false;
    }
    log.push_back("connect");
    bool accepted = true;
    for (const std::string& command : commands) {
        if (command == refuse) {
            log.push_back("refused " + command);
            accepted = false;
            break;
        }
        log.push_back(command);
    }
    log.push_back("disconnect");
    return accepted;
}

// ---- ScriptedUi --------------------------------------------------------------------------------

void ScriptedUi::Beep() { log.push_back("beep"); }

void ScriptedUi::SetTitle(const std::string& text) { title = text; }

void ScriptedUi::Show(const std::string& text, BoxIcon icon) {
    log.push_back((icon == BoxIcon::kInformation ? "info: " : "warning: ") + text);
}

void ScriptedUi::ShowNotice(const std::string& text) { log.push_back("notice: " + text); }

bool ScriptedUi::Ask(const std::string& text) {
    const bool yes = nextAnswer_ < answers.size() ? answers[nextAnswer_] : true;
    ++nextAnswer_;
    log.push_back("ask: " + text + (yes ? " -> yes" : " -> no"));
    return yes;
}

void ScriptedUi::SetProgress(int percent) { progress.push_back(percent); }

void ScriptedUi::SetPartList(const std::vector<std::string>& lines) {
    list = lines;
    selected = lines.empty() ? -1 : 0;
}

void ScriptedUi::EnableCommands(bool enable) {
    log.push_back(enable ? "commands on" : "commands off");
}

void ScriptedUi::Quit() { log.push_back("quit"); }

std::vector<std::string> ScriptedUi::Shown() const {
    std::vector<std::string> shown;
    for (const std::string& line : log)
        if (line != "commands off" && line != "commands on") shown.push_back(line);
    return shown;
}

std::vector<std::string> ScriptedUi::Boxes() const {
    std::vector<std::string> boxes;
    for (const std::string& line : Shown())
        if (line != "beep" && line != "quit") boxes.push_back(line);
    return boxes;
}
