#include "DemoGlobals.h"

kaShaderRenderer* gShaderRenderer = nullptr;
kaOrthoOverlay* gOverlay = nullptr;
kaOverlayQuad* gOverlayQuad = nullptr;
kaTexture* gTextures = nullptr;
kaTexture* gFlareTexture = nullptr;
kaCharacter* gCharacter = nullptr;
kaAnimClip* gClips = nullptr;
kaMeshModel* gStage1 = nullptr;
kaMeshModel* gStage2 = nullptr;
kaMeshModel* gCloseStage = nullptr;
kaMeshModel* gCloseStage2 = nullptr;
kaMeshModel* gFinal = nullptr;
kaMeshModel* gHoverboard = nullptr;
kaMeshModel* gSkybox = nullptr;
kaSpriteBatch* gSpriteBatch = nullptr;
kaSprite* gSprites = nullptr;
kaCamera* gCamera = nullptr;
kaCamera* gCharacterPath = nullptr;

int gRefreshFlag = 1;
kaOverlayQuad gFlashQuad = {};
