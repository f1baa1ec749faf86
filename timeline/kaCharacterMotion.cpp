#include "kaCharacterMotion.h"

#include "DemoGlobals.h"
#include "kaCharacter.h"
#include "kaShaderRenderer.h"

namespace {

struct Owed {
    bool held = false;
    bool skin = false;    // Skin(1) for the bones as they stand
    bool rewrite = false; // MoveModel with refresh 1 at `offset`, after the skin
    kaVector3f offset{};
};

Owed sOwed;

}  // namespace

void kaCharacterMotion::Hold() { sOwed.held = true; }

void kaCharacterMotion::Release() {
    Settle();
    sOwed.held = false;
}

void kaCharacterMotion::Settle() {
    if (sOwed.skin) gCharacter->Skin(1);
    if (sOwed.rewrite) gShaderRenderer->MoveModel(gCharacter, gCamera, 1, sOwed.offset);
    sOwed.skin = sOwed.rewrite = false;
}

// A skin without tangent frames writes only part of what a full one does:
// it is done at once, after what is owed.
void kaCharacterMotion::Update(int refresh) {
    if (!sOwed.held || refresh == 0) {
        Settle();
        gCharacter->Update(refresh);
    } else if (gCharacter->Pose()) {
        sOwed.skin = true;
    }
}

void kaCharacterMotion::Move(int refresh, const kaVector3f& offset) {
    if (!sOwed.held || refresh == 0) {
        Settle();
        gShaderRenderer->MoveModel(gCharacter, gCamera, refresh, offset);
        return;
    }
    sOwed.rewrite = true;
    sOwed.offset = offset;
}

void kaCharacterMotion::UpdateAlone(int refresh) {
    Settle();
    gCharacter->Update(refresh);
}
