#pragma once

// A shared library loaded by file name, with its exports looked up by name.
// Each platform implements it in its own source file.
class kaModule {
public:
    kaModule() = default;
    kaModule(const kaModule&) = delete;
    kaModule& operator=(const kaModule&) = delete;
    ~kaModule() { Close(); }

    // Loads the file, closing any module loaded before; false when it cannot
    // be loaded.
    bool Open(const char* fileName);
    // The export's address, or null.
    void* Symbol(const char* name) const;
    // Unloads the module; nothing happens when none is loaded.
    void Close();

    bool isOpen() const { return mHandle != nullptr; }

private:
    void* mHandle = nullptr;
};
