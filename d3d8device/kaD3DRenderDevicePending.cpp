// Operations not yet built on the platform: each answers "not supported".
// Replaced operation by operation as the state cache, matrices and resources land.

#include "kaD3DRenderDevice.h"
#include "kaResult.h"

int kaD3DRenderDevice::CreateTexture(kaBaseTexture**, unsigned, unsigned, unsigned, unsigned, unsigned) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::CreateCubeTexture(kaBaseTexture**, unsigned, unsigned, unsigned, unsigned) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::CreateVolumeTexture(kaBaseTexture**, unsigned, unsigned, unsigned, unsigned, unsigned, unsigned) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::CreateVertexBuffer(kaVertexBuffer**, unsigned, unsigned, unsigned) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::CreateIndexBuffer(kaIndexBuffer**, unsigned, unsigned) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::CreateVertexShader(kaVertexShader**, unsigned, void*, unsigned) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::CreatePixelShader(kaPixelShader**, void*, unsigned) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::ResetState(unsigned) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::PushState(unsigned) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::PopState() { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::setViewport(kaViewport*) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::getViewport(kaViewport*) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::setFog(kaFog*) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::getFog(kaFog*) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::setLight(unsigned, kaLight*) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::getLight(unsigned, kaLight*) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::setMaterial(kaMaterial*) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::getMaterial(kaMaterial*) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::setTexture(unsigned, kaBaseTexture*) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::getTexture(unsigned, kaBaseTexture**) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::setVertexBuffer(kaVertexBuffer*) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::setIndexBuffer(kaIndexBuffer*) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::setVertexFormat(unsigned) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::setVertexShader(kaVertexShader*) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::setPixelShader(kaPixelShader*) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::setVertexShaderConstant(int, float*, unsigned) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::setPixelShaderConstant(int, float*, unsigned) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::setTextureState(unsigned, unsigned, unsigned) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::getTextureState(unsigned, unsigned, unsigned*) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::setRenderState(unsigned, unsigned) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::getRenderState(unsigned, unsigned*) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::setMatrix(unsigned, kaMatrix44f*) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::getMatrix(unsigned, kaMatrix44f*) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::LoadIdentity(unsigned) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::PushMatrix(unsigned) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::PopMatrix(unsigned) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::MultiplyMatrix(unsigned, kaMatrix44f*) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::Translate(unsigned, float, float, float) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::Scale(unsigned, float, float, float) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::RotateX(unsigned, float) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::RotateY(unsigned, float) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::RotateZ(unsigned, float) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::PerspectiveFovRH(unsigned, float, float, float, float) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::PerspectiveFovLH(unsigned, float, float, float, float) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::OrthoRH(unsigned, float, float, float, float) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::OrthoLH(unsigned, float, float, float, float) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::LookAtRH(unsigned, kaVector3f&, kaVector3f&, kaVector3f&) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::LookAtLH(unsigned, kaVector3f&, kaVector3f&, kaVector3f&) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::BeginRenderToTexture(kaBaseTexture*, unsigned, int) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::EndRenderToTexture() { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::BeginRenderToCubeTexture(kaBaseTexture*, unsigned, unsigned, int) { return KA_ERR_UNSUPPORTED; }
int kaD3DRenderDevice::EndRenderToCubeTexture() { return KA_ERR_UNSUPPORTED; }
void kaD3DRenderDevice::InitDefaultState() {}

