#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kaBaseTexture.h"
#include "kaMediaTree.h"
#include "kaTestPictures.h"
#include "kaTexture.h"

// Block-compressed pictures whose levels are not whole 4 x 4 blocks: a
// 6 x 6 DXT1 and a 2 x 2 DXT5, each with its mip chain.  A device makes
// them of whole blocks (8 x 8 and 4 x 4), whose levels hold the same
// blocks: each is loaded through kaTexture on gDevice and every level must
// read back as the file held it.
inline void ExpectBlockChainsUploadWhole(const kaMediaTree& media) {
    struct Case {
        const char* name;
        const char* fourCC;
        unsigned edge, blockBytes;
        std::vector<unsigned> blocks;  // per level
    };
    const Case cases[] = {{"six.dds", "DXT1", 6, 8, {4, 1, 1}}, {"two.dds", "DXT5", 2, 16, {1, 1}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        kaTestPictures::DdsHeader h;
        h.width = h.height = c.edge;
        h.fourCC = c.fourCC;
        h.caps |= 0x400000;
        h.mipCount = static_cast<uint32_t>(c.blocks.size());
        std::vector<std::string> levels;
        std::string data;
        for (size_t level = 0; level < c.blocks.size(); ++level) {
            std::string bytes;
            for (unsigned i = 0; i < c.blocks[level] * c.blockBytes; ++i) bytes += char(17 * level + i);
            levels.push_back(bytes);
            data += bytes;
        }
        media.put(std::string("xImages/") + c.name, kaTestPictures::Dds(h, data));
        kaTexture texture;
        ASSERT_EQ(texture.Load(c.name), 0);
        unsigned count = 0, width = 0;
        texture.texture->getLevelCount(&count);
        texture.texture->getLevelDesc(nullptr, &width, nullptr, nullptr, 0);
        EXPECT_EQ(count, levels.size());
        EXPECT_EQ(width, (c.edge + 3) / 4 * 4);
        for (unsigned level = 0; level < count && level < levels.size(); ++level) {
            std::string back(levels[level].size(), '\0');
            ASSERT_EQ(texture.texture->getBuffer(&back[0], level), 0);
            EXPECT_EQ(back, levels[level]) << "level " << level;
        }
    }
}
