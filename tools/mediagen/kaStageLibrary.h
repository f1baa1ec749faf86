#pragma once

#include <vector>

#include "kaModelSpec.h"

// The static models: the three stages the character walks and runs on,
// the two halls, the final tower, the hoverboard and the sky box.  Every
// stage material carries a colour map and a normal map; the sky's
// materials one colour map each.
class kaStageLibrary {
public:
    struct Named {
        const char* file;
        kaModelSpec model;
    };

    // characterCentre: the character's bounding-box centre in the model,
    // which decides how high the shots put its feet.
    static std::vector<Named> Build(kaVec3 characterCentre);

    static kaModelSpec Stage1(float floor);
    static kaModelSpec Stage2(float floor);
    static kaModelSpec CloseStage();
    static kaModelSpec CloseStage2();
    static kaModelSpec Final();
    static kaModelSpec Hoverboard();
    static kaModelSpec Skybox();
};
