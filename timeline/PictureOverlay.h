#pragma once

struct kaShotPicture;

// Lays a picture from gTextures over the frame through gOverlay, blended by
// its alpha: stage 0 gives texture x diffuse in colour and alpha, whatever
// the flashes and the bump passes left there.
void DrawPicture(const kaShotPicture& picture);
