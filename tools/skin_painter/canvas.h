#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <functional>
#include <map>
#include <string>

namespace qm::skin {

// The skin's colours: charcoal bars, light-grey glyphs, one blue accent.
inline const QColor kAccent{0x33, 0x99, 0xFF};
inline const QColor kAccentLight{0x70, 0xB8, 0xFF};
inline const QColor kAccentDeep{0x1F, 0x6C, 0xC4};
inline const QColor kGlyph{0xC8, 0xCD, 0xD4};
inline const QColor kGlyphHover{0xFF, 0xFF, 0xFF};
inline const QColor kEdgeLight{0x4E, 0x53, 0x5C};
inline const QColor kEdgeDark{0x10, 0x11, 0x13};
inline const QColor kSeekPanel{0x1B, 0x1D, 0x21};
inline const QColor kKnobFace{0x2B, 0x2E, 0x34};
inline const QColor kKnobRing{0x4A, 0x4F, 0x58};
inline const QColor kHoverFace{0x23, 0x3A, 0x57};

enum class Bar { Top, Bottom };

// Colour of one row of a bar, so a button painted for a given top carries
// exactly the background the bar shows behind it. Rows outside the bar clamp.
QColor barColour(Bar bar, int row);

// A w x h picture filled with the bar's rows from `firstRow` on.
QImage barBackground(Bar bar, int firstRow, int w, int h);

// A picture filled with one colour.
QImage flatImage(int w, int h, const QColor& colour);

// A fully transparent picture to draw a layer on.
QImage clearLayer(int w, int h);

// An antialiased painter on `image`.
void beginSmooth(QPainter& painter, QImage& image);

// Puts a layer over a background for the slider's thumb frames: a pixel the
// layer covers at least half becomes the layer blended over `behind`, every
// other pixel exact magenta, so the keyed edge never leaves a pink fringe.
QImage keyOnMagenta(const QImage& layer, const QImage& behind);

// Blends `top` over `bottom` by its alpha, fully opaque.
QImage composeOpaque(const QImage& bottom, const QImage& top);

// Name -> painter of that picture.
using PainterTable = std::map<std::string, std::function<QImage()>>;

void addBarPainters(PainterTable& table);
void addButtonPainters(PainterTable& table);
void addStripPainters(PainterTable& table);
void addCursorPainters(PainterTable& table);

}  // namespace qm::skin
