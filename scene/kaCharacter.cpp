#include "kaCharacter.h"

kaCharacter::kaCharacter() : boneCount(0), skinCount(0) {}
