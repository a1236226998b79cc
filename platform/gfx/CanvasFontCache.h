// What a canvas derives from its font: the QFont, its metrics, the few numbers every text
// call needs, and the advances and glyphs of the strings it has measured and drawn. Views
// switch between a handful of fonts all the time (bold on and off, a colour per anchor), and
// building a QFont and resolving its metrics costs far more than the text it measures, so a
// canvas keeps the last few fonts it used, keyed by what shapes glyphs (name, height,
// style) rather than by the font's revision: a colour change finds the same entry, and a
// font that comes back finds its advances and glyphs still there. Private to the canvas's
// sources.
#pragma once

#include "platform/gfx/Canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QString>
#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include <vector>

// One font as the canvas writes with it.
struct TCanvas::FontEntry
{
    explicit FontEntry(const TFont& f);
    bool Matches(const TFont& f) const
    {
        return height == f.Height() && style == f.Style() && name == f.Name();
    }
    // The advance of a run without tabs; the same string always shapes the same way in
    // the same QFont.
    int Advance(const QString& text);

    // A run's glyphs as the painter would shape them, the baseline at y = ascent.
    struct Shaped
    {
        QList<QGlyphRun> runs;
        qreal ascent = 0;
        bool ready = false;
    };
    // The glyphs of a left-to-right run of simple text (see Shapeable) in painterFont, the
    // painter's resolved copy of this font. Null the first time a string comes by: laying it
    // out costs more than drawing it once, and most strings a view writes it writes again on
    // the next paint, a line of markup right after measuring it.
    const Shaped* Glyphs(const QString& text, const QFont& painterFont);
    // Whether drawing the glyphs gives the same pixels as QPainter::drawText: no controls
    // or tabs (laid out differently) and nothing from right-to-left scripts on.
    static bool Shapeable(const QString& text);

    // The key.
    QString name;
    int height = 0;
    TFontStyles style;

    // Tells the painter's font apart from this one without comparing QFonts.
    std::uint64_t id = 0;
    QFont font;
    QFontMetrics metrics;
    int ascent = 0;
    int cellHeight = 0;
    int leading = 0;
    int tabWidth = 1;
    int maxWidth = 1;
    bool symbol = false;
    QHash<QString, int> advances;
    QHash<QString, Shaped> shaped;
};

// The fonts canvases have used, most recently used first. Canvases are short-lived (one per
// paint event), so the GUI thread keeps one store for all of them: a new canvas finds the
// fonts, advances and glyphs the last paint left behind. Fonts are sized in pixels, so the
// same glyphs serve devices of every resolution.
struct TCanvas::FontStore
{
    // The entry for f; at most MaxEntries fonts are kept, the least recently used one goes
    // first (a canvas still writing with it keeps its entry alive).
    std::shared_ptr<FontEntry> For(const TFont& f);

    // The store shared by the canvases of the GUI thread; null on other threads (and
    // without an application), where a canvas keeps a store of its own.
    static FontStore* Shared();
    // Empties the shared stores but keeps them: a canvas holds on to its store.
    static void DropShared();

    static constexpr std::size_t MaxEntries = 16;
    // Bounds the advances and glyphs per font; a view that writes ever new strings starts
    // over.
    static constexpr qsizetype MaxAdvances = 2048;
    static constexpr qsizetype MaxShaped = 1024;

    std::vector<std::shared_ptr<FontEntry>> entries;

private:
    static FontStore& sharedInstance();
};

// What one canvas knows of its font: the store it draws from and the entry of its font as
// it was at the last look.
struct TCanvas::FontCache
{
    FontEntry& For(const TFont& f);

    FontStore* store = nullptr;
    std::unique_ptr<FontStore> ownStore;
    std::uint64_t revision = ~std::uint64_t(0);
    std::shared_ptr<FontEntry> current;
};
