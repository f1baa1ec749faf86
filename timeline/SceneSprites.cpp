#include "SceneSprites.h"

namespace {

constexpr float kZ = 980.8462f;
constexpr float kSize = 3500.0f;
constexpr unsigned kCyan = 0xFF00FFFF, kYellow = 0xFFFFFF00, kRed = 0xFFFF0000;

}  // namespace

const kaSprite kOpeningSprites[kOpeningSpriteCount] = {
    {-3586.4709f, 3602.2236f, kZ, kCyan, kSize},  // 0
    {5280.2148f, 3640.1152f, kZ, kCyan, kSize},  // 1
    {5280.2148f, -5112.8955f, kZ, kCyan, kSize},  // 2
    {-3586.4709f, -4999.2202f, kZ, kCyan, kSize},  // 3
    {-2204.2827f, -19947.0684f, kZ, kYellow, kSize},  // 4
    {3636.7139f, -19947.0684f, kZ, kYellow, kSize},  // 5
    {3636.7139f, -27074.1562f, kZ, kYellow, kSize},  // 6
    {-2204.2827f, -27074.1562f, kZ, kYellow, kSize},  // 7
    {-2204.2827f, -30610.9062f, kZ, kYellow, kSize},  // 8
    {3636.7139f, -30610.9062f, kZ, kYellow, kSize},  // 9
    {3636.7139f, -36451.9023f, kZ, kYellow, kSize},  // 10
    {-2365.0444f, -36451.9023f, kZ, kYellow, kSize},  // 11
};

// Records 11 and 12 lie at the same place.
const kaSprite kRideSprites[kRideSpriteCount] = {
    {-1905.8788f, -49251.4375f, kZ, kRed, kSize},  // 0
    {3667.1821f, -49572.9609f, kZ, kRed, kSize},  // 1
    {3774.3564f, -55253.1953f, kZ, kRed, kSize},  // 2
    {-1905.8788f, -55253.1953f, kZ, kRed, kSize},  // 3
    {-1905.8788f, -72508.2500f, kZ, kRed, kSize},  // 4
    {3667.1821f, -72508.2500f, kZ, kRed, kSize},  // 5
    {3345.6592f, -78510.0078f, kZ, kRed, kSize},  // 6
    {-1905.8788f, -78510.0078f, kZ, kRed, kSize},  // 7
    {-1905.8779f, -95229.1328f, kZ, kRed, kSize},  // 8
    {3667.1831f, -95229.1328f, kZ, kRed, kSize},  // 9
    {3774.3574f, -101230.8906f, kZ, kRed, kSize},  // 10
    {-1905.8779f, -101230.8906f, kZ, kRed, kSize},  // 11
    {-1905.8779f, -101230.8906f, kZ, kRed, kSize},  // 12
    {-1905.8779f, -113984.6328f, kZ, kRed, kSize},  // 13
    {3667.1831f, -113984.6328f, kZ, kRed, kSize},  // 14
    {3667.1831f, -119986.3906f, kZ, kRed, kSize},  // 15
    {-1905.8779f, -119664.8672f, kZ, kRed, kSize},  // 16
    {-1905.8779f, -131239.6875f, kZ, kRed, kSize},  // 17
    {3667.1831f, -130810.9844f, kZ, kRed, kSize},  // 18
    {-1905.8770f, -136919.8594f, kZ, kRed, kSize},  // 19
    {3667.1836f, -136919.8594f, kZ, kRed, kSize},  // 20
    {3774.3584f, -148923.3750f, kZ, kRed, kSize},  // 21
    {-1905.8770f, -148923.3750f, kZ, kRed, kSize},  // 22
    {-1905.8770f, -154925.1406f, kZ, kRed, kSize},  // 23
    {3774.3584f, -154925.1406f, kZ, kRed, kSize},  // 24
    {3667.1836f, -168000.3906f, kZ, kRed, kSize},  // 25
    {-1905.8770f, -168000.3906f, kZ, kRed, kSize},  // 26
    {-1905.8779f, -173680.5781f, kZ, kRed, kSize},  // 27
    {3667.1836f, -174002.1094f, kZ, kRed, kSize},  // 28
    {3667.1836f, -186755.8438f, kZ, kRed, kSize},  // 29
    {-1905.8779f, -186755.8438f, kZ, kRed, kSize},  // 30
};
