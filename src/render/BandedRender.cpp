#include "render/BandedRender.h"

#include "core/NumericHelpers.h"
#include "document/CKavoDoc.h"
#include "document/ObjIndex.h"
#include "graphics/BicubicShrink.h"
#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "platform/ProcessMemory.h"
#include "platform/SysColors.h"
#include "render/DiagramExport.h"
#include "render/DocDrawObjects.h"

#include <QPaintEngine>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace {

// What one band may take while it is made: its drawn (supersampled) rows,
// and its final rows with their filtered and deflated copies; a picture too
// wide for it gets bands of one row. Every object that crosses a band's
// edge is drawn again for each band it reaches, so thin bands cost drawing:
// at 8,500 pixels wide, 12 MB bands (15 rows) take about a sixth less time
// than 7 MB ones, while larger ones gain little more for their memory.
// Bands take the larger size only while the process stays under the
// ceiling with them, beside what the export holds for each object (the
// bands' lists of the objects they draw, each thread's copy of the line-hop
// crossings): a diagram that already fills much of it gets thinner bands
// rather than a larger process.
constexpr qint64 kMinBandBytes = qint64(7) << 20;
constexpr qint64 kMaxBandBytes = qint64(12) << 20;
constexpr qint64 kExportCeiling = qint64(176) << 20;
constexpr qint64 kExportBytesPerObject = 200;
// A final row's bytes beside the drawing: the rows themselves (4 a pixel),
// filtered for PNG (3) and at most that again deflated.
constexpr qint64 kFinalBytesPerPixel = 10;
// Past about 30 rows taller bands save little drawing, and a narrow picture
// would otherwise fill the band size with rows it does not need.
constexpr int kMaxBandRows = 32;
constexpr int kMaxThreads = 16;

// The bands of one picture: where each lies in the final and the drawn
// picture, the logical rectangle it shows and the objects that reach it.
struct BandPlan {
    BandedRequest req;
    ShrinkKernel kernel;
    CRect target;  // the export rectangle's place in the drawn picture
    int drawnWidth = 0, drawnHeight = 0;
    int bandRows = 1, count = 0;
    int run = 1;  // bands a thread draws one after another, from a multiple of run on
    // A band that starts a run shows all its rows; one that follows in a
    // run only those it adds below the previous band's (the thread keeps
    // the rows the two share).
    std::vector<CRect> clips;
    std::vector<std::vector<CDiagObj*>> objects;
    // Pictures play through caches of their own: drawn on one thread.
    bool hasPictures = false;

    bool Follows(int band) const { return band % run != 0; }
    int FirstRow(int band) const { return band * bandRows; }
    int EndRow(int band) const { return std::min(req.height, (band + 1) * bandRows); }
    int SourceFrom(int band) const { return req.factor > 1 ? kernel.SourceFrom(FirstRow(band)) : FirstRow(band); }
    int SourceTo(int band) const
    {
        return req.factor > 1 ? kernel.SourceTo(EndRow(band), drawnHeight) : EndRow(band);
    }
    int MaxSourceRows() const
    {
        int most = 1;
        for (int b = 0; b < count; ++b)
            most = std::max(most, SourceTo(b) - SourceFrom(b));
        return most;
    }
};

// The threads a picture may be drawn on at most.
int CoreCount(const BandedRequest& req)
{
    const int cores = req.threads > 0 ? req.threads : int(std::max(1u, std::thread::hardware_concurrency()));
    return std::clamp(cores, 1, kMaxThreads);
}

int ChooseBandRows(const BandedRequest& req, const ShrinkKernel& kernel, qint64 objects, int threads)
{
    if (req.bandRows > 0)
        return std::min(req.bandRows, req.height);
    const qint64 bandBytes =
        req.bandBytes > 0 ? req.bandBytes : BandBytesFor(ProcessResidentBytes(), objects, threads);
    const qint64 drawnRowBytes = qint64(req.width) * req.factor * 4;
    const qint64 overlap = req.factor > 1 ? kernel.Taps() - kernel.factor : 0;
    const qint64 rows = (bandBytes - overlap * drawnRowBytes) /
                        std::max<qint64>(1, req.factor * drawnRowBytes + qint64(req.width) * kFinalBytesPerPixel);
    return int(std::clamp<qint64>(rows, 1, std::min(kMaxBandRows, req.height)));
}

// A thread's canvas is most of a band's memory, and the shrinking reads it
// several rows apart at once: on the system's large pages where it gives
// them, its first use takes one fault every 2 MB rather than every 4 KB,
// and the reading walks far fewer page-table entries.
QImage MakeCanvas(int width, int height)
{
#ifdef __linux__
    constexpr size_t kLargePage = size_t(2) << 20;
    const size_t rowBytes = size_t(width) * 4;
    const size_t bytes = (rowBytes * size_t(height) + kLargePage - 1) / kLargePage * kLargePage;
    if (void* memory = std::aligned_alloc(kLargePage, bytes)) {
        madvise(memory, bytes, MADV_HUGEPAGE);
        QImage canvas(static_cast<uchar*>(memory), width, height, qsizetype(rowBytes), QImage::Format_RGB32,
                      [](void* held) { std::free(held); }, memory);
        if (!canvas.isNull())
            return canvas;
        std::free(memory);
    }
#endif
    return QImage(width, height, QImage::Format_RGB32);
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
// of the drawing pass meets them, in the list's order. The bands that start
// runs and those that follow are sorted apart: the tops of each kind's clips
// rise from band to band, those of the two together need not.
void SortObjectsIntoBands(CKavoDoc& doc, BandPlan& plan)
{
    plan.objects.assign(size_t(plan.count), {});
    if (!doc.m_pObjList)
        return;
    std::vector<int> kinds[2];
    for (int b = 0; b < plan.count; ++b)
        kinds[plan.Follows(b) ? 1 : 0].push_back(b);
    const auto sortInto = [&plan](const CRect& reach, const std::vector<int>& bands, CDiagObj* obj) {
        const auto first = std::partition_point(bands.begin(), bands.end(), [&](int b) {
            return plan.clips[size_t(b)].bottom < reach.top;
        });
        for (auto it = first; it != bands.end() && plan.clips[size_t(*it)].top <= reach.bottom; ++it)
            plan.objects[size_t(*it)].push_back(obj);
    };
    const CRect& r = plan.req.rect;
    // Only the objects the index places near the picture can reach it.
    std::vector<CDiagObj*> near;
    if (CObjIndex::IsEnabled()) {
        CRect area = r;
        area.NormalizeRect();
        const int grow = DrawReachGrowth(1);
        area.InflateRect(grow, grow);
        doc.ObjIndex().Query(area, near);
    } else {
        near.assign(doc.m_pObjList->begin(), doc.m_pObjList->end());
    }
    for (CDiagObj* obj : near) {
        if (obj->GetType() == kObjFigure && static_cast<const CFigure*>(obj)->HasPicture())
            plan.hasPictures = true;
        const CRect reach = DrawReachOf(*obj, 1);
        if (reach.left > r.right || r.left > reach.right || reach.top > r.bottom || r.top > reach.bottom)
            continue;
        sortInto(reach, kinds[0], obj);
        sortInto(reach, kinds[1], obj);
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
    const qint64 objects = doc.m_pObjList ? qint64(doc.m_pObjList->GetCount()) : 0;
    plan.bandRows = ChooseBandRows(req, plan.kernel, objects, CoreCount(req));
    plan.count = (req.height + plan.bandRows - 1) / plan.bandRows;
    // A thread draws a run of bands, each after the first drawing only the
    // rows the previous one lacks; runs are short enough to keep every
    // thread busy to the end.
    constexpr int kRunRows = 64;
    plan.run = req.run > 0 ? req.run
                           : std::clamp((kRunRows + plan.bandRows - 1) / plan.bandRows, 1, std::max(1, plan.count / 32));
    for (int b = 0; b < plan.count; ++b)
        plan.clips.push_back(
            BandClip(plan, plan.Follows(b) ? plan.SourceTo(b - 1) : plan.SourceFrom(b), plan.SourceTo(b)));
    SortObjectsIntoBands(doc, plan);
    return plan;
}

// The drawn rows of one band, drawn as RenderToDDB draws the whole picture.
// The painter sees a device of the whole picture's size, clipped to the
// band's rows, which alone have memory: lines and images that cross the
// band's edges are then cut where the whole picture's drawing cuts them (a
// smaller device would cut them at its own edges, and the painter's stepping
// along them would start elsewhere).
// `canvas` is the thread's drawing memory, kept from band to band (a fresh
// image a band costs the system's zeroing of every page); the band's rows
// are its top rows.
// When the band follows in a run, the canvas holds the previous band's rows,
// and the rows the two bands share are kept rather than drawn again.
bool DrawBand(CKavoDoc& doc, const BandPlan& plan, int band, QImage& canvas)
{
    const int from = plan.SourceFrom(band), to = plan.SourceTo(band);
    if (canvas.isNull() || canvas.height() < to - from)
        canvas = MakeCanvas(plan.drawnWidth, plan.MaxSourceRows());
    if (canvas.isNull())
        return false;
    const qsizetype bpl = canvas.bytesPerLine();
    int drawFrom = from;
    if (plan.Follows(band)) {
        const int prevFrom = plan.SourceFrom(band - 1), prevTo = plan.SourceTo(band - 1);
        const int kept = std::clamp(prevTo - from, 0, to - from);
        if (kept > 0 && from > prevFrom)
            std::memmove(canvas.scanLine(0), canvas.constScanLine(from - prevFrom), size_t(kept) * size_t(bpl));
        drawFrom = from + kept;
    }
    if (drawFrom >= to)
        return true;
    const COLORREF bg = plan.req.background;
    const uint32_t fill = qRgb(GetRValue(bg), GetGValue(bg), GetBValue(bg));
    // The rows to draw are one stretch of memory, filled in one go.
    std::fill_n(reinterpret_cast<uint32_t*>(canvas.scanLine(drawFrom - from)), size_t(bpl) / 4 * size_t(to - drawFrom),
                fill);
    uchar* rows = canvas.bits();
    QImage device(rows - bpl * from, plan.drawnWidth, plan.drawnHeight, bpl, QImage::Format_RGB32);
    if (device.isNull() || !device.paintEngine())
        return false;
    device.paintEngine()->setSystemClip(QRegion(0, drawFrom, plan.drawnWidth, to - drawFrom));
    CPainterDC dc(&device);
    dc.SetSupersampling(plan.req.factor);
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
    return true;
}

std::optional<RenderedBand> MakeBand(CKavoDoc& doc, const BandPlan& plan, int band, QImage& canvas)
{
    RenderedBand out;
    out.firstRow = plan.FirstRow(band);
    out.last = band == plan.count - 1;
    if (!DrawBand(doc, plan, band, canvas))
        return std::nullopt;
    out.rows = plan.req.factor > 1 ? ShrinkRows(canvas, plan.SourceFrom(band), plan.drawnHeight, out.firstRow,
                                                plan.EndRow(band), plan.kernel)
                                   : canvas.copy(0, 0, plan.drawnWidth, plan.EndRow(band) - out.firstRow);
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
        QImage canvas;
        for (;;) {
            int first = 0, end = 0;
            {
                std::unique_lock lock(m_mutex);
                m_changed.wait(lock, [&] { return m_stop || m_next >= m_plan.count || m_next < m_taken + m_window; });
                if (m_stop || m_next >= m_plan.count)
                    return;
                // Runs start at multiples of the run: the plan's clips say so.
                first = m_next;
                end = m_next = std::min(m_plan.count, first + m_plan.run);
            }
            for (int band = first; band < end; ++band) {
                std::optional<RenderedBand> made = MakeBand(m_doc, m_plan, band, canvas);
                if (made && m_pack)
                    m_pack(*made);
                std::lock_guard lock(m_mutex);
                if (!made)
                    m_failed = m_stop = true;
                else
                    m_done.emplace(band, std::move(*made));
                m_changed.notify_all();
                if (m_stop)
                    return;
            }
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
    return std::min(CoreCount(req), bands);
}

// Tables the drawing builds on first use are built before the threads start.
void PrepareForThreads(CKavoDoc& doc)
{
    if (!doc.HasLists())
        return;
    doc.FigLabelStaplesOf(nullptr);
    // The bands query the index side by side: it is brought current here.
    doc.ObjIndex().Refresh();
}

} // namespace

BandedResult RenderBanded(CKavoDoc& doc, const BandedRequest& request, const BandPackFn& pack, const BandTakeFn& take)
{
    if (request.width <= 0 || request.height <= 0 || request.factor < 1 || request.rect.IsRectEmpty())
        return BandedResult::NoMemory;
    const BandPlan plan = MakePlan(doc, request);
    const int threads = ThreadCount(request, plan.count, plan.hasPictures);
    PrepareForThreads(doc);
    BandPipeline pipeline(doc, plan, pack, (threads + 1) * plan.run);
    // The workers run on the shared pool's threads: the painter splits a
    // large fill across that pool unless it already runs on one of them, and
    // with every core drawing a band of its own the split only adds waiting.
    // Only when the pool lends none (it may be busy) are threads made here:
    // made beside lent ones, their split fills would wait for pool threads
    // that wait for their bands, and the export would never end (a pool
    // smaller than the machine, as in a process held to fewer cores).
    QThreadPool* pool = QThreadPool::globalInstance();
    QSemaphore finished;
    int pooled = 0;
    for (int i = 0; i < threads && pool; ++i) {
        if (!pool->tryStart([&pipeline, &finished] {
                pipeline.Work();
                finished.release();
            }))
            break;
        ++pooled;
    }
    std::vector<std::thread> workers;
    for (int i = 0; pooled == 0 && i < threads; ++i)
        workers.emplace_back([&pipeline] { pipeline.Work(); });
    // A caller on a pool thread gives its place up while it waits, so that
    // the made workers' split fills find a thread.
    const bool callerPooled = !workers.empty() && pool && pool->contains(QThread::currentThread());
    if (callerPooled)
        pool->releaseThread();
    const BandedResult result = pipeline.Take(take);
    if (callerPooled)
        pool->reserveThread();
    pipeline.Stop();
    for (std::thread& t : workers)
        t.join();
    finished.acquire(pooled);
    return result;
}

qint64 BandBytesFor(qint64 resident, qint64 objects, int threads)
{
    if (resident <= 0)
        return kMinBandBytes;
    const qint64 room = (kExportCeiling - resident - objects * kExportBytesPerObject) / std::max(1, threads);
    return std::clamp(room, kMinBandBytes, kMaxBandBytes);
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
