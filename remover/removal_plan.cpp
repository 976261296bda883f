// The sharing tests and the plan of what removing one part deletes.
#include "remover/removal_plan.h"

#include <algorithm>

#include "remover/system_names.h"

namespace {

// The listed parts with every group, path and title resolved, so that the sharing tests compare
// each pair of names byte for byte; the parts' names stay as listed.
std::vector<InstalledPart> Resolved(std::vector<InstalledPart> listed) {
    for (InstalledPart& part : listed) {
        part.group = ResolvedName(part.group);
        for (std::string& path : part.files) path = ResolvedName(path);
        for (std::string& title : part.items) title = ResolvedName(title);
        for (std::string& title : part.fileItems) title = ResolvedName(title);
    }
    return listed;
}

bool HeldElsewhere(const std::vector<InstalledPart>& resolved, const std::string& path,
                   const std::string& partName, size_t fileIndex) {
    for (const InstalledPart& part : resolved)
        for (size_t k = 0; k < part.files.size(); ++k)
            if (part.files[k] == path && (part.name != partName || k != fileIndex)) return true;
    return false;
}

bool ListedElsewhere(const std::vector<InstalledPart>& resolved, const std::string& title,
                     const std::string& partName) {
    for (const InstalledPart& part : resolved) {
        if (part.name == partName) continue;
        if (std::find(part.items.begin(), part.items.end(), title) != part.items.end()) return true;
    }
    return false;
}

}  // namespace

bool IsFileShared(const std::vector<InstalledPart>& listed, const std::string& path,
                  const std::string& partName, size_t fileIndex) {
    return HeldElsewhere(Resolved(listed), ResolvedName(path), partName, fileIndex);
}

bool IsItemShared(const std::vector<InstalledPart>& listed, const std::string& title,
                  const std::string& partName) {
    return ListedElsewhere(Resolved(listed), ResolvedName(title), partName);
}

std::vector<std::string> RemovalPlan::DeletedPaths() const {
    std::vector<std::string> paths;
    for (const std::string& path : deletions)
        if (!path.empty()) paths.push_back(path);
    return paths;
}

RemovalPlan PlanRemoval(std::vector<InstalledPart> listed, size_t index) {
    RemovalPlan plan;
    if (index >= listed.size()) return plan;
    plan.part = listed[index];
    const std::string& name = plan.part.name;
    // Every name is resolved once; the plan keeps the records' own spelling.
    std::vector<InstalledPart> resolved = Resolved(std::move(listed));
    const InstalledPart own = resolved[index];

    plan.wholeGroup = true;
    for (size_t i = 0; i < resolved.size(); ++i)
        if (i != index && resolved[i].group == own.group) plan.wholeGroup = false;

    plan.deletions.resize(own.files.size());
    std::vector<std::string> collected;  // the resolved titles of plan.items
    for (size_t k = 0; k < own.files.size(); ++k) {
        if (plan.part.files[k].empty()) continue;
        if (!HeldElsewhere(resolved, own.files[k], name, k)) plan.deletions[k] = plan.part.files[k];
        // The key is gone once handled, on every line that lists this part.
        for (InstalledPart& part : resolved)
            if (part.name == name && k < part.files.size()) part.files[k].clear();

        // The item numbered after this file goes with it. A title the part lists twice, in
        // any spelling, is sent once: a second DeleteItem would fail and leave the part half
        // removed.
        if (k >= own.fileItems.size() || IsBlankName(plan.part.fileItems[k])) continue;
        const std::string& title = own.fileItems[k];
        if (ListedElsewhere(resolved, title, name)) continue;
        if (std::find(collected.begin(), collected.end(), title) != collected.end()) continue;
        collected.push_back(title);
        plan.items.push_back(plan.part.fileItems[k]);
    }
    return plan;
}
