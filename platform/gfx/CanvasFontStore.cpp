// Where canvases keep the fonts they have used: one store for the GUI thread, shared by every
// canvas painting there and emptied with the application, before Qt's own font caches go.
#include "platform/gfx/Canvas.h"
#include "platform/gfx/CanvasFontCache.h"

#include <QCoreApplication>
#include <QThread>
#include <algorithm>
#include <atomic>

namespace {

// Keys the painter's font apart for every canvas, whichever store its entry comes from.
std::atomic<std::uint64_t> nextEntryId{0};

// The application empties the store when it goes; a later application registers again.
bool registeredForExit = false;

} // namespace

std::shared_ptr<TCanvas::FontEntry> TCanvas::FontStore::For(const TFont& f)
{
    auto it = std::find_if(entries.begin(), entries.end(),
                           [&](const std::shared_ptr<FontEntry>& e) { return e->Matches(f); });
    if (it == entries.end()) {
        if (entries.size() >= MaxEntries)
            entries.pop_back();
        auto entry = std::make_shared<FontEntry>(f);
        entry->id = nextEntryId++;
        entries.insert(entries.begin(), std::move(entry));
    } else if (it != entries.begin()) {
        std::rotate(entries.begin(), it, it + 1);
    }
    return entries.front();
}

TCanvas::FontStore* TCanvas::FontStore::Shared()
{
    const QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread())
        return nullptr;
    if (!registeredForExit) {
        // Our fonts hold on to Qt's font engines, which the application's font cache
        // frees when it goes; post routines run before that.
        qAddPostRoutine([] {
            DropShared();
            registeredForExit = false;
        });
        registeredForExit = true;
    }
    return &sharedInstance();
}

TCanvas::FontStore& TCanvas::FontStore::sharedInstance()
{
    // Only its entries are ever dropped: a canvas holds on to its store.
    static FontStore store;
    return store;
}

void TCanvas::FontStore::DropShared()
{
    sharedInstance().entries.clear();
}

TCanvas::FontEntry& TCanvas::FontCache::For(const TFont& f)
{
    revision = f.Revision();
    if (!current || !current->Matches(f))
        current = store->For(f);
    return *current;
}

void TCanvas::DropSharedFonts()
{
    FontStore::DropShared();
}
