// vxshaderasm: the command-line shader assembler.
//
//   vxshaderasm [--hex] FILE...
//   vxshaderasm [--hex] [-o TOKENS.bin] [-c CONSTANTS.bin] FILE
//
// Assembles each vs.1.0/1.1 or ps.1.0-1.4 source file and reports its
// errors on standard error as "FILE(LINE): error: message".  --hex prints
// each shader's disassembly with every instruction's tokens beside it as
// hexadecimal words.  With one file, -o writes the token stream and -c a
// vertex shader's def constants (D3DVSD_CONST tokens with their values) as
// little-endian 32-bit words.  Exit code: 0 when every file assembled (and
// every output was written), 1 otherwise, 2 for a usage error.

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "kaShaderAssembler.h"
#include "kaShaderDisassembler.h"

namespace {

struct Options {
    bool hex = false;
    std::vector<std::string> sources;
    std::string tokensPath;
    std::string constantsPath;
};

int Usage() {
    std::fprintf(stderr,
                 "usage: vxshaderasm [--hex] FILE...\n"
                 "       vxshaderasm [--hex] [-o TOKENS.bin] [-c CONSTANTS.bin] FILE\n");
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
        } else if (arg[0] != '-') {
            options.sources.push_back(arg);
        } else {
            return false;
        }
    }
    const bool writes = !options.tokensPath.empty() || !options.constantsPath.empty();
    return !options.sources.empty() && (!writes || options.sources.size() == 1);
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

bool PrintListing(const Options& options, const std::string& source, const kaShaderAssembly& code) {
    const kaShaderDisassembler::Result listing = kaShaderDisassembler::Listing(
        code.tokens.data(), code.tokens.size(), code.defConstants.data(), code.defConstants.size());
    if (options.sources.size() > 1) std::printf("; %s\n", source.c_str());
    std::fputs(listing.text.c_str(), stdout);
    if (listing.ok) return true;
    std::fprintf(stderr, "%s: error: cannot disassemble the assembled tokens: %s\n", source.c_str(),
                 listing.error.c_str());
    return false;
}

bool WriteOutputs(const Options& options, const kaShaderAssembly& code) {
    const std::pair<const std::string*, const std::vector<uint32_t>*> outputs[] = {
        {&options.tokensPath, &code.tokens}, {&options.constantsPath, &code.defConstants}};
    bool ok = true;
    for (const auto& [path, words] : outputs) {
        if (path->empty() || WriteWords(*path, *words)) continue;
        std::fprintf(stderr, "%s: error: cannot write the file\n", path->c_str());
        ok = false;
    }
    return ok;
}

bool AssembleFile(const Options& options, const std::string& source) {
    std::vector<char> text;
    if (!ReadFile(source, text)) {
        std::fprintf(stderr, "%s: error: cannot read the file\n", source.c_str());
        return false;
    }
    const kaShaderAssembly code =
        kaShaderAssembler::Assemble(text.empty() ? "" : text.data(), text.size(), source.c_str());
    if (!code.ok) {
        std::fputs(code.errors.c_str(), stderr);
        return false;
    }
    const bool listed = !options.hex || PrintListing(options, source, code);
    return WriteOutputs(options, code) && listed;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseArguments(argc, argv, options)) return Usage();
    bool ok = true;
    for (const std::string& source : options.sources) ok = AssembleFile(options, source) && ok;
    return ok ? 0 : 1;
}
