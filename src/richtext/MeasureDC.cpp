#include "richtext/MeasureDC.h"

#include "platform/CPainterDC.h"

#include <memory>

namespace {
std::unique_ptr<CPainterDC>& Holder()
{
    static std::unique_ptr<CPainterDC> dc;
    return dc;
}
} // namespace

CDC* DisplayMeasureDC()
{
    auto& dc = Holder();
    if (!dc) {
        dc = std::make_unique<CPainterDC>();
        dc->CreateCompatibleDC(nullptr);
    }
    return dc.get();
}

void ResetDisplayMeasureDC()
{
    Holder().reset();
}
