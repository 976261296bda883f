// How a failed deletion counts, from the system's error code.
#include "remover/file_system.h"

namespace {

// System error codes that mean the named file does not exist: file or path not found, and
// names no file can have (bad syntax, bad path, too long).
constexpr uint32_t kAbsentErrors[] = {2, 3, 123, 161, 206};

}  // namespace

RemoveOutcome RemoveOutcomeOfError(uint32_t systemError) {
    for (uint32_t absent : kAbsentErrors)
        if (systemError == absent) return RemoveOutcome::kAbsent;
    return RemoveOutcome::kRefused;
}
