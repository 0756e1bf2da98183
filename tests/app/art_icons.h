// The icon artwork in one table: each file, the icon group it is linked in as, and its images
// in directory order. Portable, so the file tests use it without Windows.
#pragma once

#include <vector>

#include "ui/resources/resource_ids.h"

namespace tilu::test {

struct ImageSpec {
    int size;  // width and height
    int bitCount;
};

struct ArtIcon {
    const char* name;  // names the test case
    const char* file;  // in ui/resources/art/
    int id;            // its RT_GROUP_ICON resource
    std::vector<ImageSpec> images;
};

inline const ArtIcon kArtIcons[] = {
    {"ApplicationIcon", "app-icon.ico", IDI_APPLICATION_ICON, {{16, 8}, {32, 8}}},
    {"Logo", "logo.ico", IDI_LOGO, {{16, 8}, {32, 24}, {48, 24}}},
    {"QuestionMark", "question.ico", IDI_QUESTION_MARK, {{48, 8}}},
    {"Notebook", "notebook.ico", IDI_NOTEBOOK, {{48, 8}}},
    {"Cross", "cross.ico", IDI_CROSS, {{48, 8}, {48, 32}, {32, 8}, {32, 32}, {16, 8}, {16, 32}}},
};

// The program's own icon, which its first icon group must hold.
inline const ArtIcon& kApplicationIcon = kArtIcons[0];

}  // namespace tilu::test
