#include "kaTextureList.h"

#include <new>

#include "kaMessageBox.h"
#include "kaResult.h"

kaTextureList::kaTextureList() : capacity(0), count(0), textures(nullptr) {}

kaTextureList::~kaTextureList() { Release(); }

void kaTextureList::SetCapacity(uint32_t n) {
    capacity = n;
    delete[] textures;
    textures = new (std::nothrow) kaTexture[n];
    count = 0;
}

int kaTextureList::Add(const char* name) {
    if (count >= capacity || textures == nullptr) return KA_OK;
    if (textures[count].Load(name) != KA_OK) {
        WarningBox("Error", "Error creating %s", name ? name : "");
        return KA_ERR_INITFAILED;
    }
    ++count;
    return KA_OK;
}

void kaTextureList::Release() {
    delete[] textures;
    textures = nullptr;
    capacity = 0;
    count = 0;
}
