#include "kaSplinePath.h"

#include <cmath>
#include <fstream>
#include <sstream>

bool kaSplinePath::Load(const std::string& path) {
    std::ifstream in(path);
    if (!in) return false;
    std::vector<float> numbers;
    std::string word;
    while (in >> word) {
        std::istringstream number(word);
        float v;
        if (!(number >> v) || !number.eof()) return false;
        numbers.push_back(v);
    }
    if (numbers.empty() || numbers.size() % 3 != 0 || numbers.size() / 3 > 128) return false;
    mPoints.clear();
    for (size_t i = 0; i < numbers.size(); i += 3) mPoints.push_back({numbers[i], numbers[i + 1], numbers[i + 2]});
    mPoints.push_back(mPoints.front());
    const size_t n = mPoints.size();
    mTangents.assign(n, {0, 0, 0});
    if (n <= 2) return true;
    for (size_t i = 0; i < n; ++i) {
        const kaVec3 prev = mPoints[i == 0 ? n - 2 : i - 1];
        const kaVec3 next = mPoints[i == n - 1 ? 1 : i + 1];
        mTangents[i] = (mPoints[i] - prev) * 0.5f + (next - mPoints[i]) * 0.5f;
    }
    return true;
}

kaVec3 kaSplinePath::PointAt(float t) const {
    if (mPoints.empty()) return {0, 0, 0};
    const float whole = std::trunc(t), s = t - whole;
    const int n = int(mPoints.size());
    const int j = int(std::fmod(whole, float(n - 1)));
    const int a = (j >= 0 && j < n - 1) ? j : n - 1;
    const int b = (j >= 0 && j < n - 1) ? j + 1 : 0;
    const float s2 = s * s, s3 = s2 * s;
    return mPoints[a] * (2 * s3 - 3 * s2 + 1) + mPoints[b] * (3 * s2 - 2 * s3) + mTangents[a] * (s3 - 2 * s2 + s) +
           mTangents[b] * (s3 - s2);
}
