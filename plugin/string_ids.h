// The plug-ins' string-table entries that the frame reads.
#pragma once

constexpr unsigned kStringProfileName = 120;  // name of the shared screen settings file
constexpr unsigned kStringGroundList = 121;   // resource, name, description of each ground
constexpr unsigned kStringSizeList = 122;     // name, width and height (mm) of each paper size
constexpr unsigned kStringErrorCaption = 200; // caption of the error box
