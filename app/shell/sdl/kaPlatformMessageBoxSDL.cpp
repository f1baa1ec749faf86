// Boxes through SDL's message box (on the X11 or Wayland desktop).  Where no
// display can show one, the box goes to the error stream and a question is
// answered No: nobody was there to say Yes.
#include "kaPlatformMessageBox.h"

#include <SDL.h>

#include <cstdio>

#include "kaMessageBox.h"

namespace {

Uint32 IconFlags(unsigned style) {
    switch (style & 0xF0) {
    case KA_MB_ICONERROR:
        return SDL_MESSAGEBOX_ERROR;
    case KA_MB_ICONWARNING:
        return SDL_MESSAGEBOX_WARNING;
    default:
        return SDL_MESSAGEBOX_INFORMATION;
    }
}

}  // namespace

int kaPlatformMessageBox(const char* caption, const char* text, unsigned style) {
    const bool question = (style & 0x0F) == KA_MB_YESNO;
    const SDL_MessageBoxButtonData ok[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, KA_IDOK,
         "OK"},
    };
    const SDL_MessageBoxButtonData yesNo[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, KA_IDYES, "Yes"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, KA_IDNO, "No"},
    };
    const int declined = question ? KA_IDNO : KA_IDOK;
    SDL_MessageBoxData box = {};
    box.flags = IconFlags(style);
    box.title = caption != nullptr ? caption : "";
    box.message = text != nullptr ? text : "";
    box.numbuttons = question ? 2 : 1;
    box.buttons = question ? yesNo : ok;
    int pressed = -1;
    if (SDL_ShowMessageBox(&box, &pressed) == 0) return pressed >= 0 ? pressed : declined;
    std::fprintf(stderr, "[%s] %s\n", box.title, box.message);
    return declined;
}
