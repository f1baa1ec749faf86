#pragma once

#include <filesystem>
#include <string>

// Runs a test from the "bin" folder beside the build's generated media
// tree, as the player runs, so "../xMedia/..." reaches the tree; the
// previous working directory comes back when the object goes.
class kaMediaFolder {
public:
    kaMediaFolder() : mPrevious(std::filesystem::current_path()) {
        std::filesystem::create_directories(VX_MEDIA_ROOT "/bin");
        std::filesystem::current_path(VX_MEDIA_ROOT "/bin");
    }
    ~kaMediaFolder() { std::filesystem::current_path(mPrevious); }
    kaMediaFolder(const kaMediaFolder&) = delete;
    kaMediaFolder& operator=(const kaMediaFolder&) = delete;

    // Full path of a file in the tree ("xModels/stage1.tdm").
    static std::string file(const std::string& relative) { return VX_MEDIA_ROOT "/xMedia/" + relative; }

private:
    std::filesystem::path mPrevious;
};
