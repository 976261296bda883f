// How a phase makes the component it paints with: allocated without throwing, and on failure
// the phase's own failure text copied over the status buffer in place of whatever the
// component wrote, so that the box the user sees names what the phase could not get.
#pragma once

#include <memory>
#include <new>
#include <utility>

#include "engine/status_text.h"

// The component, or null after copying `failureText` over the status when it cannot be
// allocated.
template <typename T, typename... Args>
std::unique_ptr<T> MakeOrReport(char* status, const char* failureText, Args&&... args) {
    std::unique_ptr<T> component(new (std::nothrow) T(std::forward<Args>(args)...));
    if (!component) StatusCopy(status, failureText);
    return component;
}

// The same for a component that must also be valid (its buffers obtained, its images
// accepted). An invalid one is deleted and reported like a missing one: the phases cannot tell
// the user more than that the painting ran short.
template <typename T, typename... Args>
std::unique_ptr<T> MakeValidOrReport(char* status, const char* failureText, Args&&... args) {
    std::unique_ptr<T> component(new (std::nothrow) T(std::forward<Args>(args)...));
    if (!component || !component->IsValid()) {
        component.reset();
        StatusCopy(status, failureText);
    }
    return component;
}
