// Message boxes in a browser: the page's own modal dialogs.  Each box is also
// written to the console, where a page that nobody watches keeps it.
#include <emscripten.h>

#include "kaMessageBox.h"
#include "kaPlatformMessageBox.h"

// clang-format off
EM_JS(int, vxShowDialog, (const char* caption, const char* text, int question), {
    const message = UTF8ToString(caption) + "\n\n" + UTF8ToString(text);
    console.error("Vessamorix: [" + UTF8ToString(caption) + "] " + UTF8ToString(text));
    if (question) return window.confirm(message) ? 1 : 0;
    window.alert(message);
    return 1;
});
// clang-format on

int kaPlatformMessageBox(const char* caption, const char* text, unsigned style) {
    const bool question = (style & KA_MB_YESNO) != 0;
    const int yes = vxShowDialog(caption, text, question ? 1 : 0);
    if (!question) return KA_IDOK;
    return yes != 0 ? KA_IDYES : KA_IDNO;
}
