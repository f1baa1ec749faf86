#include "kaVertexBytes.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

namespace {

const char* const kComponentNames[kaVertexLayout::COMPONENT_COUNT] = {
    "position", "blend weights", "matrix indices", "normal", "point size", "diffuse",
    "specular", "texture set 0", "texture set 1", "texture set 2", "texture set 3",
};

}  // namespace

const char* kaVertexBytes::ComponentName(kaVertexLayout::Component component) {
    return kComponentNames[component];
}

unsigned kaVertexBytes::vertexCount() const {
    return layout.vertexSize == 0 ? 0 : static_cast<unsigned>(bytes.size() / layout.vertexSize);
}

const uint8_t* kaVertexBytes::Element(unsigned vertex, kaVertexLayout::Component component,
                                      unsigned word) const {
    if (vertex >= vertexCount() || word >= layout.size[component] / 4) {
        throw std::out_of_range(std::string("no such word of ") + ComponentName(component));
    }
    return bytes.data() + static_cast<size_t>(vertex) * layout.vertexSize +
           layout.offset[component] + 4 * word;
}

float kaVertexBytes::floatAt(unsigned vertex, kaVertexLayout::Component component,
                             unsigned index) const {
    float value;
    std::memcpy(&value, Element(vertex, component, index), sizeof value);
    return value;
}

uint32_t kaVertexBytes::wordAt(unsigned vertex, kaVertexLayout::Component component) const {
    uint32_t word;
    std::memcpy(&word, Element(vertex, component, 0), sizeof word);
    return word;
}

kaVertexBytes kaVertexBytes::Range(unsigned first, unsigned count) const {
    const unsigned begin = std::min(first, vertexCount());
    const unsigned end = begin + std::min(count, vertexCount() - begin);
    const size_t size = layout.vertexSize;
    return {layout, std::vector<uint8_t>(bytes.begin() + begin * size, bytes.begin() + end * size)};
}
