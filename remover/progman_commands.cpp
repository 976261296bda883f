// The Program Manager commands of a removal and the names kept out of them.
#include "remover/progman_commands.h"

#include "platform/code_page.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// A path part of dots and blanks with at least one dot: the system trims trailing dots and
// blanks from a name, so any such part names the folder itself or one above it.
bool IsDotPart(const std::string& name, size_t begin, size_t end) {
    bool dots = false;
    for (size_t i = begin; i < end; ++i) {
        if (name[i] != '.' && name[i] != ' ') return false;
        dots = dots || name[i] == '.';
    }
    return dots;
}

bool NeedsConversation(const RemovalPlan& plan) {
    return !plan.part.group.empty() && (plan.wholeGroup || !plan.items.empty());
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
        if (byte < 0x20 || byte == 0x7F || byte == '"' || byte == ')' || byte == ']' || byte == ':')
            return false;
        if (IsSeparator(name[i])) {
            if (IsDotPart(name, partBegin, i)) return false;
            partBegin = i + 1;
        }
    }
    return !IsDotPart(name, partBegin, name.size());
}

std::vector<std::string> ProgmanCommands(const RemovalPlan& plan) {
    std::vector<std::string> commands;
    if (!NeedsConversation(plan)) return commands;
    const std::string& group = plan.part.group;
    if (plan.wholeGroup) {
        commands.push_back("[DeleteGroup(\"" + group + "\")]");
        return commands;
    }
    commands.push_back("[ShowGroup(\"" + group + "\", 5)]");
    for (const std::string& title : plan.items)
        commands.push_back("[DeleteItem(\"" + title + "\")]");
    return commands;
}

bool FindUnsendableName(const RemovalPlan& plan, std::string* name) {
    if (!NeedsConversation(plan)) return false;
    std::vector<const std::string*> sent = {&plan.part.group};
    if (!plan.wholeGroup)
        for (const std::string& title : plan.items) sent.push_back(&title);
    for (const std::string* candidate : sent) {
        if (IsSendableName(*candidate)) continue;
        *name = *candidate;
        return true;
    }
    return false;
}
