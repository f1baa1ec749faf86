#pragma once

#include <filesystem>
#include <string>

// A fresh directory under the system's temporary folder, removed with its
// contents when the object goes.
class kaTempDir {
public:
    kaTempDir();
    ~kaTempDir();
    kaTempDir(const kaTempDir&) = delete;
    kaTempDir& operator=(const kaTempDir&) = delete;

    // Full path of a file inside the directory.
    std::string file(const std::string& name) const;
    // Writes bytes to a file inside the directory (binary) and returns its path.
    std::string write(const std::string& name, const std::string& bytes) const;
    // Whole contents of a file, read in binary, or "<missing>".
    static std::string read(const std::string& path);

private:
    std::filesystem::path mPath;
};
