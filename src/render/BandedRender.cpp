#include "render/BandedRender.h"

#include "core/NumericHelpers.h"
#include "document/CKavoDoc.h"
#include "graphics/BicubicShrink.h"
#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "platform/SysColors.h"
#include "render/ConCrossings.h"
#include "render/DiagramExport.h"
#include "render/DocDrawObjects.h"

#include <QPaintEngine>

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {

// What one band's supersampled image may take; a picture too wide for it
// gets bands of one row.
constexpr qint64 kBandImageBytes = qint64(6) << 20;
constexpr int kMaxBandRows = 256;
constexpr int kMaxThreads = 16;

// The bands of one picture: where each lies in the final and the drawn
// picture, the logical rectangle it shows and the objects that reach it.
struct BandPlan {
    BandedRequest req;
    ShrinkKernel kernel;
    CRect target;  // the export rectangle's place in the drawn picture
    int drawnWidth = 0, drawnHeight = 0;
    int bandRows = 1, count = 0;
    std::vector<CRect> clips;
    std::vector<std::vector<CDiagObj*>> objects;
    // Pictures play through caches of their own: drawn on one thread.
    bool hasPictures = false;

    int FirstRow(int band) const { return band * bandRows; }
    int EndRow(int band) const { return std::min(req.height, (band + 1) * bandRows); }
    int SourceFrom(int band) const { return req.factor > 1 ? kernel.SourceFrom(FirstRow(band)) : FirstRow(band); }
    int SourceTo(int band) const
    {
        return req.factor > 1 ? kernel.SourceTo(EndRow(band), drawnHeight) : EndRow(band);
    }
};

int ChooseBandRows(const BandedRequest& req, const ShrinkKernel& kernel)
{
    if (req.bandRows > 0)
        return std::min(req.bandRows, req.height);
    const qint64 rowBytes = qint64(req.width) * req.factor * 4;
    const qint64 overlap = req.factor > 1 ? kernel.Taps() - kernel.factor : 0;
    const qint64 rows = (kBandImageBytes / std::max<qint64>(rowBytes, 1) - overlap) / req.factor;
    return int(std::clamp<qint64>(rows, 1, std::min(kMaxBandRows, req.height)));
}

// The logical rectangle drawn rows [from, to) show, with a margin for the
// anti-aliased fringe of what lies just outside, within the export rectangle.
CRect BandClip(const BandPlan& plan, int from, int to)
{
    const CRect& r = plan.req.rect;
    const double unitsPerRow = double(r.Height()) / std::max(1, plan.target.Height());
    const int top = int(std::floor(r.top + (from - 2 - plan.target.top) * unitsPerRow)) - 2;
    const int bottom = int(std::ceil(r.top + (to + 2 - plan.target.top) * unitsPerRow)) + 2;
    return CRect(r.left, std::max(r.top, top), r.right, std::min(r.bottom, bottom));
}

// Each object goes to the bands whose clip its reach meets, as the clip test
// of the drawing pass meets them, in the list's order.
void SortObjectsIntoBands(CKavoDoc& doc, BandPlan& plan)
{
    plan.objects.assign(size_t(plan.count), {});
    if (!doc.m_pObjList)
        return;
    const CRect& r = plan.req.rect;
    for (CDiagObj* obj : *doc.m_pObjList) {
        if (obj->GetType() == kObjFigure && static_cast<const CFigure*>(obj)->HasPicture())
            plan.hasPictures = true;
        const CRect reach = DrawReachOf(*obj, 1);
        if (reach.left > r.right || r.left > reach.right || reach.top > r.bottom || r.top > reach.bottom)
            continue;
        const auto first = std::partition_point(plan.clips.begin(), plan.clips.end(),
                                                [&](const CRect& c) { return c.bottom < reach.top; });
        for (auto it = first; it != plan.clips.end() && it->top <= reach.bottom; ++it)
            plan.objects[size_t(it - plan.clips.begin())].push_back(obj);
    }
}

BandPlan MakePlan(CKavoDoc& doc, const BandedRequest& req)
{
    BandPlan plan;
    plan.req = req;
    plan.kernel = MakeShrinkKernel(req.factor);
    plan.drawnWidth = req.width * req.factor;
    plan.drawnHeight = req.height * req.factor;
    plan.target = CRect(0, 0, plan.drawnWidth, plan.drawnHeight);
    FitSizeCenteredInRect(plan.target, req.rect.Width(), req.rect.Height());
    plan.bandRows = ChooseBandRows(req, plan.kernel);
    plan.count = (req.height + plan.bandRows - 1) / plan.bandRows;
    for (int b = 0; b < plan.count; ++b)
        plan.clips.push_back(BandClip(plan, plan.SourceFrom(b), plan.SourceTo(b)));
    SortObjectsIntoBands(doc, plan);
    return plan;
}

// The drawn rows of one band, drawn as RenderToDDB draws the whole picture.
// The painter sees a device of the whole picture's size, clipped to the
// band's rows, which alone have memory: lines and images that cross the
// band's edges are then cut where the whole picture's drawing cuts them (a
// smaller device would cut them at its own edges, and the painter's stepping
// along them would start elsewhere).
QImage DrawBand(CKavoDoc& doc, const BandPlan& plan, int band)
{
    const int from = plan.SourceFrom(band), to = plan.SourceTo(band);
    QImage rows(plan.drawnWidth, to - from, QImage::Format_RGB32);
    if (rows.isNull())
        return rows;
    const COLORREF bg = plan.req.background;
    rows.fill(QColor(GetRValue(bg), GetGValue(bg), GetBValue(bg)));
    const qsizetype bpl = rows.bytesPerLine();
    QImage device(rows.bits() - bpl * from, plan.drawnWidth, plan.drawnHeight, bpl, QImage::Format_RGB32);
    if (device.isNull() || !device.paintEngine())
        return {};
    device.paintEngine()->setSystemClip(QRegion(0, from, plan.drawnWidth, to - from));
    CPainterDC dc(&device);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetViewportOrg(plan.target.left, plan.target.top);
    dc.SetViewportExt(plan.target.Width(), plan.target.Height());
    dc.SetWindowOrg(plan.req.rect.left, plan.req.rect.top);
    dc.SetWindowExt(plan.req.rect.Width(), plan.req.rect.Height());
    dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    CGraphics graphics(&dc);
    ExportDrawRequest request;
    request.which = plan.req.which;
    request.mode = kExportModeBitmap;
    request.exportRect = plan.req.rect;
    request.client = SIZE{plan.target.Width(), plan.target.Height()};
    request.smoothing = plan.req.smoothing;
    request.clip = plan.clips[size_t(band)];
    request.objects = &plan.objects[size_t(band)];
    DrawForExport(doc, &graphics, &dc, request);
    dc.Flush();
    return rows;
}

std::optional<RenderedBand> MakeBand(CKavoDoc& doc, const BandPlan& plan, int band)
{
    RenderedBand out;
    out.firstRow = plan.FirstRow(band);
    out.last = band == plan.count - 1;
    QImage drawn = DrawBand(doc, plan, band);
    if (drawn.isNull())
        return std::nullopt;
    out.rows = plan.req.factor > 1 ? ShrinkRows(drawn, plan.SourceFrom(band), plan.drawnHeight, out.firstRow,
                                                plan.EndRow(band), plan.kernel)
                                   : std::move(drawn);
    if (out.rows.isNull())
        return std::nullopt;
    return out;
}

// Bands drawn on the workers, at most `window` ahead of the one the caller
// takes next, and handed to the caller in order.
class BandPipeline {
public:
    BandPipeline(CKavoDoc& doc, const BandPlan& plan, const BandPackFn& pack, int window)
        : m_doc(doc), m_plan(plan), m_pack(pack), m_window(window)
    {
    }

    void Work()
    {
        // One crossing pass a thread serves all its bands.
        std::optional<ConCrossingPass> crossings;
        if (m_doc.m_bConnectorJogs && m_doc.HasLists())
            crossings.emplace(m_doc);
        for (;;) {
            int band = 0;
            {
                std::unique_lock lock(m_mutex);
                m_changed.wait(lock, [&] { return m_stop || m_next >= m_plan.count || m_next < m_taken + m_window; });
                if (m_stop || m_next >= m_plan.count)
                    return;
                band = m_next++;
            }
            std::optional<RenderedBand> made = MakeBand(m_doc, m_plan, band);
            if (made && m_pack)
                m_pack(*made);
            std::lock_guard lock(m_mutex);
            if (!made)
                m_failed = m_stop = true;
            else
                m_done.emplace(band, std::move(*made));
            m_changed.notify_all();
        }
    }

    BandedResult Take(const BandTakeFn& take)
    {
        for (int band = 0; band < m_plan.count; ++band) {
            RenderedBand next;
            {
                std::unique_lock lock(m_mutex);
                m_changed.wait(lock, [&] { return m_failed || m_done.count(band) > 0; });
                if (m_failed)
                    return BandedResult::NoMemory;
                next = std::move(m_done.at(band));
                m_done.erase(band);
                m_taken = band + 1;
                m_changed.notify_all();
            }
            if (take && !take(next)) {
                Stop();
                return BandedResult::Stopped;
            }
        }
        return BandedResult::Done;
    }

    void Stop()
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
        m_changed.notify_all();
    }

private:
    CKavoDoc& m_doc;
    const BandPlan& m_plan;
    const BandPackFn& m_pack;
    const int m_window;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::map<int, RenderedBand> m_done;
    int m_next = 0, m_taken = 0;
    bool m_stop = false, m_failed = false;
};

int ThreadCount(const BandedRequest& req, int bands, bool hasPictures)
{
    if (hasPictures)
        return 1;
    const int cores = req.threads > 0 ? req.threads : int(std::max(1u, std::thread::hardware_concurrency()));
    return std::clamp(std::min(cores, bands), 1, kMaxThreads);
}

// Tables the drawing builds on first use are built before the threads start.
void PrepareForThreads(CKavoDoc& doc)
{
    if (doc.HasLists())
        doc.FigLabelStaplesOf(nullptr);
}

} // namespace

BandedResult RenderBanded(CKavoDoc& doc, const BandedRequest& request, const BandPackFn& pack, const BandTakeFn& take)
{
    if (request.width <= 0 || request.height <= 0 || request.factor < 1 || request.rect.IsRectEmpty())
        return BandedResult::NoMemory;
    const BandPlan plan = MakePlan(doc, request);
    const int threads = ThreadCount(request, plan.count, plan.hasPictures);
    PrepareForThreads(doc);
    BandPipeline pipeline(doc, plan, pack, threads + 2);
    std::vector<std::thread> workers;
    for (int i = 0; i < threads; ++i)
        workers.emplace_back([&pipeline] { pipeline.Work(); });
    const BandedResult result = pipeline.Take(take);
    pipeline.Stop();
    for (std::thread& t : workers)
        t.join();
    return result;
}

QImage RenderBandedImage(CKavoDoc& doc, const BandedRequest& request)
{
    QImage whole(request.width, request.height, QImage::Format_RGB32);
    if (whole.isNull())
        return whole;
    const qsizetype rowBytes = whole.bytesPerLine();
    const BandedResult result = RenderBanded(doc, request, nullptr, [&](RenderedBand& band) {
        for (int y = 0; y < band.rows.height(); ++y)
            std::memcpy(whole.scanLine(band.firstRow + y), band.rows.constScanLine(y), size_t(rowBytes));
        return true;
    });
    return result == BandedResult::Done ? whole : QImage();
}
