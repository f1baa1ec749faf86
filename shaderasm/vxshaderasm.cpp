// vxshaderasm: assembles a Direct3D 8 shader source file.
//
//   vxshaderasm [--hex] [-o TOKENS.bin] [-c CONSTANTS.bin] SOURCE
//
// -o writes the token stream as little-endian 32-bit words, -c the constant
// declaration tokens of a vertex shader's def instructions, --hex prints
// both as hexadecimal words on standard output.  Errors go to standard
// error; the exit code is 0 on success, 1 when the shader has errors and 2
// for a usage or file error.

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "kaShaderAssembler.h"

namespace {

struct Options {
    bool hex = false;
    std::string source;
    std::string tokensPath;
    std::string constantsPath;
};

int Usage() {
    std::fprintf(stderr, "usage: vxshaderasm [--hex] [-o TOKENS.bin] [-c CONSTANTS.bin] SOURCE\n");
    return 2;
}

bool ParseArguments(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const bool takesValue = std::strcmp(arg, "-o") == 0 || std::strcmp(arg, "-c") == 0;
        if (std::strcmp(arg, "--hex") == 0) {
            options.hex = true;
        } else if (takesValue && i + 1 < argc) {
            (arg[1] == 'o' ? options.tokensPath : options.constantsPath) = argv[++i];
        } else if (arg[0] != '-' && options.source.empty()) {
            options.source = arg;
        } else {
            return false;
        }
    }
    return !options.source.empty() && (options.hex || !options.tokensPath.empty());
}

bool ReadFile(const std::string& path, std::vector<char>& text) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.insert(text.end(), buffer, buffer + got);
    const bool ok = std::ferror(file) == 0;
    std::fclose(file);
    return ok;
}

bool WriteWords(const std::string& path, const std::vector<uint32_t>& words) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    bool ok = true;
    for (uint32_t word : words) {
        const unsigned char bytes[4] = {static_cast<unsigned char>(word), static_cast<unsigned char>(word >> 8),
                                        static_cast<unsigned char>(word >> 16), static_cast<unsigned char>(word >> 24)};
        ok = ok && std::fwrite(bytes, 1, 4, file) == 4;
    }
    return std::fclose(file) == 0 && ok;
}

void PrintWords(const char* title, const std::vector<uint32_t>& words) {
    std::printf("%s:\n", title);
    for (uint32_t word : words) std::printf("0x%08X\n", static_cast<unsigned>(word));
}

bool WriteOutputs(const Options& options, const kaShaderAssembly& code) {
    if (options.hex) {
        PrintWords("tokens", code.tokens);
        if (!code.defConstants.empty()) PrintWords("constants", code.defConstants);
    }
    const std::pair<const std::string*, const std::vector<uint32_t>*> outputs[] = {
        {&options.tokensPath, &code.tokens}, {&options.constantsPath, &code.defConstants}};
    for (const auto& [path, words] : outputs) {
        if (path->empty() || WriteWords(*path, *words)) continue;
        std::fprintf(stderr, "vxshaderasm: cannot write %s\n", path->c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseArguments(argc, argv, options)) return Usage();
    std::vector<char> text;
    if (!ReadFile(options.source, text)) {
        std::fprintf(stderr, "vxshaderasm: cannot read %s\n", options.source.c_str());
        return 2;
    }
    const kaShaderAssembly code = kaShaderAssembler::Assemble(text.empty() ? "" : text.data(), text.size(), options.source.c_str());
    if (!code.ok) {
        std::fputs(code.errors.c_str(), stderr);
        return 1;
    }
    return WriteOutputs(options, code) ? 0 : 2;
}
