#pragma once

#include <filesystem>
#include <string>

#include "kaTempDir.h"

// A media tree in a temporary folder with the working directory beside it,
// as the player runs: "../xMedia/..." reaches the tree.  The previous
// working directory comes back when the object goes.
class kaMediaTree {
public:
    kaMediaTree() : mPrevious(std::filesystem::current_path()) {
        std::filesystem::create_directories(mDir.file("bin"));
        for (const char* sub : {"xImages", "xModels", "xAnimations"})
            std::filesystem::create_directories(mDir.file("xMedia/" + std::string(sub)));
        std::filesystem::current_path(mDir.file("bin"));
    }
    ~kaMediaTree() { std::filesystem::current_path(mPrevious); }
    kaMediaTree(const kaMediaTree&) = delete;
    kaMediaTree& operator=(const kaMediaTree&) = delete;

    // Writes a file under xMedia ("xImages/a.tga").
    void put(const std::string& name, const std::string& bytes) const {
        const std::filesystem::path path = mDir.file("xMedia/" + name);
        std::filesystem::create_directories(path.parent_path());
        mDir.write("xMedia/" + name, bytes);
    }

private:
    kaTempDir mDir;
    std::filesystem::path mPrevious;
};
