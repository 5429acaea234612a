#pragma once
// The orthogonal route of a connector leg drawn with Alt: candidate routes
// of horizontal and vertical legs from S to E are tried in a fixed order and
// scored against the other objects; the best one's inner points are kept.
#include "platform/CRect.h"

#include <utility>
#include <vector>

struct OrthoRouteInput {
    CPoint s, e;                       // end figures' centres, or the free points
    const CRect* startFig = nullptr;   // null for a free end
    const CRect* endFig = nullptr;
    int stepX = 0, stepY = 0;          // snap steps; 0 counts as 16
    bool snap = false;
    std::vector<CRect> figures;                      // every other figure but junctions
    std::vector<std::pair<CPoint, CPoint>> legs;     // other connectors' legs
    const CRect* page = nullptr;                     // when the page is shown
};

// 5 invalid, 10 or 30 figure hits, 20 overlaps, 91 - n for n crossings (80
// from 11 on), 100 clean; 50 for a clean or crossing-only route reaching
// outside the page shrunk by 16.
int ScoreOrthoRoute(const OrthoRouteInput& in, const std::vector<CPoint>& inner);
// The inner points of the best route; its score through `score`.
std::vector<CPoint> FindOrthoRoute(const OrthoRouteInput& in, int* score = nullptr);
