#include "kaTempDir.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>

kaTempDir::kaTempDir() {
    static std::atomic<unsigned> sSerial{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    std::ostringstream name;
    name << "vx-test-" << stamp << "-" << sSerial++;
    mPath = std::filesystem::temp_directory_path() / name.str();
    std::filesystem::create_directories(mPath);
}

kaTempDir::~kaTempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(mPath, ignored);
}

std::string kaTempDir::file(const std::string& name) const { return (mPath / name).string(); }

std::string kaTempDir::write(const std::string& name, const std::string& bytes) const {
    const std::string path = file(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string kaTempDir::read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}
