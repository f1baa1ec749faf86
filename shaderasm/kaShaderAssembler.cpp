#include "kaShaderAssembler.h"

#include "kaShaderEncoder.h"
#include "kaShaderErrorLog.h"
#include "kaShaderLexer.h"
#include "kaShaderParser.h"
#include "kaShaderValidator.h"

kaShaderAssembly kaShaderAssembler::Assemble(const char* source, size_t length, const char* sourceName) {
    kaShaderAssembly result;
    kaShaderErrorLog log(sourceName != nullptr ? sourceName : "shader");
    if (source == nullptr) {
        log.Add(1, "no shader source text");
        result.errors = log.Text();
        return result;
    }
    kaShaderProgram program;
    kaShaderParser parser(kaShaderLexer(source, length, log).Tokenize(), log);
    if (parser.Parse(program)) kaShaderValidator(program, log).Validate();
    result.ok = !log.HasErrors();
    if (result.ok) {
        kaShaderEncoder::Encode(program, result.tokens, result.defConstants);
    } else {
        result.errors = log.Text();
    }
    return result;
}
