#include "richtext/MeasureDC.h"

#include "platform/CPainterDC.h"

#include <QCoreApplication>

#include <memory>

namespace {
std::unique_ptr<CPainterDC>& Holder()
{
    // One a thread: export bands lay text out on several.
    static thread_local std::unique_ptr<CPainterDC> dc;
    return dc;
}
} // namespace

CDC* DisplayMeasureDC()
{
    auto& dc = Holder();
    if (!dc) {
        dc = std::make_unique<CPainterDC>();
        dc->CreateCompatibleDC(nullptr);
        // Its fonts must go before the application object does.
        static thread_local bool cleanupAdded = false;
        if (!cleanupAdded && QCoreApplication::instance()) {
            qAddPostRoutine(ResetDisplayMeasureDC);
            cleanupAdded = true;
        }
    }
    return dc.get();
}

void ResetDisplayMeasureDC()
{
    Holder().reset();
}
