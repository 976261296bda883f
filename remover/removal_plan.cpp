// The sharing tests and the plan of what removing one part deletes.
#include "remover/removal_plan.h"

#include <algorithm>

bool IsFileShared(const std::vector<InstalledPart>& listed, const std::string& path,
                  const std::string& partName, size_t fileIndex) {
    for (const InstalledPart& part : listed)
        for (size_t k = 0; k < part.files.size(); ++k)
            if (part.files[k] == path && (part.name != partName || k != fileIndex)) return true;
    return false;
}

bool IsItemShared(const std::vector<InstalledPart>& listed, const std::string& title,
                  const std::string& partName) {
    for (const InstalledPart& part : listed) {
        if (part.name == partName) continue;
        if (std::find(part.items.begin(), part.items.end(), title) != part.items.end()) return true;
    }
    return false;
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

    plan.wholeGroup = true;
    for (size_t i = 0; i < listed.size(); ++i)
        if (i != index && listed[i].group == plan.part.group) plan.wholeGroup = false;

    plan.deletions.resize(plan.part.files.size());
    for (size_t k = 0; k < plan.part.files.size(); ++k) {
        const std::string& path = plan.part.files[k];
        if (path.empty()) continue;
        if (!IsFileShared(listed, path, name, k)) plan.deletions[k] = path;
        // The key is gone once handled, on every line that lists this part.
        for (InstalledPart& part : listed)
            if (part.name == name && k < part.files.size()) part.files[k].clear();

        // The item numbered after this file goes with it. A title the part lists twice is
        // sent once: a second DeleteItem would fail and leave the part half removed.
        if (k >= plan.part.fileItems.size()) continue;
        const std::string& title = plan.part.fileItems[k];
        if (title.empty() || IsItemShared(listed, title, name)) continue;
        if (std::find(plan.items.begin(), plan.items.end(), title) == plan.items.end())
            plan.items.push_back(title);
    }
    return plan;
}
