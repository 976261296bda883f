// What removing one listed part deletes, decided from the records before anything is deleted,
// so that the file list shows exactly what the removal then does: the files that no other key
// holds, the Program Manager items that no other part lists, and whether the whole group goes.
// Paths, groups and titles are compared as the system resolves them (ResolvedName), so that a
// name another part spells differently is still that part's; what goes is deleted and sent as
// the removed part's records spell it.
#pragma once

#include <string>
#include <vector>

#include "remover/install_records.h"

// True when any listed part, `partName` included, holds `path` under a FILE key other than
// key `fileIndex` (0-based) of that very part, paths compared as the system resolves them. One
// path under two keys of one part counts as shared while both keys are there.
bool IsFileShared(const std::vector<InstalledPart>& listed, const std::string& path,
                  const std::string& partName, size_t fileIndex);

// True when a listed part other than `partName` lists `title` among its items (ITEM1 ..
// ITEM<ITEMS>), titles compared as the system resolves them.
bool IsItemShared(const std::vector<InstalledPart>& listed, const std::string& title,
                  const std::string& partName);

struct RemovalPlan {
    InstalledPart part;
    // No other line of the list names the part's group.
    bool wholeGroup = false;
    // For FILE key k (index k - 1), the path deleted at that step; empty when none is.
    std::vector<std::string> deletions;
    // Titles of the items to delete from the part's group: those beside a FILE key that is
    // not empty, not blank and listed by no other part, in key order, each once.
    std::vector<std::string> items;

    // The paths that the removal deletes, in the order it deletes them.
    std::vector<std::string> DeletedPaths() const;
};

// The plan for line `index` of `listed` (one entry per list line). The removal walks the
// part's FILE keys in order and deletes each key once it is handled, so a path that the part
// lists twice is deleted at its last key, when no other key holds it any more.
RemovalPlan PlanRemoval(std::vector<InstalledPart> listed, size_t index);
