#pragma once

// The objects the demo's frames and scenes draw with.  Start-up creates them
// and shutdown releases them; the scenes use them directly.

#include "kaOverlayQuad.h"
#include "kaSprite.h"

class kaAnimClip;
class kaCamera;
class kaCharacter;
class kaMeshModel;
class kaOrthoOverlay;
class kaShaderRenderer;
class kaSpriteBatch;
class kaTexture;

constexpr unsigned kaTextureSlots = 128;
constexpr unsigned kaClipSlots = 128;
constexpr unsigned kaSpriteRecords = 128;

extern kaShaderRenderer* gShaderRenderer;
extern kaOrthoOverlay* gOverlay;
extern kaOverlayQuad* gOverlayQuad;
extern kaTexture* gTextures;  // kaTextureSlots entries
extern kaTexture* gFlareTexture;
extern kaCharacter* gCharacter;
extern kaAnimClip* gClips;  // kaClipSlots entries
extern kaMeshModel* gStage1;
extern kaMeshModel* gStage2;
extern kaMeshModel* gCloseStage;
extern kaMeshModel* gCloseStage2;
extern kaMeshModel* gFinal;
extern kaMeshModel* gHoverboard;
extern kaMeshModel* gSkybox;
extern kaSpriteBatch* gSpriteBatch;
extern kaSprite* gSprites;  // kaSpriteRecords entries
extern kaCamera* gCamera;
extern kaCamera* gCharacterPath;

// 1 in every frame: the character and the models are rewritten each frame.
extern int gRefreshFlag;
// The quad of the white flash.
extern kaOverlayQuad gFlashQuad;
