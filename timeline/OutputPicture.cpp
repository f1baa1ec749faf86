#include "OutputPicture.h"

#include "DemoGlobals.h"
#include "kaCamera.h"
#include "kaDeviceGlobal.h"
#include "kaRenderDevice.h"

kaPictureRect gPictureRect;

void SetOutputSize(unsigned width, unsigned height) {
    gPictureRect = kaPictureRect::Fit(width, height);
    if (gCamera != nullptr) gCamera->Resize(gPictureRect.picture);
}

// Direct3D clears only the viewport, and so does every device behind this
// interface: each bar is cleared as a viewport of its own.
void ClearPictureBars() {
    kaViewport bars[2];
    const unsigned count = gPictureRect.Bars(bars);
    if (count == 0) return;
    for (unsigned i = 0; i < count; ++i) {
        gDevice->setViewport(&bars[i]);
        gDevice->Clear(KA_CLEAR_TARGET | KA_CLEAR_ZBUFFER, 0, 1.0f, 0);
    }
    gDevice->setViewport(&gPictureRect.picture);
}
