#pragma once

#include "kaShaderTypes.h"

class kaShaderErrorLog;
class kaShaderRegisterSet;
class kaRegisterUsage;

// What every validation rule set works with.
struct kaValidationContext {
    const kaShaderVersion& version;
    const kaShaderRegisterSet& registers;
    kaShaderErrorLog& log;
    kaRegisterUsage& usage;
};
