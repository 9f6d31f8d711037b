// Where the landed pictures settle: those overlapping vertically are pushed sideways, the
// further the more they overlap, and the row is squeezed back into the graph.
#include "fly/GLFlies.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace pelmar {

void TGLFlies::Arrange() {
    // Only once every entry of the right area is down: a picture still flying is not where it
    // will be, and one that lands later would miss the resolution.
    for (int i = 1; i < FlyCount; ++i) {
        if (!entries[std::size_t(i)].Landed || entries[std::size_t(i)].moving())
            return;
    }
    BuildNeighbours();
    for (;;) {
        int candidate = -1;
        std::size_t most = 0;
        for (int i = 1; i < FlyCount; ++i) {
            TGLFly& fly = entries[std::size_t(i)];
            if (fly.Neighbours.empty()) {
                fly.Settled = true;
            } else if (fly.Neighbours.size() > most) {
                // The most crowded first; among equals the lowest entry number.
                most = fly.Neighbours.size();
                candidate = i;
            }
        }
        if (candidate < 0)
            break;
        ResolveOverlap(candidate);
    }
    Squeeze();
}

void TGLFlies::BuildNeighbours() {
    for (int i = 1; i < FlyCount; ++i) {
        TGLFly& fly = entries[std::size_t(i)];
        fly.Neighbours.clear();
        const std::int64_t height = fly.Image.rect.height();
        for (int j = 1; j < FlyCount; ++j) {
            const TGLFly& other = entries[std::size_t(j)];
            if (j == i || other.Settled)
                continue;
            if (std::llabs(std::int64_t(other.FinalY) - fly.FinalY) < height)
                fly.Neighbours.push_back(j);
        }
    }
}

void TGLFlies::ResolveOverlap(int a) {
    TGLFly& fly = entries[std::size_t(a)];
    fly.Settled = true;
    const QRect mine = fly.Image.rect;
    for (const int n : fly.Neighbours) {
        TGLFly& other = entries[std::size_t(n)];
        const long double dy = other.Image.rect.top() - mine.top();
        const long double h = mine.height();
        if (std::fabs(dy) < std::fabs(h)) {
            // Level pictures move a whole width aside, pictures a height apart not at all.
            const long double shift = std::sqrt(1.0L - dy * dy / (h * h)) * mine.width();
            other.Image.rect.moveLeft(int(std::lrint(shift)) + mine.left());
            // Under the other flies, still above the graph.
            SendToBack(n);
        }
        auto& list = other.Neighbours;
        list.erase(std::remove(list.begin(), list.end(), a), list.end());
    }
    fly.Neighbours.clear();
}

void TGLFlies::Squeeze() {
    int minLeft = 9999;
    int maxLeft = 0;
    for (int i = 1; i < FlyCount; ++i) {
        const int left = entries[std::size_t(i)].Image.rect.left();
        minLeft = std::min(minLeft, left);
        maxLeft = std::max(maxLeft, left);
    }
    const int limit = Graph.width() + 8;
    if (limit >= FlyWidth + maxLeft || maxLeft <= minLeft)
        return;
    // The rightmost picture ends 8 pixels beyond the graph's right edge.
    const float f = float(limit - minLeft - FlyWidth) / float(maxLeft - minLeft);
    for (int i = 1; i < FlyCount; ++i) {
        QRect& r = entries[std::size_t(i)].Image.rect;
        r.moveLeft(int(std::lrint(float(r.left() - minLeft) * f)) + minLeft);
    }
}

} // namespace pelmar
