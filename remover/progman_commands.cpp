// The Program Manager commands of a removal and the names kept out of them.
#include "remover/progman_commands.h"

#include "platform/code_page.h"
#include "remover/system_names.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// A path part of dots and blanks alone: the system trims trailing dots and blanks from a name,
// so any such part names the folder itself or one above it.
bool IsDotOrBlankPart(const std::string& name, size_t begin, size_t end) {
    if (begin == end) return false;
    for (size_t i = begin; i < end; ++i)
        if (name[i] != '.' && name[i] != ' ') return false;
    return true;
}

// The names the plan's commands send, in order: none when there is no conversation (a group
// name that names nothing, or nothing to delete in the group); else the group, then the items
// unless the group goes whole. The commands and the check of their names both come from it,
// so the check sees exactly what is sent.
std::vector<const std::string*> SentNames(const RemovalPlan& plan) {
    std::vector<const std::string*> names;
    if (IsBlankName(plan.part.group) || (!plan.wholeGroup && plan.items.empty())) return names;
    names.push_back(&plan.part.group);
    if (!plan.wholeGroup)
        for (const std::string& title : plan.items) names.push_back(&title);
    return names;
}

}  // namespace

bool IsSendableName(const std::string& name) {
    if (name.empty() || IsSeparator(name[0])) return false;
    size_t partBegin = 0;
    for (size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (IsLeadByte(byte) && i + 1 < name.size()) {
            ++i;  // the second byte may have any value from 0x40 up
            continue;
        }
        if (byte < 0x20 || byte == 0x7F || byte == '"' || byte == ':')
            return false;
        if (IsSeparator(name[i])) {
            if (IsDotOrBlankPart(name, partBegin, i)) return false;
            partBegin = i + 1;
        }
    }
    return !IsDotOrBlankPart(name, partBegin, name.size());
}

std::vector<std::string> ProgmanCommands(const RemovalPlan& plan) {
    const std::vector<const std::string*> names = SentNames(plan);
    std::vector<std::string> commands;
    if (names.empty()) return commands;
    if (plan.wholeGroup) {
        commands.push_back("[DeleteGroup(\"" + *names[0] + "\")]");
        return commands;
    }
    commands.push_back("[ShowGroup(\"" + *names[0] + "\", 5)]");
    for (size_t i = 1; i < names.size(); ++i)
        commands.push_back("[DeleteItem(\"" + *names[i] + "\")]");
    return commands;
}

bool FindUnsendableName(const RemovalPlan& plan, std::string* name) {
    for (const std::string* candidate : SentNames(plan)) {
        if (IsSendableName(*candidate)) continue;
        *name = *candidate;
        return true;
    }
    return false;
}
